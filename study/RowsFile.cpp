#include "study/RowsFile.h"

#include "units/NumberFormat.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

namespace study {
namespace {


std::string Heading(const Column& c)
{
    return c.unit.empty() ? c.name : c.name + " (" + c.unit + ")";
}

Column ColumnOf(const std::string& heading)
{
    const std::size_t open = heading.rfind(" (");
    if (open == std::string::npos || heading.empty() || heading.back() != ')')
        return {heading, ""};
    return {heading.substr(0, open), heading.substr(open + 2, heading.size() - open - 3)};
}

std::string Quoted(const std::string& text)
{
    if (text.find_first_of(",\"") == std::string::npos)
        return text;
    std::string out = "\"";
    for (char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// The fields of one CSV line, with quoted fields unquoted.
std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

bool ToNumber(const std::string& text, double& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// The shortest of 15 to 17 digits that reads back as the same double.
void AppendExact(std::string& out, double v)
{
    for (int digits = 15; digits < 17; ++digits) {
        char text[kGeneralTextSize];
        char* end = WriteGeneral(text, v, digits);
        double back = 0;
        if (ToNumber(std::string(text, static_cast<std::size_t>(end - text)), back) && back == v) {
            out.append(text, static_cast<std::size_t>(end - text));
            return;
        }
    }
    AppendGeneral(out, v, 17);
}

Row RowFrom(const std::vector<std::string>& f, std::size_t inputs, std::size_t outputs)
{
    Row row;
    double v = 0;
    if (!ToNumber(f[0], v) || v < 0 || v != static_cast<double>(static_cast<long>(v)))
        throw TorvikError("its index \"" + f[0] + "\" is no whole number");
    row.index = static_cast<long>(v);
    for (std::size_t i = 0; i < inputs + outputs; ++i) {
        const std::string& text = f[1 + i];
        if (i >= inputs && text.empty()) {
            row.outputs.emplace_back();
            continue;
        }
        if (!ToNumber(text, v))
            throw TorvikError("\"" + text + "\" is no number");
        if (i < inputs)
            row.inputs.push_back(v);
        else
            row.outputs.emplace_back(v);
    }
    row.failed = f[1 + inputs + outputs] == "1";
    row.reason = f[2 + inputs + outputs];
    return row;
}

}  // namespace

std::string CsvHeader(const std::vector<Column>& inputs, const std::vector<Column>& outputs)
{
    std::string line = "index";
    for (const auto* columns : {&inputs, &outputs})
        for (const Column& c : *columns)
            line += "," + Quoted(Heading(c));
    return line + ",failed,reason\n";
}

std::string CsvLine(const Row& row)
{
    std::string line = std::to_string(row.index);
    for (double v : row.inputs) {
        line += ',';
        AppendExact(line, v);
    }
    for (const std::optional<double>& v : row.outputs) {
        line += ',';
        if (v)
            AppendExact(line, *v);
    }
    return line + (row.failed ? ",1," : ",0,") + Quoted(row.reason) + "\n";
}

RowsRead ReadRows(const std::string& path, std::size_t inputCount)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EInOutError("The rows file " + path + " cannot be read.");
    std::ostringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    RowsRead read;
    read.wholeBytes = text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1;
    std::istringstream lines(text.substr(0, read.wholeBytes));
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        // A file saved again by a spreadsheet on Windows ends its lines in CR LF.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::vector<std::string> f = Fields(line);
        try {
            if (number == 1) {
                if (f.size() < 3 || f.front() != "index" || f[f.size() - 2] != "failed" || f.back() != "reason" ||
                    f.size() < 3 + inputCount)
                    throw TorvikError("it has no header of a study's rows");
                for (std::size_t i = 1; i + 2 < f.size(); ++i)
                    (i <= inputCount ? read.inputs : read.outputs).push_back(ColumnOf(f[i]));
                continue;
            }
            if (f.size() != 3 + read.inputs.size() + read.outputs.size())
                throw TorvikError("it has " + std::to_string(f.size()) + " fields, not " +
                                  std::to_string(3 + read.inputs.size() + read.outputs.size()));
            read.rows.push_back(RowFrom(f, read.inputs.size(), read.outputs.size()));
        } catch (const TorvikError& e) {
            throw EInOutError("The rows file " + path + " cannot be used at line " + std::to_string(number) + ": " +
                              e.what() + ".");
        }
    }
    if (number == 0)
        throw EInOutError("The rows file " + path + " cannot be used: it has no header of a study's rows.");
    return read;
}

std::string RowsCsv(const StudyResult& result)
{
    std::string text = CsvHeader(result.inputs, result.outputs);
    for (const Row& row : result.rows)
        text += CsvLine(row);
    return text;
}

}  // namespace study
