#pragma once
#include "run/widgets/ReportPages.h"

#include <QString>

#include <optional>
#include <vector>

struct TSectionSettings;
class TProgramData;
namespace checks {
struct DesignCheckReport;
}

// The design-check pages of the calculation report.
namespace report {

// The steel sections the bending and shear checks use, as the Steel Sections
// window shows them for `wall` (name, first node and depth, W, fy, shear area,
// corrosion loss); a sentence when the wall has none.
void SteelSections(Pages& pages, const std::vector<TSectionSettings>& sections, const TProgramData& wall);

// Everything the design checks found, from `report` alone: the embedment
// table per stage, then the section and anchor table with its utilisation
// graph on one page, and the remarks (definitions, governing stage); with a
// design approach, the factors it used and per stage a table of its
// combinations, the governing one named.
void DesignChecks(Pages& pages, const checks::DesignCheckReport& report);

// The design-check part of the report: the sections (when the wall could be
// read), then what the checks found, or why they could not be made.
void DesignCheckPages(Pages& pages, const std::optional<checks::DesignCheckReport>& report, const QString& failure,
                      const TProgramData* wall, const std::vector<TSectionSettings>& sections);

}  // namespace report
