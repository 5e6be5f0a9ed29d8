#pragma once

// Mathematical constants, each defined once for the whole program.

// The ratio of a circle's circumference to its diameter, as an 8-byte real.
constexpr double kPi = 3.14159265358979323846;

// The same to the precision of long double, for the code that computes in it.
constexpr long double kPiLong = 3.14159265358979323846264338327950288L;

// An angle in degrees as radians.
constexpr double Radians(double degrees) { return degrees * kPi / 180; }

// An angle in radians as degrees.
constexpr double Degrees(double radians) { return radians * 180 / kPi; }
