#include "engine/Surcharge.h"

#include "units/Constants.h"

#include <cmath>

namespace engine {

namespace {
double Square(double v) { return v * v; }
double Cube(double v) { return v * v * v; }
}

double PointLoadPressure(double q, double x, double z, double h)
{
    const double m = x / h, n = z / h;
    if (m <= 0.4)
        return 0.28 * q / (h * h) * n * n / Cube(0.16 + n * n);
    return 1.77 * q / (h * h) * m * m * n * n / Cube(m * m + n * n);
}

double LineLoadPressure(double q, double x, double z, double h)
{
    const double m = x / h, n = z / h;
    if (m <= 0.4)
        return 0.20 * q / h * n / Square(0.16 + n * n);
    return 1.28 * q / h * m * m * n / Square(m * m + n * n);
}

double StripLoadPressure(double q, double x, double w, double z)
{
    // atan2 gives the limits at z = 0 as well: both angles pi/2 when x > 0 (no
    // pressure), 0 and pi/2 when x = 0 (pressure q).
    const double beta1 = std::atan2(x, z);
    const double beta2 = std::atan2(x + w, z);
    const double beta = beta2 - beta1;
    const double alpha = beta1 + beta / 2;
    return 2 * q / kPi * (beta - std::sin(beta) * std::cos(2 * alpha));
}

}  // namespace engine
