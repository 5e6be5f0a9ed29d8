// The Anchors and Steel Sections windows driven as a user drives them: a value
// typed into a cell, a stage switch, a bad entry refused with its message, and
// a section picked from the catalogue.
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "tables/Data.h"
#include "tables/GridTable.h"
#include "tables/widgets/TableEditors.h"
#include "tables/widgets/TableForm.h"
#include "ui/dialogs/DlgAnchors.h"
#include "ui/dialogs/DlgSectionCatalogue.h"
#include "ui/dialogs/DlgSections.h"
#include "ui/dialogs/DlgWater.h"
#include "ui/tests/MainWindowTest.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QComboBox>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

namespace {

class SettingsWindowsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        MainWindowTest::SetUp();
        ShowLarge();
        TProgramData& wall = form->Document().Wall();
        wall.NodeCount = 60;
        wall.SwitchUnits(UnitSystem::SI);
        wall.IncrementLength = 0.1;
        wall.UseSprings = true;
        TGridTable& springs = form->Tables()[WallTable::Springs];
        springs.SetRowCount(1);
        springs.Cell(1, 0).SetAsInteger(12);
        springs.Cell(2, 0).SetAsInteger(12);
        springs.Cell(3, 0).SetAsFloat(5000);
        ChangeStageCount(wall, 2);
    }

    template <class D>
    D* Choose(const QString& caption)
    {
        for (QAction* a : form->DataMenu()->actions())
            if (a->text() == caption)
                a->trigger();
        QCoreApplication::processEvents();
        return qobject_cast<D*>(TInputDialog::Of(form->MdiArea()->activeSubWindow()));
    }
    // Types `text` into a cell as a user does: F2, the text, Return (unless `leaveOpen`).
    static void TypeIntoCell(QTableWidget* table, int row, int column, const QString& text, bool leaveOpen = false)
    {
        table->setCurrentCell(row, column);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        if (!leaveOpen)
            QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    void SwitchStage(int k)
    {
        act().StageEntry[k - 1]->trigger();
        QCoreApplication::processEvents();
    }
    const TWallSettings& Settings() const { return form->Document().Settings(); }
};

constexpr int kPrestress = 4, kSpacing = 5, kInclination = 6;

TEST_F(SettingsWindowsTest, APrestressTypedInStageTwoStaysAcrossAStageSwitchAndABadSpacingIsRefused)
{
    SwitchStage(2);
    auto* d = Choose<TDlgAnchors>("A&nchors...");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Anchors - Stage 2");
    ASSERT_EQ(d->Table()->rowCount(), 1);
    EXPECT_EQ(d->Table()->item(0, 0)->text(), "12");
    EXPECT_EQ(d->Table()->item(0, 2)->text(), "1.2");

    TypeIntoCell(d->Table(), 0, kPrestress, "85");
    ASSERT_NE(Settings().Anchor(12), nullptr);
    EXPECT_EQ(Settings().Anchor(12)->prestress, 85);
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(act().Undo->text(), "Undo Anchor Prestress");

    // An entry still being typed is taken when the stage is switched.
    TypeIntoCell(d->Table(), 0, kInclination, "12.5", true);
    SwitchStage(1);
    EXPECT_EQ(d->windowTitle(), "Anchors - Stage 1");
    EXPECT_EQ(Settings().Anchor(12)->inclination, 12.5);
    SwitchStage(2);
    EXPECT_EQ(d->Table()->item(0, kPrestress)->text(), "85");

    TypeIntoCell(d->Table(), 0, kSpacing, "0");
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_EQ(prompt.shown.back(), "Anchor at node 12: the spacing must be greater than 0.");
    EXPECT_EQ(Settings().Anchor(12)->spacing, 1);
    EXPECT_EQ(d->Table()->item(0, kSpacing)->text(), "1");

    // A unit switch shows the same prestress in lbs/in: 85 kN/m x 224.8089237 / 39.37007874.
    act().UnitSystem[0]->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(d->Table()->horizontalHeaderItem(kPrestress)->text(), "Prestress per Unit Width\n(lbs/in)");
    EXPECT_EQ(d->Table()->item(0, kPrestress)->text(), "485.36247");
    EXPECT_EQ(Settings().Anchor(12)->prestress, 85);
    act().UnitSystem[1]->trigger();
    QCoreApplication::processEvents();

    TypeIntoCell(d->Table(), 0, kSpacing, "2.5");
    EXPECT_EQ(Settings().Anchor(12)->spacing, 2.5);
    form->UndoClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(Settings().Anchor(12)->spacing, 1);
    EXPECT_EQ(Settings().Anchor(12)->prestress, 85);
    EXPECT_EQ(d->Table()->item(0, kSpacing)->text(), "1");
}

// The regime chosen holds for the open stage only; a table's rows are typed
// as in the other settings windows, and every control has a name.
TEST_F(SettingsWindowsTest, GroundWaterOfStageTwoIsATableTypedRowByRow)
{
    SwitchStage(2);
    auto* d = Choose<TDlgWater>("&Ground Water...");
    ASSERT_NE(d, nullptr);
    for (QWidget* control : std::initializer_list<QWidget*>{d->Regime(), d->RetainedTable(), d->ExcavationTable(),
                                                            d->Destabilising(), d->Stabilising()})
        EXPECT_FALSE(control->accessibleName().isEmpty());
    EXPECT_FALSE(d->RetainedTable()->isEnabled());
    d->Regime()->setCurrentIndex(static_cast<int>(WaterRegime::Table));
    QCoreApplication::processEvents();
    ASSERT_TRUE(d->RetainedTable()->isEnabled());
    TypeIntoCell(d->RetainedTable(), 0, 0, "2");
    TypeIntoCell(d->RetainedTable(), 0, 1, "30");
    EXPECT_EQ(act().Undo->text(), "Undo Pore Pressure");
    const TStageWater water = Settings().water.Stage(2);
    ASSERT_EQ(water.retained.size(), 1u);
    EXPECT_EQ(water.retained[0].depth, 2);
    EXPECT_EQ(water.retained[0].pressure, 30);
    EXPECT_EQ(d->RetainedTable()->rowCount(), 2);
    SwitchStage(1);
    EXPECT_EQ(d->Regime()->currentIndex(), static_cast<int>(WaterRegime::Hydrostatic));
    EXPECT_EQ(Settings().water.Stage(1).regime, WaterRegime::Hydrostatic);
}

TEST_F(SettingsWindowsTest, PickingACatalogueSectionFillsItsRowAndEIOfTheStiffnessTable)
{
    auto* d = Choose<TDlgSections>("Steel Sect&ions...");
    ASSERT_NE(d, nullptr);
    QTest::mouseClick(d->AddButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    ASSERT_EQ(d->Table()->rowCount(), 1);
    d->Table()->setCurrentCell(0, 2);

    bool picked = false;
    QTimer::singleShot(0, [&picked] {
        auto* catalogue = qobject_cast<TDlgSectionCatalogue*>(QApplication::activeModalWidget());
        ASSERT_NE(catalogue, nullptr);
        QTableWidget* t = catalogue->Table();
        const QList<QTableWidgetItem*> found = t->findItems("AU 16", Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty());
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(found.first()).center());
        for (QPushButton* b : catalogue->findChildren<QPushButton*>())
            if (b->accessibleName() == "Pick")
                QTest::mouseClick(b, Qt::LeftButton);
        picked = true;
    });
    QTest::mouseClick(d->PickButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    ASSERT_TRUE(picked);

    // ArcelorMittal AU 16 per m of wall: I = 32850 cm^4, W = 1600 cm^3; E = 210 GPa.
    ASSERT_EQ(Settings().sections.size(), 1u);
    EXPECT_EQ(Settings().sections[0].name, "AU 16");
    EXPECT_NEAR(Settings().sections[0].sectionModulus, 1600e-6, 1e-12);
    const long double ei = form->Tables()[WallTable::PileSect].Cell(3, 0).AsFloat();
    EXPECT_NEAR(static_cast<double>(ei), 210e6 * 32850e-8, 1e-3);
    EXPECT_EQ(d->Table()->item(0, 2)->text(), "AU 16");
    EXPECT_EQ(act().Undo->text(), "Undo Pick Section AU 16");
    // The pick covers the section's nodes down to the tip, in every stage.
    for (int k : {2, 1}) {
        SwitchStage(k);
        const TGridTable& stiffness = form->Tables()[WallTable::PileSect];
        ASSERT_GE(stiffness.RowCount(), 1) << "stage " << k;
        EXPECT_EQ(stiffness.Cell(0, 0).AsInteger(), 0) << "stage " << k;
        EXPECT_EQ(stiffness.Cell(1, 0).AsInteger(), 60) << "stage " << k;
        EXPECT_NEAR(static_cast<double>(stiffness.Cell(3, 0).AsFloat()), 210e6 * 32850e-8, 1e-3) << "stage " << k;
    }
}

// A stage switch reloads every open window of the wall: the Lateral Spring
// table and the Anchors window show the rows of the stage shown and no
// other, and an edit after the switch changes only that stage.
TEST_F(SettingsWindowsTest, AStageSwitchReloadsTheOpenTableAndAnchorsAndEditsOnlyTheStageShown)
{
    SwitchStage(2);
    TGridTable& springs = form->Tables()[WallTable::Springs];
    springs.ShowEditor();
    TTableForm* editor = form->Editors().Of(springs);
    ASSERT_NE(editor, nullptr);
    QTest::mouseClick(editor->BtnAdd(), Qt::LeftButton);
    QAbstractItemModel* model = editor->Grid()->model();
    ASSERT_EQ(model->rowCount(), 2);
    // The editor's columns by their headings (node depths stand between the table's own).
    const auto column = [model](const char* heading) {
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal).toString().startsWith(heading))
                return c;
        return -1;
    };
    const int from = column("From"), to = column("To"), lateral = column("Lateral");
    ASSERT_TRUE(from >= 0 && to >= 0 && lateral >= 0);
    ASSERT_TRUE(model->setData(model->index(1, from), "30", Qt::EditRole));
    ASSERT_TRUE(model->setData(model->index(1, to), "30", Qt::EditRole));
    ASSERT_TRUE(model->setData(model->index(1, lateral), "7000", Qt::EditRole));
    auto* anchors = Choose<TDlgAnchors>("A&nchors...");
    ASSERT_NE(anchors, nullptr);
    EXPECT_EQ(anchors->Table()->rowCount(), 2);

    SwitchStage(1);
    EXPECT_EQ(anchors->windowTitle(), "Anchors - Stage 1");
    EXPECT_EQ(anchors->Table()->rowCount(), 1);
    EXPECT_TRUE(editor->windowTitle().contains("Stage 1")) << editor->windowTitle().toStdString();
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->data(model->index(0, from)).toString(), "12");

    // An edit in stage 1 changes stage 1 alone.
    ASSERT_TRUE(model->setData(model->index(0, lateral), "6000", Qt::EditRole));
    EXPECT_EQ(springs.Cell(3, 0).AsFloat(), 6000);
    SwitchStage(2);
    ASSERT_EQ(springs.RowCount(), 2);
    EXPECT_EQ(springs.Cell(3, 0).AsFloat(), 5000);
    EXPECT_EQ(springs.Cell(3, 1).AsFloat(), 7000);
    EXPECT_EQ(model->rowCount(), 2);
    SwitchStage(1);
    EXPECT_EQ(springs.RowCount(), 1);
    EXPECT_EQ(springs.Cell(3, 0).AsFloat(), 6000);
}

// A stage without spring rows shows none after a switch from a stage with
// one: no row of the other stage stays in the open table, and the Anchors
// window lists no phantom row.
TEST_F(SettingsWindowsTest, AStageWithoutSpringsShowsNoRowOfAnotherStage)
{
    // Stage 1 without spring rows, stage 2 with its row at node 12.
    SwitchStage(1);
    TGridTable& springs = form->Tables()[WallTable::Springs];
    springs.SetRowCount(0);
    form->Document().SetModified(true);
    SwitchStage(2);
    ASSERT_EQ(springs.Cell(1, 0).AsInteger(), 12);
    springs.ShowEditor();
    TTableForm* editor = form->Editors().Of(springs);
    ASSERT_NE(editor, nullptr);
    auto* anchors = Choose<TDlgAnchors>("A&nchors...");
    ASSERT_NE(anchors, nullptr);
    ASSERT_EQ(anchors->Table()->rowCount(), 1);

    SwitchStage(1);
    EXPECT_EQ(anchors->Table()->rowCount(), 0);
    for (int r = 0; r < springs.RowCount(); ++r)
        EXPECT_NE(springs.Cell(1, r).AsInteger(), 12) << "row " << r;
    QAbstractItemModel* model = editor->Grid()->model();
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 0; c < model->columnCount(); ++c)
            EXPECT_NE(model->data(model->index(r, c)).toString(), "5000") << r << "," << c;
    SwitchStage(2);
    EXPECT_EQ(springs.Cell(1, 0).AsInteger(), 12);
    EXPECT_EQ(anchors->Table()->rowCount(), 1);
}

// Screen readers find the Anchors window showing and every cell named,
// the Axial Load check boxes too.
TEST_F(SettingsWindowsTest, TheAnchorsWindowShowsAndNamesEveryCell)
{
    auto* d = Choose<TDlgAnchors>("A&nchors...");
    ASSERT_NE(d, nullptr);
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(d);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->state().invisible);
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(d->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->state().invisible);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(d->Table());
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->tableInterface(), nullptr);
    for (int c = 0; c < d->Table()->columnCount(); ++c) {
        QAccessibleInterface* cell = table->tableInterface()->cellAt(0, c);
        ASSERT_NE(cell, nullptr) << c;
        EXPECT_FALSE(cell->text(QAccessible::Name).isEmpty()) << "column " << c;
    }
}

}  // namespace
