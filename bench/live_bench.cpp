// Analyse As You Edit, run by hand:
//   cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DTORVIK_BENCHMARKS=ON
//   cmake --build build-release --target live_bench && build-release/bench/live_bench
// The time from a committed edit (the Tab that leaves Free Height with a new
// value) to the first repaint of the open moment graph with the results of
// that edit, for the three-stage example: twenty edits, their median.
#include "bench/BenchApplication.h"
#include "graph/widgets/PlotForm.h"
#include "ui/LiveAnalysis.h"
#include "ui/MainForm.h"
#include "ui/MainMenus.h"
#include "ui/dialogs/DlgProp.h"
#include "units/widgets/DataEdit.h"
#include "units/ScriptedPrompt.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <QWindow>

#include <cstdlib>

namespace {

QApplication& Application() { return BenchApplicationWithOwnSettings<QApplication>("live_bench"); }

// A key pressed and released on `widget`, as the user types it.
void Key(QWidget* widget, int key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
}

void Type(QWidget* widget, const QString& text)
{
    for (QChar c : text)
        Key(widget, c.isDigit() ? Qt::Key_0 + c.digitValue() : Qt::Key_Period, QString(c));
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(object, event);
    }
};

void BM_EditToRepaintedMomentGraph(benchmark::State& state)
{
    Application();
    QTemporaryDir dir;
    const QString wall = dir.filePath("three-stage-excavation.tk4d");
    QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d", wall);
    QFile(wall).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ScriptedPrompt prompt;
    TMainForm form(&prompt);
    form.resize(1200, 800);
    form.show();
    while (!form.windowHandle() || !form.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    form.OpenFileName(wall.toStdString(), false);
    form.SetAnalyseAsYouEdit(true);
    while (form.LiveAnalysis().Busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    form.Actions().Graph[2]->trigger();
    TPlotForm* graph = TPlotForm::Of(form.MdiArea()->activeSubWindow());
    form.Actions().WallProperties->trigger();
    auto* properties = qobject_cast<TDlgProp*>(TInputDialog::Of(form.MdiArea()->activeSubWindow()));
    if (!graph || !properties) {
        state.SkipWithError("the moment graph or Wall Properties did not open");
        return;
    }
    PaintCounter counter;
    graph->installEventFilter(&counter);
    // Paints before the result arrives (the dialog above the graph) do not count.
    int paintsAtResult = -1;
    QObject::connect(&form.LiveAnalysis(), &TLiveAnalysis::ResultShown, &counter,
                     [&] { paintsAtResult = counter.paints; });
    QLineEdit* field = properties->FreeHeight();
    int edit = 0;
    for (auto _ : state) {
        // A new value each time, so that every edit is a change.
        field->setFocus();
        field->selectAll();
        Type(field, QString::number(2.0 + 0.01 * (++edit % 50)));
        QCoreApplication::processEvents();
        paintsAtResult = -1;
        QElapsedTimer timer;
        timer.start();
        Key(field, Qt::Key_Tab);
        while (paintsAtResult < 0 || counter.paints == paintsAtResult)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
    }
    form.SetAnalyseAsYouEdit(false);
}
BENCHMARK(BM_EditToRepaintedMomentGraph)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(20)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond);

}  // namespace
