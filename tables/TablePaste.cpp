#include "tables/TablePaste.h"

#include "tables/Column.h"
#include "tables/EnumColumn.h"
#include "tables/GridTable.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

std::string Trim(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Lines of the block, each split at tabs; a final line break ends the block
// rather than adding an empty row.
std::vector<std::vector<std::string>> SplitBlock(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t') {
            row.push_back(field);
            field.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            row.push_back(field);
            field.clear();
            rows.push_back(std::move(row));
            row.clear();
        } else {
            field += c;
        }
    }
    if (!field.empty() || !row.empty()) {
        row.push_back(field);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string ColumnName(const TColumn& column)
{
    std::string name;
    for (int i = 0; i < column.CaptionCount(); ++i) {
        const std::string part = Trim(column.CaptionLine(i));
        if (!part.empty())
            name += (name.empty() ? "" : " ") + part;
    }
    return name;
}

// Stores one pasted value; EAssignError when it cannot be accepted.
void StoreValue(TColumn& column, int row, const std::string& value)
{
    if (auto* choices = dynamic_cast<TEnumColumn*>(&column)) {
        const std::string text = Trim(value);
        const auto& list = choices->Choices();
        for (std::size_t i = 0; i < list.size(); ++i)
            if (!text.empty() && SameText(Trim(list[i]), text)) {
                choices->SetInteger(row, static_cast<int>(i) + 1);
                return;
            }
        // A number must name one of the choices: a choice that does not exist
        // would be written to the data file as it stands.
        const int before = choices->GetInteger(row);
        choices->SetText(row, text);
        const int chosen = choices->GetInteger(row);
        if (chosen < 1 || chosen > static_cast<int>(list.size())) {
            choices->SetInteger(row, before);
            throw EAssignError("Choice must be between 1 and " + std::to_string(list.size()) + ".");
        }
        return;
    }
    column.SetText(row, value);
}

}  // namespace

std::string CopyTableText(const TGridTable& table, int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    std::string text;
    for (int r = firstRow; r <= lastRow && r < table.RowCount(); ++r) {
        for (int k = firstColumn; k <= lastColumn && k < table.VisibleColumnCount(); ++k) {
            if (k > firstColumn)
                text += '\t';
            const TColumn& column = table.VisibleColumn(k);
            if (const auto* choices = dynamic_cast<const TEnumColumn*>(&column)) {
                const int choice = choices->GetInteger(r);
                if (choice >= 1 && choice <= static_cast<int>(choices->Choices().size()))
                    text += Trim(choices->Choices()[static_cast<std::size_t>(choice) - 1]);
            } else if (column.Kind() != ColumnTable) {
                text += column.GetText(r);
            }
        }
        text += '\n';
    }
    return text;
}

PasteResult PasteTableText(TGridTable& table, int row, int column, const std::string& text)
{
    PasteResult result;
    const auto block = SplitBlock(text);
    for (std::size_t i = 0; i < block.size(); ++i) {
        const int r = row + static_cast<int>(i);
        while (r >= table.RowCount()) {
            if (table.MaxRows() > 0 && table.RowCount() + table.RowGroup() > table.MaxRows())
                return result;
            table.AppendRowGroup();
            result.rowsAdded += table.RowGroup();
        }
        for (std::size_t j = 0; j < block[i].size(); ++j) {
            const int k = column + static_cast<int>(j);
            if (k >= table.VisibleColumnCount())
                break;
            TColumn& target = table.VisibleColumn(k);
            // A blank field (a hole in a spreadsheet block) leaves its cell as it is.
            if (target.Kind() == ColumnTable || Trim(block[i][j]).empty())
                continue;
            try {
                StoreValue(target, r, block[i][j]);
                ++result.stored;
            } catch (const TorvikError& e) {
                result.error = "Row " + std::to_string(r + 1) + ", column \"" + ColumnName(target) + "\": " + e.what();
                return result;
            }
        }
    }
    return result;
}
