#include "verify/PassiveCoefficients.h"

#include "engine/PassiveLimit.h"
#include "units/Constants.h"

#include <cmath>
#include <string>

namespace {

struct TabledCoefficient {
    double phi;         // degrees
    int thirds;         // delta/phi' in thirds
    double coefficient; // Kp / cos(delta), as tabled
};

// Kerisel and Absi (1990), lambda = 0, beta = 0, delta/phi' = -1/3, -2/3, -1
// (their sign for the passive case in which the soil rises against the wall).
const TabledCoefficient kTable[] = {
    {30, 1, 4.0}, {30, 2, 5.3}, {30, 3, 6.5}, {40, 1, 7.6}, {40, 2, 12}, {40, 3, 18},
};

// Half a unit of the second significant figure, relative to the value.
double HalfUnitOfTheSecondFigure(double value)
{
    return 0.5 * std::pow(10.0, std::floor(std::log10(value)) - 1) / value;
}

}  // namespace

void PassiveCoefficients(std::vector<VerificationCase>& out)
{
    const std::string group = "Passive limit with wall friction: Kerisel and Absi (1990)";
    for (const TabledCoefficient& t : kTable) {
        engine::SoilParameters sand;
        sand.frictionAngle = t.phi;
        const engine::WallContact contact{t.thirds / 3.0, 0};
        const double delta = t.phi * t.thirds / 3.0;
        const double limit = engine::PassiveLimit(engine::SoilType::Sand, sand, contact, 1.0, 1.0);
        const double computed = limit / std::cos(delta * kPi / 180);
        const double error = std::abs(computed / t.coefficient - 1);
        const std::string ratio = t.thirds == 3 ? "1" : std::to_string(t.thirds) + "/3";
        const std::string name = "phi' " + std::to_string(static_cast<int>(t.phi)) + ", delta/phi' " + ratio + ": Kp / cos(delta)";
        out.push_back({group, name, computed, t.coefficient, error, HalfUnitOfTheSecondFigure(t.coefficient)});
    }
}
