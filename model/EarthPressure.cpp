#include "model/EarthPressure.h"

std::optional<TEarthPressure> EarthPressureOfCode(int code)
{
    switch (code) {
    case 0: return TEarthPressure::None;
    case 1: return TEarthPressure::ByUser;
    case 2: return TEarthPressure::Triangular;
    case 3: return TEarthPressure::Trapezoidal;
    default: return std::nullopt;
    }
}

int EarthPressureOption(TEarthPressure kind, bool generatePyCurves, TGeneratedPressure rule)
{
    if (UsesUserPressure(kind))
        return 1;
    if (!GeneratesPressure(kind) && !generatePyCurves)
        return 0;
    switch (rule) {
    case TGeneratedPressure::Triangular: return 2;
    case TGeneratedPressure::TrapezoidOrTriangular: return kind == TEarthPressure::Trapezoidal ? 3 : 2;
    case TGeneratedPressure::Kind: break;
    }
    return EarthPressureCode(kind);
}
