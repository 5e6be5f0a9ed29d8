#include "ui/rules/DialogValues.h"
#include "units/Units.h"

#include "model/ProgramData.h"
#include "model/UnitSwitch.h"
#include "units/NumberFormat.h"

long double ShownValue(TShownUnit unit, long double stored, UnitSystem unitSystem)
{
    if (unitSystem != UnitSystem::English)
        return stored;
    switch (unit) {
    case TShownUnit::FeetForInches:
        return stored / 12;  // 12 in to the foot
    case TShownUnit::PsfForPsi:
        return stored * 144;  // 144 in^2 to the square foot
    case TShownUnit::AsStored:
        break;
    }
    return stored;
}

long double StoredValue(TShownUnit unit, long double shown, UnitSystem unitSystem)
{
    if (unitSystem != UnitSystem::English)
        return shown;
    switch (unit) {
    case TShownUnit::FeetForInches:
        return shown * 12;
    case TShownUnit::PsfForPsi:
        return shown / 144;
    case TShownUnit::AsStored:
        break;
    }
    return shown;
}

std::string TitleLine(const std::string& typed)
{
    std::string line;
    for (char c : typed)
        if (c != '\r' && c != '\n')
            line += c;
    // Cut at a character, not inside a UTF-8 sequence: count lead bytes only.
    int characters = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80 && ++characters > TitleLength)
            return line.substr(0, i);
    }
    return line;
}

bool StoreTitle(std::string& title, const std::string& typed)
{
    const std::string line = TitleLine(typed);
    if (line == title)
        return false;
    title = line;
    return true;
}

long double NoWaterTableDepth(UnitSystem unitSystem)
{
    switch (unitSystem) {
    case UnitSystem::English: return 12000;  // inches
    case UnitSystem::SI: return 300;  // metres
    default: return 1000;
    }
}

std::string WaterTableNote(long double depth, long double wallLength)
{
    if (depth >= wallLength && depth >= 0)
        return "no water table (below the wall tip)";
    if (depth < 0)
        return "above the ground surface";
    return std::string();
}

void StartWithoutWaterTable(TProgramData& wall)
{
    wall.WaterDepthBackfill = wall.WaterDepthExcavation = NoWaterTableDepth(wall.UnitSystem());
}

TStartingWall StartingWall(UnitSystem unitSystem)
{
    if (unitSystem == UnitSystem::English)
        return {100, 3.6L, 120, 12};  // inches: 0.3 ft increments, 10 ft free height, 1 ft width
    return {100, 0.1L, 3, 1};
}

void StartNewWall(TProgramData& wall)
{
    const TStartingWall start = StartingWall(wall.UnitSystem());
    wall.NodeCount = start.nodeCount;
    wall.IncrementLength = start.incrementLength;
    wall.WallHeight = start.freeHeight;
    wall.ActiveWidth = wall.PyWidth = start.width;
    StartWithoutWaterTable(wall);
}

namespace {

// Whether `value` is `reference` up to the rounding of one conversion.
bool SameValue(long double value, long double reference)
{
    const long double difference = value > reference ? value - reference : reference - value;
    return difference <= (reference < 0 ? -reference : reference) * 1e-12L;
}

}  // namespace

void AdoptStartingWall(TProgramData& wall, UnitSystem from)
{
    const TStartingWall before = StartingWall(from);
    const long double factor = ScalarSwitchFactors(from, wall.UnitSystem()).Length;
    if (wall.NodeCount != before.nodeCount || !SameValue(wall.IncrementLength, before.incrementLength * factor) ||
        !SameValue(wall.WallHeight, before.freeHeight * factor) ||
        !SameValue(wall.ActiveWidth, before.width * factor) || !SameValue(wall.PyWidth, before.width * factor))
        return;
    const TStartingWall after = StartingWall(wall.UnitSystem());
    wall.IncrementLength = after.incrementLength;
    wall.WallHeight = after.freeHeight;
    wall.ActiveWidth = wall.PyWidth = after.width;
}

void AdoptNoWaterTable(TProgramData& wall, UnitSystem from)
{
    const long double converted = NoWaterTableDepth(from) * ScalarSwitchFactors(from, wall.UnitSystem()).Length;
    for (long double* depth : {&wall.WaterDepthBackfill, &wall.WaterDepthExcavation}) {
        const long double difference = *depth > converted ? *depth - converted : converted - *depth;
        if (difference <= converted * 1e-12L)
            *depth = NoWaterTableDepth(wall.UnitSystem());
    }
}

std::string WallLengthProblem(const TProgramData& wall)
{
    const long double length = static_cast<long double>(wall.NodeCount) * wall.IncrementLength;
    if (wall.WallHeight >= 0 && wall.WallHeight < length)
        return std::string();
    const UnitSystem system = wall.UnitSystem();
    const std::string feet = system == UnitSystem::English ? " ft" : system == UnitSystem::SI ? " m" : "";
    const std::string inches = system == UnitSystem::English ? " in" : feet;
    const auto shown = [system](long double stored) {
        return FormatGeneral(ShownValue(TShownUnit::FeetForInches, stored, system), 8);
    };
    const std::string stage = wall.StageCount > 1 ? "Stage " + std::to_string(wall.CurrentStage) + ": " : std::string();
    if (wall.WallHeight < 0)
        return stage + "Free Height of Wall: the excavation depth " + shown(wall.WallHeight) + feet +
               " must not be negative.";
    return stage + "Free Height of Wall: the excavation depth " + shown(wall.WallHeight) + feet +
           " must be less than the wall's length " + shown(length) + feet + " (" + std::to_string(wall.NodeCount) +
           " increments of " + FormatGeneral(wall.IncrementLength, 8) + inches + ").";
}

std::string NodeDepthText(long long node, const TProgramData& wall)
{
    const long double depth = static_cast<long double>(node) * wall.IncrementLength;
    return FormatGeneral(ShownValue(TShownUnit::FeetForInches, depth, wall.UnitSystem()), 8);
}

std::string NodeDepthCaption(UnitSystem unitSystem)
{
    return unitSystem == UnitSystem::English ? "Depth (ft)" : unitSystem == UnitSystem::SI ? "Depth (m)" : "Depth (L)";
}
