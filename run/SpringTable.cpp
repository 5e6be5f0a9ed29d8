#include "run/SpringTable.h"

#include "checks/DesignChecks.h"
#include "engine/ReportWriter.h"
#include "run/CombinationsCsv.h"
#include "run/HydraulicHeaveCsv.h"
#include "run/ResultValues.h"

namespace {

// The name of an analysis as the result tables give it: "Stage 2 of 3" ->
// "Stage 2", "Short-term case" -> "Short-term".
std::string ResultName(std::string heading)
{
    for (const char* tail : {" of ", " case"}) {
        const size_t at = heading.find(tail);
        if (at != std::string::npos)
            heading.erase(at);
    }
    return heading;
}

// True when the settings give what basal heave or an anchor's place in the ground needs.
bool AsksGroundChecks(const TWallSettings& s)
{
    for (const TAnchorSettings& a : s.anchors)
        if (a.freeLength > 0 && a.fixedLength > 0)
            return true;
    return s.excavation.width > 0;
}

}  // namespace

TSpringTable SpringTableOf(const std::vector<SectionRun>& sections)
{
    TSpringTable table;
    if (sections.empty())
        return table;
    // The output text names every length and force in the units of the run's first block.
    const UnitSystem unitSystem = sections.front().block.unitSystem;
    for (const SectionRun& s : sections) {
        if (!s.built || !s.result.Ok())
            continue;
        SpringTableText text = ReportWriter::SpringTable(s, unitSystem);
        if (text.rows.empty())
            continue;
        if (table.Header.empty())
            table.Header = std::move(text.header);
        for (std::vector<std::string>& cells : text.rows)
            table.Rows.push_back({ResultName(s.heading), std::move(cells)});
        // The notes of a staged analysis say more (its assumptions); keep the longest.
        if (text.notes.size() > table.Notes.size())
            table.Notes = std::move(text.notes);
    }
    return table;
}

TSpringTable LoadSpringTable(const std::string& wallFile)
{
    return SpringTableOf(LoadResultValues(wallFile).sections);
}

std::string SpringTableCsv(const TSpringTable& table)
{
    if (table.Empty())
        return {};
    std::string out = "Stage";
    for (const std::string& h : table.Header)
        out += "," + CsvField(h);
    out += "\r\n";
    for (const TSpringTable::Row& r : table.Rows) {
        out += CsvField(r.Stage);
        for (const std::string& c : r.Cells)
            out += "," + (c == "-" ? std::string() : CsvField(c));
        out += "\r\n";
    }
    return out;
}

std::string WallResultsCsv(const TResultSet& results, const std::string& wallFile, const TWallSettings& settings)
{
    const std::string springs = SpringTableCsv(LoadSpringTable(wallFile));
    // The checks need their own analyses: only a wall with an approach, or
    // with what the checks of the ground need, runs them.
    std::string combinations, ground;
    if (settings.designApproach != DesignApproach::None || AsksGroundChecks(settings)) {
        const checks::DesignCheckReport report = checks::RunDesignChecks(wallFile);
        combinations = CombinationsCsv(report);
        ground = GroundChecksCsv(report);
    }
    // Read only for a wall whose water flows somewhere, so that others export as before.
    const std::string heave =
        settings.water.stages.empty() ? std::string() : HydraulicHeaveCsv(WallFileReader::Read(wallFile), settings);
    return ResultsCsv(results, settings) + (springs.empty() ? "" : "\r\n" + springs) +
           (combinations.empty() ? "" : "\r\n" + combinations) + (ground.empty() ? "" : "\r\n" + ground) +
           (heave.empty() ? "" : "\r\n" + heave);
}
