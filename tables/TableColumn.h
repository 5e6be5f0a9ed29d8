#pragma once
#include <memory>
#include <string>
#include <vector>

#include "tables/Column.h"
#include "tables/GridTableList.h"
#include "tables/RowObject.h"

// A column whose rows each own an object, normally a sub-table copied from the
// template that the row's choice in column 0 selects (TableIds holds one
// template per choice). The editor shows a button per row.
class TTableColumn : public TColumn {
public:
    // A column of `table`; its templates are looked up among the tables of that table's scope.
    explicit TTableColumn(TGridTable& table);

    TColumnKind Kind() const override { return ColumnTable; }
    bool NeedsControls() const override { return true; }
    // The template tables, one per choice of column 0.
    TGridTableList& TableIds() { return FTableIds; }
    // The template tables, one per choice of column 0.
    const TGridTableList& TableIds() const { return FTableIds; }

    TGridTable* GetTable(int r) const override;
    TRowObject* GetRowObject(int r) const override;
    bool ReportChanged() const override;
    void CloseRowObjects() override;
    void ResetChanged() override;
    void SetUnitSystem(UnitSystem system) override;
    std::string UnitSwitchProblem(UnitSystem system) const override;
    void InsertRows(int at, int count) override;

    // Gives row `r` a fresh object for the template its type selects, freeing the old one.
    void InitRow(int r);
    // Caption of row r's button: "%d: %s" with r + 1 and the sub-table's Caption.
    std::string ButtonCaption(int r) const;
    // Opens row r's sub-table editor (modally when the table's own editor is
    // modal), or raises OnButtonClick for any other row object.
    void ButtonClick(int r);
    // Raised after the caption of row r's button may have changed (the editor refreshes it).
    std::function<void(TTableColumn& column, int row)> ButtonCaptionChangedHook;

protected:
    void InsertValue(int at) override;
    void RemoveValue(int r) override;
    void WriteOwnDefinition(TValueWriter& writer) const override;
    void ReadOwnDefinition(TValueReader& reader) override;
    std::unique_ptr<TColumn> CloneOwn(TGridTable& owner) const override;
    int MinimumWidth(int ppi) const override { return 2 * ppi; }

private:
    // Type number of row r: column 0's choice when it is a choice column, else 1.
    int RowType(int r) const;
    // Gives every row object from row r on its new row number.
    void Renumber(int r);

    TGridTableList FTableIds;
    std::vector<std::unique_ptr<TRowObject>> FObjects;
};
