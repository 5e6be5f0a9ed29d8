#include "run/WallInput.h"

#include "model/FileUnits.h"
#include "model/SoilType.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "model/WallDocument.h"
#include "model/WallTableRows.h"
#include "model/WordReader.h"
#include "tables/GridTable.h"
#include "tables/WallTables.h"
#include "units/DecimalReal.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"

namespace {

// A value as the data file holds it: written with eight significant digits
// and read back, so that an analysis of the open wall gives what an analysis
// of the saved wall gives.
long double AsFiled(long double value)
{
    long double read = 0;
    if (ParseDecimalReal(FormatFloat8(value), read) != DecimalStatus::Ok)
        throw TorvikError("The value " + FormatFloat8(value) + " cannot be written to the data file.");
    return read;
}

double Filed(long double value)
{
    return static_cast<double>(AsFiled(value));
}

// One block of the open wall, as the data file writer would write it and
// the engine's reader read it.
class BlockOfWall {
public:
    explicit BlockOfWall(TProgramData& wall) : w_(wall), t_(wall.Document().Tables()) { }

    WallBlock Take(const std::string& firstLine, bool longTerm, TGeneratedPressure generated)
    {
        b_ = WallBlock();
        b_.title = firstLine;
        b_.unitSystem = w_.UnitSystem();
        b_.earthPressureOption = EarthPressureOption(w_.EarthPressureKind, w_.GeneratePyCurves, generated);
        b_.pyCurveOption = w_.GeneratePyCurves ? 2 : w_.UseExternalPyCurves ? 1 : 0;
        b_.stageCount = w_.StageCount;
        if (b_.stageCount < 1 || b_.stageCount > 5)
            throw TorvikError("The number of stages must be from 1 to 5; the wall has " +
                              std::to_string(b_.stageCount) + ".");
        b_.nodeCount = w_.NodeCount;
        b_.increment = Filed(w_.IncrementLength);
        b_.maxDeflection = Filed(w_.MaxDeflection);
        b_.tolerance = Filed(w_.ClosureTolerance);
        b_.wallHeight = Filed(w_.WallHeight);

        TakeRestraints();
        TakeStiffness();
        if (w_.UseConcentratedLoads)
            b_.loads = Ranges(WallTable::ConcentratedLoads, 0, 1, 3, 3);
        if (w_.UseSprings)
            b_.springs = Ranges(WallTable::Springs, 0, 1, 3, 2);
        TakeModifiers();
        if (b_.earthPressureOption == 1)
            TakeUserLoads(longTerm ? WallTable::LongDist : WallTable::DistLoad, longTerm ? "LongDist" : "DistLoad");
        if (b_.earthPressureOption > 1 || b_.pyCurveOption == 2) {
            TakeWallConfiguration();
            TakeLayers(longTerm ? WallTable::LongSoil : WallTable::NewSoil, longTerm ? "LongSoil" : "NewSoil");
        }
        TakeExternalCurves();
        TakeMeiCurves();
        return std::move(b_);
    }

private:
    // The rows of a table the data file holds.
    int Rows(WallTable table) { return RowsToWrite(t_, w_.Padding, static_cast<int>(table)); }
    TGridTable& Table(WallTable table) { return t_[table]; }

    static int Int(TGridTable& t, int c, int r) { return t.Cell(c, r).AsInteger(); }
    // A real cell of table `name` in the units of the file, as the file holds it.
    static double Real(TGridTable& t, int c, int r, const char* name = "")
    {
        return Filed(ToFileUnits(t.Cell(c, r).AsFloat(), name, c, t.UnitSystem()));
    }

    std::vector<RangeRow> Ranges(WallTable which, int choiceColumn, int fromColumn, int firstValue, int values)
    {
        TGridTable& t = Table(which);
        std::vector<RangeRow> rows;
        for (int r = 0; r < Rows(which); ++r) {
            RangeRow row;
            row.choice = Int(t, choiceColumn, r);
            row.from = Int(t, fromColumn, r);
            row.to = Int(t, fromColumn + 1, r);
            for (int v = 0; v < values; ++v)
                row.values.push_back(Real(t, firstValue + v, r));
            rows.push_back(row);
        }
        return rows;
    }

    void TakeRestraints()
    {
        if (!w_.UseRestraints)
            return;
        TGridTable& t = Table(WallTable::BoundaryConditions);
        for (int r = 0; r < Rows(WallTable::BoundaryConditions); ++r)
            b_.restraints.push_back({Int(t, 0, r), Int(t, 1, r), Real(t, 2, r), Real(t, 3, r)});
    }

    void TakeStiffness()
    {
        b_.stiffness = Ranges(WallTable::PileSect, 2, 0, 3, 1);
        // The last row holds to the wall's end: it is written as constant.
        if (!b_.stiffness.empty())
            b_.stiffness.back().choice = 1;
    }

    void TakeModifiers()
    {
        if (!w_.UsePyModifiers)
            return;
        TGridTable& t = Table(WallTable::PYMod);
        for (int r = 0; r < Rows(WallTable::PYMod); ++r)
            b_.modifiers.push_back({Real(t, 0, r, "PYMod"), Real(t, 1, r), Real(t, 2, r)});
    }

    void TakeUserLoads(WallTable which, const char* name)
    {
        TGridTable& t = Table(which);
        for (int r = 0; r < Rows(which); ++r)
            b_.userLoads.push_back({Real(t, 0, r, name), Real(t, 1, r, name)});
    }

    void TakeWallConfiguration()
    {
        b_.activeWidth = Filed(w_.ActiveWidth);
        b_.pyWidth = Filed(w_.PyWidth);
        b_.waterDepthBackfill = Filed(w_.WaterDepthBackfill);
        b_.waterDepthExcavation = Filed(w_.WaterDepthExcavation);
        // 0.036 is how older versions stored the unmodified factor.
        const long double factor = AsFiled(w_.ActivePressureFactor);
        b_.activePressureFactor = factor == 0.036L ? 1.0 : static_cast<double>(factor);
        b_.configurationCode = w_.ConfigurationCode;
        b_.backfillSlope = Filed(w_.BackfillSlope);
        b_.topSurcharge = Filed(w_.TopSurcharge);
        if (!w_.UseSurcharge)
            return;
        TGridTable& t = Table(WallTable::SurchargeTable);
        for (int r = 0; r < Rows(WallTable::SurchargeTable); ++r)
            b_.surcharges.push_back({Int(t, 0, r), Real(t, 1, r), Real(t, 2, r), Real(t, 3, r)});
    }

    void TakeLayers(WallTable which, const char* name)
    {
        TGridTable& t = Table(which);
        for (int r = 0; r < Rows(which); ++r) {
            engine::SoilLayer layer;
            layer.type = engine::SoilTypeFromChoice(Int(t, 0, r), r + 1);
            layer.bottomDepth = Real(t, 1, r, name);
            TGridTable* parameters = t.Cell(2, r).AsTable();
            layer.top = engine::SoilParametersFromLine(layer.type, ParameterLine(layer.type, parameters, 0));
            layer.bottom = engine::SoilParametersFromLine(layer.type, ParameterLine(layer.type, parameters, 1));
            b_.layers.push_back(layer);
        }
    }

    // The six positions of a layer's parameter line from row `row` of its
    // parameter table; 0 where the kind of soil or the table has no value.
    static std::array<double, 6> ParameterLine(engine::SoilType type, TGridTable* parameters, int row)
    {
        const SoilTypeTraits& soil = TraitsOf(type);
        std::array<double, 6> values{};
        if (!parameters || row >= parameters->RowCount())
            return values;
        for (std::size_t position = 0; position < values.size(); ++position) {
            const int column = soil.LineColumns[position];
            if (column >= 0 && column < parameters->ColumnCount())
                values[position] = Real(*parameters, column, row, soil.Template);
        }
        return values;
    }

    static std::vector<std::pair<double, double>> Points(TGridTable* curve)
    {
        std::vector<std::pair<double, double>> points;
        for (int p = 0; curve && p < curve->RowCount(); ++p)
            points.emplace_back(Real(*curve, 0, p), Real(*curve, 1, p));
        return points;
    }

    void TakeExternalCurves()
    {
        if (!w_.UseExternalPyCurves)
            return;
        TGridTable& t = Table(WallTable::PYCurves);
        for (int r = 0; r < Rows(WallTable::PYCurves); ++r) {
            engine::ExternalCurveInput curve;
            curve.node = Int(t, 0, r);
            curve.pMultiplier = Real(t, 2, r);
            curve.yMultiplier = Real(t, 3, r);
            curve.points = Points(t.Cell(1, r).AsTable());
            b_.externalCurves.push_back(std::move(curve));
        }
    }

    void TakeMeiCurves()
    {
        if (!w_.UseMeiCurves)
            return;
        TGridTable& t = Table(WallTable::MEICurves);
        for (int r = 0; r < Rows(WallTable::MEICurves); ++r) {
            MomentEiCurve curve;
            curve.from = Int(t, 0, r);
            curve.to = Int(t, 1, r);
            curve.points = Points(t.Cell(2, r).AsTable());
            b_.meiCurves.push_back(std::move(curve));
        }
    }

    TProgramData& w_;
    WallTables& t_;
    WallBlock b_;
};

std::vector<WallFileBlock> StagedInput(TProgramData& wall)
{
    std::vector<WallFileBlock> blocks;
    const std::string of = " of " + std::to_string(wall.StageCount);
    for (int k = 1; k <= wall.StageCount; ++k) {
        WallBlock block;
        if (k == wall.CurrentStage) {
            block = BlockOfWall(wall).Take(k == 1 ? wall.Title : " Stage No : " + std::to_string(k), false,
                                           TGeneratedPressure::TrapezoidOrTriangular);
        } else {
            TWordReader reader(StageWorkPath(wall, k));
            block = WallFileReader::ReadBlock(reader);
        }
        blocks.push_back({"Stage " + std::to_string(k) + of, std::move(block)});
    }
    return blocks;
}

}  // namespace

std::vector<WallFileBlock> WallInput(TProgramData& wall)
{
    if (wall.StageCount > 1)
        return StagedInput(wall);
    std::vector<WallFileBlock> blocks;
    BlockOfWall of(wall);
    const bool longTerm = wall.LongTermAnalysis;
    blocks.push_back({longTerm ? "Short-term case" : "Analysis", of.Take(wall.Title, false, TGeneratedPressure::Kind)});
    if (longTerm)
        blocks.push_back({"Long-term case", of.Take(wall.Title, true, TGeneratedPressure::Triangular)});
    return blocks;
}

TWallSettings WallInputSettings(const TProgramData& wall)
{
    // Settings that differ in nothing from the defaults are not saved.
    const TWallSettings& settings = wall.Document().Settings();
    return settings.IsDefault() ? TWallSettings::Defaults() : settings;
}
