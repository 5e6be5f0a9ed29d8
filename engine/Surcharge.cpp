#include "engine/Surcharge.h"

#include <cmath>

namespace engine {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

double PointLoadPressure(double q, double x, double z, double h)
{
    const double m = x / h, n = z / h;
    if (m <= 0.4)
        return 0.28 * q / (h * h) * n * n / std::pow(0.16 + n * n, 3);
    return 1.77 * q / (h * h) * m * m * n * n / std::pow(m * m + n * n, 3);
}

double LineLoadPressure(double q, double x, double z, double h)
{
    const double m = x / h, n = z / h;
    if (m <= 0.4)
        return 0.20 * q / h * n / std::pow(0.16 + n * n, 2);
    return 1.28 * q / h * m * m * n / std::pow(m * m + n * n, 2);
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
