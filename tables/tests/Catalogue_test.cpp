#include <gtest/gtest.h>

#include <string>

#include "tables/ValueReader.h"
#include "tables/catalogue/WallTableCatalogue.h"
#include "tables/tests/CatalogueExpected.h"

// The embedded catalogue, decoded value by value, against the tables written
// out by hand: catches a wrong entry in the data file as well as a generator
// that writes the layout wrongly.

namespace {

const std::vector<expected::Table>& Expected()
{
    static const std::vector<expected::Table> tables = expected::WallTables();
    return tables;
}

class StoredCatalogue : public testing::TestWithParam<int> {
protected:
    const expected::Table& Want() const { return Expected()[static_cast<std::size_t>(GetParam())]; }
    const WallTableDefinition& Stored() const { return WallTableCatalogue[GetParam()]; }
};

std::string TableName(const testing::TestParamInfo<int>& info)
{
    return Expected()[static_cast<std::size_t>(info.param)].Name;
}

TEST(StoredCatalogueSize, HoldsTheTwentyFiveTables)
{
    ASSERT_EQ(Expected().size(), 25u);
    EXPECT_EQ(WallTableCatalogueSize, 25u);
}

TEST_P(StoredCatalogue, TableProperties)
{
    const WallTableDefinition& stored = Stored();
    EXPECT_EQ(stored.Name, Want().Name);
    EXPECT_EQ(stored.Identifier, Want().Identifier);
    EXPECT_EQ(stored.Caption, Want().Caption);
    EXPECT_EQ(stored.MinRows, Want().MinRows);
    EXPECT_EQ(stored.MaxRows, Want().MaxRows);
    EXPECT_EQ(stored.HardwiredButton, Want().HardwiredButton);
    EXPECT_EQ(stored.TopLeft, Want().TopLeft);
    EXPECT_EQ(stored.Comments, Want().Comments);
}

TEST_P(StoredCatalogue, ColumnStreamInCurrentLayout)
{
    const WallTableDefinition& stored = Stored();
    TValueReader reader(stored.Columns, stored.ColumnsSize);
    const auto& columns = Want().Columns;
    ASSERT_EQ(reader.ReadInteger(), static_cast<std::int32_t>(columns.size()));
    for (std::size_t c = 0; c < columns.size(); ++c) {
        SCOPED_TRACE("column " + std::to_string(c + 1));
        const expected::Column& want = columns[c];
        ASSERT_EQ(reader.ReadInteger(), want.ColumnKind);
        EXPECT_EQ(reader.ReadStringList(), want.Captions);
        EXPECT_TRUE(reader.ReadBoolean()) << "Visible";
        EXPECT_FALSE(reader.ReadBoolean()) << "GroupWide";
        switch (want.ColumnKind) {
        case expected::Choice:
            EXPECT_EQ(reader.ReadStringList(), want.Choices);
            break;
        case expected::Integer:
            EXPECT_EQ(reader.ReadInteger(), want.Default);
            EXPECT_EQ(reader.ReadInteger(), want.Min);
            EXPECT_EQ(reader.ReadInteger(), want.Max);
            break;
        case expected::Real:
            EXPECT_FALSE(reader.ReadBoolean()) << "IsTopDepth";
            EXPECT_EQ(reader.ReadString(), "FLOATCOLUMN2");
            EXPECT_EQ(reader.ReadString(), want.Dimension);
            EXPECT_EQ(reader.ReadFloat(), want.RealDefault);
            break;
        case expected::SubTable:
            EXPECT_EQ(reader.ReadString(), "FLEXCOLUMN2");
            EXPECT_EQ(reader.ReadIntegerList(), want.Templates);
            break;
        }
    }
    EXPECT_TRUE(reader.AtEnd());
}

INSTANTIATE_TEST_SUITE_P(WallTables, StoredCatalogue, testing::Range(0, 25), TableName);

} // namespace
