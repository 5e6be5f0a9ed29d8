#pragma once
#include <cstdint>
#include <limits>
#include <vector>

#include "tables/Column.h"

// A column of 32-bit integers with a default and inclusive bounds for typed entries.
class TIntColumn : public TColumn {
public:
    using TColumn::TColumn;

    TColumnKind Kind() const override { return ColumnInteger; }
    // Value of a new row.
    int DefaultValue() const { return FDefaultValue; }
    // Sets the value of a new row.
    void SetDefaultValue(int value) { FDefaultValue = value; }
    // Smallest value a typed entry may have.
    int MinValue() const { return FMinValue; }
    // Sets the smallest typed value.
    void SetMinValue(int value) { FMinValue = value; }
    // Largest value a typed entry may have.
    int MaxValue() const { return FMaxValue; }
    // Sets the largest typed value.
    void SetMaxValue(int value) { FMaxValue = value; }

    int GetInteger(int r) const override;
    void SetInteger(int r, int value) override;
    std::string GetText(int r) const override;
    void SetText(int r, const std::string& text) override;

protected:
    void InsertValue(int at) override;
    void RemoveValue(int r) override;
    void WriteOwnDefinition(TValueWriter& writer) const override;
    void ReadOwnDefinition(TValueReader& reader) override;
    std::unique_ptr<TColumn> CloneOwn(TGridTable& owner) const override;
    int MinimumWidth(int ppi) const override { return ppi / 2; }

private:
    int FDefaultValue = 0;
    int FMinValue = std::numeric_limits<std::int32_t>::min();
    int FMaxValue = std::numeric_limits<std::int32_t>::max();
    std::vector<int> FValues;
};
