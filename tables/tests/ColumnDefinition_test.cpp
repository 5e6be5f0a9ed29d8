#include <gtest/gtest.h>

#include "tables/ColumnRegistry.h"
#include "tables/TableRegistry.h"
#include "tables/ValueReader.h"
#include "tables/ValueWriter.h"
#include "tables/tests/TableFixtures.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string ReadMessage(TGridTable& table, const Bytes& bytes)
{
    try {
        table.ReadColumns(bytes.data(), bytes.size());
    } catch (const TorvikError& error) {
        return error.what();
    }
    return "no error";
}

// A table with every kind of column and every attribute away from its default.
void FillSample(TGridTable& table)
{
    AddChoices(table, {"Point Load", "Line Load", "Strip Load"}, "Load Types");
    TIntColumn& ints = AddIntegers(table, -3, -200, 2147483600);
    ints.SetCaptions({"From Node No.", "     (Start)"});
    ints.SetGroupWide(true);
    TFloatColumn& top = AddReals(table, "Top", "L2", 2.5L, true);
    top.SetVisible(false);
    AddReals(table, "Unit Weight", "F/L2^3", 0.1L);
    AddSubTables(table, {17, 18, 123456});
    AddTexts(table, std::string(300, 'd'), 1.75L);
}

TEST(ColumnDefinition, WritingAndReadingGivesIdenticalColumns)
{
    TTableScope scope;
    TGridTable sand(scope);
    sand.SetIdentifier(17);
    TGridTable source(scope);
    FillSample(source);
    const Bytes bytes = source.WriteColumns();
    TGridTable copy(scope);
    ASSERT_EQ(ReadMessage(copy, bytes), "no error");
    EXPECT_EQ(copy.WriteColumns(), bytes);
    ASSERT_EQ(copy.ColumnCount(), 6);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(copy.Column(c).Kind(), source.Column(c).Kind());
        EXPECT_EQ(copy.Column(c).Captions(), source.Column(c).Captions());
        EXPECT_EQ(copy.Column(c).Visible(), source.Column(c).Visible());
        EXPECT_EQ(copy.Column(c).GroupWide(), source.Column(c).GroupWide());
    }
    const auto& real = static_cast<const TFloatColumn&>(copy.Column(3));
    EXPECT_EQ(real.Dimension(), "F/L2^3");
    EXPECT_EQ(real.DefaultValue(), 0.1L);
    const auto& ids = static_cast<const TTableColumn&>(copy.Column(4)).TableIds();
    ASSERT_EQ(ids.Count(), 3);
    EXPECT_EQ(ids.Item(0), TIntWrapper::Identifier(17));
    EXPECT_EQ(ids.Table(0), &sand);
    EXPECT_EQ(static_cast<const TStringColumn&>(copy.Column(5)).InchWidth(), 1.75L);
}

TEST(ColumnDefinition, UnresolvedTemplatesAreWrittenAsMinusOne)
{
    TTableScope scope;
    TGridTable table(scope);
    AddChoices(table, {"A", "B"});
    TTableColumn& rows = AddSubTables(table, {});
    rows.TableIds().Add(TIntWrapper::Identifier(123457));
    rows.TableIds().Add(TIntWrapper::Position(-4));
    TValueWriter expected;
    expected.WriteString("FLEXCOLUMN2");
    expected.WriteIntegerList({-1, -1});
    const Bytes bytes = table.WriteColumns();
    const Bytes tail(bytes.end() - static_cast<std::ptrdiff_t>(expected.Bytes().size()), bytes.end());
    EXPECT_EQ(tail, expected.Bytes());
}

TEST(ColumnDefinition, IntegerBoundsUseTheSmallestForms)
{
    TTableScope scope;
    TGridTable table(scope);
    AddIntegers(table, 0, 0, 2147483600);
    const Bytes expected{2, 1, 2, 1, 1, 6, 4, 'N', 'o', 'd', 'e', 0, 9, 8, 2, 0, 2, 0, 4, 0xD0, 0xFF, 0xFF, 0x7F};
    EXPECT_EQ(table.WriteColumns(), expected);
}

// The definition of one column of the older layouts, with its count and kind.
Bytes OlderColumns(const std::function<void(TValueWriter&)>& columns, int count)
{
    TValueWriter writer;
    writer.WriteInteger(count);
    columns(writer);
    return writer.Bytes();
}

void WriteChoiceColumn(TValueWriter& w)
{
    w.WriteInteger(0);
    w.WriteStringList({"Soil Type"});
    w.WriteBoolean(true);
    w.WriteBoolean(false);
    w.WriteStringList({"Soft Clay", "Sand", "Silt"});
}

void WriteOlderTableColumn(TValueWriter& w, int n)
{
    w.WriteInteger(3);
    w.WriteStringList({});
    w.WriteBoolean(true);
    w.WriteBoolean(false);
    w.WriteString("FLEXCOLUMN");
    w.WriteInteger(n);
}

TEST(ColumnDefinition, OlderRealLayoutHoldsTheDimensionAndNoDefault)
{
    TTableScope scope;
    const Bytes bytes = OlderColumns(
        [](TValueWriter& w) {
            w.WriteInteger(2);
            w.WriteStringList({"Depth"});
            w.WriteBoolean(true);
            w.WriteBoolean(false);
            w.WriteBoolean(false);
            w.WriteString("L2");
        },
        1);
    TGridTable table(scope);
    ASSERT_EQ(ReadMessage(table, bytes), "no error");
    const auto& real = static_cast<const TFloatColumn&>(table.Column(0));
    EXPECT_EQ(real.Dimension(), "L2");
    EXPECT_EQ(real.DefaultValue(), 0);
    EXPECT_EQ(real.CaptionLine(0), "Depth (ft)  ");
}

struct OlderTableCase {
    const char* name;
    bool choiceFirst;
    bool hardwired;
    std::vector<TIntWrapper> expected;
};

class OlderTableLayout : public testing::TestWithParam<OlderTableCase> {};

TEST_P(OlderTableLayout, TemplatesFromOneNumber)
{
    TTableScope scope;
    const OlderTableCase& c = GetParam();
    const Bytes bytes = OlderColumns(
        [&](TValueWriter& w) {
            if (c.choiceFirst) {
                WriteChoiceColumn(w);
            } else {
                w.WriteInteger(1);
                w.WriteStringList({"Node"});
                w.WriteBoolean(true);
                w.WriteBoolean(false);
                w.WriteInteger(0);
                w.WriteInteger(0);
                w.WriteInteger(10);
            }
            WriteOlderTableColumn(w, 7);
        },
        2);
    TGridTable table(scope);
    table.SetHardwiredButton(c.hardwired);
    ASSERT_EQ(ReadMessage(table, bytes), "no error");
    EXPECT_EQ(static_cast<const TTableColumn&>(table.Column(1)).TableIds().Items(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, OlderTableLayout,
    testing::Values(
        OlderTableCase{"ChoicesNumberTheTemplates", true, false,
                       {TIntWrapper::Identifier(1), TIntWrapper::Identifier(2), TIntWrapper::Identifier(3)}},
        OlderTableCase{"HardwiredRepeatsThePosition", true, true,
                       {TIntWrapper::Position(7), TIntWrapper::Position(7), TIntWrapper::Position(7)}},
        OlderTableCase{"NoChoiceColumnOnePosition", false, false, {TIntWrapper::Position(7)}}),
    [](const testing::TestParamInfo<OlderTableCase>& info) { return std::string(info.param.name); });

TEST(ColumnDefinition, OlderTableColumnFirstIsOnePosition)
{
    TTableScope scope;
    const Bytes bytes = OlderColumns([](TValueWriter& w) { WriteOlderTableColumn(w, 2); }, 1);
    TGridTable table(scope);
    ASSERT_EQ(ReadMessage(table, bytes), "no error");
    EXPECT_EQ(static_cast<const TTableColumn&>(table.Column(0)).TableIds().Items(),
              (std::vector<TIntWrapper>{TIntWrapper::Position(2)}));
}

struct BadStream {
    const char* name;
    Bytes bytes;
    const char* message;
};

class BadDefinition : public testing::TestWithParam<BadStream> {};

TEST_P(BadDefinition, GivesItsMessageAndLeavesTheTableAsItWas)
{
    TTableScope scope;
    TGridTable table(scope);
    AddIntegers(table, 0, 0, 1);
    EXPECT_EQ(ReadMessage(table, GetParam().bytes), GetParam().message);
    EXPECT_EQ(table.ColumnCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, BadDefinition,
    testing::Values(
        BadStream{"Empty", {}, "Error reading column count"},
        BadStream{"TextFirst", {6, 1, 'x'}, "Error reading column count"},
        BadStream{"ListFirst", {1, 0}, "Error reading column count"},
        BadStream{"NegativeCount", {2, 0xFF}, "Error reading column count"},
        BadStream{"UnknownKind", {2, 1, 2, 5}, "Error Column Class not defined"},
        BadStream{"NegativeKind", {2, 1, 2, 0xFF}, "Error Column Class not defined"},
        BadStream{"KindNotAnInteger", {2, 1, 9}, "Error occured when creating column 1: Expected integer but found boolean at byte 2"},
        BadStream{"CaptionsNotAList", {2, 1, 2, 4, 6, 0}, "Error occured when creating column 1: Expected list but found text at byte 4"},
        // The index counts the columns the table had before.
        BadStream{"SecondKindNotAnInteger", {2, 2, 2, 4, 1, 0, 9, 8, 6, 0, 2, 6, 6, 1, 'x'},
                  "Error occured when creating column 2: Expected integer but found text at byte 12"},
        BadStream{"MissingColumn", {2, 2, 2, 4, 1, 0, 9, 8, 6, 0, 2, 1},
                  "Error occured when creating column 2: Unexpected end of the value stream at byte 12"},
        BadStream{"InfiniteDefault", {2, 1, 2, 2, 1, 0, 9, 8, 8, 6, 12, 'F', 'L', 'O', 'A', 'T', 'C', 'O', 'L', 'U', 'M',
                                      'N', '2', 6, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F},
                  "Error occured when creating column 1: Real value that is not a finite number at byte 25"},
        BadStream{"TopDepthBeforeText",
                  {2, 2, 2, 2, 1, 0, 9, 8, 9, 6, 1, 'L', 2, 4, 1, 0, 9, 8, 6, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                  "If column if a topdepth then the next column must be a float column"}),
    [](const testing::TestParamInfo<BadStream>& info) { return std::string(info.param.name); });

// Cutting the sample's stream after any number of bytes gives the message of
// the column being read, and never reads past the end of the cut buffer (its
// copy holds exactly the prefix, so AddressSanitizer builds catch any overread).
TEST(ColumnDefinition, EveryTruncationNamesTheColumnAndByte)
{
    TTableScope scope;
    TGridTable source(scope);
    FillSample(source);
    TValueWriter writer;
    writer.WriteInteger(source.ColumnCount());
    std::vector<std::size_t> starts;
    for (int c = 0; c < source.ColumnCount(); ++c) {
        starts.push_back(writer.Bytes().size());
        writer.WriteInteger(source.Column(c).Kind());
        source.Column(c).WriteDefinition(writer);
    }
    const Bytes full = writer.Bytes();
    ASSERT_EQ(full, source.WriteColumns());
    const int tablesBefore = scope.Count();
    for (std::size_t length = 0; length < full.size(); ++length) {
        const Bytes prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        TGridTable table(scope);
        std::string expected = "Error reading column count";
        if (length >= starts.front()) {
            int column = 0;
            while (column + 1 < static_cast<int>(starts.size()) && starts[static_cast<std::size_t>(column) + 1] <= length)
                ++column;
            expected = "Error occured when creating column " + std::to_string(column) +
                       ": Unexpected end of the value stream at byte " + std::to_string(length);
        }
        EXPECT_EQ(ReadMessage(table, prefix), expected) << "length " << length;
        EXPECT_EQ(table.ColumnCount(), 0);
    }
    EXPECT_EQ(scope.Count(), tablesBefore);
}

TEST(ColumnDefinition, RowsOfAReadTableComeWithTheRowCount)
{
    TTableScope scope;
    TGridTable source(scope);
    FillSample(source);
    TGridTable table(scope);
    table.SetRowCount(2);
    int changes = 0;
    table.OnChange = [&] { ++changes; };
    ASSERT_EQ(ReadMessage(table, source.WriteColumns()), "no error");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(table.Column(5).RowCount(), 2);
    EXPECT_EQ(table.Cell(1, 1).AsInteger(), -3);
    EXPECT_EQ(table.Cell(5, 0).AsText(), std::string(300, 'd'));
}

TEST(ColumnDefinition, TheRegistryMapsKindsToClasses)
{
    TTableScope scope;
    TGridTable table(scope);
    for (int kind = 0; kind < 5; ++kind) {
        ASSERT_TRUE(ColumnRegistry::Contains(kind));
        EXPECT_EQ(ColumnRegistry::Create(kind, table)->Kind(), kind);
    }
    EXPECT_FALSE(ColumnRegistry::Contains(5));
    auto factory = [](TGridTable& owner) -> std::unique_ptr<TColumn> { return std::make_unique<TStringColumn>(owner); };
    ColumnRegistry::Unregister(4);
    try {
        ColumnRegistry::Create(4, table);
        ADD_FAILURE() << "kind 4 still registered";
    } catch (const TorvikError& error) {
        EXPECT_EQ(std::string(error.what()), "Error Column Class not defined");
    }
    ColumnRegistry::Register(4, factory);
    EXPECT_TRUE(ColumnRegistry::Contains(4));
}

} // namespace
