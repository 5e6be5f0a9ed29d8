#pragma once

// How the parameter lines of a soil layer map to the columns of the layer's
// parameter table, by soil type 1 to 7: 1 soft clay, 2 stiff clay with free
// water, 3 stiff clay without free water (TblClay1: unit weight, cohesion,
// E50, k), 4 sand (TblSand1: unit weight, friction angle, k), 5 silt
// (TblSilt1: unit weight, friction angle, cohesion, E50, k), 6 strong rock
// (TblRock1: unit weight, compressive strength), 7 weak rock (TblRock2: unit
// weight, compressive strength, krm, elastic modulus, RQD).
namespace soil {

// Lowest and highest soil type.
constexpr int kFirstType = 1;
constexpr int kLastType = 7;

// Name of the parameter template of each type, for the file unit factors.
inline constexpr const char* kTemplate[7] = {"TblClay1", "TblClay1", "TblClay1", "TblSand1",
                                             "TblSilt1", "TblRock1", "TblRock2"};

// The template column at each of the six positions of a parameter line (unit
// weight, cohesion or compressive strength, friction angle, E50 or krm, k or
// modulus, RQD); -1 where the line holds "0.0  " for a value the type lacks.
inline constexpr int kLinePositions[7][6] = {
    {0, 1, -1, 2, 3, -1}, {0, 1, -1, 2, 3, -1}, {0, 1, -1, 2, 3, -1}, {0, -1, 1, -1, 2, -1},
    {0, 2, 1, 3, 4, -1},  {0, 1, -1, -1, -1, -1}, {0, 1, -1, 2, 3, 4},
};

// The five values of a version 2.0 parameter line (-1: ignored); weak rock has no line.
inline constexpr int kVersion20Positions[6][5] = {
    {0, 1, -1, 2, 3}, {0, 1, -1, 2, 3}, {0, 1, -1, 2, 3}, {0, -1, 1, -1, 2}, {0, 2, 1, 3, 4}, {0, 1, -1, -1, -1},
};

}  // namespace soil
