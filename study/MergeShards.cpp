#include "study/Study.h"

#include "study/RowsFile.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace study {
namespace {

std::string TextOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EInOutError("The file " + path + " cannot be read: is this the folder of a study?");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The missing and repeated rows of `rows` (sorted) among 0..total-1, in words; "" when none.
std::string Gaps(const std::vector<Row>& rows, long total)
{
    long expected = 0, missing = 0, first = -1;
    for (const Row& r : rows) {
        if (r.index < expected)
            return "row " + std::to_string(r.index) + " is in more than one folder";
        if (r.index >= total)
            return "row " + std::to_string(r.index) + " is no row of the study";
        if (r.index > expected && first < 0)
            first = expected;
        missing += r.index - expected;
        expected = r.index + 1;
    }
    if (expected < total && first < 0)
        first = expected;
    missing += total - expected;
    if (missing == 0)
        return "";
    return std::to_string(missing) + " of the " + std::to_string(total) + " rows are missing, the first row " +
           std::to_string(first);
}

}  // namespace

StudyResult MergeShards(const StudyDefinition& study, const std::vector<std::string>& folders)
{
    if (folders.empty())
        throw TorvikError("Give the folders of the shards to merge.");
    const std::string text = StudyText(study);
    StudyResult result;
    std::string header;
    for (const std::string& folder : folders) {
        const std::string definition = (fs::path(folder) / kStudyFile).string();
        if (StudyText(ParseStudy(TextOf(definition), definition)) != text)
            throw EInOutError("The folder " + folder + " holds the rows of another study.");
        RowsRead read = ReadRows((fs::path(folder) / kRowsFile).string(), study.parameters.size());
        const std::string columns = CsvHeader(read.inputs, read.outputs);
        if (header.empty()) {
            header = columns;
            result.inputs = read.inputs;
            result.outputs = read.outputs;
        } else if (columns != header) {
            throw EInOutError("The folder " + folder + " holds other columns than " + folders.front() + ".");
        }
        std::move(read.rows.begin(), read.rows.end(), std::back_inserter(result.rows));
    }
    std::sort(result.rows.begin(), result.rows.end(), [](const Row& a, const Row& b) { return a.index < b.index; });
    const std::string gaps = Gaps(result.rows, RealisationCount(study));
    if (!gaps.empty())
        throw TorvikError("The shards cannot be merged: " + gaps + ".");
    result.summary = Summarise(study, result.outputs, result.rows);
    return result;
}

}  // namespace study
