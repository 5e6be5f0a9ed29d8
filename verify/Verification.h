#pragma once
// The verification a user can run: built-in cases with known answers put
// through the engine, each compared with its reference value.
#include <string>
#include <vector>

struct VerificationCase {
    std::string group;     // what is verified, e.g. "Closed form", "p-y: soft clay"
    std::string name;      // the case and the quantity compared
    double computed = 0;   // the engine's value
    double reference = 0;  // the published or closed-form value
    double error = 0;      // relative error, or absolute where the reference is 0
    double tolerance = 0;  // largest error that passes
    bool Passed() const { return error <= tolerance; }
};

// Runs every case (a few seconds at most). Scratch data files go to a folder
// of their own under the system's temporary directory, removed afterwards.
std::vector<VerificationCase> RunVerification();

// The results as a fixed-width text table with a closing summary line.
std::string VerificationText(const std::vector<VerificationCase>& cases);
// The results as a Markdown table, grouped, for the technical manual.
std::string VerificationMarkdown(const std::vector<VerificationCase>& cases);
// How many cases failed.
int FailedCount(const std::vector<VerificationCase>& cases);
