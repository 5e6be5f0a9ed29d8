#pragma once
#include <string>
#include <vector>

#include "tables/Column.h"

// A column of texts, stored as typed.
class TStringColumn : public TColumn {
public:
    using TColumn::TColumn;

    TColumnKind Kind() const override { return ColumnText; }
    // Text of a new row.
    const std::string& DefaultValue() const { return FDefaultValue; }
    // Sets the text of a new row.
    void SetDefaultValue(std::string value) { FDefaultValue = std::move(value); }
    // Width of the grid column in inches.
    long double InchWidth() const { return FInchWidth; }
    // Sets the width of the grid column in inches.
    void SetInchWidth(long double inches) { FInchWidth = inches; }

    std::string GetText(int r) const override;
    void SetText(int r, const std::string& text) override;

protected:
    void InsertValue(int at) override;
    void RemoveValue(int r) override;
    void WriteOwnDefinition(TValueWriter& writer) const override;
    void ReadOwnDefinition(TValueReader& reader) override;
    std::unique_ptr<TColumn> CloneOwn(TGridTable& owner) const override;
    int MinimumWidth(int ppi) const override;

private:
    std::string FDefaultValue;
    long double FInchWidth = 0;
    std::vector<std::string> FValues;
};
