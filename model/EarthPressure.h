#pragma once
#include <optional>

// The earth pressure on the retained side of the wall, one choice of the
// Options menu. The numbers are those of header item 5 of the data file's
// first block.
enum class TEarthPressure {
    None = 0,
    ByUser = 1,  // the distributed loads of the user's tables DistLoad and LongDist
    Triangular = 2,  // generated from the soil layers, a triangular distribution
    Trapezoidal = 3,  // generated, the apparent-pressure trapezoid of anchored walls
};

// The choice a header item 5 names; none for a number other than 0 to 3.
std::optional<TEarthPressure> EarthPressureOfCode(int code);
constexpr int EarthPressureCode(TEarthPressure kind)
{
    return static_cast<int>(kind);
}

// The user's tables of distributed loads take part in the analysis.
constexpr bool UsesUserPressure(TEarthPressure kind)
{
    return kind == TEarthPressure::ByUser;
}
// The pressure is generated from the soil layers and the wall configuration.
constexpr bool GeneratesPressure(TEarthPressure kind)
{
    return kind == TEarthPressure::Triangular || kind == TEarthPressure::Trapezoidal;
}

// How a block of a file writes a generated earth pressure (header item 5).
enum class TGeneratedPressure {
    // The choice itself: 2 triangular, 3 trapezoidal (the first block of a data file).
    Kind,
    // Always 2: the long-term block has no distribution of its own.
    Triangular,
    // 3 for the trapezoid, else 2 (stage files). Stage files once carried 2
    // whatever the kind; the trapezoid chosen for a stage was lost with it.
    TrapezoidOrTriangular,
};

// Header item 5 of a block: 1 for the user's pressure; for a generated one,
// or for p-y curves generated from the soil (whose section the item opens),
// the number `rule` gives; 0 otherwise. With no pressure chosen, the first
// block says 0 even while p-y curves are generated.
int EarthPressureOption(TEarthPressure kind, bool generatePyCurves, TGeneratedPressure rule);
