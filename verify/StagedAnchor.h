#pragma once
// The verification of an anchor installed on a wall that has already moved.
#include "verify/Verification.h"

#include <filesystem>
#include <vector>

// A two-stage wall on linear p-y curves with an anchor added and prestressed in
// stage 2: its force against P0 + K (y2 - y1) and against superposition of
// single-stage analyses without it, and equilibrium in each stage. Data files
// are written to `folder`.
void StagedAnchor(std::vector<VerificationCase>& out, const std::filesystem::path& folder);
