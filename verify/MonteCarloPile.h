#pragma once
// The verification of a Monte Carlo study against its exact answer.
#include "verify/Verification.h"

#include <filesystem>
#include <vector>

// A long pile on linear springs under a normal head load: its head deflection
// is the load times the pile's compliance, so it is normal with a known mean
// and deviation, and the probability that it exceeds an allowable deflection
// is exact. A study of 10,000 realisations must meet all three within their
// 95 % confidence intervals. The data file is written to `folder`.
void MonteCarloPile(std::vector<VerificationCase>& out, const std::filesystem::path& folder);
