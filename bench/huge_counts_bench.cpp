// Reading data files whose integer items hold huge or negative counts: the
// reader refuses a huge count before it makes any row, so each damaged file
// takes about as long as the sound one.
// Build with -DTORVIK_BENCHMARKS=ON; run build/bench/huge_counts_bench.
#include "model/BatchHost.h"
#include "model/ProgramData.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

// The data file of a new wall with every option on, and the place of every
// word of it that reads as an integer.
struct Sample {
    std::string text;
    std::vector<std::pair<std::size_t, std::size_t>> integers;  // offset, length
};

Sample MakeSample(BatchHost& host)
{
    auto wall = TProgramData::CreateNew(host);
    wall->LongTermAnalysis = true;
    wall->UseExternalPyCurves = wall->UseMeiCurves = wall->UseSurcharge = true;
    wall->UseRestraints = wall->UseConcentratedLoads = wall->UseSprings = wall->UsePyModifiers = true;
    Sample sample{wall->DataFileText(), {}};
    const std::string& s = sample.text;
    for (std::size_t at = 0; at < s.size();) {
        const std::size_t end = s.find_first_of(" \t\r\n", at);
        const std::size_t stop = end == std::string::npos ? s.size() : end;
        const std::string word = s.substr(at, stop - at);
        if (!word.empty() && word.find_first_not_of("0123456789") == std::string::npos)
            sample.integers.emplace_back(at, stop - at);
        at = stop + 1;
    }
    return sample;
}

// One read per integer item of the sample, each with `value` in that item.
void ReadEveryItemWith(benchmark::State& state, const char* value)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("torvik-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "damaged.tk4d").string();
    BatchHost host;
    const Sample sample = MakeSample(host);
    for (auto _ : state)
        for (const auto& [at, length] : sample.integers) {
            std::string damaged = sample.text;
            damaged.replace(at, length, value);
            std::ofstream(path, std::ios::binary) << damaged;
            host.prompt.shown.clear();
            benchmark::DoNotOptimize(TProgramData::CreateFromFile(host, path, TFileLayout::Current));
        }
    state.counters["reads"] = static_cast<double>(sample.integers.size());  // per iteration
    std::filesystem::remove_all(folder);
}

void BM_SoundFile(benchmark::State& state) { ReadEveryItemWith(state, "1"); }
void BM_LargestInteger(benchmark::State& state) { ReadEveryItemWith(state, "2147483647"); }
void BM_SmallestInteger(benchmark::State& state) { ReadEveryItemWith(state, "-2147483648"); }
void BM_BeyondInteger(benchmark::State& state) { ReadEveryItemWith(state, "2147483648"); }

BENCHMARK(BM_SoundFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargestInteger)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallestInteger)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BeyondInteger)->Unit(benchmark::kMillisecond);

}  // namespace
