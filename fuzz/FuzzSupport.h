#pragma once
// Shared by the fuzz targets: the input as a file, and the check that nothing
// a reader or the engine produced is infinite or NaN.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#include "graph/GraphPlot.h"
#include "tables/Column.h"
#include "tables/FloatColumn.h"
#include "tables/GridTable.h"

namespace fuzz {

// Aborts (a crash for the fuzzer) when `value` is infinite or NaN.
inline void RequireFinite(long double value, const char* what)
{
    if (!std::isfinite(value)) {
        std::fprintf(stderr, "non-finite value: %s\n", what);
        std::abort();
    }
}

// A file of this process in the temporary directory, named `name`.
inline std::string TempPath(const std::string& name)
{
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/torvik-fuzz-" + std::to_string(getpid()) + "-" + name;
}

// Writes `size` bytes at `data` to `path`.
inline void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Every real of a table and of its sub-tables.
inline void CheckTable(const TGridTable& table, int depth = 0)
{
    for (int c = 0; c < table.ColumnCount(); ++c) {
        TColumn& column = table.Column(c);
        if (const auto* real = dynamic_cast<const TFloatColumn*>(&column)) {
            RequireFinite(real->DefaultValue(), "column default");
            for (int r = 0; r < table.RowCount(); ++r)
                RequireFinite(table.Cell(c, r).AsFloat(), "table cell");
        } else if (column.Kind() == ColumnTable && depth < 4) {
            for (int r = 0; r < table.RowCount(); ++r)
                if (const TGridTable* sub = table.Cell(c, r).AsTable())
                    CheckTable(*sub, depth + 1);
        }
    }
}

// Every point of every curve of a graph.
inline void CheckGraph(TGraphPlot& graph)
{
    auto lines = [](int count, auto line) {
        for (int i = 0; i < count; ++i) {
            const TLine& l = line(i);
            RequireFinite(l.Value, "curve value");
            for (const TFloatPoint& p : l.Points) {
                RequireFinite(p.X, "graph point x");
                RequireFinite(p.Y, "graph point y");
            }
        }
    };
    lines(graph.LineCount(), [&](int i) -> const TLine& { return graph.Lines(i); });
    lines(graph.LineCount2(), [&](int i) -> const TLine& { return graph.Lines2(i); });
    lines(graph.LineCount3(), [&](int i) -> const TLine& { return graph.Lines3(i); });
    lines(graph.LayerCount(), [&](int i) -> const TLine& { return graph.Layers(i); });
}

} // namespace fuzz
