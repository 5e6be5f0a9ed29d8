// Computation > Design Checks: the window shows the checks of the saved wall as
// the checks give them, the governing stage marked; a new target factor typed
// and Recompute check again against it; a target out of range is refused.
#include "ui/DesignChecksWindow.h"

#include "checks/DesignChecksTable.h"
#include "graph/widgets/tests/GuiTestSupport.h"
#include "units/ScriptedPrompt.h"
#include "units/widgets/DataEdit.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const std::string Wall = std::string(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d";

// The table's cells, as the window shows them.
std::vector<std::vector<std::string>> Cells(const QTableWidget& table)
{
    std::vector<std::vector<std::string>> out;
    for (int r = 0; r < table.rowCount(); ++r) {
        out.emplace_back();
        for (int c = 0; c < table.columnCount(); ++c)
            out.back().push_back(table.item(r, c)->text().toStdString());
    }
    return out;
}

// The checks' own table with the governing stage marked as the window marks it.
std::vector<std::vector<std::string>> Expected(double target)
{
    const checks::DesignChecksTable t = checks::MakeDesignChecksTable(checks::RunDesignChecks(Wall, target));
    std::vector<std::vector<std::string>> rows = t.rows;
    if (t.governingRow >= 0)
        rows[static_cast<size_t>(t.governingRow)][checks::ColumnStage] += " (governing)";
    return rows;
}

void Type(TDataEdit* field, const char* text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

TEST(DesignChecksWindow, ShowsTheChecksRecomputesAtANewTargetAndRefusesABadOne)
{
    TestApplication();
    ScriptedPrompt prompt;
    QWidget main;
    TDesignChecksWindow* w = TDesignChecksWindow::Show(&main, prompt, Wall);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_EQ(Cells(*w->Table()), Expected(checks::kDefaultTarget));
    int governing = -1;
    for (int r = 0; r < w->Table()->rowCount(); ++r)
        if (w->Table()->item(r, checks::ColumnStage)->font().bold())
            governing = r;
    ASSERT_GE(governing, 0);
    EXPECT_TRUE(w->Table()->item(governing, checks::ColumnStage)->text().endsWith("(governing)"));
    EXPECT_TRUE(w->Summary()->text().startsWith("Every check passed"));
    EXPECT_TRUE(w->Remarks()->text().contains("Safety factor F: the factor by which"));
    for (QWidget* control : std::initializer_list<QWidget*>{w->Target(), w->RecomputeButton(), w->Table(), w->Summary(), w->Remarks()})
        EXPECT_FALSE(control->accessibleName().isEmpty());

    // A higher target asks for a deeper tip: the cells follow the checks at 3.
    Type(w->Target(), "1.5*2");
    QTest::mouseClick(w->RecomputeButton(), Qt::LeftButton);
    EXPECT_EQ(Cells(*w->Table()), Expected(3));
    EXPECT_TRUE(w->Table()->horizontalHeaderItem(checks::ColumnRequiredTip)->text().contains("F = 3"));
    EXPECT_TRUE(prompt.shown.empty());

    // Out of range: said through the prompt, the table stays as it was.
    const auto before = Cells(*w->Table());
    Type(w->Target(), "0.5");
    QTest::mouseClick(w->RecomputeButton(), Qt::LeftButton);
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(Cells(*w->Table()), before);

    // One window: showing it again brings the same one forward.
    EXPECT_EQ(TDesignChecksWindow::Show(&main, prompt, Wall), w);
}

}  // namespace
