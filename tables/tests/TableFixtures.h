#pragma once
// Small tables built in code for the tests of the table model.
#include <memory>
#include <string>
#include <vector>

#include "tables/EnumColumn.h"
#include "tables/FloatColumn.h"
#include "tables/GridTable.h"
#include "tables/IntColumn.h"
#include "tables/StringColumn.h"
#include "tables/TableColumn.h"

inline TEnumColumn& AddChoices(TGridTable& table, std::vector<std::string> choices, std::string caption = "Type")
{
    auto column = std::make_unique<TEnumColumn>(table);
    column->SetCaptions({std::move(caption)});
    column->SetChoices(std::move(choices));
    return static_cast<TEnumColumn&>(table.AddColumn(std::move(column)));
}

inline TIntColumn& AddIntegers(TGridTable& table, int defaultValue, int minValue, int maxValue)
{
    auto column = std::make_unique<TIntColumn>(table);
    column->SetCaptions({"Node"});
    column->SetDefaultValue(defaultValue);
    column->SetMinValue(minValue);
    column->SetMaxValue(maxValue);
    return static_cast<TIntColumn&>(table.AddColumn(std::move(column)));
}

inline TFloatColumn& AddReals(TGridTable& table, std::string caption, std::string dimension, long double defaultValue = 0,
                              bool isTopDepth = false)
{
    auto column = std::make_unique<TFloatColumn>(table);
    column->SetCaptions({std::move(caption)});
    column->SetDimension(std::move(dimension));
    column->SetDefaultValue(defaultValue);
    column->SetIsTopDepth(isTopDepth);
    return static_cast<TFloatColumn&>(table.AddColumn(std::move(column)));
}

inline TStringColumn& AddTexts(TGridTable& table, std::string defaultValue, long double inches)
{
    auto column = std::make_unique<TStringColumn>(table);
    column->SetCaptions({"Name"});
    column->SetDefaultValue(std::move(defaultValue));
    column->SetInchWidth(inches);
    return static_cast<TStringColumn&>(table.AddColumn(std::move(column)));
}

inline TTableColumn& AddSubTables(TGridTable& table, const std::vector<int>& identifiers)
{
    auto column = std::make_unique<TTableColumn>(table);
    for (int identifier : identifiers)
        column->TableIds().Add(TIntWrapper::Identifier(identifier));
    return static_cast<TTableColumn&>(table.AddColumn(std::move(column)));
}

// Two parameter templates (sand, clay) and a soil-layer table whose first
// column chooses between them, as the wall's soil tables do.
struct SoilTables {
    // Declared first: the tables leave it as they go.
    TTableScope scope;
    std::unique_ptr<TGridTable> sand = std::make_unique<TGridTable>(scope);
    std::unique_ptr<TGridTable> clay = std::make_unique<TGridTable>(scope);
    std::unique_ptr<TGridTable> layers = std::make_unique<TGridTable>(scope);

    SoilTables()
    {
        sand->SetIdentifier(917);
        sand->SetCaption("Sand");
        sand->SetMinRows(2);
        sand->SetMaxRows(2);
        AddReals(*sand, "Friction Angle", "", 30);
        clay->SetIdentifier(918);
        clay->SetCaption("Clay");
        clay->SetComments("Undrained");
        clay->SetTopLeft("Point");
        clay->SetMinRows(3);
        clay->SetMaxRows(4);
        AddReals(*clay, "Cohesion", "F/L2^2", 100);
        layers->SetCaption("Soil Layers");
        AddChoices(*layers, {"Sand", "Clay"});
        AddReals(*layers, "Depth", "L2");
        AddSubTables(*layers, {917, 918});
    }
};
