#pragma once

// Lateral pressures on the wall from loads on the retained surface: Terzaghi's
// modification of Boussinesq for a rigid wall (NAVFAC DM-7.02, USS Steel Sheet
// Piling Design Manual). Pressures in F/L^2; depths below the top of the wall.
namespace engine {

// Point load Q at distance x from the wall, on the section nearest the load;
// m = x/H, n = z/H: m <= 0.4: 0.28 (Q/H^2) n^2/(0.16 + n^2)^3,
// else 1.77 (Q/H^2) m^2 n^2/(m^2 + n^2)^3.
double PointLoadPressure(double q, double x, double z, double h);

// Line load Q (per unit length, parallel to the wall) at distance x:
// m <= 0.4: 0.20 (Q/H) n/(0.16 + n^2)^2, else 1.28 (Q/H) m^2 n/(m^2 + n^2)^2.
double LineLoadPressure(double q, double x, double z, double h);

// Strip load q of width w whose near edge is at distance x:
// (2q/pi)(beta - sin(beta) cos(2 alpha)); at z = 0, q when x = 0, else 0.
double StripLoadPressure(double q, double x, double w, double z);

}  // namespace engine
