#pragma once
// The engine's tests build their walls as the verification does.
#include "model/WallBuilder.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using TestWall = WallBuilder;

// The whole content of a file the engine wrote; empty when it is missing.
inline std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The bundled anchored sheet-pile wall in soft clay, SI, on a wall made as
// TestWall(UnitSystem::SI, 56, 0.25): 5 m excavation, 14 m wall, a tie-back at 1.5 m below
// the top, water 2 m below the top behind the wall; the clay's cohesions
// divided by `f` (1: as bundled).
inline void BuildAnchoredSoftClay(TestWall& w, double f = 1)
{
    w.Stiffness(0, 56, 1.2e5);
    w.Generated(TEarthPressure::Trapezoidal, 5.0, 1.0, 1.0);
    w.wall->WaterDepthBackfill = 2.0;
    w.wall->WaterDepthExcavation = 5.0;
    w.wall->MaxDeflection = 1.0;
    w.wall->ClosureTolerance = 1e-6;
    w.Spring(6, 6, 20000);  // tie-back stiffness per metre of wall, kN/m
    // unit weight kN/m^3, cohesion kPa, E50, k(py) kN/m^3
    w.Layer(1, 20.0, {17, 30 / f, 0.02, 0}, {17.5, 60 / f, 0.01, 0});
}
