#pragma once
#include <string>
#include <vector>

#include "tables/Column.h"

// A column of real values held in the table's current unit system. Its
// Dimension gives the conversion between systems and the unit label of its
// header; with IsTopDepth set it is the top of a layer whose bottom is the next
// column, and the two stay linked: a layer starts where the previous one ends.
class TFloatColumn : public TColumn {
public:
    using TColumn::TColumn;

    TColumnKind Kind() const override { return ColumnReal; }
    // True when the column is the top depth of a layer and the next column its bottom.
    bool IsTopDepth() const { return FIsTopDepth; }
    // Sets the layer-top flag.
    void SetIsTopDepth(bool isTopDepth) { FIsTopDepth = isTopDepth; }
    // Dimension string ("L2", "F/L2^3", ...); empty for a dimensionless value.
    const std::string& Dimension() const { return FDimension; }
    // Sets the dimension string.
    void SetDimension(std::string dimension) { FDimension = std::move(dimension); }
    // Value of a new row that no layer link determines.
    long double DefaultValue() const { return FDefaultValue; }
    // Sets the value of a new row.
    void SetDefaultValue(long double value) { FDefaultValue = value; }

    std::string CaptionLine(int i) const override;
    long double GetFloat(int r) const override;
    void SetFloat(int r, long double value) override;
    std::string GetText(int r) const override;
    void SetText(int r, const std::string& text) override;
    void SetUnitSystem(UnitSystem system) override;
    std::string UnitSwitchProblem(UnitSystem system) const override;

    // Raises the definition error unless the next column, if any, is a real column.
    void CheckLayerLink() const;

protected:
    void InsertValue(int at) override;
    void RemoveValue(int r) override;
    void WriteOwnDefinition(TValueWriter& writer) const override;
    void ReadOwnDefinition(TValueReader& reader) override;
    std::unique_ptr<TColumn> CloneOwn(TGridTable& owner) const override;
    int MinimumWidth(int ppi) const override { return ppi / 2; }

private:
    // Stores a value without maintaining the layer link.
    void Store(int r, long double value);
    // The next column as a real column (checked), nullptr if there is none.
    TFloatColumn* NextFloat() const;
    // The previous column if it is a real column that is a layer top.
    TFloatColumn* PreviousTopDepth() const;

    bool FIsTopDepth = false;
    std::string FDimension;
    long double FDefaultValue = 0;
    std::vector<long double> FValues;
};
