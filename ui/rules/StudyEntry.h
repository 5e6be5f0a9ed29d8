#pragma once
#include "study/Study.h"

#include <optional>
#include <string>
#include <vector>

// How the Study window takes a study: which fields a kind of study asks for,
// what a parameter starts with when it is added, and the definition its
// fields make, or the message why they make none.

// The columns of the window's parameter table.
enum class StudyColumn {
    Parameter,   // the address, as ParameterAddresses names it
    WallValue,   // its value in the wall
    Low,         // sensitivity: the low and high value
    High,
    Percent,     // sensitivity: +- percent of the wall's value, in place of low and high
    Values,      // sweep: the values in order
    Distribution,  // Monte Carlo: the kind and its parameters
    Mean,
    Deviation,
    LowerBound,
    UpperBound,
    Count_
};

// Whether the column is shown for a study of `kind`.
bool StudyColumnShown(study::StudyKind kind, StudyColumn column);
// Whether a Monte Carlo distribution of `kind` takes the value of the column
// (mean and deviation; the bounds of the uniform and the truncated normal).
bool DistributionTakes(study::DistributionKind kind, StudyColumn column);
// Whether the count, the seed and the sampling apply (Monte Carlo), and the grid (sweep).
bool StudySamples(study::StudyKind kind);
bool StudyHasGrid(study::StudyKind kind);

// The names the window gives the kinds, in the order of study::StudyKind and study::DistributionKind.
const std::vector<std::string>& StudyKindNames();
const std::vector<std::string>& DistributionNames();

// One parameter as the window's fields hold it: the texts as typed.
struct StudyParameterEntry {
    std::string address;
    double wallValue = 0;
    std::string unit;                    // of the value, as the wall's data file has it
    std::string low, high, percent;
    std::string values;                  // numbers separated by spaces, commas or semicolons
    study::DistributionKind distribution = study::DistributionKind::Normal;
    std::string mean, deviation, lowerBound, upperBound;
};

// The fields of a parameter just added: +- 10 % for a sensitivity, the wall's
// value and 10 % either side for a sweep, a normal distribution about the
// wall's value with a deviation of 10 % of it for a Monte Carlo. A value of 0
// has no percentage: the fields then run from 0 to 1 (a uniform distribution
// for a Monte Carlo), never below 0.
StudyParameterEntry DefaultEntry(const study::ParameterAddress& address);

// The window's fields besides the parameters, as typed.
struct StudyEntry {
    study::StudyKind kind = study::StudyKind::Sensitivity;
    std::vector<StudyParameterEntry> parameters;
    std::string count = "1000", seed = "1";
    bool latinHypercube = false;
    bool grid = false;
    study::Computed computed;
};

// The definition the fields make, or the first problem in words naming the
// parameter and the field (a value that is no number, a low value not below
// the high one, a deviation not above zero, no parameter, a count below 2).
struct StudyRead {
    std::optional<study::StudyDefinition> definition;
    std::string problem;
};
StudyRead ReadStudyEntry(const StudyEntry& entry);
