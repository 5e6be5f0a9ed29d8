#pragma once
#include "study/Study.h"

#include <cstddef>
#include <string>
#include <vector>

// The rows of a study as CSV: a header of the columns ("index", each input and
// output as "name (unit)", "failed", "reason"), then a line per row with the
// numbers in full precision, so that rows read back are the rows written.
namespace study {

std::string CsvHeader(const std::vector<Column>& inputs, const std::vector<Column>& outputs);
std::string CsvLine(const Row& row);

// What a rows file holds: its columns and rows as written (any order), and
// how many bytes of it are whole lines (a line cut short by an interruption
// is left out of the rows).
struct RowsRead {
    std::vector<Column> inputs, outputs;
    std::vector<Row> rows;
    std::size_t wholeBytes = 0;
};
// Reads the rows file `path` of a study with `inputCount` inputs. TorvikError
// naming the file and the line when it is no such file.
RowsRead ReadRows(const std::string& path, std::size_t inputCount);

// The names of the files a study keeps in its folder.
constexpr const char* kRowsFile = "rows.csv";
constexpr const char* kSummaryFile = "summary.json";
constexpr const char* kStudyFile = "study.json";

}  // namespace study
