// Analyse As You Edit as the user meets it: with the option on, a change made
// in a dialog reaches the open graph window without Save or Run, the user's
// files stay as they were, and a wall that cannot be analysed leaves the last
// results on screen marked "not current" until the next valid change.
#include "ui/MainForm.h"
#include "ui/tests/MainWindowTest.h"

#include "engine/EngineRun.h"
#include "graph/GraphGeometry.h"
#include "graph/widgets/PlotForm.h"
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "ui/DesignChecksWindow.h"
#include "ui/LiveAnalysis.h"
#include "ui/dialogs/DlgProp.h"
#include "units/widgets/DataEdit.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

class LiveAnalysisTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ShowLarge();
        wall = dir.filePath("three-stage-excavation.tk4d");
        QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d", wall);
        QFile(wall).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        form->OpenFileName(wall.toStdString(), false);
    }
    // Waits for the result of the newest analysis to be shown.
    bool ResultShown()
    {
        QSignalSpy shown(&form->LiveAnalysis(), &TLiveAnalysis::ResultShown);
        return !form->LiveAnalysis().Busy() || shown.wait(10000);
    }
    // Types into a field of Wall Properties and leaves it with Tab, as the user does.
    void EnterFreeHeight(const char* text)
    {
        // The user comes back to the main window (from the Design Checks window).
        form->activateWindow();
        QCoreApplication::processEvents();
        form->Actions().WallProperties->trigger();
        auto* properties = qobject_cast<TDlgProp*>(TInputDialog::Of(form->MdiArea()->activeSubWindow()));
        ASSERT_NE(properties, nullptr);
        QLineEdit* field = properties->FreeHeight();
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
        // The dialog hands the value over once the focus has moved.
        QCoreApplication::processEvents();
    }
    TPlotForm* OpenMomentGraph()
    {
        form->Actions().Graph[2]->trigger();
        return TPlotForm::Of(form->MdiArea()->activeSubWindow());
    }
    // The largest bending moment the moment graph holds.
    double LargestMoment() const
    {
        double largest = 0;
        for (const auto& line : form->Graphs().Moment.LineList1())
            for (const TFloatPoint& p : line->Points)
                largest = std::max(largest, std::abs(static_cast<double>(p.X)));
        return largest;
    }
    QByteArray WallText() const
    {
        QFile file(wall);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString wall;
};

// The option is off by default; switched on, the wall is analysed at once
// and the moment graph can open; a changed Free Height reaches it, while the
// wall's own files and its modified state are the editor's alone.
TEST_F(LiveAnalysisTest, AChangedFreeHeightReachesTheOpenMomentGraph)
{
    EXPECT_FALSE(form->Actions().AnalyseAsYouEdit->isChecked());
    EXPECT_FALSE(form->ResultsLoaded());
    const QByteArray saved = WallText();
    form->Actions().AnalyseAsYouEdit->trigger();
    EXPECT_TRUE(form->AnalysesAsYouEdit());
    ASSERT_TRUE(ResultShown());
    ASSERT_TRUE(form->LiveResultsCurrent());
    TPlotForm* window = OpenMomentGraph();
    ASSERT_NE(window, nullptr);
    const double before = LargestMoment();

    EnterFreeHeight("3");
    EXPECT_EQ(form->Actions().Undo->text(), "Undo Free Height of Wall - Stage 1");
    ASSERT_TRUE(ResultShown());
    EXPECT_TRUE(form->LiveResultsCurrent());
    EXPECT_NE(LargestMoment(), before);
    EXPECT_EQ(window->FullRanges().Panel[0].X.Max, GraphRanges(form->Graphs().Moment)->Panel[0].X.Max);
    EXPECT_FALSE(window->parentWidget()->windowTitle().contains("not current"));
    EXPECT_EQ(WallText(), saved);
    EXPECT_FALSE(QFile::exists(dir.filePath("three-stage-excavation.tk4p")));
    EXPECT_TRUE(form->IsModified());

    // Undo is a change of its own: the graph goes back with the wall.
    form->Actions().Undo->trigger();
    ASSERT_TRUE(ResultShown());
    EXPECT_EQ(LargestMoment(), before);
    EXPECT_FALSE(form->IsModified()) << ::testing::PrintToString(prompt.shown);
}

// An excavation deeper than the wall cannot be analysed: the graph and the
// Design Checks window keep the last results, say "not current", and the
// status bar tells why; the next valid change brings current results back.
TEST_F(LiveAnalysisTest, AnInputErrorShowsTheLastResultsNotCurrentUntilTheNextValidEdit)
{
    form->DesignChecksClick();
    auto* checks = form->findChild<TDesignChecksWindow*>();
    ASSERT_NE(checks, nullptr);
    form->SetAnalyseAsYouEdit(true);
    ASSERT_TRUE(ResultShown());
    TPlotForm* window = OpenMomentGraph();
    ASSERT_NE(window, nullptr);
    const double before = LargestMoment();

    EnterFreeHeight("20");
    ASSERT_TRUE(ResultShown());
    ASSERT_EQ(prompt.shown, std::vector<std::string>());
    EXPECT_FALSE(form->LiveResultsCurrent());
    EXPECT_EQ(LargestMoment(), before);
    EXPECT_TRUE(window->parentWidget()->windowTitle().endsWith("(not current)"));
    // The reason names the field and gives the lengths their units, in the status bar,
    // in a banner over the graph and over the checks, and beside the field, which is marked.
    const std::string reason = "The wall as edited cannot be analysed: Stage 1: Free Height of Wall: the excavation "
                               "depth 20 m must be less than the wall's length 14 m (70 increments of 0.2 m).";
    EXPECT_EQ(form->StatusMessage().toStdString(), reason);
    EXPECT_EQ(checks->windowTitle(), "Design Checks (not current)");
    EXPECT_TRUE(checks->Banner()->isVisibleTo(checks));
    EXPECT_EQ(checks->Banner()->text().toStdString(),
              reason + " The checks below are those of the wall before that change.");
    EXPECT_TRUE(window->BannerLabel()->isVisibleTo(window));
    EXPECT_EQ(window->BannerLabel()->text().toStdString(), reason);
    EXPECT_GE(window->Layout().Plot.Top, window->BannerLabel()->height());
    auto* properties = qobject_cast<TDlgProp*>(TInputDialog::Of(form->MdiArea()->activeSubWindow()));
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(properties->FreeHeight()->toolTip().toStdString(), reason.substr(reason.find("Stage 1: ")));

    EnterFreeHeight("3");
    EXPECT_EQ(form->Actions().Undo->text(), "Undo Free Height of Wall - Stage 1");
    ASSERT_TRUE(ResultShown());
    EXPECT_TRUE(form->LiveResultsCurrent());
    EXPECT_NE(LargestMoment(), before);
    EXPECT_FALSE(window->parentWidget()->windowTitle().contains("not current"));
    EXPECT_FALSE(window->BannerLabel()->isVisibleTo(window));
    EXPECT_TRUE(properties->FreeHeight()->toolTip().isEmpty());
    EXPECT_EQ(form->StatusMessage(), "");
    // The checks follow the graphs, as a result of their own.
    QTRY_COMPARE_WITH_TIMEOUT(checks->windowTitle(), QString("Design Checks"), 10000);
    EXPECT_EQ(checks->findChild<QLabel*>()->text(), "The checks of the wall as last edited (not saved).");
    EXPECT_FALSE(checks->Banner()->isVisibleTo(checks));
}

// Live updates repaint the open windows where they are: the stage envelope
// stays the same window, behind the dialog being edited, which keeps the
// focus; the moment graph the user brought to the front stays in front of the envelope.
TEST_F(LiveAnalysisTest, UpdatesRepaintInPlaceAndLeaveTheWindowOrderAndFocus)
{
    form->SetAnalyseAsYouEdit(true);
    ASSERT_TRUE(ResultShown());
    form->Actions().StageEnvelope->trigger();
    QMdiSubWindow* envelope = form->MdiArea()->activeSubWindow();
    ASSERT_NE(TPlotForm::Of(envelope), nullptr);
    envelope->showNormal();
    TPlotForm* moment = OpenMomentGraph();
    ASSERT_NE(moment, nullptr);
    moment->parentWidget()->showNormal();

    EnterFreeHeight("3");
    ASSERT_TRUE(ResultShown());
    QCoreApplication::processEvents();
    auto* properties = qobject_cast<TDlgProp*>(TInputDialog::Of(form->MdiArea()->activeSubWindow()));
    ASSERT_NE(properties, nullptr);
    EXPECT_TRUE(properties->isAncestorOf(QApplication::focusWidget()));
    const QList<QMdiSubWindow*> order = form->MdiArea()->subWindowList(QMdiArea::StackingOrder);
    ASSERT_TRUE(order.contains(envelope));  // the same window, not a new one
    EXPECT_FALSE(envelope->isMaximized());
    EXPECT_LT(order.indexOf(envelope), order.indexOf(qobject_cast<QMdiSubWindow*>(moment->parentWidget())));
    EXPECT_EQ(order.last(), form->MdiArea()->activeSubWindow());
}

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The job analyses the wall as the open document holds it, its settings
// included (the tied-back wall's anchors act from their installation stage
// with their prestress): its folder receives the results, which equal those
// of the saved wall, and no data, stage or settings file.
TEST(LiveJob, AnalysesTheOpenWallWithoutWritingItsFiles)
{
    QTemporaryDir dir;
    const std::filesystem::path saved = std::filesystem::path(dir.path().toStdString()) / "tied-back.tk4d";
    for (const char* extension : {".tk4d", ".tk4s"})
        std::filesystem::copy_file(std::string(TORVIK_SOURCE_DIR) + "/examples/tied-back-sand-over-clay" + extension,
                                   saved.string().substr(0, saved.string().size() - 5) + extension);
    BatchHost host;
    ASSERT_EQ(host.Open(saved.string(), TFileLayout::Current), std::vector<std::string>());
    TProgramData* wall = &host.Wall();
    OpenStagedWall(*wall);
    ASSERT_FALSE(host.Settings().IsDefault());

    TLiveJob job;
    job.generation = 1;
    job.folder = (std::filesystem::path(dir.path().toStdString()) / "live").string();
    job.input = std::make_shared<const TLiveInput>(LiveInputOf(*wall));
    job.target = 1.3;
    const TLiveResult result = RunLiveJob(job);
    ASSERT_TRUE(result.ok) << result.reason;
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(job.folder) / "1"))
        written.push_back(entry.path().filename().string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"wall.tk4o", "wall.tk4p", "wall.tk4r"}));

    const RunFiles files{saved.string(), (saved.parent_path() / "tied-back.tk4o").string(),
                         (saved.parent_path() / "tied-back.tk4p").string(),
                         (saved.parent_path() / "tied-back.tk4r").string()};
    ASSERT_TRUE(EngineRun::Run(files).plotWritten);
    EXPECT_EQ(FileText(std::filesystem::path(job.folder) / "1" / "wall.tk4p"), FileText(files.plotFile));

    const TLiveResult checked = RunLiveChecks(job, result);
    EXPECT_EQ(checked.checksError, "");
    EXPECT_EQ(checked.report.stages.size(), 2u);
    EXPECT_EQ(checked.report.target, 1.3);
}

}  // namespace
