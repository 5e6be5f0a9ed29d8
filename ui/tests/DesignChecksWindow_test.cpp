// Computation > Design Checks: the window shows the checks of the saved wall as
// the checks give them, the governing stage marked; a new target factor typed
// and Recompute check again against it; a target out of range is refused.
#include "ui/DesignChecksWindow.h"

#include "checks/CombinationTable.h"
#include "checks/DesignChecksTable.h"
#include "checks/UtilisationTable.h"
#include "model/WallSettings.h"
#include "ui/ApproachPanel.h"
#include "ui/UtilisationView.h"
#include "graph/widgets/tests/GuiTestSupport.h"
#include "units/ScriptedPrompt.h"
#include "units/widgets/DataEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

// A wall with a steel section and anchors beside it: the section and anchor
// table holds the checks' cells with the largest values in bold, the graph
// draws bending and shear per stage, and the target is the wall's own.
TEST(DesignChecksWindow, ShowsTheUtilisationsOfTheWallsSettings)
{
    namespace fs = std::filesystem;
    TestApplication();
    const fs::path dir = fs::temp_directory_path() / ("torvik-checks-window-" + std::to_string(QCoreApplication::applicationPid()));
    fs::create_directories(dir);
    const std::string wall = (dir / "staged.tk4d").string();
    fs::copy_file(Wall, wall, fs::copy_options::overwrite_existing);
    std::ofstream(dir / "staged.tk4s")
        << R"({"torvik_wall_settings": 1, "target_safety_factor": 2, "anchors": [{"node": 5, "capacity_kN": 300}], )"
        << R"("sections": [{"node": 0, "section_modulus_m3": 0.0016, "yield_strength_kPa": 355000, "shear_area_m2": 0.0075}]})";
    ScriptedPrompt prompt;
    QWidget main;
    TDesignChecksWindow* w = TDesignChecksWindow::Show(&main, prompt, wall);
    EXPECT_EQ(w->Target()->Number(), 2);
    const checks::UtilisationTable expected = checks::MakeUtilisationTable(checks::RunDesignChecks(wall, 2.0));
    EXPECT_EQ(Cells(*w->UtilisationTable()), expected.rows);
    ASSERT_FALSE(expected.governingCells.empty());
    for (const auto& [row, column] : expected.governingCells)
        EXPECT_TRUE(w->UtilisationTable()->item(row, column)->font().bold());
    EXPECT_EQ(w->UtilisationGraph()->Graph().LineCount(), 3 * 2 + 1);
    delete w;
    fs::remove_all(dir);
}

// The design approach chosen in the window: it is stored beside the wall at
// once and the checks run again, a table per stage shows both combinations of
// DA1 with the governing one in bold and named; a factor edited in the table
// is stored and the button brings back the recommended values.
TEST(DesignChecksWindow, ChoosesADesignApproachAndEditsItsFactors)
{
    namespace fs = std::filesystem;
    TestApplication();
    const fs::path dir = fs::temp_directory_path() / ("torvik-approach-window-" + std::to_string(QCoreApplication::applicationPid()));
    fs::create_directories(dir);
    const std::string example = std::string(TORVIK_SOURCE_DIR) + "/examples/tied-back-sand-over-clay";
    const std::string wall = (dir / "tied.tk4d").string();
    fs::copy_file(example + ".tk4d", wall, fs::copy_options::overwrite_existing);
    fs::copy_file(example + ".tk4s", dir / "tied.tk4s", fs::copy_options::overwrite_existing);
    ScriptedPrompt prompt;
    QWidget main;
    TDesignChecksWindow* w = TDesignChecksWindow::Show(&main, prompt, wall);
    TApproachPanel* panel = w->ApproachPanel();
    EXPECT_TRUE(w->CombinationTables().empty());
    for (QWidget* control : std::initializer_list<QWidget*>{panel->Approach(), panel->UnplannedExcavation(),
                                                            panel->Factors(), panel->RecommendedButton()})
        EXPECT_FALSE(control->accessibleName().isEmpty());

    panel->Approach()->setCurrentIndex(1);
    emit panel->Approach()->activated(1);
    EXPECT_EQ(ReadSettingsBeside(wall).settings.designApproach, DesignApproach::DA1);
    const std::vector<checks::CombinationTable> expected = checks::MakeCombinationTables(checks::RunDesignChecks(wall));
    const std::vector<QTableWidget*> tables = w->CombinationTables();
    ASSERT_EQ(tables.size(), expected.size());
    for (std::size_t i = 0; i < tables.size(); ++i) {
        EXPECT_EQ(Cells(*tables[i]), expected[i].rows);
        ASSERT_EQ(tables[i]->rowCount(), 2);
        ASSERT_GE(expected[i].governingRow, 0);
        QTableWidgetItem* name = tables[i]->item(expected[i].governingRow, checks::CombinationName_);
        EXPECT_TRUE(name->font().bold());
        EXPECT_TRUE(name->text().endsWith(checks::kGoverningMark));
    }

    // gamma_Q of A2 (row 3) typed as 1.4: stored; a value below 1 is refused.
    QTableWidget* factors = panel->Factors();
    factors->item(3, 2)->setText("1.4");
    EXPECT_EQ(ReadSettingsBeside(wall).settings.partialFactors.gammaQ_A2, 1.4);
    factors->item(3, 2)->setText("0.9");
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(factors->item(3, 2)->text(), "1.4");
    QTest::mouseClick(panel->RecommendedButton(), Qt::LeftButton);
    EXPECT_EQ(ReadSettingsBeside(wall).settings.partialFactors, TPartialFactors{});
    EXPECT_EQ(factors->item(3, 2)->text(), "1.3");
    // The rest of the wall's settings stay as they were.
    EXPECT_EQ(ReadSettingsBeside(wall).settings.Anchor(6)->capacity, 450);
    delete w;
    fs::remove_all(dir);
}

}  // namespace
