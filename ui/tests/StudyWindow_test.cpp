// Computation > Study, driven as a user drives it: parameters picked from the
// wall, a sensitivity study run in the background, its tornado and its rows
// exported; a long study cancelled, and a window closed while it runs only once the user agrees.
#include "ui/StudyWindow.h"

#include "graph/widgets/tests/GuiTestSupport.h"
#include "ui/StudyCharts.h"
#include "units/ScriptedPrompt.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace {

const std::string Wall = std::string(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d";

TStudyWindow* Open(QWidget& main, ScriptedPrompt& prompt)
{
    TestApplication();
    TStudyWindow* w = TStudyWindow::Show(&main, prompt, [] { return study::ReadStudyWall(Wall); }, Wall);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    return w;
}

// Adds the parameter chosen in the list, `down` entries below the one chosen now.
void AddParameter(TStudyWindow& w, int down)
{
    w.ParameterChoice()->setFocus();
    for (int i = 0; i < down; ++i)
        QTest::keyClick(w.ParameterChoice(), Qt::Key_Down);
    QTest::mouseClick(w.AddButton(), Qt::LeftButton);
}

bool WaitUntilDone(TStudyWindow& w, int seconds)
{
    for (int i = 0; i < seconds * 20 && w.Running(); ++i)
        QTest::qWait(50);
    return !w.Running();
}

std::string FileText(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(StudyWindow, RunsASensitivityStudyOfTwoParametersShowsTheTornadoAndExportsTheRows)
{
    ScriptedPrompt prompt;
    QWidget main;
    TStudyWindow* w = Open(main, prompt);
    ASSERT_GE(w->ParameterChoice()->count(), 2);
    AddParameter(*w, 0);
    AddParameter(*w, 1);
    AddParameter(*w, 0);  // the same one again adds nothing
    ASSERT_EQ(w->Parameters()->rowCount(), 2);
    const std::set<std::string> picked = {w->Parameters()->item(0, 0)->text().toStdString(),
                                          w->Parameters()->item(1, 0)->text().toStdString()};
    EXPECT_EQ(picked.size(), 2u);

    QTest::mouseClick(w->RunButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitUntilDone(*w, 120));
    ASSERT_TRUE(prompt.shown.empty()) << prompt.shown.front();
    const study::StudyResult& result = *w->Result();
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.rows.size(), 5u);  // the base and each parameter at its low and high value

    // One bar per parameter, the largest swing on top, of the output chosen.
    const TornadoChartData& chart = w->Tornado()->Data();
    ASSERT_EQ(chart.bars.size(), 2u);
    EXPECT_EQ((std::set<std::string>{chart.bars[0].parameter, chart.bars[1].parameter}), picked);
    EXPECT_GE(chart.bars[0].swing, chart.bars[1].swing);
    EXPECT_TRUE(w->TornadoOutput()->currentText().endsWith("largest moment"));
    EXPECT_EQ(w->Pages()->currentIndex(), 0);

    // The rows as the study writes them, in the file the prompt named.
    QTemporaryDir dir;
    const std::string csv = dir.filePath("rows").toStdString();
    prompt.fileNames.push_back(csv);
    QTest::mouseClick(w->ExportButton(), Qt::LeftButton);
    EXPECT_EQ(FileText(csv + ".csv"), study::RowsCsv(result));
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_NE(prompt.shown.back().find("5 rows were written to"), std::string::npos);

    // Every control is named for screen readers.
    for (QWidget* c : w->findChildren<QWidget*>()) {
        const bool view = qobject_cast<QAbstractItemView*>(c) && !qobject_cast<QHeaderView*>(c);
        const bool control = view || qobject_cast<QAbstractButton*>(c) || qobject_cast<QComboBox*>(c) ||
                             qobject_cast<QLineEdit*>(c) || dynamic_cast<TTornadoChart*>(c) ||
                             dynamic_cast<THistogramChart*>(c);
        if (control && c->isVisibleTo(w)) {
            EXPECT_FALSE(c->accessibleName().isEmpty()) << c->metaObject()->className();
        }
    }
}

TEST(StudyWindow, CancelKeepsTheRowsDoneAndClosingStopsARunningStudy)
{
    ScriptedPrompt prompt;
    QWidget main;
    QPointer<TStudyWindow> w = Open(main, prompt);
    w->Kind()->setFocus();
    QTest::keyClick(w->Kind(), Qt::Key_Down);
    QTest::keyClick(w->Kind(), Qt::Key_Down);  // Monte Carlo
    EXPECT_TRUE(w->Count()->isEnabled());
    AddParameter(*w, 0);
    w->Count()->setFocus();
    w->Count()->selectAll();
    QTest::keyClicks(w->Count(), "1000000");

    QTest::mouseClick(w->RunButton(), Qt::LeftButton);
    ASSERT_TRUE(w->Running());
    EXPECT_FALSE(w->RunButton()->isEnabled());
    QTest::qWait(700);
    QTest::mouseClick(w->CancelButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitUntilDone(*w, 60));
    ASSERT_TRUE(w->Result());
    EXPECT_TRUE(w->Result()->cancelled);
    EXPECT_LT(w->Result()->rows.size(), 1000000u);
    EXPECT_TRUE(w->ProgressLabel()->text().startsWith("Cancelled after"));
    EXPECT_TRUE(w->RunButton()->isEnabled());

    // Escape in the middle of a study asks first: answered No, the study goes on;
    // closed and answered Yes, the window stops it and goes.
    QTest::mouseClick(w->RunButton(), Qt::LeftButton);
    ASSERT_TRUE(w->Running());
    prompt.answers = {Prompt::Answer::No, Prompt::Answer::Yes};
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->Running());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_NE(prompt.shown[0].find("Stop the study and close the window?"), std::string::npos);
    w->close();
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(prompt.shown.size(), 2u);
}
