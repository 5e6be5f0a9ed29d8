#pragma once
// Walls for the data file tests: the file of a new wall, older-layout files
// and random walls of every option.
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "tables/GridTable.h"
#include "WallTestSupport.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

// The data file of a new wall saved at once.
inline const std::string kNewWallFile = CrLf({
    "New Wall",
    "1 0\t1\t0\t0\t2 0 1 0",
    "0 0\t100\t1E-5\t0",
    "0\t1\t1\t0",
    "0",
    "0",
    "0\t0\t0\t0\t0\t1\t1\t0",
    "0\t0\t0\t0\t0\t0",
    "0",
    "1",
    "1 0 ",
    "0 0 0.0  0 0 0.0  ",
    "0 0 0.0  0 0 0.0  ",
    "0",
});

// A version 2.0 file: layer thicknesses, one parameter line per layer.
inline const std::string kVersion20File =
    CrLf({"Old wall", "1 0\t1\t0\t2\t2 0", "20 6\t100\t1E-5\t120", "0\t20\t1\t1E9", "0", "0",
          "120\t12\t12\t0\t0\t1\t1\t0", "0\t0\t0\t0\t0\t0", "2", "4 10 ", "0.07 9 30 9 25", "1 5 ",
          "0.06 5 9 0.01 100"});

// A version 3.0 file whose surcharge line has the given distance.
inline std::string Version30File(const std::string& distance)
{
    return CrLf({"Three", "1 0\t1\t0\t2\t2 0 1", "20 6\t100\t1E-5\t120", "0\t20\t1\t1E9", "0", "0",
                 "120\t12\t12\t0\t0\t1\t1\t0", "0\t" + distance + "\t100\t200\t300\t24", "1", "4 120 ",
                 "0.07 0.0  30 0.0  25 0.0  ", "0.08 0.0  32 0.0  25 0.0  ", "0"});
}

// Random walls of a host, one per seed.
class RandomWall {
public:
    RandomWall(BatchHost& host, unsigned seed) : host_(host), random_(seed) {}

    // A wall every option of which the file can state: the flags are drawn in
    // the combinations the header items 5 and 6 give back (see Options).
    std::unique_ptr<TProgramData> Make()
    {
        auto wall = TProgramData::CreateNew(host_);
        wall->SwitchUnits(NormalizeUnitSystem(Between(1, 3)));
        wall->StageCount = Between(1, 5);
        Randomize(*wall);
        return wall;
    }

    // New random scalars, options and table contents for `wall`, keeping its
    // unit system and stages.
    void Randomize(TProgramData& wall)
    {
        wall.Title = Chance() ? "Random wall " + std::to_string(Between(0, 9999)) : "  leading blanks\tand tab";
        wall.NodeCount = Between(0, 400);
        for (long double* field : {&wall.IncrementLength, &wall.MaxDeflection, &wall.ClosureTolerance,
                                   &wall.WallHeight, &wall.ActiveWidth, &wall.PyWidth, &wall.WaterDepthBackfill,
                                   &wall.WaterDepthExcavation, &wall.ActivePressureFactor, &wall.BackfillSlope,
                                   &wall.TopSurcharge, &wall.LegacySurcharge.Distance,
                                   &wall.LegacySurcharge.PointLoad, &wall.LegacySurcharge.LineLoad,
                                   &wall.LegacySurcharge.StripLoad, &wall.LegacySurcharge.StripWidth})
            *field = Real();
        wall.ConfigurationCode = Between(0, 3);
        Options(wall);
        Tables(wall);
    }

private:
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance() { return Between(0, 1) == 1; }

    // Values of every form the file knows: integral, fractions, tiny and huge
    // magnitudes, negative values, more digits than the file keeps.
    long double Real()
    {
        switch (Between(0, 5)) {
        case 0: return Between(-1000, 1000);
        case 1: return Between(-99999, 99999) / 1000.0L;
        case 2: return std::uniform_real_distribution<double>(-1, 1)(random_) * 1E-6L;
        case 3: return std::uniform_real_distribution<double>(0, 9)(random_) * 1E12L;
        case 4: return std::uniform_real_distribution<double>(-1E4, 1E4)(random_);
        default: return 0;
        }
    }

    void Options(TProgramData& w)
    {
        // Generated p-y curves need a pressure kind: with none the file says
        // option 0, which reads back with p-y generation off.
        w.EarthPressureKind = *EarthPressureOfCode(Between(0, 3));
        w.GeneratePyCurves = w.EarthPressureKind != TEarthPressure::None && Chance();
        w.UseExternalPyCurves = Chance();
        w.UseRestraints = Chance();
        w.UseConcentratedLoads = Chance();
        w.UseSprings = Chance();
        w.UsePyModifiers = Chance();
        w.UseMeiCurves = Chance();
        w.UseSurcharge = Chance();
        w.LongTermAnalysis = Chance();
    }

    // Row counts the program's editors can leave: none, or from the table's
    // minimum on (the reader gives every table at least its minimum rows).
    int Rows(const TGridTable& table, int most, bool allowNone = true)
    {
        if (allowNone && Chance())
            return 0;
        return Between(table.MinRows(), std::max(most, table.MinRows()));
    }

    void Tables(TProgramData& w)
    {
        WallTables& t = host_.tables;
        Fill(t[WallTable::PileSect], Rows(t[WallTable::PileSect], 4, false), {'i', 'i', 'c', 'r'}, 2);
        Fill(t[WallTable::BoundaryConditions], Rows(t[WallTable::BoundaryConditions], 3), {'c', 'i', 'r', 'r'}, 2);
        Fill(t[WallTable::ConcentratedLoads], Rows(t[WallTable::ConcentratedLoads], 3), {'c', 'i', 'i', 'r', 'r', 'r'}, 2);
        Fill(t[WallTable::Springs], Rows(t[WallTable::Springs], 3), {'c', 'i', 'i', 'r', 'r'}, 2);
        Fill(t[WallTable::PYMod], Rows(t[WallTable::PYMod], 4), {'r', 'r', 'r'}, 0);
        // A user-specified pressure may have no rows: it stays the user's all the same.
        Fill(t[WallTable::DistLoad], Rows(t[WallTable::DistLoad], 4), {'r', 'r'}, 0);
        Fill(t[WallTable::LongDist], Rows(t[WallTable::LongDist], 4), {'r', 'r'}, 0);
        Fill(t[WallTable::SurchargeTable], Rows(t[WallTable::SurchargeTable], 3), {'c', 'r', 'r', 'r'}, 3);
        Soils(t[WallTable::NewSoil]);
        Soils(t[WallTable::LongSoil]);
        Curves(t[WallTable::PYCurves], Rows(t[WallTable::PYCurves], 3, !w.UseExternalPyCurves), 1);
        Curves(t[WallTable::MEICurves], Rows(t[WallTable::MEICurves], 3), 2);
    }

    // Sets `rows` rows; kinds per column: 'c' choice (1 .. choices), 'i' integer, 'r' real.
    void Fill(TGridTable& table, int rows, const std::vector<char>& kinds, int choices)
    {
        table.SetRowCount(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < static_cast<int>(kinds.size()); ++c) {
                if (kinds[c] == 'c')
                    table.Cell(c, r).SetAsInteger(Between(1, choices));
                else if (kinds[c] == 'i')
                    table.Cell(c, r).SetAsInteger(Between(0, 500));
                else
                    table.Cell(c, r).SetAsFloat(Real());
            }
    }

    void Soils(TGridTable& table)
    {
        const int rows = Rows(table, 4, false);
        table.SetRowCount(rows);
        for (int r = 0; r < rows; ++r) {
            table.Cell(0, r).SetAsInteger(Between(1, 7));
            table.Cell(1, r).SetAsFloat(Real());
            TGridTable& parameters = *table.Cell(2, r).AsTable();
            for (int p = 0; p < parameters.RowCount(); ++p)
                for (int c = 0; c < parameters.ColumnCount(); ++c)
                    parameters.Cell(c, p).SetAsFloat(Real());
        }
    }

    void Curves(TGridTable& table, int rows, int pointsColumn)
    {
        table.SetRowCount(rows);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < table.ColumnCount(); ++c) {
                if (c == pointsColumn)
                    continue;
                if (table.Column(c).Kind() == ColumnInteger)
                    table.Cell(c, r).SetAsInteger(Between(0, 300));
                else
                    table.Cell(c, r).SetAsFloat(Real());
            }
            Fill(*table.Cell(pointsColumn, r).AsTable(), Between(0, 5), {'r', 'r'}, 0);
        }
    }

    BatchHost& host_;
    std::mt19937 random_;
};

