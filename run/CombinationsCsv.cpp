#include "run/CombinationsCsv.h"

#include "checks/CombinationTable.h"
#include "checks/DesignChecksTable.h"
#include "checks/GroundChecksTable.h"
#include "run/ResultTables.h"

namespace {

// A cell as the CSV holds it: lines joined, "-" (no value) empty.
std::string Field(std::string cell)
{
    if (cell == checks::kNoValue)
        return {};
    for (std::size_t at = cell.find('\n'); at != std::string::npos; at = cell.find('\n', at))
        cell.replace(at, 1, "; ");
    return CsvField(cell);
}

}  // namespace

std::string CombinationsCsv(const checks::DesignCheckReport& report)
{
    const std::vector<checks::CombinationTable> tables = checks::MakeCombinationTables(report);
    if (tables.empty())
        return {};
    std::string out = "Stage";
    for (const std::string& h : tables.front().header)
        out += "," + CsvField(h);
    out += ",Governing\r\n";
    for (const checks::CombinationTable& t : tables)
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            const bool governing = static_cast<int>(r) == t.governingRow;
            std::vector<std::string> cells = t.rows[r];
            // The name without its mark: the last column says which governs.
            if (governing)
                cells[checks::CombinationName_].resize(cells[checks::CombinationName_].size() -
                                                       std::char_traits<char>::length(checks::kGoverningMark));
            out += CsvField(t.heading);
            for (const std::string& c : cells)
                out += "," + Field(c);
            out += std::string(",") + (governing ? "yes" : "") + "\r\n";
        }
    return out;
}

std::string GroundChecksCsv(const checks::DesignCheckReport& report)
{
    if (!checks::HasGroundChecks(report))
        return {};
    const checks::GroundChecksTable table = checks::MakeGroundChecksTable(report);
    std::string out;
    for (std::size_t c = 0; c < table.header.size(); ++c)
        out += (c ? "," : "") + CsvField(table.header[c]);
    out += "\r\n";
    for (const std::vector<std::string>& row : table.rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            out += (c ? "," : "") + (c ? Field(row[c]) : CsvField(row[c]));
        out += "\r\n";
    }
    return out;
}
