#include "model/BlockReader.h"

#include "model/FileUnits.h"
#include "model/ProgramData.h"
#include "model/SoilType.h"
#include "model/TableCells.h"
#include "model/WallDocument.h"
#include "model/WordReader.h"
#include "tables/WallTables.h"
#include "units/TorvikError.h"
#include "units/ValueRange.h"

namespace {

// Words of the shortest row of each section, for the count checks.
constexpr int kRestraintWords = 4;
constexpr int kStiffnessWords = 4;
constexpr int kLoadWords = 6;
constexpr int kSpringWords = 5;
constexpr int kModifierWords = 3;
constexpr int kDistributedWords = 2;
constexpr int kSurchargeWords = 4;
constexpr int kPointWords = 2;

}  // namespace

TBlockReader::TBlockReader(TProgramData& wall, TWordReader& reader)
    : wall_(wall), reader_(reader), tables_(wall.Document().Tables())
{
}

long long TBlockReader::RemainingWords() const
{
    return reader_.RemainingWords();
}

void TBlockReader::Fail(const std::string& what) const
{
    throw EInOutError("Error on Line " + std::to_string(reader_.LineIndex() + 1) + " Item " +
                      std::to_string(reader_.WordIndex()) + "\r" + what);
}

long double TBlockReader::ReadTableReal(const char* tableName, int column, UnitSystem units)
{
    const long double value = FromFileUnits(reader_.ReadReal(), tableName, column, units);
    if (!InValueRange(value))
        Fail("In the units of the table this value lies outside " + ValueRangeText() + ".");
    return value;
}

std::int32_t TBlockReader::ReadCount(int wordsPerRow)
{
    const std::int32_t count = reader_.ReadInteger();
    if (count < 0)
        Fail("A row count of " + std::to_string(count) + " is not possible.");
    if (static_cast<long long>(count) * wordsPerRow > RemainingWords())
        Fail("A row count of " + std::to_string(count) + " is more than the rest of the file holds.");
    return count;
}

void TBlockReader::ReadBlock(TFileLayout layout, TBlockRole role)
{
    layout_ = layout;
    role_ = role;
    const std::string title = reader_.ReadLine();
    wall_.Title = title;
    ReadHeader();

    wall_.NodeCount = reader_.ReadInteger();
    wall_.IncrementLength = reader_.ReadReal();
    wall_.MaxDeflection = reader_.ReadReal();
    wall_.ClosureTolerance = reader_.ReadReal();
    wall_.WallHeight = reader_.ReadReal();

    ReadRestraints();
    ReadStiffness();
    ReadConcentratedLoads();
    ReadSprings();
    ReadPyModifiers();
    const bool longTerm = role == TBlockRole::LongTerm;
    if (earthPressure_ == 1) {
        if (longTerm)
            ReadDistributedLoads(tables_[WallTable::LongDist], "LongDist");
        else
            ReadDistributedLoads(tables_[WallTable::DistLoad], "DistLoad");
    }
    if (earthPressure_ > 1 || pyCurves_ > 1) {
        ReadWallConfiguration();
        ReadSurcharges();
        if (longTerm)
            ReadSoilLayers(tables_[WallTable::LongSoil], "LongSoil");
        else
            ReadSoilLayers(tables_[WallTable::NewSoil], "NewSoil");
    }
    ReadExternalPyCurves();
    ReadMeiCurves();
}

void TBlockReader::ReadHeader()
{
    // A stage file is read into the open wall, whose values the switch
    // converts first; one it cannot convert ends the reading.
    const UnitSystem units = NormalizeUnitSystem(reader_.ReadInteger());
    const std::string problem = wall_.UnitSwitchProblem(units);
    if (!problem.empty())
        Fail(problem);
    wall_.SwitchUnits(units);

    const std::int32_t restraints = ReadCount(kRestraintWords);
    tables_[WallTable::BoundaryConditions].SetRowCount(restraints);
    if (role_ == TBlockRole::Stage) {
        wall_.UseRestraints = false;
        wall_.UseConcentratedLoads = false;
    }
    if (restraints > 0)
        wall_.UseRestraints = true;
    tables_[WallTable::PileSect].SetRowCount(ReadCount(kStiffnessWords));
    tables_[WallTable::PYMod].SetRowCount(ReadCount(kModifierWords));

    earthPressure_ = reader_.ReadInteger();
    const std::optional<TEarthPressure> kind = EarthPressureOfCode(earthPressure_);
    if (!kind)
        Fail("The earth-pressure option must be from 0 to 3; the file gives " + std::to_string(earthPressure_) + ".");
    // The long-term block shares the first block's choice: its own option
    // says 2 for either generated distribution.
    if (role_ != TBlockRole::LongTerm)
        wall_.EarthPressureKind = *kind;
    pyCurves_ = reader_.ReadInteger();
    wall_.PyCurveOption = pyCurves_;
    DeriveOptionFlags(earthPressure_, pyCurves_);

    const int curveWords = layout_ == TFileLayout::Current ? 4 : 2;
    TGridTable& curves = tables_[WallTable::PYCurves];
    curves.SetRowCount(ReadCount(curveWords));
    if (curves.RowCount() > 0)
        wall_.UseExternalPyCurves = true;
    wall_.UsePyModifiers = tables_[WallTable::PYMod].RowCount() > 0;

    if (layout_ != TFileLayout::Version20) {
        const std::int32_t stages = reader_.ReadInteger();
        if (stages < 1 || stages > 5)
            Fail("The number of stages must be from 1 to 5; the file gives " + std::to_string(stages) + ".");
        wall_.StageCount = stages;
    }
    wall_.MeiCurveCount = layout_ == TFileLayout::Current ? ReadCount(3) : 0;
    TGridTable& meiCurves = tables_[WallTable::MEICurves];
    if (wall_.MeiCurveCount > 0 || role_ == TBlockRole::Stage)
        meiCurves.SetRowCount(wall_.MeiCurveCount);
    wall_.UseMeiCurves = meiCurves.RowCount() > 0;
}

// The flags follow from header items 5 and 6 in this order; later rules
// overrule earlier ones.
void TBlockReader::DeriveOptionFlags(std::int32_t earthPressure, std::int32_t pyCurves)
{
    const bool firstBlock = role_ == TBlockRole::First;
    // Surcharges are read with the soil section; a stage without one has none,
    // whatever the stage read into the same wall before had.
    if (role_ == TBlockRole::Stage)
        wall_.UseSurcharge = false;
    if (pyCurves == 2)
        wall_.GeneratePyCurves = true;
    if (firstBlock && earthPressure == 0)
        wall_.GeneratePyCurves = false;
    // The long-term block belongs to the analysis the marker switched on; it
    // must not switch it off again, or a re-save would lose the block.
    if (role_ != TBlockRole::LongTerm)
        wall_.LongTermAnalysis = false;
    if (pyCurves < 2)
        wall_.GeneratePyCurves = false;
    if (pyCurves == 1)
        wall_.UseExternalPyCurves = true;
    else if (pyCurves == 0)
        wall_.UseExternalPyCurves = false;
}

void TBlockReader::ReadRestraints()
{
    TGridTable& table = tables_[WallTable::BoundaryConditions];
    if (!wall_.UseRestraints)
        return;
    for (int r = 0; r < table.RowCount(); ++r) {
        cells::SetInteger(table, 0, r, reader_.ReadInteger());
        cells::SetInteger(table, 1, r, reader_.ReadInteger());
        cells::SetReal(table, 2, r, reader_.ReadReal());
        cells::SetReal(table, 3, r, reader_.ReadReal());
    }
}

void TBlockReader::ReadStiffness()
{
    TGridTable& table = tables_[WallTable::PileSect];
    for (int r = 0; r < table.RowCount(); ++r) {
        cells::SetInteger(table, 0, r, reader_.ReadInteger());
        cells::SetInteger(table, 1, r, reader_.ReadInteger());
        cells::SetInteger(table, 2, r, reader_.ReadInteger());
        cells::SetReal(table, 3, r, reader_.ReadReal());
    }
}

void TBlockReader::ReadConcentratedLoads()
{
    TGridTable& table = tables_[WallTable::ConcentratedLoads];
    const std::int32_t count = ReadCount(kLoadWords);
    table.SetRowCount(count);
    wall_.UseConcentratedLoads = count > 0;
    for (int r = 0; r < count; ++r) {
        for (int c = 0; c < 3; ++c)
            cells::SetInteger(table, c, r, reader_.ReadInteger());
        for (int c = 3; c < 6; ++c)
            cells::SetReal(table, c, r, reader_.ReadReal());
    }
}

void TBlockReader::ReadSprings()
{
    TGridTable& table = tables_[WallTable::Springs];
    const std::int32_t count = ReadCount(kSpringWords);
    table.SetRowCount(count);
    wall_.UseSprings = count > 0;
    // The file puts the nodes before the choice, the table the choice first.
    for (int r = 0; r < count; ++r) {
        cells::SetInteger(table, 1, r, reader_.ReadInteger());
        cells::SetInteger(table, 2, r, reader_.ReadInteger());
        cells::SetInteger(table, 0, r, reader_.ReadInteger());
        cells::SetReal(table, 3, r, reader_.ReadReal());
        cells::SetReal(table, 4, r, reader_.ReadReal());
    }
}

void TBlockReader::ReadPyModifiers()
{
    TGridTable& table = tables_[WallTable::PYMod];
    const UnitSystem units = table.UnitSystem();
    for (int r = 0; r < table.RowCount(); ++r) {
        cells::SetReal(table, 0, r, ReadTableReal("PYMod", 0, units));
        cells::SetReal(table, 1, r, reader_.ReadReal());
        cells::SetReal(table, 2, r, reader_.ReadReal());
    }
    wall_.UsePyModifiers = table.RowCount() > 0;
}

void TBlockReader::ReadDistributedLoads(TGridTable& table, const char* name)
{
    const std::int32_t count = ReadCount(kDistributedWords);
    table.SetRowCount(count);
    const UnitSystem units = table.UnitSystem();
    for (int r = 0; r < count; ++r) {
        cells::SetReal(table, 0, r, ReadTableReal(name, 0, units));
        cells::SetReal(table, 1, r, ReadTableReal(name, 1, units));
    }
}

void TBlockReader::ReadWallConfiguration()
{
    wall_.WallHeight = reader_.ReadReal();
    wall_.ActiveWidth = reader_.ReadReal();
    wall_.PyWidth = reader_.ReadReal();
    wall_.WaterDepthBackfill = reader_.ReadReal();
    wall_.WaterDepthExcavation = reader_.ReadReal();
    // 0.036 is how older versions stored the unmodified factor.
    const long double factor = reader_.ReadReal();
    wall_.ActivePressureFactor = factor == 0.036L ? 1.0L : factor;
    wall_.ConfigurationCode = reader_.ReadInteger();
    wall_.BackfillSlope = reader_.ReadReal();

    wall_.TopSurcharge = reader_.ReadReal();
    TLegacySurcharge& s = wall_.LegacySurcharge;
    s.Distance = reader_.ReadReal();
    s.PointLoad = reader_.ReadReal();
    s.LineLoad = reader_.ReadReal();
    s.StripLoad = reader_.ReadReal();
    s.StripWidth = reader_.ReadReal();
}

void TBlockReader::ReadSurcharges()
{
    TGridTable& table = tables_[WallTable::SurchargeTable];
    if (layout_ == TFileLayout::Current) {
        const std::int32_t count = ReadCount(kSurchargeWords);
        table.SetRowCount(count);
        wall_.UseSurcharge = count > 0;
        for (int r = 0; r < count; ++r) {
            cells::SetInteger(table, 0, r, reader_.ReadInteger());
            for (int c = 1; c < 4; ++c)
                cells::SetReal(table, c, r, reader_.ReadReal());
        }
        return;
    }
    // The older layouts kept one point, one line and one strip load at a
    // common distance on the surcharge line. Without a distance there are
    // none, whatever an earlier stage read into the same wall had.
    const TLegacySurcharge& s = wall_.LegacySurcharge;
    if (s.Distance <= 0) {
        table.SetRowCount(0);
        wall_.UseSurcharge = false;
    } else {
        table.SetRowCount(3);
        const long double magnitudes[3] = {s.PointLoad, s.LineLoad, s.StripLoad};
        for (int r = 0; r < 3; ++r) {
            cells::SetInteger(table, 0, r, r + 1);
            cells::SetReal(table, 1, r, magnitudes[r]);
            cells::SetReal(table, 2, r, s.Distance);
            cells::SetReal(table, 3, r, s.StripWidth);
        }
        wall_.UseSurcharge = true;
    }
}

void TBlockReader::ReadSoilLayers(TGridTable& table, const char* name)
{
    const bool version20 = layout_ == TFileLayout::Version20;
    const std::int32_t count = ReadCount(version20 ? 2 : 14);
    table.SetRowCount(count);
    const UnitSystem units = table.UnitSystem();
    long double depth = 0;
    for (int r = 0; r < count; ++r) {
        const std::int32_t soilType = reader_.ReadInteger();
        if (!FindSoilType(soilType))
            Fail("A soil type from " + std::to_string(kFirstSoilCode) + " to " + std::to_string(kLastSoilCode) +
                 " was expected but not found.");
        // A new choice replaces the row's parameter table by a fresh copy of its type's template.
        cells::SetInteger(table, 0, r, soilType);
        TGridTable* parameters = cells::Sub(table, 2, r);
        if (!parameters)
            throw TorvikError("The soil layer table has no parameter table for soil type " + std::to_string(soilType));
        parameters->SetRowCount(parameters->MinRows());
        if (version20) {
            depth += reader_.ReadReal();  // the file gives thicknesses
            if (!InValueRange(depth))
                Fail("The depth of this layer's bottom lies outside " + ValueRangeText() + ".");
            cells::SetReal(table, 1, r, depth);
            ReadVersion20Parameters(*parameters, soilType);
        } else {
            cells::SetReal(table, 1, r, ReadTableReal(name, 1, units));
            ReadSoilParameters(*parameters, soilType, 0);
            ReadSoilParameters(*parameters, soilType, 1);
        }
    }
}

void TBlockReader::ReadSoilParameters(TGridTable& parameters, int soilType, int row)
{
    const SoilTypeTraits& traits = *FindSoilType(soilType);
    const char* name = traits.Template;
    const UnitSystem units = parameters.UnitSystem();
    for (int position = 0; position < kLinePositions; ++position) {
        const int column = traits.LineColumns[static_cast<std::size_t>(position)];
        if (column < 0) {
            reader_.ReadWord();
            continue;
        }
        const long double value = ReadTableReal(name, column, units);
        if (row < parameters.RowCount())
            cells::SetReal(parameters, column, row, value);
    }
}

void TBlockReader::ReadVersion20Parameters(TGridTable& parameters, int soilType)
{
    const SoilTypeTraits& traits = *FindSoilType(soilType);
    if (!traits.HasVersion20Line)
        return;
    for (int position = 0; position < kVersion20Values; ++position) {
        const int column = traits.LineColumns[static_cast<std::size_t>(position)];
        if (column < 0) {
            reader_.ReadWord();
            continue;
        }
        const long double value = reader_.ReadReal();
        for (int row = 0; row < parameters.RowCount() && row < 2; ++row)
            cells::SetReal(parameters, column, row, value);
    }
}

void TBlockReader::ReadExternalPyCurves()
{
    TGridTable& table = tables_[WallTable::PYCurves];
    wall_.UseExternalPyCurves = table.RowCount() > 0;
    for (int r = 0; r < table.RowCount(); ++r) {
        cells::SetInteger(table, 0, r, reader_.ReadInteger());
        const std::int32_t points = ReadCount(kPointWords);
        TGridTable* curve = cells::Sub(table, 1, r);
        if (!curve)
            throw TorvikError("The p-y curve table has no curve table in row " + std::to_string(r + 1));
        curve->SetRowCount(points);
        cells::SetReal(table, 2, r, 1.0L);
        cells::SetReal(table, 3, r, 1.0L);
        if (layout_ == TFileLayout::Current) {
            cells::SetReal(table, 2, r, reader_.ReadReal());
            cells::SetReal(table, 3, r, reader_.ReadReal());
        }
        for (int p = 0; p < points; ++p) {
            cells::SetReal(*curve, 0, p, reader_.ReadReal());
            cells::SetReal(*curve, 1, p, reader_.ReadReal());
        }
    }
}

void TBlockReader::ReadMeiCurves()
{
    TGridTable& table = tables_[WallTable::MEICurves];
    if (!wall_.UseMeiCurves)
        return;
    for (int r = 0; r < table.RowCount(); ++r) {
        cells::SetInteger(table, 0, r, reader_.ReadInteger());
        cells::SetInteger(table, 1, r, reader_.ReadInteger());
        const std::int32_t points = ReadCount(kPointWords);
        TGridTable* curve = cells::Sub(table, 2, r);
        if (!curve)
            throw TorvikError("The moment-EI table has no curve table in row " + std::to_string(r + 1));
        curve->SetRowCount(points);
        for (int p = 0; p < points; ++p) {
            cells::SetReal(*curve, 0, p, reader_.ReadReal());
            cells::SetReal(*curve, 1, p, reader_.ReadReal());
        }
    }
    wall_.UseMeiCurves = table.RowCount() > 0;
}
