#include "verify/WallFrictionCoefficients.h"

#include "engine/PassiveLimit.h"
#include "engine/WallFriction.h"
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

// Das, Principles of Geotechnical Engineering, Coulomb's Ka for a vertical
// wall and level ground with delta = 2 phi'/3: phi' and Ka.
const double kActiveTable[][2] = {{28, 0.3213}, {30, 0.2973}, {32, 0.2750}};

// Half a unit of the second significant figure, relative to the value.
double HalfUnitOfTheSecondFigure(double value)
{
    return 0.5 * std::pow(10.0, std::floor(std::log10(value)) - 1) / value;
}

}  // namespace

void WallFrictionCoefficients(std::vector<VerificationCase>& out)
{
    for (const auto& [phi, tabled] : kActiveTable) {
        const double delta = 2 * phi / 3;
        const double computed = engine::CoulombActiveCoefficient(phi, 0, delta) / std::cos(Radians(delta));
        out.push_back({"Active pressure with wall friction: Coulomb's Ka (Das)",
                       "phi' " + std::to_string(static_cast<int>(phi)) + ", delta/phi' 2/3: Ka / cos(delta)", computed,
                       tabled, std::abs(computed / tabled - 1), 0.5e-4 / tabled});
    }
    const std::string group = "Passive limit with wall friction: Kerisel and Absi (1990)";
    for (const TabledCoefficient& t : kTable) {
        engine::SoilParameters sand;
        sand.frictionAngle = t.phi;
        const engine::WallContact contact{t.thirds / 3.0, 0};
        const double delta = t.phi * t.thirds / 3.0;
        const double limit = engine::PassiveLimit(engine::SoilType::Sand, sand, contact, 1.0, 1.0);
        const double computed = limit / std::cos(Radians(delta));
        const double error = std::abs(computed / t.coefficient - 1);
        const std::string ratio = t.thirds == 3 ? "1" : std::to_string(t.thirds) + "/3";
        const std::string name = "phi' " + std::to_string(static_cast<int>(t.phi)) + ", delta/phi' " + ratio + ": Kp / cos(delta)";
        out.push_back({group, name, computed, t.coefficient, error, HalfUnitOfTheSecondFigure(t.coefficient)});
    }
}
