#pragma once
#include "engine/WallFileReader.h"
#include "model/WallSettings.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Studies of a wall over many analyses: which parameter drives the results
// (one-at-a-time sensitivity), how the results follow a parameter over its
// range (a sweep), and how likely the wall is to fail (Monte Carlo, with the
// reliability index beta of EN 1990 Annex C). Every analysis is the engine's
// own, in process, on a copy of the wall with the parameters of one
// realisation put in; realisations run side by side on worker threads.
namespace study {

enum class StudyKind { Sensitivity, Sweep, MonteCarlo };
enum class DistributionKind { Normal, Lognormal, Uniform, TruncatedNormal };

// The distribution of one parameter in a Monte Carlo study, in the units of
// the wall's data file. Normal and lognormal: the mean and standard deviation
// of the parameter itself. Truncated normal: those of the normal before it is
// cut to [low, high]. Uniform: [low, high].
struct Distribution {
    DistributionKind kind = DistributionKind::Normal;
    double mean = 0;
    double deviation = 0;
    double low = 0;
    double high = 0;
};

// One parameter of the wall, addressed by meaning as the study file names it:
// "layer 2 friction angle", "layer 1 undrained shear strength",
// "layer 1 unit weight", "layer 1 k", "section 1 EI", "surcharge q",
// "water depth behind", "load 1 force", "excavation depth of stage 3",
// "anchor 1 stiffness", "anchor 1 prestress" (ParameterAddresses lists those
// a wall has).
struct Parameter {
    std::string address;
    double low = 0, high = 0;     // sensitivity: the low and high value
    // Sensitivity: low and high at this many percent below and above the
    // wall's value, in place of low and high (ResolveParameters puts them in).
    std::optional<double> percent;
    std::vector<double> values;   // sweep: the values, in order
    Distribution distribution;    // Monte Carlo
    // Sensitivity: the value of the other rows; ResolveParameters puts in the
    // wall's own value where the file gives none. When empty, the mean of the
    // distribution if it has a spread, else the midpoint of low and high (see Sampler).
    std::optional<double> base;
};

// What each realisation computes. The analysis maxima and anchor forces come
// from one analysis of every stage; the others run the design checks.
struct Computed {
    bool maxima = true;           // largest moment, shear and deflection per stage
    bool anchorForces = true;     // the force of each anchor row per stage
    bool safetyFactor = false;    // the strength-reduction F per stage
    bool checks = false;          // the pass of the design checks (and of the
                                  // combinations where the wall has an approach)
};

// What counts as failure of a realisation for the probability of failure:
// the named output above `above` or below `below`. Without an output, a
// realisation fails when its analysis fails, its F (when computed) is below
// 1, or (when computed) the design checks fail. A realisation whose analysis
// fails always counts as a failure.
struct FailureCriterion {
    std::string output;
    std::optional<double> above, below;
};

struct StudyDefinition {
    std::string wallFile;             // the base wall's data file, as given (relative to the study file)
    StudyKind kind = StudyKind::Sensitivity;
    std::vector<Parameter> parameters;
    // Monte Carlo: the correlation matrix of the parameters (empty: none;
    // applied to their underlying standard normals, see Sampler),
    // Latin hypercube or plain sampling, the count and the seed.
    std::vector<std::vector<double>> correlation;
    bool latinHypercube = false;
    long count = 0;
    std::uint64_t seed = 1;
    bool gridSweep = false;           // sweep: every combination of the values, else the lists side by side
    Computed computed;
    FailureCriterion failure;
};

// Reads a study file's text. TorvikError naming `name`, the line and the key
// when the text is damaged or a value is missing or out of its range.
StudyDefinition ParseStudy(const std::string& text, const std::string& name);
// The text of a study file (JSON), as ParseStudy reads it back.
std::string StudyText(const StudyDefinition& study);

// The wall a study varies: its blocks as read and its settings.
struct StudyWall {
    std::vector<WallFileBlock> blocks;
    TWallSettings settings;
};
// Reads the data file and the settings beside it. TorvikError when it cannot be read.
StudyWall ReadStudyWall(const std::string& dataFile);

// A parameter the wall has, with its value in the wall and its unit's name.
struct ParameterAddress {
    std::string address;
    double value = 0;
    std::string unit;
};
// Every parameter of `wall` a study can vary, in a stable order.
std::vector<ParameterAddress> ParameterAddresses(const StudyWall& wall);

// The study with what the wall gives put in: each parameter's base value, and
// the low and high value of those given in percent. TorvikError naming a
// parameter the wall does not have.
StudyDefinition ResolveParameters(const StudyDefinition& study, const StudyWall& wall);

// The wall with the inputs of one realisation put in (one per parameter, in
// the study's order), wherever each parameter applies: a soil parameter in
// every stage, at the top and bottom of its layer (both scaled by the same
// ratio; both set where the wall's value is 0); "excavation depth of stage 3"
// only in stage 3; an anchor's stiffness in its spring row of every stage and
// its prestress in the settings. TorvikError naming a parameter the wall does
// not have.
StudyWall WithInputs(const StudyDefinition& study, const StudyWall& wall, const std::vector<double>& inputs);

// The realisations a study has (sensitivity: one base row and two per
// parameter; sweep: the values or the grid; Monte Carlo: the count).
long RealisationCount(const StudyDefinition& study);

// A column of the rows: an input drawn or an output computed.
struct Column {
    std::string name;   // "layer 2 friction angle", "stage 1 largest moment", "stage 2 F", "checks passed"
    std::string unit;   // in the units of the wall's data file; "" for numbers without one
};

// One realisation: its inputs, its outputs (empty where the output could
// not be computed), and whether and why it failed.
struct Row {
    long index = 0;                              // 0-based, the same in every run of the study
    std::vector<double> inputs;                  // one per parameter
    std::vector<std::optional<double>> outputs;  // one per output column
    bool failed = false;                         // by the failure criterion
    std::string reason;                          // why it failed; "" when it did not
};

struct OutputStatistics {
    std::string output;
    long count = 0;                              // rows with a value
    double mean = 0, deviation = 0;
    double p5 = 0, p50 = 0, p95 = 0;
};

// Sensitivity: how far an output moves when one parameter goes from its low
// to its high value, the others at their base values.
struct Swing {
    std::string parameter, output;
    std::optional<double> atLow, atHigh;
    double swing = 0;                            // |atHigh - atLow|
};

struct FailureProbability {
    long failures = 0, realisations = 0;
    double pf = 0;
    double low95 = 0, high95 = 0;                // its 95 % confidence interval
    std::optional<double> beta;                  // -PhiInverse(pf); empty for pf 0 or 1
    // pf after the first n realisations, for n rising (for the convergence plot).
    std::vector<std::pair<long, double>> convergence;
};

struct Summary {
    std::vector<OutputStatistics> statistics;    // Monte Carlo and sweep: per output
    std::vector<Swing> swings;                   // sensitivity: per output, largest swing first
    std::optional<FailureProbability> failure;   // Monte Carlo
    std::vector<Row> failedRows;                 // the realisations that failed, with the reason
};

struct StudyResult {
    std::vector<Column> inputs, outputs;
    std::vector<Row> rows;                       // by rising index
    Summary summary;
    bool cancelled = false;                      // stopped before every row was computed
};

// Progress of a running study, reported from the thread that runs it.
struct Progress {
    long done = 0, total = 0;
    double seconds = 0;                          // since the start
    double perSecond = 0;
    double secondsLeft = 0;
};

// How a study runs. Documented defaults: every core, the whole study, no
// folder (rows are kept in memory only).
struct RunOptions {
    int jobs = 0;                                // worker threads; 0: every core
    int shard = 1, shards = 1;                   // this process computes the rows with index % shards == shard - 1
    // A folder for the rows and the summary (rows.csv, summary.json). Rows are
    // appended as they finish, so an interrupted study keeps what was written,
    // and running again into the same folder computes only the rows missing.
    std::string outFolder;
    std::function<void(const Progress&)> progress;   // at most a few times a second
    const std::atomic<bool>* cancel = nullptr;       // set to stop soon; rows done are kept
};

// Runs the study on the wall. The same definition gives the same rows,
// whatever the number of jobs and however it is sharded. The summaries
// (SummaryJson, SummaryText) name the values of ResolveParameters(study, wall).
StudyResult RunStudy(const StudyDefinition& study, const StudyWall& wall, const RunOptions& options = {});

// The summary of rows (all of a study's rows, or a shard's).
Summary Summarise(const StudyDefinition& study, const std::vector<Column>& outputs, const std::vector<Row>& rows);

// The rows as CSV (a header of the columns with their units, then one line per row).
std::string RowsCsv(const StudyResult& result);
// The summary as JSON text, for summary.json and scripts.
std::string SummaryJson(const StudyDefinition& study, const StudyResult& result);
// The summary in words and tables, for the calculation report's "Study" section.
std::string SummaryText(const StudyDefinition& study, const StudyResult& result);

// Merges the rows of shard folders into one result. `study` is the one the
// folders hold (their study.json: RunStudy writes it with the wall's values
// put in, see ResolveParameters) (rows by rising index;
// TorvikError when a row is missing, repeated or the folders are of different studies).
StudyResult MergeShards(const StudyDefinition& study, const std::vector<std::string>& folders);

}  // namespace study
