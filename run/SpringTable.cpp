#include "run/SpringTable.h"

#include "run/AnalysisRun.h"

#include <fstream>
#include <sstream>

namespace {

// Splits a line at runs of `minimum` or more spaces.
std::vector<std::string> Split(const std::string& line, size_t minimum)
{
    std::vector<std::string> cells;
    size_t i = line.find_first_not_of(' ');
    while (i != std::string::npos) {
        size_t end = i;
        for (;;) {
            end = line.find(' ', end);
            if (end == std::string::npos || line.compare(end, minimum, std::string(minimum, ' ')) == 0)
                break;
            ++end;
        }
        cells.push_back(line.substr(i, end == std::string::npos ? std::string::npos : end - i));
        i = end == std::string::npos ? end : line.find_first_not_of(' ', end);
    }
    return cells;
}

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

// The block's rows: the heading line, then a line per spring (ten cells, the
// first a node number), then the notes.
void AddBlock(const std::string& stage, const OutputTextBlock& block, TSpringTable& table)
{
    if (block.lines.empty())
        return;
    if (table.Header.empty())
        table.Header = Split(block.lines.front(), 2);
    bool notes = false;
    std::vector<std::string> lines;
    for (size_t i = 1; i < block.lines.size(); ++i) {
        const std::string& l = block.lines[i];
        const std::vector<std::string> cells = Split(l, 1);
        if (!notes && cells.size() == 10 && cells.front().find_first_not_of("0123456789") == std::string::npos) {
            table.Rows.push_back({ResultName(stage), cells});
        } else if (!l.empty()) {
            notes = true;
            lines.push_back(l);
        }
    }
    // The notes of a staged analysis say more (its assumptions); keep the longest.
    if (lines.size() > table.Notes.size())
        table.Notes = lines;
}

}  // namespace

TSpringTable SpringTableOf(const OutputTextOutline& text)
{
    TSpringTable table;
    for (size_t k = 1; k < text.sections.size(); ++k)
        if (const OutputTextBlock* b = text.sections[k].Find(outputtext::SpringTable))
            AddBlock(text.sections[k].name, *b, table);
    return table;
}

TSpringTable LoadSpringTable(const std::string& wallFile)
{
    std::ifstream in(ReplaceExtension(wallFile, ".tk4o"), std::ios::binary);
    if (!in)
        return {};
    std::ostringstream text;
    text << in.rdbuf();
    return SpringTableOf(ParseOutputText(text.str()));
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
    return ResultsCsv(results, settings) + (springs.empty() ? "" : "\r\n" + springs);
}
