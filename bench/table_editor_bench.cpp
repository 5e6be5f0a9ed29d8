// The table editor window, run by hand:
//   cmake -DTORVIK_BENCHMARKS=ON ..., then build/bench/table_editor_bench
#include "bench/BenchApplication.h"
#include "tables/GridTable.h"
#include "tables/WallTables.h"
#include "tables/widgets/TableEditors.h"
#include "tables/widgets/TableForm.h"
#include "units/ScriptedPrompt.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <QTableView>

#include <cstdlib>

namespace {

QApplication& Application() { return BenchApplication<QApplication>("table_editor_bench"); }

// The wall's tables in a shown child-window area, with the distributed-load
// table (100 rows at most) filled to its limit.
struct Editors {
    QApplication& app = Application();
    ScriptedPrompt prompt;
    QMdiArea area;
    TTableEditors editors;
    WallTables tables;
    TGridTable& loads = tables.Table(WallTable::DistLoad);

    Editors()
    {
        area.resize(1400, 900);
        area.show();
        TTableForm::Install(editors, tables, area, prompt);
        loads.SetRowCount(100);
        for (int r = 0; r < 100; ++r) {
            loads.Cell(0, r).SetAsFloat(0.5L * r);
            loads.Cell(1, r).SetAsFloat(10.0L * r);
        }
    }
};

// Opening the editor of a 100-row table until its window is painted, then closing it.
void OpenEditor(benchmark::State& state)
{
    Editors e;
    for (auto _ : state) {
        e.loads.ShowEditor();
        TTableForm* form = e.editors.Of(e.loads);
        QImage image(form->Frame()->size(), QImage::Format_ARGB32_Premultiplied);
        form->Frame()->render(&image);
        state.PauseTiming();
        e.loads.CloseEditor();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(OpenEditor)->Unit(benchmark::kMillisecond);

// One typed value stored and the whole grid painted again.
void RefreshAfterOneCell(benchmark::State& state)
{
    Editors e;
    e.loads.ShowEditor();
    QTableView* grid = e.editors.Of(e.loads)->Grid();
    QImage image(grid->size(), QImage::Format_ARGB32_Premultiplied);
    int i = 0;
    for (auto _ : state) {
        e.loads.Cell(1, 5).SetText(std::to_string(++i % 1000));
        grid->render(&image);
    }
}
BENCHMARK(RefreshAfterOneCell)->Unit(benchmark::kMillisecond);

}  // namespace
