#include "engine/WallFileReader.h"

#include "model/FileLayout.h"
#include "model/FileUnits.h"
#include "model/SoilType.h"
#include "model/WordReader.h"
#include "units/TorvikError.h"
#include "units/Units.h"
#include "units/ValueRange.h"

#include <array>
#include <cstdint>

namespace {

// Words of the shortest row of each section, for the count checks.
constexpr int kRestraintWords = 4;
constexpr int kStiffnessWords = 4;
constexpr int kModifierWords = 3;
constexpr int kLoadWords = 6;
constexpr int kSpringWords = 5;
constexpr int kDistributedWords = 2;
constexpr int kSurchargeWords = 4;
constexpr int kLayerWords = 14;
constexpr int kCurveWords = 4;
constexpr int kMeiCurveWords = 3;
constexpr int kPointWords = 2;


// The items of one block, in the order the file holds them.
class BlockReader {
public:
    explicit BlockReader(TWordReader& reader) : r_(reader) { }

    WallBlock Read()
    {
        b_.title = r_.ReadLine();
        ReadHeader();
        b_.nodeCount = r_.ReadInteger();
        b_.increment = Real();
        b_.maxDeflection = Real();
        b_.tolerance = Real();
        b_.wallHeight = Real();
        for (std::int32_t i = 0; i < restraints_; ++i) {
            RestraintRow row;
            row.kind = r_.ReadInteger();
            row.node = r_.ReadInteger();
            row.deflection = Real();
            row.slope = Real();
            b_.restraints.push_back(row);
        }
        ReadStiffness();
        ReadLoads();
        ReadSprings();
        for (std::int32_t i = 0; i < modifiers_; ++i) {
            engine::PyModifierRow row;
            row.depth = TableReal("PYMod", 0);
            row.pMultiplier = Real();
            row.yMultiplier = Real();
            b_.modifiers.push_back(row);
        }
        if (b_.earthPressureOption == 1)
            ReadUserLoads();
        // A p-y option beyond 2 has the soil section but does not use it.
        if (b_.earthPressureOption > 1 || b_.pyCurveOption > 1) {
            WallBlock soil;
            ReadWallConfiguration(soil);
            ReadSoil(soil);
            // The section's excavation depth replaces that of line 3.
            b_.wallHeight = soil.wallHeight;
            if (b_.earthPressureOption > 1 || b_.pyCurveOption == 2)
                TakeSoil(soil);
        }
        ReadExternalCurves();
        ReadMeiCurves();
        return std::move(b_);
    }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw EInOutError("Error on Line " + std::to_string(r_.LineIndex() + 1) + " Item " +
                          std::to_string(r_.WordIndex()) + "\r" + what);
    }

    double Real() { return static_cast<double>(r_.ReadReal()); }

    // A real of a column that the editor may show in other units: the file is
    // refused when the value would lie beyond the range of every value there.
    double TableReal(const char* table, int column)
    {
        const long double value = r_.ReadReal();
        const FileUnitFactor f = FileFactor(table, column, b_.unitSystem);
        if (!InValueRange(value * f.Divide / f.Multiply))
            Fail("In the units of the table this value lies outside " + ValueRangeText() + ".");
        return static_cast<double>(value);
    }

    // A row count that needs at least `wordsPerRow` words per row.
    std::int32_t Count(int wordsPerRow)
    {
        const std::int32_t count = r_.ReadInteger();
        if (count < 0)
            Fail("A row count of " + std::to_string(count) + " is not possible.");
        if (static_cast<long long>(count) * wordsPerRow > r_.RemainingWords())
            Fail("A row count of " + std::to_string(count) + " is more than the rest of the file holds.");
        return count;
    }

    void ReadHeader()
    {
        // A unit system outside 1 to 3 is taken as the nearest one.
        b_.unitSystem = NormalizeUnitSystem(r_.ReadInteger());
        restraints_ = Count(kRestraintWords);
        stiffness_ = Count(kStiffnessWords);
        modifiers_ = Count(kModifierWords);
        b_.earthPressureOption = r_.ReadInteger();
        // Any other number would silently apply no earth pressure at all.
        if (b_.earthPressureOption < 0 || b_.earthPressureOption > 3)
            Fail("The earth-pressure option must be from 0 to 3; the file gives " +
                 std::to_string(b_.earthPressureOption) + ".");
        b_.pyCurveOption = r_.ReadInteger();
        curves_ = Count(kCurveWords);
        const std::int32_t stages = r_.ReadInteger();
        if (stages < 1 || stages > 5)
            Fail("The number of stages must be from 1 to 5; the file gives " + std::to_string(stages) + ".");
        b_.stageCount = stages;
        meiCurves_ = Count(kMeiCurveWords);
    }

    void ReadStiffness()
    {
        for (std::int32_t i = 0; i < stiffness_; ++i) {
            RangeRow row;
            row.from = r_.ReadInteger();
            row.to = r_.ReadInteger();
            row.choice = r_.ReadInteger();
            row.values.push_back(Real());
            b_.stiffness.push_back(row);
        }
    }

    // A range row whose choice comes first: choice, from and to, then `values` reals.
    RangeRow ChoiceFirstRow(int values)
    {
        RangeRow row;
        row.choice = r_.ReadInteger();
        row.from = r_.ReadInteger();
        row.to = r_.ReadInteger();
        for (int v = 0; v < values; ++v)
            row.values.push_back(Real());
        return row;
    }

    void ReadLoads()
    {
        const std::int32_t count = Count(kLoadWords);
        for (std::int32_t i = 0; i < count; ++i)
            b_.loads.push_back(ChoiceFirstRow(3));
    }

    void ReadSprings()
    {
        const std::int32_t count = Count(kSpringWords);
        // The nodes come before the choice here.
        for (std::int32_t i = 0; i < count; ++i) {
            RangeRow row;
            row.from = r_.ReadInteger();
            row.to = r_.ReadInteger();
            row.choice = r_.ReadInteger();
            row.values.push_back(Real());
            row.values.push_back(Real());
            b_.springs.push_back(row);
        }
    }

    void ReadUserLoads()
    {
        const std::int32_t count = Count(kDistributedWords);
        for (std::int32_t i = 0; i < count; ++i) {
            engine::DepthLoad load;
            load.depth = TableReal("DistLoad", 0);
            load.load = TableReal("DistLoad", 1);
            b_.userLoads.push_back(load);
        }
    }

    void ReadWallConfiguration(WallBlock& soil)
    {
        soil.wallHeight = Real();
        soil.activeWidth = Real();
        soil.pyWidth = Real();
        soil.waterDepthBackfill = Real();
        soil.waterDepthExcavation = Real();
        // 0.036 is how older versions stored the unmodified factor.
        const long double factor = r_.ReadReal();
        soil.activePressureFactor = factor == 0.036L ? 1.0 : static_cast<double>(factor);
        soil.configurationCode = r_.ReadInteger();
        soil.backfillSlope = Real();
        soil.topSurcharge = Real();
        // The surcharge line of older versions (distance, point, line and strip
        // load, strip width): the surcharge table below replaces it.
        for (int i = 0; i < 5; ++i)
            r_.ReadReal();
        const std::int32_t surcharges = Count(kSurchargeWords);
        for (std::int32_t i = 0; i < surcharges; ++i) {
            engine::SurchargeLoad s;
            s.type = r_.ReadInteger();
            s.magnitude = Real();
            s.distance = Real();
            s.width = Real();
            soil.surcharges.push_back(s);
        }
    }

    void ReadSoil(WallBlock& soil)
    {
        const std::int32_t count = Count(kLayerWords);
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t choice = r_.ReadInteger();
            if (choice < kFirstSoilCode || choice > kLastSoilCode)
                Fail("A soil type from 1 to 7 was expected but not found.");
            engine::SoilLayer layer;
            layer.type = engine::SoilTypeFromChoice(choice, i + 1);
            layer.bottomDepth = TableReal("NewSoil", 1);
            layer.top = engine::SoilParametersFromLine(layer.type, ParameterLine(layer.type));
            layer.bottom = engine::SoilParametersFromLine(layer.type, ParameterLine(layer.type));
            soil.layers.push_back(layer);
        }
    }

    // The six positions of a parameter line; a position the kind of soil does
    // not have reads as 0, whatever word holds its place.
    std::array<double, 6> ParameterLine(engine::SoilType type)
    {
        const SoilTypeTraits& soil = TraitsOf(type);
        std::array<double, 6> values{};
        for (std::size_t position = 0; position < values.size(); ++position) {
            const int column = soil.LineColumns[position];
            if (column < 0)
                r_.ReadWord();
            else
                values[position] = TableReal(soil.Template, column);
        }
        return values;
    }

    void TakeSoil(WallBlock& soil)
    {
        b_.activeWidth = soil.activeWidth;
        b_.pyWidth = soil.pyWidth;
        b_.waterDepthBackfill = soil.waterDepthBackfill;
        b_.waterDepthExcavation = soil.waterDepthExcavation;
        b_.activePressureFactor = soil.activePressureFactor;
        b_.configurationCode = soil.configurationCode;
        b_.backfillSlope = soil.backfillSlope;
        b_.topSurcharge = soil.topSurcharge;
        b_.surcharges = std::move(soil.surcharges);
        b_.layers = std::move(soil.layers);
    }

    std::vector<std::pair<double, double>> Points(std::int32_t count)
    {
        std::vector<std::pair<double, double>> points;
        for (std::int32_t p = 0; p < count; ++p) {
            const double first = Real();
            points.emplace_back(first, Real());
        }
        return points;
    }

    void ReadExternalCurves()
    {
        for (std::int32_t i = 0; i < curves_; ++i) {
            engine::ExternalCurveInput curve;
            curve.node = r_.ReadInteger();
            const std::int32_t points = Count(kPointWords);
            curve.pMultiplier = Real();
            curve.yMultiplier = Real();
            curve.points = Points(points);
            // Without a p-y option the curves are read but not used.
            if (b_.pyCurveOption >= 1)
                b_.externalCurves.push_back(std::move(curve));
        }
    }

    void ReadMeiCurves()
    {
        for (std::int32_t i = 0; i < meiCurves_; ++i) {
            MomentEiCurve curve;
            curve.from = r_.ReadInteger();
            curve.to = r_.ReadInteger();
            curve.points = Points(Count(kPointWords));
            b_.meiCurves.push_back(std::move(curve));
        }
    }

    TWordReader& r_;
    WallBlock b_;
    std::int32_t restraints_ = 0, stiffness_ = 0, modifiers_ = 0, curves_ = 0, meiCurves_ = 0;
};

}  // namespace

WallBlock WallFileReader::ReadBlock(TWordReader& reader)
{
    return BlockReader(reader).Read();
}

std::vector<WallFileBlock> WallFileReader::Read(TWordReader& reader)
{
    std::vector<WallFileBlock> out;
    WallBlock first = ReadBlock(reader);
    const int stages = first.stageCount;
    if (stages > 1) {
        // Each stage's block ends with the line of its number.
        out.push_back({"Stage 1 of " + std::to_string(stages), std::move(first)});
        for (int k = 2; k <= stages; ++k) {
            const int number = reader.ReadInteger();
            if (number != k - 1)
                throw EInOutError("Stage " + std::to_string(k - 1) + " of the staged file ends with the number " +
                                  std::to_string(number) + " instead of its own.");
            reader.ReadLine();  // the rest of the stage-number line
            out.push_back({"Stage " + std::to_string(k) + " of " + std::to_string(stages), ReadBlock(reader)});
        }
        reader.ReadInteger();
        return out;
    }
    const int marker = reader.ReadInteger();
    if (marker != kLongTermMarker) {
        out.push_back({"Analysis", std::move(first)});
        return out;
    }
    out.push_back({"Short-term case", std::move(first)});
    reader.ReadLine();  // the rest of the marker line
    out.push_back({"Long-term case", ReadBlock(reader)});
    reader.ReadInteger();
    return out;
}

std::vector<WallFileBlock> WallFileReader::Read(const std::string& path)
{
    TWordReader reader(path);
    return Read(reader);
}
