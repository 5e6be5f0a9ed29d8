#include "model/SoilType.h"

namespace {

// Positions of a parameter line: unit weight, cohesion or qu, friction angle,
// E50 or krm, k(py) or Eir, RQD. Clays (TblClay1: unit weight, cohesion, E50,
// k), sand (TblSand1: unit weight, friction angle, k), silt (TblSilt1: unit
// weight, friction angle, cohesion, E50, k), strong rock (TblRock1: unit
// weight, qu), weak rock (TblRock2: unit weight, qu, krm, Eir, RQD). The
// version 2.0 line holds the first five positions; weak rock has none.
// Tints: clays brownish, darker as they stiffen, sand yellow, silt tan, rock grey.
constexpr std::array<int, kLinePositions> kClayLine{0, 1, -1, 2, 3, -1};
constexpr SoilStrengths kClay{false, true, true, false};

// One row per kind: type, template, line columns, version 2.0 line, strengths
// (friction, cohesion, undrained, rock), name, profile name, strip name and
// code, tint.
// clang-format off
const std::array<SoilTypeTraits, kLastSoilCode - kFirstSoilCode + 1> kTable{{
    {SoilType::SoftClay,             "TblClay1", kClayLine,              true,  kClay,
     "Soft Clay",                  "Soft clay",                 " CLAY ",      1,  {222, 214, 192}},
    {SoilType::StiffClayFreeWater,   "TblClay1", kClayLine,              true,  kClay,
     "Stiff Clay with Free Water", "Stiff clay w/free water",   " CLAY ",      1,  {210, 198, 170}},
    {SoilType::StiffClayNoFreeWater, "TblClay1", kClayLine,              true,  kClay,
     "Stiff Clay w/o Free Water",  "Stiff clay w/o free water", " CLAY ",      1,  {200, 186, 156}},
    {SoilType::Sand,                 "TblSand1", {0, -1, 1, -1, 2, -1},  true,  {true, false, false, false},
     "Sand",                       "Sand",                      " SAND ",      7,  {243, 230, 184}},
    {SoilType::Silt,                 "TblSilt1", {0, 2, 1, 3, 4, -1},    true,  {true, true, false, false},
     "Silt (c-phi soil)",          "Silt",                      " SILT ",      8,  {230, 216, 190}},
    {SoilType::StrongRock,           "TblRock1", {0, 1, -1, -1, -1, -1}, true,  {false, false, false, true},
     "Strong Rock",                "Rock",                      "STRONG ROCK", 9,  {204, 204, 204}},
    {SoilType::WeakRock,             "TblRock2", {0, 1, -1, 2, 3, 4},    false, {false, false, false, true},
     "Weak Rock",                  "Weak Rock",                 "WEAK ROCK",   10, {218, 218, 210}},
}};
// clang-format on

}  // namespace

const std::array<SoilTypeTraits, kLastSoilCode - kFirstSoilCode + 1>& SoilTypeTable()
{
    return kTable;
}

const SoilTypeTraits* FindSoilType(int code)
{
    if (code < kFirstSoilCode || code > kLastSoilCode)
        return nullptr;
    return &kTable[static_cast<std::size_t>(code - kFirstSoilCode)];
}

const SoilTypeTraits& TraitsOf(SoilType type)
{
    const SoilTypeTraits* traits = FindSoilType(SoilCode(type));
    return traits ? *traits : kTable[0];
}
