#include "tables/WallTables.h"

#include "tables/GridTable.h"
#include "tables/TableColumn.h"
#include "tables/catalogue/WallTableCatalogue.h"
#include "units/TorvikError.h"

namespace {

void CheckIndex(int index)
{
    if (index < 0 || index >= WallTables::Count)
        throw TorvikError("Index out of bounds");
}

// A table as the stored catalogue describes it, its columns read from their stream.
std::unique_ptr<TGridTable> CreateTable(TTableScope& scope, const WallTableDefinition& definition)
{
    auto table = std::make_unique<TGridTable>(scope);
    table->SetName(definition.Name);
    table->SetIdentifier(definition.Identifier);
    table->SetCaption(definition.Caption);
    table->SetMaxRows(definition.MaxRows);
    table->SetMinRows(definition.MinRows);
    // The flag decides how an older sub-table column layout resolves, so it
    // must be set before the columns are read.
    table->SetHardwiredButton(definition.HardwiredButton);
    table->SetTopLeft(definition.TopLeft);
    table->ReadColumns(definition.Columns, definition.ColumnsSize);
    return table;
}

// Every template a sub-table column names must be one of the set: a missing
// one would leave that column's rows without parameter tables.
void CheckTemplates(const WallTables& tables, const TGridTable& table)
{
    for (int c = 0; c < table.ColumnCount(); ++c) {
        const auto* column = dynamic_cast<const TTableColumn*>(&table.Column(c));
        if (!column)
            continue;
        const TGridTableList& templates = column->TableIds();
        for (int i = 0; i < templates.Count(); ++i) {
            const TGridTable* found = templates.Table(i);
            if (!found || tables.IndexOf(*found) < 0)
                throw TorvikError("Table " + table.Name() + ", column " + std::to_string(c + 1) +
                                  ": no template table has the identifier " + std::to_string(templates.Item(i).Value));
        }
    }
}

} // namespace

WallTables::WallTables() : FScope(std::make_unique<TTableScope>())
{
    if (WallTableCatalogueSize != static_cast<std::size_t>(Count))
        throw TorvikError("The table catalogue holds " + std::to_string(WallTableCatalogueSize) + " tables instead of " +
                          std::to_string(Count));
    // Created one after the other in catalogue order, as the identifier
    // counter and the registry's creation order depend on it.
    FTables.reserve(Count);
    for (int i = 0; i < Count; ++i)
        FTables.push_back(CreateTable(*FScope, WallTableCatalogue[i]));
    for (int i = 0; i < Count; ++i) {
        const WallTableDefinition& definition = WallTableCatalogue[i];
        FTables[static_cast<std::size_t>(i)]->SetComments(definition.Comments);
        FTables[static_cast<std::size_t>(i)]->SetHelpPicture(definition.HelpPicture);
    }
    for (const auto& table : FTables)
        CheckTemplates(*this, *table);
}

WallTables::~WallTables()
{
    // Sub-tables are copies, so the templates may go in any order; the
    // tables are freed in reverse order of creation all the same.
    while (!FTables.empty())
        FTables.pop_back();
}

TGridTable& WallTables::Table(int index) const
{
    CheckIndex(index);
    return *FTables[static_cast<std::size_t>(index)];
}

TGridTable* WallTables::Find(const std::string& name) const
{
    for (const auto& table : FTables)
        if (table->Name() == name)
            return table.get();
    return nullptr;
}

std::string WallTables::Name(int index)
{
    CheckIndex(index);
    return WallTableCatalogue[index].Name;
}

int WallTables::IndexOf(const TGridTable& table) const
{
    for (std::size_t i = 0; i < FTables.size(); ++i)
        if (FTables[i].get() == &table)
            return static_cast<int>(i);
    return -1;
}

std::string WallTables::UnitSwitchProblem(UnitSystem system) const
{
    for (const auto& table : FTables)
        if (std::string problem = table->UnitSwitchProblem(system); !problem.empty())
            return problem;
    return {};
}

void WallTables::SetUnitSystem(UnitSystem system)
{
    for (const auto& table : FTables)
        table->SetUnitSystem(system);
}

bool WallTables::Changed() const
{
    for (const auto& table : FTables)
        if (table->Changed())
            return true;
    return false;
}

void WallTables::ResetChanged()
{
    for (const auto& table : FTables)
        table->ResetChanged();
}
