#include "model/FileUnits.h"
#include "tables/FloatColumn.h"
#include "tables/GridTable.h"
#include "tables/WallTables.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The file holds inches, psi and pounds per cubic inch where English tables
// show feet-based units: every real column of a table the data file carries
// must have the factor its dimension calls for, and no other.
TEST(FileUnitsTest, EveryWrittenColumnHasTheFactorOfItsDimension)
{
    const std::set<std::string> notInTheFile = {"SoilLayers", "SoilWeight", "TipRes", "PYOutpt", "AxLoads",
                                                "LongSoilOld"};
    WallTables tables;
    int factored = 0;
    for (int i = 0; i < WallTables::Count; ++i) {
        const std::string name = WallTables::Name(i);
        if (notInTheFile.count(name))
            continue;
        const TGridTable& table = tables.Table(i);
        for (int c = 0; c < table.ColumnCount(); ++c) {
            const auto* real = dynamic_cast<const TFloatColumn*>(&table.Column(c));
            if (!real)
                continue;
            const std::string& d = real->Dimension();
            const FileUnitFactor expected = d == "L2"       ? FileUnitFactor{12, 1}
                                            : d == "F/L2"   ? FileUnitFactor{1, 12}
                                            : d == "F/L2^2" ? FileUnitFactor{1, 144}
                                            : d == "F/L2^3" ? FileUnitFactor{1, 1728}
                                                            : FileUnitFactor{1, 1};
            const FileUnitFactor english = FileFactor(name, c, UnitSystem::English);
            EXPECT_EQ(english.Multiply, expected.Multiply) << name << " column " << c << " " << d;
            EXPECT_EQ(english.Divide, expected.Divide) << name << " column " << c << " " << d;
            factored += expected.Multiply != 1 || expected.Divide != 1;
            for (int system : {2, 3}) {
                EXPECT_EQ(FileFactor(name, c, NormalizeUnitSystem(system)).Multiply, 1);
                EXPECT_EQ(FileFactor(name, c, NormalizeUnitSystem(system)).Divide, 1);
            }
        }
    }
    EXPECT_EQ(factored, 14);
    EXPECT_EQ(ToFileUnits(2.5L, "PYMod", 0, UnitSystem::English), 30);
    EXPECT_EQ(FromFileUnits(100, "DistLoad", 1, UnitSystem::English), 1200);
}

}  // namespace
