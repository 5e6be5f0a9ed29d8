#pragma once
// Published worked examples of embedded walls designed to EN 1997-1, rebuilt
// as walls and put through the design checks: the source's figures against
// the limit-equilibrium estimate, which follows the source's method, and
// against the p-y analysis, which does not.
#include "verify/Verification.h"

#include <filesystem>
#include <vector>

// Runs every example on walls saved (data file and settings file) in `folder`
// and appends a case per figure the source gives: the estimate's in one group,
// held close to the source, and the p-y analysis's in another, held to the
// difference of the two methods.
void DesignExamples(std::vector<VerificationCase>& out, const std::filesystem::path& folder);
