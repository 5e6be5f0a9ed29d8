#include "model/SoilType.h"
#include "tables/EnumColumn.h"
#include "tables/GridTable.h"
#include "tables/TableColumn.h"
#include "tables/WallTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace {

// The caption of a template column, in lower case, its lines joined.
std::string Caption(const TColumn& column)
{
    std::string text;
    for (int i = 0; i < column.CaptionCount(); ++i)
        text += column.CaptionLine(i) + " ";
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Words of which the caption of the column at each line position shows one.
const std::vector<std::vector<std::string>> kPositionWords = {{"unit"},       {"cohesive", "compressive"}, {"friction"},
                                                              {"e50", "krm"}, {"k(py)", "modulus"},        {"rqd"}};

// Every code names one row and the row names the code back; every kind's
// parameter template is in the table catalogue, each of its columns filled by
// exactly one position of the parameter line, and each position lands in the
// column whose caption says what the position holds; the strengths agree with
// the positions that carry them.
TEST(SoilTypeTable, EveryKindMapsToItsCodeAndItsTemplate)
{
    WallTables tables;
    std::set<std::string> names;
    for (int code = kFirstSoilCode; code <= kLastSoilCode; ++code) {
        const SoilTypeTraits* traits = FindSoilType(code);
        ASSERT_NE(traits, nullptr) << code;
        EXPECT_EQ(SoilCode(traits->Type), code);
        EXPECT_EQ(&TraitsOf(traits->Type), traits);
        EXPECT_TRUE(names.insert(traits->Name).second) << traits->Name;

        const TGridTable* layout = tables.Find(traits->Template);
        ASSERT_NE(layout, nullptr) << traits->Template;
        std::vector<int> filled(static_cast<std::size_t>(layout->ColumnCount()));
        for (int position = 0; position < kLinePositions; ++position) {
            const int column = traits->LineColumns[static_cast<std::size_t>(position)];
            if (column < 0)
                continue;
            ASSERT_LT(column, layout->ColumnCount()) << traits->Name << " position " << position;
            ++filled[static_cast<std::size_t>(column)];
            const std::string caption = Caption(layout->Column(column));
            const auto& words = kPositionWords[static_cast<std::size_t>(position)];
            EXPECT_TRUE(std::any_of(words.begin(), words.end(),
                                    [&](const std::string& w) { return caption.find(w) != std::string::npos; }))
                << traits->Name << " position " << position << ": " << caption;
        }
        EXPECT_EQ(std::count(filled.begin(), filled.end(), 1), layout->ColumnCount()) << traits->Name;

        const SoilStrengths& s = traits->Strengths;
        EXPECT_EQ(s.Friction, traits->LineColumns[kLineFriction] >= 0) << traits->Name;
        EXPECT_EQ(s.Cohesion || s.Rock, traits->LineColumns[kLineStrength] >= 0) << traits->Name;
        EXPECT_FALSE(s.Undrained && (s.Friction || !s.Cohesion)) << traits->Name;
        EXPECT_FALSE(s.Rock && (s.Friction || s.Cohesion)) << traits->Name;
    }
    EXPECT_EQ(FindSoilType(kFirstSoilCode - 1), nullptr);
    EXPECT_EQ(FindSoilType(kLastSoilCode + 1), nullptr);
}

// The soil layer tables offer one choice per kind, in the order of the codes,
// and the choice of a code opens that kind's parameter template.
TEST(SoilTypeTable, LayerTablesOfferEveryKind)
{
    WallTables tables;
    for (WallTable which : {WallTable::NewSoil, WallTable::LongSoil}) {
        TGridTable& layers = tables[which];
        const auto& choices = dynamic_cast<TEnumColumn&>(layers.Column(0)).Choices();
        const auto& templates = dynamic_cast<TTableColumn&>(layers.Column(2)).TableIds();
        ASSERT_EQ(static_cast<int>(choices.size()), kLastSoilCode - kFirstSoilCode + 1) << layers.Name();
        ASSERT_EQ(templates.Count(), kLastSoilCode - kFirstSoilCode + 1) << layers.Name();
        for (const SoilTypeTraits& traits : SoilTypeTable()) {
            const int index = SoilCode(traits.Type) - kFirstSoilCode;
            if (which == WallTable::NewSoil) {
                EXPECT_EQ(choices[static_cast<std::size_t>(index)], traits.Name);
            }
            ASSERT_NE(templates.Table(index), nullptr) << layers.Name() << " " << traits.Name;
            EXPECT_EQ(templates.Table(index)->Name(), traits.Template) << layers.Name() << " " << traits.Name;
        }
    }
}

}  // namespace
