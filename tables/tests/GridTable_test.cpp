#include <gtest/gtest.h>

#include "tables/TableRegistry.h"
#include "tables/tests/TableFixtures.h"
#include "units/Units.h"

namespace {

template <typename F>
std::string MessageOf(F&& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "no error";
}

TEST(GridTable, NewTableIsEmptyAndNegativeCountsLeaveItEmpty)
{
    TTableScope scope;
    TGridTable table(scope);
    AddIntegers(table, 4, 0, 10);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.Column(0).RowCount(), 0);
    EXPECT_FALSE(table.Changed());
    EXPECT_EQ(table.UnitSystem(), UnitSystem::English);
    EXPECT_EQ(table.MinRows(), 1);
    EXPECT_EQ(table.MaxRows(), 0);
    table.SetRowCount(-3);
    EXPECT_EQ(table.RowCount(), 0);
    table.SetRowCount(3);
    EXPECT_EQ(table.Cell(0, 2).AsInteger(), 4);
    table.SetRowCount(1);
    EXPECT_EQ(table.Column(0).RowCount(), 1);
}

TEST(GridTable, RegistryAndIdentifierCounter)
{
    TTableScope scope;
    auto first = std::make_unique<TGridTable>(scope);
    auto second = std::make_unique<TGridTable>(scope);
    EXPECT_EQ(second->Identifier(), first->Identifier() + 1);
    const int position = scope.IndexOf(second.get());
    EXPECT_EQ(scope.At(position), second.get());
    EXPECT_EQ(scope.At(position - 1), first.get());
    EXPECT_EQ(scope.At(-1), nullptr);
    EXPECT_EQ(scope.At(scope.Count()), nullptr);
    TGridTable* raw = second.get();
    second.reset();
    EXPECT_EQ(scope.IndexOf(raw), -1);
}

TEST(GridTable, RegistryKeepsCreationOrderWhateverLeavesFirst)
{
    TTableScope scope;
    std::vector<std::unique_ptr<TGridTable>> tables;
    for (int i = 0; i < 5; ++i)
        tables.push_back(std::make_unique<TGridTable>(scope));
    const int base = scope.IndexOf(tables[0].get());
    tables[1].reset();
    tables[3].reset();
    EXPECT_EQ(scope.IndexOf(tables[2].get()), base + 1);
    EXPECT_EQ(scope.At(base + 2), tables[4].get());
    tables[4].reset();
    EXPECT_EQ(scope.At(base + 2), nullptr);
    EXPECT_EQ(scope.Tables().back(), tables[2].get());
}

// Many tables leave the registry from either end and leave it as it was (the
// time this takes is measured by bench/registry_bench).
TEST(GridTable, RegistryAddsAndRemovesManyTables)
{
    TTableScope scope;
    constexpr int kTables = 3000;
    const int before = scope.Count();
    for (bool fromFront : {true, false}) {
        std::vector<std::unique_ptr<TGridTable>> tables(kTables);
        for (auto& t : tables)
            t = std::make_unique<TGridTable>(scope);
        EXPECT_EQ(scope.Count(), before + kTables);
        EXPECT_EQ(scope.IndexOf(tables.back().get()), before + kTables - 1);
        if (fromFront)
            for (auto& t : tables)
                t.reset();
        else
            for (auto t = tables.rbegin(); t != tables.rend(); ++t)
                t->reset();
        EXPECT_EQ(scope.Count(), before);
    }
}

TEST(GridTable, SettingAnIdentifierSwapsWithItsHolder)
{
    TTableScope scope;
    TGridTable a(scope), b(scope);
    a.SetIdentifier(500);
    b.SetIdentifier(501);
    b.SetIdentifier(500);
    EXPECT_EQ(b.Identifier(), 500);
    EXPECT_EQ(a.Identifier(), 501);
    a.SetIdentifier(-7);
    EXPECT_EQ(a.Identifier(), 501);
    EXPECT_EQ(scope.FindByIdentifier(500), &b);
    EXPECT_EQ(scope.FindByIdentifier(123456), nullptr);
}

TEST(GridTable, MinRowsAndRowGroupSetters)
{
    TTableScope scope;
    TGridTable table(scope);
    EXPECT_EQ(MessageOf([&] { table.SetMinRows(0); }), "Value must be greater than 0");
    EXPECT_EQ(table.MinRows(), 1);
    table.SetMinRows(5);
    table.SetLoading(true);
    table.SetMinRows(-2);
    EXPECT_EQ(table.MinRows(), 1);
    table.SetRowGroup(0);
    EXPECT_EQ(table.RowGroup(), 1);
}

TEST(GridTable, RowGroupOneInsertsAndDeletesExactlyOneRowAndHandlesFollow)
{
    TTableScope scope;
    TGridTable table(scope);
    AddIntegers(table, 0, -100, 100);
    table.SetRowCount(3);
    for (int r = 0; r < 3; ++r)
        table.Cell(0, r).SetAsInteger(10 * r);
    TData& last = table.Cell(0, 2);
    int changes = 0;
    table.OnChange = [&] { ++changes; };
    table.InsertRowGroup(1);
    EXPECT_EQ(table.RowCount(), 4);
    EXPECT_EQ(table.Cell(0, 1).AsInteger(), 0);
    EXPECT_EQ(table.Cell(0, 2).AsInteger(), 10);
    EXPECT_EQ(last.Row(), 3);
    EXPECT_EQ(last.AsInteger(), 20);
    table.DeleteRowGroup(0);
    EXPECT_EQ(last.Row(), 2);
    EXPECT_EQ(last.AsText(), "20");
    table.AppendRowGroup();
    EXPECT_EQ(table.RowCount(), 4);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(MessageOf([&] { table.DeleteRowGroup(4); }), "Index out of bounds");
    EXPECT_EQ(MessageOf([&] { table.Cell(0, 4); }), "Index out of bounds");
    EXPECT_EQ(MessageOf([&] { table.Cell(1, 0); }), "Index out of bounds");
}

TEST(GridTable, RowGroupsAndGroupWideValues)
{
    TTableScope scope;
    TGridTable table(scope);
    table.SetRowGroup(2);
    TIntColumn& wide = AddIntegers(table, 0, -100, 100);
    wide.SetGroupWide(true);
    AddIntegers(table, 0, -100, 100);
    table.SetRowCount(4);
    table.Cell(0, 3).SetAsInteger(7);
    table.Cell(1, 3).SetAsInteger(8);
    EXPECT_EQ(table.Cell(0, 2).AsInteger(), 7);
    EXPECT_EQ(table.Cell(0, 1).AsInteger(), 0);
    EXPECT_EQ(table.Cell(1, 2).AsInteger(), 0);
    table.InsertRowGroup(3);
    EXPECT_EQ(table.RowCount(), 6);
    EXPECT_EQ(table.Cell(0, 2).AsInteger(), 0);
    EXPECT_EQ(table.Cell(0, 4).AsInteger(), 7);
    table.DeleteRowGroup(1);
    EXPECT_EQ(table.RowCount(), 4);
    EXPECT_EQ(table.Cell(0, 2).AsInteger(), 7);
}

TEST(GridTable, WrongKindAccessIsDataOfWrongType)
{
    TTableScope scope;
    TGridTable table(scope);
    AddChoices(table, {"A"});
    AddIntegers(table, 0, 0, 9);
    AddReals(table, "Depth", "L2");
    AddSubTables(table, {});
    AddTexts(table, "x", 1);
    table.SetRowCount(1);
    struct Access {
        int column;
        std::function<void(TData&)> act;
    };
    const std::vector<Access> wrong{
        {0, [](TData& d) { d.AsFloat(); }},     {0, [](TData& d) { d.AsTable(); }},
        {1, [](TData& d) { d.SetAsFloat(1); }}, {2, [](TData& d) { d.AsInteger(); }},
        {2, [](TData& d) { d.AsTable(); }},     {3, [](TData& d) { d.SetAsInteger(1); }},
        {3, [](TData& d) { d.AsFloat(); }},     {4, [](TData& d) { d.AsInteger(); }},
        {4, [](TData& d) { d.SetAsFloat(2); }},
    };
    for (const Access& access : wrong)
        EXPECT_EQ(MessageOf([&] { access.act(table.Cell(access.column, 0)); }), "Data of wrong type") << access.column;
    EXPECT_EQ(table.Cell(3, 0).AsText(), "");
    table.Cell(3, 0).SetText("5");
    EXPECT_EQ(table.Cell(4, 0).AsText(), "x");
}

struct TextCase {
    const char* name;
    int column; // 0 choice, 1 integer 0 .. 2147483600, 2 real, 3 text
    bool editorOpen;
    const char* text;
    const char* expected; // the cell's text afterwards, or the message
};

class SetTextCase : public testing::TestWithParam<TextCase> {};

TEST_P(SetTextCase, AcceptsOrRefusesWithTheMessage)
{
    TTableScope scope;
    const TextCase& c = GetParam();
    TGridTable table(scope);
    AddChoices(table, {"A", "B", "C"});
    AddIntegers(table, 5, 0, 2147483600);
    AddReals(table, "Depth", "L2", 1.5L);
    AddTexts(table, "none", 1);
    table.SetRowCount(1);
    if (c.editorOpen)
        table.SetEditorState(true, false, [] {});
    const std::string before = table.Cell(c.column, 0).AsText();
    const std::string message = MessageOf([&] { table.Cell(c.column, 0).SetText(c.text); });
    if (message == "no error") {
        EXPECT_EQ(table.Cell(c.column, 0).AsText(), c.expected);
    } else {
        EXPECT_EQ(message, c.expected);
        EXPECT_EQ(table.Cell(c.column, 0).AsText(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SetTextCase,
    testing::Values(
        TextCase{"ChoiceWhole", 0, false, "1+1", "2"},
        TextCase{"ChoiceFraction", 0, false, "2.5", "Value must be an integer."},
        TextCase{"ChoiceBeyond32Bits", 0, false, "3000000000", "Value must be an integer."},
        TextCase{"ChoiceNotRangeChecked", 0, false, "9", "9"},
        TextCase{"IntegerFractionInEditor", 1, true, "2.5", "Entry must be an integer."},
        TextCase{"IntegerNegativeFractionInEditor", 1, true, "-2.5", "Entry must be an integer."},
        TextCase{"IntegerNearlyWholeInEditor", 1, true, "7.00000000001", "7"},
        TextCase{"IntegerFractionRoundsWithoutEditor", 1, false, "2.5", "2"},
        TextCase{"IntegerWithinLargeBound", 1, true, "7", "7"},
        TextCase{"IntegerAtBound", 1, true, "2147483600", "2147483600"},
        TextCase{"IntegerAboveBound", 1, true, "2147483601", "Entry must be between 0 and 2147483600."},
        TextCase{"IntegerBelowBound", 1, false, "-1", "Entry must be between 0 and 2147483600."},
        TextCase{"IntegerBlank", 1, true, "", "Entry could not be evaluated:\rentry cannot be blank"},
        TextCase{"RealExpression", 2, false, "2*12.5", "25"},
        TextCase{"RealBlank", 2, false, "", "Entry could not be evaluated:\rentry cannot be blank"},
        TextCase{"RealDivisionByZero", 2, false, "1/0", "Floating point division by zero"},
        TextCase{"RealEightDigits", 2, false, "1/3", "0.33333333"},
        TextCase{"TextAsTyped", 3, false, " 1/0 ", " 1/0 "}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(GridTable, SetTextErrorsAreAssignOrMathErrors)
{
    TTableScope scope;
    TGridTable table(scope);
    AddIntegers(table, 0, 0, 10);
    table.SetRowCount(1);
    EXPECT_THROW(table.Cell(0, 0).SetText("11"), EAssignError);
    EXPECT_THROW(table.Cell(0, 0).SetText("1/0"), EMathError);
}

TEST(GridTable, RealCellsNeverHoldInfinityOrNaN)
{
    TTableScope scope;
    TGridTable table(scope);
    AddReals(table, "Depth", "L2");
    table.SetRowCount(1);
    EXPECT_EQ(MessageOf([&] { table.Cell(0, 0).SetAsFloat(std::numeric_limits<long double>::infinity()); }),
              "Floating point overflow");
    EXPECT_EQ(MessageOf([&] { table.Cell(0, 0).SetAsFloat(std::numeric_limits<long double>::quiet_NaN()); }),
              "Invalid floating point operation");
    // Finite as an extended real, but no 8-byte real holds it: typed or stored, refused.
    EXPECT_EQ(MessageOf([&] { table.Cell(0, 0).SetAsFloat(1E309L); }), "Floating point overflow");
    EXPECT_THROW(table.Cell(0, 0).SetText("1E309"), EMathError);
    EXPECT_EQ(table.Cell(0, 0).AsFloat(), 0);
}

// Layers given by a top column (IsTopDepth) and the bottom column after it.
class LayerLinks : public testing::Test {
protected:
    void SetUp() override
    {
        AddReals(table, "Top", "L2", 0, true);
        AddReals(table, "Bottom", "L2", 99);
        table.SetRowCount(3);
        const long double bounds[3][2] = {{0, 10}, {10, 20}, {20, 30}};
        for (int r = 0; r < 3; ++r) {
            table.Cell(1, r).SetAsFloat(bounds[r][1]);
            table.Cell(0, r).SetAsFloat(bounds[r][0]);
        }
    }
    std::vector<long double> Column(int c) const
    {
        std::vector<long double> values;
        for (int r = 0; r < table.RowCount(); ++r)
            values.push_back(table.Cell(c, r).AsFloat());
        return values;
    }
    TTableScope scope;
    TGridTable table{scope};
};

TEST_F(LayerLinks, ABoundaryMovesBothLayers)
{
    table.Cell(1, 0).SetAsFloat(12);
    EXPECT_EQ(Column(0), (std::vector<long double>{0, 12, 20}));
    table.Cell(0, 2).SetAsFloat(25);
    EXPECT_EQ(Column(1), (std::vector<long double>{12, 25, 30}));
    table.Cell(0, 0).SetAsFloat(1); // the first top has no layer above
    EXPECT_EQ(Column(1), (std::vector<long double>{12, 25, 30}));
}

TEST_F(LayerLinks, AnInsertedLayerFitsBetweenItsNeighbours)
{
    table.InsertRowGroup(1);
    EXPECT_EQ(Column(0), (std::vector<long double>{0, 10, 10, 20}));
    EXPECT_EQ(Column(1), (std::vector<long double>{10, 10, 20, 30}));
    // Only a layer inserted in front of an existing one is linked; an appended
    // layer takes the defaults.
    table.AppendRowGroup();
    EXPECT_EQ(table.Cell(0, 4).AsFloat(), 0);
    EXPECT_EQ(table.Cell(1, 4).AsFloat(), 99);
}

TEST_F(LayerLinks, DeletingALayerClosesTheGap)
{
    table.DeleteRowGroup(1);
    EXPECT_EQ(Column(0), (std::vector<long double>{0, 10}));
    EXPECT_EQ(Column(1), (std::vector<long double>{10, 30}));
}

TEST(GridTable, ATopDepthNeedsARealColumnAfterIt)
{
    TTableScope scope;
    TGridTable table(scope);
    AddReals(table, "Top", "L2", 0, true);
    AddIntegers(table, 0, 0, 9);
    EXPECT_EQ(MessageOf([&] { table.SetRowCount(1); }),
              "If column if a topdepth then the next column must be a float column");
}

TEST(GridTable, AChoiceChangeReplacesTheSubTableAndTheSameChoiceKeepsIt)
{
    SoilTables soil;
    TGridTable& layers = *soil.layers;
    layers.SetRowCount(1);
    TGridTable* first = layers.Cell(2, 0).AsTable();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Caption(), "Sand");
    EXPECT_EQ(first->RowCount(), 2);
    EXPECT_EQ(first->OwnerTable(), &layers);
    EXPECT_EQ(first->Cell(0, 1).AsFloat(), 30);
    first->Cell(0, 0).SetAsFloat(35);
    layers.Cell(0, 0).SetAsInteger(1);
    EXPECT_EQ(layers.Cell(2, 0).AsTable(), first);
    EXPECT_EQ(first->Cell(0, 0).AsFloat(), 35);
    layers.Cell(0, 0).SetText("2");
    TGridTable* second = layers.Cell(2, 0).AsTable();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Caption(), "Clay");
    EXPECT_EQ(second->Comments(), "Undrained");
    EXPECT_EQ(second->TopLeft(), "Point");
    EXPECT_EQ(second->MaxRows(), 4);
    EXPECT_EQ(second->RowCount(), 3);
    EXPECT_EQ(second->Cell(0, 2).AsFloat(), 100);
    EXPECT_EQ(static_cast<TTableColumn&>(layers.Column(2)).ButtonCaption(0), "1: Clay");
}

TEST(GridTable, SubTablesAreNumberedByTheirRow)
{
    SoilTables soil;
    TGridTable& layers = *soil.layers;
    layers.SetRowCount(3);
    TGridTable* third = layers.Cell(2, 2).AsTable();
    EXPECT_EQ(third->TableNumber(), 3);
    EXPECT_EQ(third->EditorTitle(), "Sand  3");
    EXPECT_EQ(layers.EditorTitle(), "Soil Layers");
    layers.InsertRowGroup(0);
    EXPECT_EQ(third->TableNumber(), 4);
    layers.DeleteRowGroup(1);
    layers.DeleteRowGroup(0);
    EXPECT_EQ(third->TableNumber(), 2);
    const int before = soil.scope.Count();
    layers.SetRowCount(0);
    EXPECT_EQ(soil.scope.Count(), before - 2);
}

TEST(GridTable, RowsWithoutTemplateUseTheRowEvents)
{
    TTableScope scope;
    struct Note : TRowObject {
        int type;
        int row = -1;
        explicit Note(int t) : type(t) {}
    };
    TGridTable table(scope);
    table.OnInitRow = [](TGridTable&, int col, int, int type, std::unique_ptr<TRowObject>& data) {
        EXPECT_EQ(col, 1);
        data = std::make_unique<Note>(type);
    };
    table.OnSetRow = [](TGridTable&, int, TRowObject* data, int row) { static_cast<Note*>(data)->row = row; };
    table.OnGetButtonCaption = [](TGridTable&, int, int, TRowObject* data, std::string& caption) {
        caption = "type " + std::to_string(static_cast<Note*>(data)->type);
    };
    table.OnGetChanged = [](TGridTable&, int, int row, TRowObject*, bool& changed) { changed = row == 1; };
    AddChoices(table, {"A", "B"});
    TTableColumn& rows = AddSubTables(table, {});
    table.SetRowCount(1);
    table.Cell(0, 0).SetAsInteger(2);
    EXPECT_EQ(rows.ButtonCaption(0), "1: type 2");
    EXPECT_EQ(table.Cell(1, 0).AsTable(), nullptr);
    EXPECT_FALSE(table.Changed());
    table.SetRowCount(2);
    EXPECT_TRUE(table.Changed());
    table.InsertRowGroup(0);
    EXPECT_EQ(static_cast<Note*>(rows.GetRowObject(1))->row, 1);
    EXPECT_EQ(static_cast<Note*>(rows.GetRowObject(2))->row, 2);
}

TEST(GridTable, TemplateReferencesResolveAtEveryUse)
{
    TTableScope scope;
    auto target = std::make_unique<TGridTable>(scope);
    target->SetIdentifier(940);
    TGridTableList list(scope);
    list.Add(TIntWrapper::Identifier(940));
    list.Add(TIntWrapper::Position(scope.IndexOf(target.get())));
    list.Add(TIntWrapper::Position(-1));
    list.Add(TIntWrapper::Position(scope.Count()));
    list.Add(TIntWrapper::Identifier(941));
    EXPECT_EQ(list.Table(0), target.get());
    EXPECT_EQ(list.Table(1), target.get());
    EXPECT_EQ(list.Table(2), nullptr);
    EXPECT_EQ(list.Table(3), nullptr);
    EXPECT_EQ(list.Table(4), nullptr);
    EXPECT_EQ(list.Table(5), nullptr);
    target->SetIdentifier(941);
    EXPECT_EQ(list.Table(0), nullptr);
    EXPECT_EQ(list.Table(4), target.get());
}

TEST(GridTable, TemplateListsFollowTheChoicesOfColumnZero)
{
    TTableScope scope;
    TGridTable table(scope);
    TEnumColumn& choices = AddChoices(table, {"A", "B", "C"});
    TTableColumn& rows = AddSubTables(table, {});
    table.SyncTableIds();
    EXPECT_EQ(rows.TableIds().Count(), 3);
    choices.SetChoices({"A"});
    EXPECT_EQ(rows.TableIds().Count(), 1);
    TGridTable plain(scope);
    AddIntegers(plain, 0, 0, 9);
    TTableColumn& single = AddSubTables(plain, {1, 2, 3});
    plain.SyncTableIds();
    EXPECT_EQ(single.TableIds().Count(), 1);
}

TEST(GridTable, ACopiedTemplateKeepsDefinitionsButNotValues)
{
    TTableScope scope;
    TGridTable owner(scope);
    owner.SetUnitSystem(UnitSystem::SI);
    TGridTable source(scope);
    source.SetCaption("Curve");
    source.SetRowGroup(2);
    source.SetHardwiredButton(true);
    source.SetMinRows(2);
    TIntColumn& ints = AddIntegers(source, 3, -4, 40);
    ints.SetVisible(false);
    AddReals(source, "Depth", "L2", 7, true).SetGroupWide(true);
    AddReals(source, "Bottom", "L2", 8);
    AddTexts(source, "t", 1.25L);
    source.SetRowCount(2);
    source.Cell(0, 0).SetAsInteger(9);
    auto copy = TGridTable::CopyTemplate(source, owner, 5);
    EXPECT_EQ(copy->Caption(), "Curve");
    EXPECT_EQ(copy->UnitSystem(), UnitSystem::SI);
    EXPECT_EQ(copy->RowGroup(), 1);
    EXPECT_FALSE(copy->HardwiredButton());
    EXPECT_EQ(copy->TableNumber(), 5);
    EXPECT_NE(copy->Identifier(), source.Identifier());
    EXPECT_EQ(copy->RowCount(), 2);
    EXPECT_EQ(copy->WriteColumns(), source.WriteColumns());
    EXPECT_EQ(copy->Cell(0, 0).AsInteger(), 3);
    EXPECT_FALSE(copy->Column(0).Visible());
    EXPECT_EQ(copy->VisibleColumnCount(), 3);
    EXPECT_EQ(&copy->VisibleColumn(0), &copy->Column(1));
    EXPECT_EQ(MessageOf([&] { copy->VisibleColumn(3); }), "Index out of bounds");
}

TEST(GridTable, AUnitSwitchConvertsEveryRealCellDownIntoSubTables)
{
    SoilTables soil;
    TGridTable& layers = *soil.layers;
    layers.SetRowCount(1);
    layers.Cell(0, 0).SetAsInteger(2);
    layers.Cell(1, 0).SetAsFloat(10);
    TGridTable* clay = layers.Cell(2, 0).AsTable();
    int changes = 0;
    layers.OnChange = [&] { ++changes; };
    layers.SetUnitSystem(UnitSystem::English);
    EXPECT_EQ(changes, 0);
    layers.SetUnitSystem(UnitSystem::SI);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(layers.Cell(1, 0).AsFloat(), 10 * ConversionFactor(UnitSystem::English, UnitSystem::SI, "L2"));
    EXPECT_NEAR(static_cast<double>(layers.Cell(1, 0).AsFloat()), 3.048, 1e-10); // the factor has ten digits
    EXPECT_EQ(clay->UnitSystem(), UnitSystem::SI);
    EXPECT_EQ(clay->Cell(0, 0).AsFloat(), 100 / DimensionFactor("F/L2^2"));
    EXPECT_EQ(layers.Column(1).CaptionLine(0), "Depth (m)  ");
    layers.SetUnitSystem(UnitSystem::English);
    EXPECT_NEAR(static_cast<double>(layers.Cell(1, 0).AsFloat()), 10.0, 1e-15);
    EXPECT_EQ(layers.Column(1).CaptionLine(0), "Depth (ft)  ");
    layers.SetUnitSystem(UnitSystem::Generic);
    EXPECT_NEAR(static_cast<double>(layers.Cell(1, 0).AsFloat()), 10.0, 1e-15);
    EXPECT_EQ(layers.Column(1).CaptionLine(0), "Depth (L)  ");
    EXPECT_EQ(MessageOf([&] { layers.SetUnitSystem(static_cast<UnitSystem>(4)); }), "Unit system must be 1, 2 or 3");
    // A sub-table made after the switch takes the owner's system.
    layers.AppendRowGroup();
    EXPECT_EQ(layers.Cell(2, 1).AsTable()->UnitSystem(), UnitSystem::Generic);
}

TEST(GridTable, AWordAsDimensionIsNeverConverted)
{
    TTableScope scope;
    TGridTable table(scope);
    AddReals(table, "Load Magnitude", "SEE NOTES");
    AddReals(table, "Ratio", "");
    table.SetRowCount(1);
    table.Cell(0, 0).SetAsFloat(5);
    table.SetUnitSystem(UnitSystem::SI);
    EXPECT_EQ(table.Cell(0, 0).AsFloat(), 5);
    EXPECT_EQ(table.Column(0).CaptionLine(0), "Load Magnitude (SEE NOTES)  ");
    EXPECT_EQ(table.Column(1).CaptionLine(0), "Ratio");
}

TEST(GridTable, ChangedComesFromTheTableOrAnySubTable)
{
    SoilTables soil;
    TGridTable& layers = *soil.layers;
    layers.SetRowCount(2);
    EXPECT_FALSE(layers.Changed());
    layers.Cell(2, 1).AsTable()->SetChanged(true);
    EXPECT_TRUE(layers.Changed());
    layers.ResetChanged();
    EXPECT_FALSE(layers.Changed());
    layers.SetChanged(true);
    layers.Cell(2, 0).AsTable()->SetChanged(true);
    layers.SetChanged(false);
    EXPECT_FALSE(layers.Changed());
}

TEST(GridTable, ColumnWidthsFromHeadersAndScreenResolution)
{
    TTableScope scope;
    TGridTable table(scope);
    AddChoices(table, {"A"}, "Constant or Interpolate?");
    AddIntegers(table, 0, 0, 1);
    AddReals(table, "Depth", "L2");
    AddSubTables(table, {});
    AddTexts(table, "", 1.3L);
    const TTextMeasure sevenPerChar = [](const std::string& text) { return 7 * static_cast<int>(text.size()); };
    EXPECT_EQ(table.Column(0).Width(96, sevenPerChar), 7 * 26); // 24 characters and two spaces
    EXPECT_EQ(table.Column(1).Width(96, sevenPerChar), 48);
    EXPECT_EQ(table.Column(2).Width(96, sevenPerChar), 7 * 14); // "Depth (ft)  " and two spaces
    EXPECT_EQ(table.Column(3).Width(96, sevenPerChar), 192);
    EXPECT_EQ(table.Column(4).Width(96, sevenPerChar), 125);   // 1.3 in at 96 ppi = 124.8
    EXPECT_EQ(table.Column(0).Width(120, {}), 180);
}

TEST(GridTable, EditorStateAndItsNotifications)
{
    TTableScope scope;
    TGridTable table(scope);
    table.SetTableNumber(2);
    int opened = 0, closed = 0, retitled = 0;
    scope.SetEditorOpener([&](TGridTable& t, bool modal) {
        ++opened;
        t.SetEditorState(true, modal, [&t, &closed] {
            ++closed;
            t.SetEditorState(false, false);
        });
    });
    table.ShowEditor();
    EXPECT_EQ(opened, 0); // no visible column
    AddIntegers(table, 0, 0, 9);
    table.ShowEditorModal();
    EXPECT_TRUE(table.EditorOpen());
    EXPECT_TRUE(table.EditorModal());
    table.OnRetitle = [&] { ++retitled; };
    std::vector<std::pair<int, int>> cells;
    table.OnCellChange = [&](int c, int r) { cells.emplace_back(c, r); };
    table.SetRowCount(1);
    table.Cell(0, 0).SetAsInteger(4);
    table.SetTableNumber(3);
    EXPECT_EQ(retitled, 1);
    EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{0, 0}}));
    table.CloseEditor();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(table.EditorOpen());
    EXPECT_FALSE(table.OnCellChange);
}

TEST(GridTable, ARowButtonOpensTheSubTableLikeItsOwnersEditor)
{
    SoilTables soil;
    TGridTable& layers = *soil.layers;
    layers.SetRowCount(2);
    std::vector<std::pair<TGridTable*, bool>> opened;
    soil.scope.SetEditorOpener([&](TGridTable& t, bool modal) { opened.emplace_back(&t, modal); });
    auto& rows = static_cast<TTableColumn&>(layers.Column(2));
    rows.ButtonClick(1);
    layers.SetEditorState(true, true, [] {});
    rows.ButtonClick(0);
    EXPECT_EQ(opened, (std::vector<std::pair<TGridTable*, bool>>{{layers.Cell(2, 1).AsTable(), false},
                                                                  {layers.Cell(2, 0).AsTable(), true}}));
    EXPECT_TRUE(layers.Column(0).NeedsControls());
    EXPECT_FALSE(layers.Column(1).NeedsControls());
    EXPECT_TRUE(rows.NeedsControls());
}

TEST(GridTable, ASelfContainingTemplateIsAnErrorNotAStackOverflow)
{
    TTableScope scope;
    TGridTable loop(scope);
    loop.SetIdentifier(960);
    AddIntegers(loop, 0, 0, 1);
    AddSubTables(loop, {960});
    EXPECT_EQ(MessageOf([&] { loop.SetRowCount(1); }), "Sub-table templates contain each other without end");
}

} // namespace
