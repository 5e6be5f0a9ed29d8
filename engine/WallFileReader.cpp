#include "engine/WallFileReader.h"

#include "model/BatchHost.h"
#include "model/BlockReader.h"
#include "model/FileUnits.h"
#include "model/ProgramData.h"
#include "model/WallTableRows.h"
#include "model/WordReader.h"
#include "tables/Data.h"
#include "tables/GridTable.h"
#include "units/TorvikError.h"

#include <array>

namespace {

// Cell access in the units of the data file.
class Cells {
public:
    Cells(TGridTable& table, std::string name) : t_(table), name_(std::move(name)) {}
    int Rows() const { return t_.RowCount(); }
    int Int(int c, int r) const { return t_.Cell(c, r).AsInteger(); }
    double Real(int c, int r) const
    {
        return static_cast<double>(ToFileUnits(t_.Cell(c, r).AsFloat(), name_, c, t_.UnitSystem()));
    }
    TGridTable* Sub(int c, int r) const { return t_.Cell(c, r).AsTable(); }

private:
    TGridTable& t_;
    std::string name_;
};

std::vector<RangeRow> Ranges(const Cells& t, int choiceColumn, int fromColumn, int firstValue, int values)
{
    std::vector<RangeRow> rows;
    for (int r = 0; r < t.Rows(); ++r) {
        RangeRow row;
        row.choice = t.Int(choiceColumn, r);
        row.from = t.Int(fromColumn, r);
        row.to = t.Int(fromColumn + 1, r);
        for (int v = 0; v < values; ++v)
            row.values.push_back(t.Real(firstValue + v, r));
        rows.push_back(row);
    }
    return rows;
}

// The six positions of a parameter line from the layer's parameter sub-table.
std::array<double, 6> Positions(engine::SoilType type, const Cells& p, int row)
{
    std::array<double, 6> v{};
    auto at = [&](int c) { return c < 5 ? p.Real(c, row) : 0.0; };
    switch (type) {
    case engine::SoilType::SoftClay:
    case engine::SoilType::StiffClayFreeWater:
    case engine::SoilType::StiffClayNoFreeWater: v = {at(0), at(1), 0, at(2), at(3), 0}; break;
    case engine::SoilType::Sand: v = {at(0), 0, at(1), 0, at(2), 0}; break;
    case engine::SoilType::Silt: v = {at(0), at(2), at(1), at(3), at(4), 0}; break;
    case engine::SoilType::StrongRock: v = {at(0), at(1), 0, 0, 0, 0}; break;
    case engine::SoilType::WeakRock: v = {at(0), at(1), 0, at(2), at(3), at(4)}; break;
    }
    return v;
}

const char* TemplateName(engine::SoilType type)
{
    switch (type) {
    case engine::SoilType::Sand: return "TblSand1";
    case engine::SoilType::Silt: return "TblSilt1";
    case engine::SoilType::StrongRock: return "TblRock1";
    case engine::SoilType::WeakRock: return "TblRock2";
    default: return "TblClay1";
    }
}

std::vector<engine::SoilLayer> Layers(const Cells& t)
{
    std::vector<engine::SoilLayer> layers;
    for (int r = 0; r < t.Rows(); ++r) {
        engine::SoilLayer l;
        l.type = engine::SoilTypeFromChoice(t.Int(0, r), r + 1);
        l.bottomDepth = t.Real(1, r);
        TGridTable* sub = t.Sub(2, r);
        if (!sub || sub->RowCount() < 2)
            throw TorvikError("Soil layer " + std::to_string(r + 1) + " has no parameters.");
        Cells p(*sub, TemplateName(l.type));
        l.top = engine::SoilParametersFromLine(l.type, Positions(l.type, p, 0));
        l.bottom = engine::SoilParametersFromLine(l.type, Positions(l.type, p, 1));
        layers.push_back(l);
    }
    return layers;
}

// Takes the block just read out of the wall and its tables.
WallBlock TakeBlock(const TProgramData& w, WallTables& tables, bool longTerm)
{
    WallBlock b;
    b.title = w.Title;
    b.unitSystem = w.UnitSystem();
    b.earthPressureOption = w.EarthPressureOption;
    b.pyCurveOption = w.PyCurveOption;
    b.stageCount = w.StageCount;
    b.nodeCount = w.NodeCount;
    b.increment = static_cast<double>(w.IncrementLength);
    b.maxDeflection = static_cast<double>(w.MaxDeflection);
    b.tolerance = static_cast<double>(w.ClosureTolerance);
    b.wallHeight = static_cast<double>(w.WallHeight);

    Cells restraints(tables[WallTable::BoundaryConditions], "Soillayer");
    for (int r = 0; r < restraints.Rows(); ++r)
        b.restraints.push_back({restraints.Int(0, r), restraints.Int(1, r), restraints.Real(2, r), restraints.Real(3, r)});
    b.stiffness = Ranges(Cells(tables[WallTable::PileSect], "PileSect"), 2, 0, 3, 1);
    b.loads = Ranges(Cells(tables[WallTable::ConcentratedLoads], "BoundCond"), 0, 1, 3, 3);
    b.springs = Ranges(Cells(tables[WallTable::Springs], "SoilStrength"), 0, 1, 3, 2);
    Cells modifiers(tables[WallTable::PYMod], "PYMod");
    for (int r = 0; r < modifiers.Rows(); ++r)
        b.modifiers.push_back({modifiers.Real(0, r), modifiers.Real(1, r), modifiers.Real(2, r)});

    if (b.earthPressureOption == 1) {
        const char* name = longTerm ? "LongDist" : "DistLoad";
        Cells loads(tables[longTerm ? WallTable::LongDist : WallTable::DistLoad], name);
        for (int r = 0; r < loads.Rows(); ++r)
            b.userLoads.push_back({loads.Real(0, r), loads.Real(1, r)});
    }
    if (b.earthPressureOption > 1 || b.pyCurveOption == 2) {
        b.activeWidth = static_cast<double>(w.ActiveWidth);
        b.pyWidth = static_cast<double>(w.PyWidth);
        b.waterDepthBackfill = static_cast<double>(w.WaterDepthBackfill);
        b.waterDepthExcavation = static_cast<double>(w.WaterDepthExcavation);
        b.activePressureFactor = static_cast<double>(w.ActivePressureFactor);
        b.configurationCode = w.ConfigurationCode;
        b.backfillSlope = static_cast<double>(w.BackfillSlope);
        b.topSurcharge = static_cast<double>(w.TopSurcharge);
        Cells surcharges(tables[WallTable::SurchargeTable], "SurchargeTable");
        for (int r = 0; r < surcharges.Rows(); ++r)
            b.surcharges.push_back({surcharges.Int(0, r), surcharges.Real(1, r), surcharges.Real(2, r), surcharges.Real(3, r)});
        b.layers = Layers(Cells(tables[longTerm ? WallTable::LongSoil : WallTable::NewSoil], longTerm ? "LongSoil" : "NewSoil"));
    }
    if (b.pyCurveOption >= 1) {
        Cells curves(tables[WallTable::PYCurves], "PYCurves");
        for (int r = 0; r < curves.Rows(); ++r) {
            engine::ExternalCurveInput c;
            c.node = curves.Int(0, r);
            c.pMultiplier = curves.Real(2, r);
            c.yMultiplier = curves.Real(3, r);
            if (TGridTable* sub = curves.Sub(1, r)) {
                Cells points(*sub, "PYCurve");
                for (int i = 0; i < points.Rows(); ++i)
                    c.points.emplace_back(points.Real(0, i), points.Real(1, i));
            }
            b.externalCurves.push_back(c);
        }
    }
    Cells mei(tables[WallTable::MEICurves], "MEICurves");
    for (int r = 0; r < mei.Rows(); ++r) {
        MomentEiCurve c;
        c.from = mei.Int(0, r);
        c.to = mei.Int(1, r);
        if (TGridTable* sub = mei.Sub(2, r)) {
            Cells points(*sub, "Rows");
            for (int i = 0; i < points.Rows(); ++i)
                c.points.emplace_back(points.Real(0, i), points.Real(1, i));
        }
        b.meiCurves.push_back(c);
    }
    return b;
}

}  // namespace

std::vector<WallFileBlock> WallFileReader::Read(const std::string& path)
{
    BatchHost host;
    std::unique_ptr<TProgramData> wall = TProgramData::CreateNew(host);
    TWordReader reader(path);
    TBlockReader blocks(*wall, reader);
    std::vector<WallFileBlock> out;

    EmptyAllTables(host.Tables());
    blocks.ReadBlock(TFileLayout::Current, TBlockRole::First);
    const int stages = wall->StageCount;
    if (stages > 1) {
        out.push_back({"Stage 1 of " + std::to_string(stages), TakeBlock(*wall, host.Tables(), false)});
        for (int k = 2; k <= stages; ++k) {
            const int number = reader.ReadInteger();
            if (number != k - 1)
                throw EInOutError("Stage " + std::to_string(k - 1) + " of the staged file ends with the number " +
                                  std::to_string(number) + " instead of its own.");
            reader.ReadLine();  // the rest of the stage-number line
            EmptyAllTables(host.Tables());
            blocks.ReadBlock(TFileLayout::Current, TBlockRole::Stage);
            WallBlock b = TakeBlock(*wall, host.Tables(), false);
            out.push_back({"Stage " + std::to_string(k) + " of " + std::to_string(stages), b});
        }
        reader.ReadInteger();
        return out;
    }
    WallBlock first = TakeBlock(*wall, host.Tables(), false);
    const int marker = reader.ReadInteger();
    if (marker == 9) {
        out.push_back({"Short-term case", first});
        reader.ReadLine();
        EmptyAllTables(host.Tables());
        blocks.ReadBlock(TFileLayout::Current, TBlockRole::LongTerm);
        out.push_back({"Long-term case", TakeBlock(*wall, host.Tables(), true)});
        reader.ReadInteger();
    } else {
        out.push_back({"Analysis", first});
    }
    return out;
}
