#include "model/BlockWriter.h"

#include "model/FileUnits.h"
#include "model/WallDocument.h"
#include "model/ProgramData.h"
#include "model/SoilType.h"
#include "model/TableCells.h"
#include "tables/WallTables.h"
#include "units/NumberFormat.h"
#include "units/Units.h"

namespace {

constexpr char TAB = '\t';
constexpr char SP = ' ';
// A soil value that the soil type does not have; it carries its own spaces.
constexpr const char* kAbsent = "0.0  ";

std::string Int(long long value)
{
    return std::to_string(value);
}

}  // namespace

TBlockWriter::TBlockWriter(TProgramData& wall, std::string& out)
    : wall_(wall), tables_(wall.Document().Tables()), out_(out)
{
}

int TBlockWriter::Rows(WallTable table) const
{
    return RowsToWrite(tables_, wall_.Padding, static_cast<int>(table));
}

void TBlockWriter::WriteLine(const std::string& text)
{
    out_ += text;
    out_ += "\r\n";
}

void TBlockWriter::WriteRowTexts(TGridTable& table, int row, int firstColumn, int lastColumn)
{
    std::string line;
    for (int c = firstColumn; c <= lastColumn; ++c) {
        if (c > firstColumn)
            line += TAB;
        line += cells::Text(table, c, row);
    }
    WriteLine(line);
}

void TBlockWriter::WriteBlock(const TBlockOptions& options)
{
    PrepareOptions(options);
    WriteLine(options.FirstLine);
    WriteHeader();
    WriteLine(Int(wall_.NodeCount) + SP + FormatFloat8(wall_.IncrementLength) + TAB +
              FormatFloat8(wall_.MaxDeflection) + TAB + FormatFloat8(wall_.ClosureTolerance) + TAB +
              FormatFloat8(wall_.WallHeight));
    WriteRestraints();
    WriteStiffness();
    WriteConcentratedLoads();
    WriteSprings();
    WritePyModifiers();
    if (earthPressureOption_ == 1) {
        if (options.LongTermTables)
            WriteDistributedLoads(WallTable::LongDist, "LongDist");
        else
            WriteDistributedLoads(WallTable::DistLoad, "DistLoad");
    }
    if (earthPressureOption_ > 1 || wall_.PyCurveOption == 2) {
        WriteWallConfiguration();
        WriteSurcharges();
        if (options.LongTermTables)
            WriteSoilLayers(WallTable::LongSoil, "LongSoil");
        else
            WriteSoilLayers(WallTable::NewSoil, "NewSoil");
    }
    WriteExternalPyCurves();
    WriteMeiCurves();
}

void TBlockWriter::PrepareOptions(const TBlockOptions& options)
{
    // Switched-off options lose their rows in the open wall, not only in the file.
    if (!wall_.UseConcentratedLoads)
        tables_[WallTable::ConcentratedLoads].SetRowCount(0);
    if (!wall_.UseRestraints)
        tables_[WallTable::BoundaryConditions].SetRowCount(0);
    if (!wall_.UseExternalPyCurves)
        tables_[WallTable::PYCurves].SetRowCount(0);
    if (!wall_.UsePyModifiers)
        tables_[WallTable::PYMod].SetRowCount(0);

    earthPressureOption_ = EarthPressureOption(wall_.EarthPressureKind, wall_.GeneratePyCurves, options.Generated);
    wall_.PyCurveOption = wall_.GeneratePyCurves ? 2 : wall_.UseExternalPyCurves ? 1 : 0;
    wall_.MeiCurveCount = wall_.UseMeiCurves ? Rows(WallTable::MEICurves) : 0;

    TGridTable& stiffness = tables_[WallTable::PileSect];
    if (Rows(WallTable::PileSect) > 0)
        cells::SetInteger(stiffness, 2, Rows(WallTable::PileSect) - 1, 1);
}

void TBlockWriter::WriteHeader()
{
    WriteLine(Int(UnitSystemCode(wall_.UnitSystem())) + SP + Int(Rows(WallTable::BoundaryConditions)) + TAB +
              Int(Rows(WallTable::PileSect)) + TAB + Int(Rows(WallTable::PYMod)) + TAB + Int(earthPressureOption_) +
              TAB + Int(wall_.PyCurveOption) + SP + Int(Rows(WallTable::PYCurves)) + SP + Int(wall_.StageCount) + SP +
              Int(wall_.MeiCurveCount));
}

void TBlockWriter::WriteRestraints()
{
    TGridTable& table = tables_[WallTable::BoundaryConditions];
    for (int r = 0; r < Rows(WallTable::BoundaryConditions); ++r)
        WriteRowTexts(table, r, 0, 3);
}

void TBlockWriter::WriteStiffness()
{
    TGridTable& table = tables_[WallTable::PileSect];
    for (int r = 0; r < Rows(WallTable::PileSect); ++r)
        WriteRowTexts(table, r, 0, 3);
}

void TBlockWriter::WriteConcentratedLoads()
{
    TGridTable& table = tables_[WallTable::ConcentratedLoads];
    WriteLine(Int(Rows(WallTable::ConcentratedLoads)));
    for (int r = 0; r < Rows(WallTable::ConcentratedLoads); ++r)
        WriteRowTexts(table, r, 0, 5);
}

void TBlockWriter::WriteSprings()
{
    TGridTable& table = tables_[WallTable::Springs];
    if (!wall_.UseSprings)
        table.SetRowCount(0);
    WriteLine(Int(Rows(WallTable::Springs)));
    // The file puts the nodes before the choice, the table the choice first.
    for (int r = 0; r < Rows(WallTable::Springs); ++r)
        WriteLine(cells::Text(table, 1, r) + TAB + cells::Text(table, 2, r) + TAB + cells::Text(table, 0, r) + TAB +
                  cells::Text(table, 3, r) + TAB + cells::Text(table, 4, r));
}

void TBlockWriter::WritePyModifiers()
{
    TGridTable& table = tables_[WallTable::PYMod];
    if (!wall_.UsePyModifiers)
        return;
    const UnitSystem units = table.UnitSystem();
    for (int r = 0; r < Rows(WallTable::PYMod); ++r)
        WriteLine(FormatFloat8(ToFileUnits(cells::Real(table, 0, r), "PYMod", 0, units)) + TAB +
                  cells::Text(table, 1, r) + TAB + cells::Text(table, 2, r));
}

void TBlockWriter::WriteDistributedLoads(WallTable which, const char* name)
{
    TGridTable& table = tables_[which];
    const UnitSystem units = table.UnitSystem();
    WriteLine(Int(Rows(which)));
    for (int r = 0; r < Rows(which); ++r)
        WriteLine(FormatFloat8(ToFileUnits(cells::Real(table, 0, r), name, 0, units)) + TAB +
                  FormatFloat8(ToFileUnits(cells::Real(table, 1, r), name, 1, units)));
}

void TBlockWriter::WriteWallConfiguration()
{
    WriteLine(FormatFloat8(wall_.WallHeight) + TAB + FormatFloat8(wall_.ActiveWidth) + TAB +
              FormatFloat8(wall_.PyWidth) + TAB + FormatFloat8(wall_.WaterDepthBackfill) + TAB +
              FormatFloat8(wall_.WaterDepthExcavation) + TAB + FormatFloat8(wall_.ActivePressureFactor) + TAB +
              Int(wall_.ConfigurationCode) + TAB + FormatFloat8(wall_.BackfillSlope));
    const TLegacySurcharge& s = wall_.LegacySurcharge;
    WriteLine(FormatFloat8(wall_.TopSurcharge) + TAB + FormatFloat8(s.Distance) + TAB + FormatFloat8(s.PointLoad) +
              TAB + FormatFloat8(s.LineLoad) + TAB + FormatFloat8(s.StripLoad) + TAB + FormatFloat8(s.StripWidth));
}

void TBlockWriter::WriteSurcharges()
{
    TGridTable& table = tables_[WallTable::SurchargeTable];
    if (!wall_.UseSurcharge)
        table.SetRowCount(0);
    WriteLine(Int(Rows(WallTable::SurchargeTable)));
    for (int r = 0; r < Rows(WallTable::SurchargeTable); ++r)
        WriteRowTexts(table, r, 0, 3);
}

void TBlockWriter::WriteSoilLayers(WallTable which, const char* name)
{
    TGridTable& table = tables_[which];
    const UnitSystem units = table.UnitSystem();
    WriteLine(Int(Rows(which)));
    for (int r = 0; r < Rows(which); ++r) {
        const int soilType = cells::Integer(table, 0, r);
        WriteLine(Int(soilType) + SP + FormatFloat8(ToFileUnits(cells::Real(table, 1, r), name, 1, units)) + SP);
        TGridTable* parameters = cells::Sub(table, 2, r);
        WriteSoilParameters(parameters, soilType, 0);
        WriteSoilParameters(parameters, soilType, 1);
    }
}

void TBlockWriter::WriteSoilParameters(TGridTable* parameters, int soilType, int row)
{
    // A type outside the catalogue has no parameter table; its values are written as 0.
    const SoilTypeTraits* found = FindSoilType(soilType);
    const SoilTypeTraits& traits = found ? *found : SoilTypeTable().front();
    const bool hasRow = parameters && row < parameters->RowCount();
    const UnitSystem units = parameters ? parameters->UnitSystem() : UnitSystem::English;
    std::string line;
    for (int position = 0; position < kLinePositions; ++position) {
        const int column = traits.LineColumns[static_cast<std::size_t>(position)];
        if (column < 0) {
            line += kAbsent;
            continue;
        }
        const char* name = traits.Template;
        const FileUnitFactor factor = FileFactor(name, column, units);
        if (!hasRow || column >= parameters->ColumnCount())
            line += "0";
        else if (factor.Multiply != 1 || factor.Divide != 1)
            line += FormatFloat8(cells::Real(*parameters, column, row) * factor.Multiply / factor.Divide);
        else
            line += cells::Text(*parameters, column, row);
        line += SP;
    }
    WriteLine(line);
}

void TBlockWriter::WriteExternalPyCurves()
{
    TGridTable& table = tables_[WallTable::PYCurves];
    if (!wall_.UseExternalPyCurves)
        return;
    for (int r = 0; r < Rows(WallTable::PYCurves); ++r) {
        TGridTable* curve = cells::Sub(table, 1, r);
        const int points = curve ? curve->RowCount() : 0;
        WriteLine(cells::Text(table, 0, r) + TAB + Int(points) + TAB + cells::Text(table, 2, r) + TAB +
                  cells::Text(table, 3, r));
        for (int p = 0; p < points; ++p)
            WriteRowTexts(*curve, p, 0, 1);
    }
}

void TBlockWriter::WriteMeiCurves()
{
    TGridTable& table = tables_[WallTable::MEICurves];
    if (!wall_.UseMeiCurves)
        return;
    for (int r = 0; r < Rows(WallTable::MEICurves); ++r) {
        TGridTable* curve = cells::Sub(table, 2, r);
        const int points = curve ? curve->RowCount() : 0;
        WriteLine(Int(cells::Integer(table, 0, r)) + TAB + Int(cells::Integer(table, 1, r)) + TAB + Int(points));
        for (int p = 0; p < points; ++p)
            WriteRowTexts(*curve, p, 0, 1);
    }
}
