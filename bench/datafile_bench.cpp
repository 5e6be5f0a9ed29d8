// Reading and writing the wall data file of the largest wall the tables
// allow: every table at its maximum rows, every sub-table at its maximum
// points, every option on, with the long-term block.
// Build with -DTORVIK_BENCHMARKS=ON; run build/bench/datafile_bench.
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "tables/GridTable.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace {

// Rows of a table with no row limit.
constexpr int kUnlimitedRows = 100;

int MostRows(const TGridTable& table)
{
    return table.MaxRows() > 0 ? table.MaxRows() : kUnlimitedRows;
}

// Fills every cell with a value of its row and column; every sub-table gets
// its maximum rows as well.
void FillLargest(TGridTable& table, int seed)
{
    table.SetRowCount(MostRows(table));
    for (int r = 0; r < table.RowCount(); ++r)
        for (int c = 0; c < table.ColumnCount(); ++c) {
            TColumn& column = table.Column(c);
            switch (column.Kind()) {
            case ColumnChoice: table.Cell(c, r).SetAsInteger(1 + (r + seed) % 2); break;  // every choice list has at least two entries
            case ColumnInteger: table.Cell(c, r).SetAsInteger(r + c); break;
            case ColumnReal: table.Cell(c, r).SetAsFloat(1.25L * (r + 1) + c / 7.0L + seed); break;
            case ColumnTable:
                if (TGridTable* sub = table.Cell(c, r).AsTable())
                    FillLargest(*sub, r);
                break;
            default: break;
            }
        }
}

class LargestWall {
public:
    LargestWall()
    {
        folder_ = std::filesystem::temp_directory_path() / ("torvik-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        wall_ = TProgramData::CreateNew(host_);
        TProgramData& w = *wall_;
        w.UseRestraints = w.UseConcentratedLoads = w.UseSprings = w.UsePyModifiers = true;
        w.UseExternalPyCurves = w.UseMeiCurves = w.UseSurcharge = true;
        w.EarthPressureKind = TEarthPressure::ByUser;
        w.GeneratePyCurves = true;
        w.LongTermAnalysis = true;
        w.NodeCount = 200;
        w.IncrementLength = 2.4L;
        w.WallHeight = 480;
        for (int i = 0; i < WallTables::Count; ++i)
            FillLargest(host_.tables.Table(i), i);
        // Soil layers of every type, so that every parameter line form occurs.
        for (TGridTable* soil : {&host_.tables[WallTable::NewSoil], &host_.tables[WallTable::LongSoil]})
            for (int r = 0; r < soil->RowCount(); ++r) {
                soil->Cell(0, r).SetAsInteger(1 + r % 7);
                FillLargest(*soil->Cell(2, r).AsTable(), r);
            }
        w.FileName = (folder_ / "largest.tk4d").string();
        w.WriteDataFile();
    }
    ~LargestWall() { std::filesystem::remove_all(folder_); }

    BatchHost host_;
    std::unique_ptr<TProgramData> wall_;
    std::filesystem::path folder_;
};

LargestWall& Wall()
{
    static LargestWall wall;
    return wall;
}

// The text of the data file (the writer without the disk).
void BM_DataFileText(benchmark::State& state)
{
    LargestWall& wall = Wall();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = wall.wall_->DataFileText();
        bytes = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    std::istringstream words(wall.wall_->DataFileText());
    std::size_t items = 0;
    for (std::string word; words >> word;)
        ++items;
    state.counters["items"] = static_cast<double>(items);
}

// The whole save: text, temporary file, flush to the disk, rename.
void BM_WriteDataFile(benchmark::State& state)
{
    LargestWall& wall = Wall();
    for (auto _ : state)
        wall.wall_->WriteDataFile();
}

// Open: the word reader, the block reader and the tables' cells.
void BM_CreateFromFile(benchmark::State& state)
{
    LargestWall& wall = Wall();
    const std::string path = wall.wall_->FileName;
    for (auto _ : state) {
        auto read = TProgramData::CreateFromFile(wall.host_, path, TFileLayout::Current);
        benchmark::DoNotOptimize(read);
        if (!wall.host_.prompt.shown.empty())
            state.SkipWithError(wall.host_.prompt.shown[0].c_str());
    }
}

// Open of a wall with `state.range(0)` external p-y curve rows, each with its
// own sub-table: the time per row stays the same as the rows grow (the
// complexity line reads "N"), closing the last wall's tables included.
void BM_ReadCurveRows(benchmark::State& state)
{
    LargestWall& wall = Wall();  // the one set of tables of the process
    const int rows = static_cast<int>(state.range(0));
    const std::string path = (wall.folder_ / ("curves" + std::to_string(rows) + ".tk4d")).string();
    {
        std::ofstream out(path, std::ios::binary);
        out << "Curves\r\n1 0\t1\t0\t0\t1 " << rows << " 1 0\r\n10 12\t20\t1E-5\t0\r\n0\t10\t1\t2.4E9\r\n0\r\n0\r\n";
        for (int r = 0; r < rows; ++r)
            out << r % 11 << "\t2\t1\t1\r\n0\t0\r\n1\t-100\r\n";
        out << "0\r\n";
    }
    for (auto _ : state) {
        auto read = TProgramData::CreateFromFile(wall.host_, path, TFileLayout::Current);
        benchmark::DoNotOptimize(read);
    }
    state.SetComplexityN(rows);
}

BENCHMARK(BM_DataFileText)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_WriteDataFile)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_CreateFromFile)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
// After the others: it replaces the largest wall in the tables.
BENCHMARK(BM_ReadCurveRows)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
