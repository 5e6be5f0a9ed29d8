#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "tables/EnumColumn.h"
#include "tables/FloatColumn.h"
#include "tables/GridTable.h"
#include "tables/IntColumn.h"
#include "tables/TableColumn.h"
#include "tables/WallTables.h"
#include "tables/catalogue/WallTableCatalogue.h"
#include "tables/tests/CatalogueExpected.h"

// The set of wall tables as the program builds it: every table read from its
// stored definition through the tables' own reader, compared column by column
// with the tables written out by hand, and written back byte for byte.

namespace {

const std::vector<expected::Table>& Expected()
{
    static const std::vector<expected::Table> tables = expected::WallTables();
    return tables;
}

// One set for the whole suite.
class LiveWallTable : public testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() { Set = std::make_unique<WallTables>(); }
    static void TearDownTestSuite() { Set.reset(); }

    const expected::Table& Want() const { return Expected()[static_cast<std::size_t>(GetParam())]; }
    TGridTable& Live() const { return Set->Table(GetParam()); }

    static std::unique_ptr<WallTables> Set;
};

std::unique_ptr<WallTables> LiveWallTable::Set;

std::string TableName(const testing::TestParamInfo<int>& info)
{
    return Expected()[static_cast<std::size_t>(info.param)].Name;
}

TEST_P(LiveWallTable, Properties)
{
    const TGridTable& table = Live();
    EXPECT_EQ(table.Name(), Want().Name);
    EXPECT_EQ(WallTables::Name(GetParam()), Want().Name);
    EXPECT_EQ(table.Identifier(), Want().Identifier);
    EXPECT_EQ(table.Caption(), Want().Caption);
    EXPECT_EQ(table.MinRows(), Want().MinRows);
    EXPECT_EQ(table.MaxRows(), Want().MaxRows);
    EXPECT_EQ(table.HardwiredButton(), Want().HardwiredButton);
    EXPECT_EQ(table.TopLeft(), Want().TopLeft);
    EXPECT_EQ(table.Comments(), Want().Comments);
    EXPECT_EQ(table.RowGroup(), 1);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.UnitSystem(), UnitSystem::English);
    EXPECT_EQ(table.TableNumber(), 0);
}

TEST_P(LiveWallTable, ColumnsAsListed)
{
    const TGridTable& table = Live();
    const auto& columns = Want().Columns;
    ASSERT_EQ(table.ColumnCount(), static_cast<int>(columns.size()));
    for (int c = 0; c < table.ColumnCount(); ++c) {
        SCOPED_TRACE("column " + std::to_string(c + 1));
        const expected::Column& want = columns[static_cast<std::size_t>(c)];
        const TColumn& column = table.Column(c);
        ASSERT_EQ(column.Kind(), want.ColumnKind);
        EXPECT_EQ(column.Captions(), want.Captions);
        EXPECT_TRUE(column.Visible());
        EXPECT_FALSE(column.GroupWide());
        switch (want.ColumnKind) {
        case expected::Choice:
            EXPECT_EQ(dynamic_cast<const TEnumColumn&>(column).Choices(), want.Choices);
            break;
        case expected::Integer: {
            const auto& integer = dynamic_cast<const TIntColumn&>(column);
            EXPECT_EQ(integer.DefaultValue(), want.Default);
            EXPECT_EQ(integer.MinValue(), want.Min);
            EXPECT_EQ(integer.MaxValue(), want.Max);
            break;
        }
        case expected::Real: {
            const auto& real = dynamic_cast<const TFloatColumn&>(column);
            EXPECT_FALSE(real.IsTopDepth());
            EXPECT_EQ(real.Dimension(), want.Dimension);
            EXPECT_EQ(real.DefaultValue(), want.RealDefault);
            break;
        }
        case expected::SubTable: {
            const TGridTableList& ids = dynamic_cast<const TTableColumn&>(column).TableIds();
            ASSERT_EQ(ids.Count(), static_cast<int>(want.Templates.size()));
            for (int i = 0; i < ids.Count(); ++i) {
                EXPECT_EQ(ids.Item(i), TIntWrapper::Identifier(want.Templates[static_cast<std::size_t>(i)]));
                ASSERT_NE(ids.Table(i), nullptr);
                EXPECT_GE(Set->IndexOf(*ids.Table(i)), 0) << "template outside the set";
            }
            break;
        }
        }
    }
}

TEST_P(LiveWallTable, WritesItsStoredDefinitionBackByteForByte)
{
    const WallTableDefinition& stored = WallTableCatalogue[GetParam()];
    const std::vector<std::uint8_t> embedded(stored.Columns, stored.Columns + stored.ColumnsSize);
    EXPECT_EQ(Live().WriteColumns(), embedded);
}

INSTANTIATE_TEST_SUITE_P(WallTables, LiveWallTable, testing::Range(0, 25), TableName);

// Unit labels of every dimension of the catalogue, English and SI, as the
// header line shows them.
const std::map<std::string, std::pair<std::string, std::string>>& Labels()
{
    static const std::map<std::string, std::pair<std::string, std::string>> labels = {
        {"F-L^2", {"lbs-in^2", "kN-m^2"}},   {"L", {"in", "m"}},
        {"L2", {"ft", "m"}},                 {"F/L2^3", {"lbs/ft^3", "kN/m^3"}},
        {"F/L", {"lbs/in", "kN/m"}},         {"F-L/RAD.", {"lbs-in/RAD.", "kN-m/RAD."}},
        {"F/L2", {"lbs/ft", "kN/m"}},        {"F", {"lbs", "kN"}},
        {"F-L", {"lbs-in", "kN-m"}},         {"F/L2^2", {"lbs/ft^2", "kN/m^2"}},
        {"F/L^3", {"lbs/in^3", "kN/m^3"}},   {"F/L^2", {"lbs/in^2", "kN/m^2"}},
        {"SEE NOTES", {"SEE NOTES", "SEE NOTES"}}, {"L1", {"in", "mm"}},
    };
    return labels;
}

TEST(WallTablesHeaders, LastHeaderLineCarriesTheUnitLabelInBothSystems)
{
    WallTables tables;
    for (int system : {1, 2}) {
        tables.SetUnitSystem(NormalizeUnitSystem(system));
        for (int t = 0; t < WallTables::Count; ++t) {
            const TGridTable& table = tables.Table(t);
            EXPECT_EQ(UnitSystemCode(table.UnitSystem()), system) << table.Name();
            for (int c = 0; c < table.ColumnCount(); ++c) {
                const auto* real = dynamic_cast<const TFloatColumn*>(&table.Column(c));
                if (!real || real->Dimension().empty())
                    continue;
                SCOPED_TRACE(table.Name() + " column " + std::to_string(c + 1));
                const auto label = Labels().find(real->Dimension());
                ASSERT_NE(label, Labels().end()) << real->Dimension();
                const std::string unit = system == 1 ? label->second.first : label->second.second;
                const int last = real->CaptionCount() - 1;
                EXPECT_EQ(real->CaptionLine(last), real->Captions()[static_cast<std::size_t>(last)] + " (" + unit + ")  ");
            }
        }
    }
}

TEST(WallTablesAccess, ByComponentNameAndIndex)
{
    WallTables tables;
    EXPECT_EQ(&tables[WallTable::NewSoil], &tables.Table(18));
    EXPECT_EQ(tables[WallTable::NewSoil].Caption(), "Soil Layers");
    EXPECT_EQ(WallTables::Name(WallTable::MEICurves), "MEICurves");
    EXPECT_EQ(tables.Find("SurchargeTable"), &tables.Table(WallTable::SurchargeTable));
    // Two tables differ only in case.
    EXPECT_EQ(tables.Find("SoilLayers"), &tables[WallTable::Restraints]);
    EXPECT_EQ(tables.Find("Soillayer"), &tables[WallTable::BoundaryConditions]);
    EXPECT_EQ(tables.Find("soillayer"), nullptr);
    EXPECT_EQ(tables.Find(""), nullptr);
    for (int i = 0; i < WallTables::Count; ++i) {
        EXPECT_EQ(tables.Find(WallTables::Name(i)), &tables.Table(i));
        EXPECT_EQ(tables.IndexOf(tables.Table(i)), i);
    }
    TTableScope scope;
    TGridTable stranger(scope);
    EXPECT_EQ(tables.IndexOf(stranger), -1);
}

TEST(WallTablesAccess, IndexOutsideTheSetIsRefused)
{
    WallTables tables;
    for (int index : {-1, WallTables::Count}) {
        try {
            tables.Table(index);
            ADD_FAILURE() << index;
        } catch (const TorvikError& e) {
            EXPECT_STREQ(e.what(), "Index out of bounds");
        }
        EXPECT_THROW(WallTables::Name(index), TorvikError);
    }
}

TEST(WallTablesLifetime, SetsLiveSideBySideEachWithItsOwnTemplates)
{
    auto first = std::make_unique<WallTables>();
    WallTables second;
    // Neither set took an identifier from the other.
    EXPECT_EQ((*first)[WallTable::TblClay1].Identifier(), 18);
    EXPECT_EQ(second[WallTable::TblClay1].Identifier(), 18);
    // A new row's sub-table is a copy of its own set's template.
    first->SetUnitSystem(UnitSystem::SI);
    (*first)[WallTable::NewSoil].SetRowCount(1);
    second[WallTable::NewSoil].SetRowCount(1);
    EXPECT_EQ((*first)[WallTable::NewSoil].Cell(2, 0).AsTable()->UnitSystem(), UnitSystem::SI);
    EXPECT_EQ(second[WallTable::NewSoil].Cell(2, 0).AsTable()->UnitSystem(), UnitSystem::English);
    EXPECT_EQ(second[WallTable::NewSoil].Cell(2, 0).AsTable()->Caption(), "Clay");
    // The second set keeps working when the first is gone.
    first.reset();
    second[WallTable::NewSoil].SetRowCount(2);
    EXPECT_EQ(second[WallTable::NewSoil].Cell(2, 1).AsTable()->Caption(), "Clay");
}

// A row of a table with a sub-table column and the template its type selects.
struct TemplateCase {
    WallTable Table;
    int SubTableColumn;
    int Choice;  // 0: the first column is not a choice column
    std::string Caption;
    int Rows;
    int Columns;
};

class WallTableTemplates : public testing::TestWithParam<TemplateCase> {};

TEST_P(WallTableTemplates, RowGetsACopyOfItsTemplate)
{
    const TemplateCase& c = GetParam();
    WallTables tables;
    TGridTable& table = tables[c.Table];
    table.SetRowCount(2);
    if (c.Choice)
        table.Cell(0, 1).SetAsInteger(c.Choice);
    TGridTable* sub = table.Cell(c.SubTableColumn, 1).AsTable();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->Caption(), c.Caption);
    EXPECT_EQ(sub->RowCount(), c.Rows);
    EXPECT_EQ(sub->ColumnCount(), c.Columns);
    EXPECT_EQ(sub->TableNumber(), 2);
    EXPECT_EQ(sub->OwnerTable(), &table);
    EXPECT_EQ(tables.IndexOf(*sub), -1) << "the template itself was handed out";
}

INSTANTIATE_TEST_SUITE_P(
    WallTables, WallTableTemplates,
    testing::Values(TemplateCase{WallTable::NewSoil, 2, 1, "Clay", 2, 4}, TemplateCase{WallTable::NewSoil, 2, 2, "Clay", 2, 4},
                    TemplateCase{WallTable::NewSoil, 2, 3, "Clay", 2, 4}, TemplateCase{WallTable::NewSoil, 2, 4, "Sand", 2, 3},
                    TemplateCase{WallTable::NewSoil, 2, 5, "Silt", 2, 5},
                    TemplateCase{WallTable::NewSoil, 2, 6, "Strong Rock", 2, 2},
                    TemplateCase{WallTable::NewSoil, 2, 7, "Weak Rock", 2, 5},
                    TemplateCase{WallTable::LongSoil, 2, 4, "Sand", 2, 3},
                    TemplateCase{WallTable::LongSoil, 2, 7, "Weak Rock", 2, 5},
                    TemplateCase{WallTable::PYCurves, 1, 0, "External p-y Curve", 2, 2},
                    TemplateCase{WallTable::MEICurves, 2, 0, "Moment and EI data", 1, 2}),
    [](const testing::TestParamInfo<TemplateCase>& info) {
        return WallTables::Name(info.param.Table) + "Choice" + std::to_string(info.param.Choice);
    });

TEST(WallTablesSet, UnitSwitchAndModifiedStateReachEveryTable)
{
    WallTables tables;
    TGridTable& weight = tables[WallTable::SoilWeight];
    weight.SetRowCount(1);
    weight.Cell(0, 0).SetAsFloat(3.280839895L);
    TGridTable& soil = tables[WallTable::NewSoil];
    soil.SetRowCount(1);
    soil.Cell(0, 0).SetAsInteger(4);
    tables.ResetChanged();
    EXPECT_FALSE(tables.Changed());

    tables.SetUnitSystem(UnitSystem::SI);
    EXPECT_NEAR(static_cast<double>(weight.Cell(0, 0).AsFloat()), 1.0, 1e-15);
    EXPECT_EQ(soil.Cell(2, 0).AsTable()->UnitSystem(), UnitSystem::SI);
    for (int t = 0; t < WallTables::Count; ++t)
        EXPECT_EQ(tables.Table(t).UnitSystem(), UnitSystem::SI) << WallTables::Name(t);

    tables.ResetChanged();
    soil.Cell(2, 0).AsTable()->SetChanged(true);
    EXPECT_TRUE(tables.Changed());
    tables.ResetChanged();
    EXPECT_FALSE(tables.Changed());
    EXPECT_FALSE(soil.Cell(2, 0).AsTable()->Changed());
}

} // namespace
