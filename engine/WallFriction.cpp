#include "engine/WallFriction.h"

#include "units/Constants.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

double Radians(double degrees)
{
    return degrees * kPi / 180.0;
}

}  // namespace

double CoulombActiveCoefficient(double phi, double beta, double delta)
{
    const double f = Radians(phi), b = Radians(beta), d = Radians(delta);
    const double root = std::sqrt(std::max(0.0, std::sin(f + d) * std::sin(f - b) / (std::cos(d) * std::cos(b))));
    return std::cos(f) * std::cos(f) / ((1 + root) * (1 + root));
}

double CurvedSurfacePassiveCoefficient(double phi, double delta)
{
    const double f = Radians(phi), d = Radians(delta);
    if (!(f > 0) || !(d > 0))
        return std::pow(std::tan(kPi / 4 + f / 2), 2);
    // sin(delta) / sin(phi) reaches 1 at delta = phi; rounding must not take it past.
    const double ratio = std::min(1.0, std::sin(d) / std::sin(f));
    const double mt = 0.5 * (kPi / 2 - f);
    const double mw = 0.5 * (std::acos(ratio) - f - d);
    const double nu = mt - mw;
    return (1 + std::sin(f) * std::sin(2 * mw + f)) / (1 - std::sin(f)) * std::exp(2 * nu * std::tan(f));
}

double CohesionFactor(double k, double adhesionRatio)
{
    return 2 * std::sqrt(k * (1 + adhesionRatio));
}

std::vector<WallContact> WallContactByLayer(const TWallSettings& settings, std::size_t layerCount)
{
    std::vector<WallContact> contact;
    for (const TWallFrictionSettings& w : settings.wallFriction) {
        if (w.layer < 1 || static_cast<std::size_t>(w.layer) > layerCount ||
            (w.frictionRatio == 0 && w.adhesionRatio == 0))
            continue;
        contact.resize(layerCount);
        contact[static_cast<std::size_t>(w.layer) - 1] = {w.frictionRatio, w.adhesionRatio};
    }
    return contact;
}

void ApplyWallContact(std::vector<SoilLayer>& layers, const TWallSettings& settings)
{
    const std::vector<WallContact> contact = WallContactByLayer(settings, layers.size());
    for (std::size_t i = 0; i < contact.size(); ++i)
        layers[i].contact = contact[i];
}

}  // namespace engine
