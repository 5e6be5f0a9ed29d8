#pragma once
#include <functional>
#include <string>
#include <vector>

#include "tables/Column.h"

// A column of choices: each cell holds the 1-based number of one of `Choices`.
class TEnumColumn : public TColumn {
public:
    using TColumn::TColumn;

    TColumnKind Kind() const override { return ColumnChoice; }
    bool NeedsControls() const override { return true; }
    // The choice texts.
    const std::vector<std::string>& Choices() const { return FChoices; }
    // Replaces the choice texts and tells the table (which keeps its templates in step).
    void SetChoices(std::vector<std::string> choices);
    // Raised after the choice list changed.
    std::function<void(TEnumColumn& column)> ChoicesChangedHook;

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
    int MinimumWidth(int ppi) const override { return ppi * 3 / 2; }

private:
    std::vector<std::string> FChoices;
    std::vector<int> FValues;
};
