#include "tables/widgets/TableForm.h"

#include "graph/widgets/tests/GuiTestSupport.h"
#include "model/ProgramData.h"
#include "tables/GridTable.h"
#include "tables/TableColumn.h"
#include "tables/widgets/TableEditors.h"
#include "ui/MainForm.h"
#include "units/ScriptedPrompt.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The program's main window on a copy of the bundled cantilever wall; every
// editor is opened as the Data menu opens it, through the table's ShowEditor.
class TableFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApplication();
        wall = dir.filePath("cantilever-sand.tk4d").toStdString();
        QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/cantilever-sand.tk4d", QString::fromStdString(wall));
        QFile::setPermissions(QString::fromStdString(wall), QFile::ReadOwner | QFile::WriteOwner);
        form = std::make_unique<TMainForm>(&prompt);
        form->show();
        form->OpenFileName(wall, false);
        prompt.shown.clear();
    }
    void TearDown() override { form.reset(); }

    TGridTable& Table(WallTable which) { return form->Tables().Table(which); }

    TTableForm& Open(WallTable which)
    {
        Table(which).ShowEditor();
        TTableForm* editor = form->Editors().Of(Table(which));
        EXPECT_NE(editor, nullptr);
        return *editor;
    }

    // Runs queued work, deferred deletions included.
    static void Settle()
    {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QLineEdit* OpenCellEditor(TTableForm& editor) { return editor.Grid()->findChild<QLineEdit*>(); }

    // Makes a cell current and types `text` into it, ending with `end` (Enter by default).
    void Type(TTableForm& editor, int row, int column, const QString& text, Qt::Key end = Qt::Key_Return)
    {
        QTableView* grid = editor.Grid();
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(row, column));
        // The first key opens the cell's editor, which takes the rest.
        QTest::keyClicks(grid, text.left(1));
        QWidget* focused = OpenCellEditor(editor);
        ASSERT_NE(focused, nullptr);
        QTest::keyClicks(focused, text.mid(1));
        QTest::keyClick(focused, end);
        Settle();
    }

    QTemporaryDir dir;
    std::string wall;
    ScriptedPrompt prompt;
    std::unique_ptr<TMainForm> form;
};

TEST_F(TableFormTest, OpensAsAChildWindowWithTheTablesRowsAndHeaders)
{
    TTableForm& editor = Open(WallTable::NewSoil);
    ASSERT_NE(editor.Frame(), &editor);
    EXPECT_EQ(form->MdiArea()->activeSubWindow(), editor.Frame());
    EXPECT_EQ(editor.Frame()->windowTitle(), "Soil Layers");
    EXPECT_EQ(editor.Grid()->model()->rowCount(), Table(WallTable::NewSoil).RowCount());
    EXPECT_EQ(editor.Grid()->model()->headerData(0, Qt::Vertical).toString(), "1");

    // A second request shows the same window; closing frees it and a new one opens.
    Table(WallTable::NewSoil).ShowEditor();
    EXPECT_EQ(form->MdiArea()->subWindowList().size(), 1);
    editor.Frame()->close();
    Settle();
    EXPECT_EQ(form->Editors().Of(Table(WallTable::NewSoil)), nullptr);
    EXPECT_FALSE(Table(WallTable::NewSoil).EditorOpen());
    EXPECT_NE(&Open(WallTable::NewSoil), nullptr);
}

TEST_F(TableFormTest, TypedValueAndExpressionAreStoredAndEnterMovesDown)
{
    TGridTable& sections = Table(WallTable::PileSect);
    TTableForm& editor = Open(WallTable::PileSect);
    Type(editor, 0, 5, "2e9*1.5");  // the stiffness, after two node columns and their depths
    EXPECT_EQ(sections.Cell(3, 0).AsFloat(), 3e9L);
    EXPECT_TRUE(sections.Changed());
    EXPECT_TRUE(form->IsModified());
    // From the last row Enter goes to the first row of the next column, from
    // the last column to column 1.
    EXPECT_EQ(editor.Grid()->currentIndex().row(), 0);
    EXPECT_EQ(editor.Grid()->currentIndex().column(), 0);
    EXPECT_TRUE(prompt.shown.empty());

    // Save writes what was typed.
    for (QAction* a : form->menuBar()->actions().first()->menu()->actions())
        if (a->text() == "&Save")
            a->trigger();
    form->OpenFileName(wall, false);
    EXPECT_EQ(Table(WallTable::PileSect).Cell(3, 0).AsFloat(), 3e9L);
}

TEST_F(TableFormTest, RefusedValueKeepsTheCursorInTheCellAndTheOldValue)
{
    TGridTable& sections = Table(WallTable::PileSect);
    const long double before = sections.Cell(3, 0).AsFloat();
    TTableForm& editor = Open(WallTable::PileSect);
    Type(editor, 0, 5, "2*x");
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(sections.Cell(3, 0).AsFloat(), before);
    EXPECT_EQ(editor.Grid()->currentIndex(), editor.Grid()->model()->index(0, 5));
    QLineEdit* cell = OpenCellEditor(editor);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(), "2*x");

    // The window refuses to close while the cell holds a refused text.
    EXPECT_FALSE(editor.Frame()->close());
    Settle();
    EXPECT_EQ(form->Editors().Of(sections), &editor);
    EXPECT_EQ(prompt.shown.size(), 2u);

    cell->setText("3e9");
    QTest::keyClick(cell, Qt::Key_Return);
    Settle();
    EXPECT_EQ(sections.Cell(3, 0).AsFloat(), 3e9L);

    // Integer cells refuse fractions while the editor is open.
    Type(editor, 0, 2, "2.5");
    EXPECT_EQ(prompt.shown.back(), "Entry must be an integer.");
}

// A refused text stays in its cell however the cell is left (Enter, Tab, a
// click on another cell); Escape there brings back the stored value.
TEST_F(TableFormTest, RefusedTextStaysInItsCellAndEscapeRestoresTheStoredValue)
{
    TGridTable& sections = Table(WallTable::PileSect);
    const QString stored = QString::fromStdString(sections.Cell(3, 0).AsText());
    TTableForm& editor = Open(WallTable::PileSect);
    QTableView* grid = editor.Grid();
    for (Qt::Key end : {Qt::Key_Return, Qt::Key_Tab}) {
        Type(editor, 0, 5, "2*x", end);
        QLineEdit* cell = OpenCellEditor(editor);
        ASSERT_NE(cell, nullptr) << end;
        EXPECT_EQ(cell->text(), "2*x") << end;
        EXPECT_EQ(grid->currentIndex(), grid->model()->index(0, 5)) << end;
        QTest::keyClick(cell, Qt::Key_Escape);
        Settle();
        EXPECT_EQ(OpenCellEditor(editor), nullptr) << end;
        EXPECT_EQ(grid->model()->index(0, 5).data().toString(), stored) << end;
    }
    // A click on another cell.
    grid->setCurrentIndex(grid->model()->index(0, 5));
    QTest::keyClicks(grid, "2");
    ASSERT_NE(OpenCellEditor(editor), nullptr);
    QTest::keyClicks(OpenCellEditor(editor), "*x");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->visualRect(grid->model()->index(0, 0)).center());
    Settle();
    QLineEdit* cell = OpenCellEditor(editor);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(), "2*x");
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(0, 5));
    EXPECT_EQ(prompt.shown.size(), 3u);
    EXPECT_EQ(QString::fromStdString(sections.Cell(3, 0).AsText()), stored);
}

TEST_F(TableFormTest, RowButtonsFollowTheRowLimitsAndTheWindowGrowsToTenRows)
{
    TGridTable& weights = Table(WallTable::SoilWeight);  // 2 to 20 rows
    weights.SetRowCount(2);
    TTableForm& editor = Open(WallTable::SoilWeight);
    EXPECT_TRUE(editor.BtnAdd()->isVisible());
    EXPECT_FALSE(editor.BtnDel()->isEnabled());
    int height = editor.Frame()->height();
    for (int rows = 3; rows <= 20; ++rows) {
        QTest::mouseClick(editor.BtnAdd(), Qt::LeftButton);
        EXPECT_EQ(weights.RowCount(), rows);
        const int now = editor.Frame()->height();
        if (rows <= 10)
            EXPECT_GT(now, height) << rows;
        else
            EXPECT_EQ(now, height) << rows;
        height = now;
    }
    EXPECT_FALSE(editor.BtnAdd()->isEnabled());
    EXPECT_FALSE(editor.BtnIns()->isEnabled());
    EXPECT_EQ(editor.View().rowsInView, 10);
    EXPECT_EQ(editor.View().topRow, 10) << "the added row is the bottom row in view";

    // Insert puts a row in front of the current one; Delete removes the current one.
    weights.Cell(0, 0).SetAsFloat(7);
    QTest::mouseClick(editor.BtnDel(), Qt::LeftButton);
    editor.Grid()->setCurrentIndex(editor.Grid()->model()->index(0, 0));
    QTest::mouseClick(editor.BtnIns(), Qt::LeftButton);
    EXPECT_EQ(weights.RowCount(), 20);
    EXPECT_EQ(weights.Cell(0, 1).AsFloat(), 7);
    while (weights.RowCount() > 2)
        QTest::mouseClick(editor.BtnDel(), Qt::LeftButton);
    EXPECT_FALSE(editor.BtnDel()->isEnabled());
}

TEST_F(TableFormTest, DropDownListsExistOnlyForTheRowsInViewAndFollowScrolling)
{
    TGridTable& layers = Table(WallTable::NewSoil);  // up to 10 rows
    layers.SetRowCount(10);
    layers.Cell(0, 9).SetAsInteger(2);
    TTableForm& editor = Open(WallTable::NewSoil);
    QTableView* grid = editor.Grid();
    // Drag the bottom edge up by four and a half rows: once the drag settles the
    // window snaps to whole rows.
    QRect frame = editor.Frame()->geometry();
    frame.setHeight(frame.height() - 9 * grid->rowHeight(0) / 2);
    editor.Frame()->setGeometry(frame);
    QTest::qWait(400);
    Settle();
    EXPECT_EQ(editor.View().rowsInView, 5);
    EXPECT_EQ(editor.Frame()->geometry().top(), frame.top());
    EXPECT_LT(editor.Frame()->height(), frame.height());
    const int inView = editor.View().rowsInView;
    ASSERT_LT(inView, 10);
    EXPECT_EQ(editor.View().columnsInView, layers.VisibleColumnCount()) << "dragging the bottom edge keeps the columns";
    EXPECT_EQ(grid->findChildren<QComboBox*>().size(), inView);

    grid->verticalScrollBar()->setValue(10 - inView);
    Settle();
    const auto* last = qobject_cast<QComboBox*>(grid->indexWidget(grid->model()->index(9, 0)));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->currentIndex(), 1);
    EXPECT_EQ(grid->indexWidget(grid->model()->index(0, 0)), nullptr);
    EXPECT_EQ(grid->findChildren<QComboBox*>().size(), inView);

    // Choosing an item stores item + 1 and gives the row a fresh parameter table.
    const int firstType = layers.Cell(0, 0).AsInteger();
    emit const_cast<QComboBox*>(last)->activated(firstType - 1);
    EXPECT_EQ(layers.Cell(0, 9).AsInteger(), firstType);
    EXPECT_EQ(layers.Cell(2, 9).AsTable()->Caption(), layers.Cell(2, 0).AsTable()->Caption());
}

TEST_F(TableFormTest, RowButtonOpensTheSubTableEditorWithItsRowInTheTitle)
{
    TGridTable& layers = Table(WallTable::NewSoil);
    TTableForm& editor = Open(WallTable::NewSoil);
    auto* button = qobject_cast<QPushButton*>(editor.Grid()->indexWidget(editor.Grid()->model()->index(0, 2)));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "1: Sand");
    // Space on the button's cell presses it, as a click does.
    editor.Grid()->setCurrentIndex(editor.Grid()->model()->index(0, 2));
    QTest::keyClick(editor.Grid(), Qt::Key_Space);
    TGridTable* parameters = layers.Cell(2, 0).AsTable();
    TTableForm* sub = form->Editors().Of(*parameters);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->Frame()->windowTitle(), "Sand  1");

    // Closing the table's editor closes its sub-table editors too.
    layers.CloseEditor();
    Settle();
    EXPECT_EQ(form->Editors().Of(*parameters), nullptr);
    EXPECT_TRUE(form->MdiArea()->subWindowList().isEmpty());
}

// A soil layer's parameter editor says which row is the top and which the
// bottom of the layer, and gives the typical values of k(py) under the table.
TEST_F(TableFormTest, LayerParametersNameTheirRowsAndGiveTypicalValues)
{
    TGridTable& layers = Table(WallTable::NewSoil);
    TTableForm& editor = Open(WallTable::NewSoil);
    editor.Grid()->setCurrentIndex(editor.Grid()->model()->index(0, 2));
    QTest::keyClick(editor.Grid(), Qt::Key_Space);
    TTableForm* sub = form->Editors().Of(*layers.Cell(2, 0).AsTable());
    ASSERT_NE(sub, nullptr);
    QAbstractItemModel* model = sub->Grid()->model();
    EXPECT_EQ(model->headerData(0, Qt::Vertical).toString(), "1  top of layer");
    EXPECT_EQ(model->headerData(1, Qt::Vertical).toString(), "2  bottom of layer");
    // The row header is wide enough for its text.
    const QFontMetrics fm = sub->Grid()->verticalHeader()->fontMetrics();
    EXPECT_GE(sub->Grid()->verticalHeader()->width(), fm.horizontalAdvance("2  bottom of layer"));
    QLabel* comments = nullptr;
    for (QLabel* l : sub->findChildren<QLabel*>())
        if (l->text().startsWith("Typical k(py)"))
            comments = l;
    ASSERT_NE(comments, nullptr);
    EXPECT_TRUE(comments->isVisible());
    EXPECT_NE(comments->text().indexOf("dense 125 and 225"), -1);
    EXPECT_EQ(comments->accessibleName(), comments->text());
    // Tables of rows in groups keep their bare numbers.
    EXPECT_EQ(editor.Grid()->model()->headerData(0, Qt::Vertical).toString(), "1");
}

// Beside each node number its depth (node x increment length, 3 in here, in
// feet), read-only, following the number as it is typed; Enter passes it by.
TEST_F(TableFormTest, NodeNumbersShowTheirDepthsBeside)
{
    TTableForm& editor = Open(WallTable::PileSect);
    QAbstractItemModel* model = editor.Grid()->model();
    ASSERT_EQ(model->columnCount(), 6);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Depth (ft)");
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), "Depth (ft)");
    EXPECT_EQ(model->index(0, 3).data().toString(), "22");  // node 88
    EXPECT_FALSE(model->flags(model->index(0, 3)).testFlag(Qt::ItemIsEditable));
    EXPECT_GE(editor.Grid()->columnWidth(3),
              editor.Grid()->fontMetrics().horizontalAdvance(model->index(0, 3).data().toString()));
    Type(editor, 0, 2, "40");
    EXPECT_EQ(model->index(0, 3).data().toString(), "10");
    // Enter from the last row went on to the next column the user types in.
    EXPECT_EQ(editor.Grid()->currentIndex().column(), 4);
    // Restraints and springs take node numbers too; other tables have no depth columns.
    EXPECT_EQ(Open(WallTable::Springs).Grid()->model()->headerData(2, Qt::Horizontal).toString(), "Depth (ft)");
    EXPECT_EQ(Open(WallTable::SoilWeight).Grid()->model()->columnCount(), Table(WallTable::SoilWeight).VisibleColumnCount());
}

TEST_F(TableFormTest, PasteStoresABlockUpToTheFirstRefusedValue)
{
    TGridTable& weights = Table(WallTable::SoilWeight);
    weights.SetRowCount(2);
    weights.ResetChanged();
    TTableForm& editor = Open(WallTable::SoilWeight);
    editor.Grid()->setCurrentIndex(editor.Grid()->model()->index(1, 0));
    QApplication::clipboard()->setText("5\t110\n10\t2*60\n15\tabc\n20\t130\n");
    QTest::keySequence(editor.Grid(), QKeySequence::Paste);
    EXPECT_EQ(weights.RowCount(), 4) << "rows are added for the block";
    EXPECT_EQ(weights.Cell(1, 2).AsFloat(), 120);
    EXPECT_EQ(weights.Cell(0, 3).AsFloat(), 15) << "values before the refused one stay";
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].rfind("Row 4, column \"Unit Weight (lbs/ft^3)\": ", 0), 0u) << prompt.shown[0];
    EXPECT_TRUE(weights.Changed());
    EXPECT_EQ(editor.Grid()->model()->rowCount(), 4);

    // Copy gives the same block back.
    editor.Grid()->selectionModel()->select(
        QItemSelection(editor.Grid()->model()->index(1, 0), editor.Grid()->model()->index(2, 1)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keySequence(editor.Grid(), QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), "5\t110\n10\t120\n");
}

// Escape closes a soil layer's parameter window even after the user tabbed
// through its cells, and closing the Soil Layers window by its frame closes
// the parameter windows it opened.
TEST_F(TableFormTest, EscapeClosesAParameterWindowAndNoneOutlivesItsSoilLayers)
{
    TGridTable& layers = Table(WallTable::NewSoil);
    TTableForm& editor = Open(WallTable::NewSoil);
    const auto openParameters = [&]() -> TTableForm* {
        editor.Grid()->setFocus();
        editor.Grid()->setCurrentIndex(editor.Grid()->model()->index(0, 2));
        QTest::keyClick(editor.Grid(), Qt::Key_Space);
        Settle();
        return form->Editors().Of(*layers.Cell(2, 0).AsTable());
    };
    TTableForm* sub = openParameters();
    ASSERT_NE(sub, nullptr);
    sub->Grid()->setFocus();
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Settle();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Settle();
    EXPECT_EQ(form->Editors().Of(*layers.Cell(2, 0).AsTable()), nullptr);
    EXPECT_TRUE(prompt.shown.empty());

    sub = openParameters();
    ASSERT_NE(sub, nullptr);
    ASSERT_TRUE(editor.Frame()->close());
    Settle();
    EXPECT_EQ(form->Editors().Of(*layers.Cell(2, 0).AsTable()), nullptr);
    EXPECT_TRUE(form->MdiArea()->subWindowList().isEmpty());
}

// Two main windows in one process have their own tables and editors: neither
// finds the other's editors, and an editor's change is a step of Undo in its
// own window only, also once the other window is gone.
TEST_F(TableFormTest, TwoMainWindowsShareNeitherTablesNorEditors)
{
    auto other = std::make_unique<TMainForm>(&prompt);
    other->show();
    TGridTable& theirs = other->Tables()[WallTable::NewSoil];
    ASSERT_NE(&theirs.Scope(), &Table(WallTable::NewSoil).Scope());
    theirs.ShowEditor();
    TTableForm* theirEditor = other->Editors().Of(theirs);
    ASSERT_NE(theirEditor, nullptr);
    EXPECT_EQ(form->Editors().Of(theirs), nullptr);
    EXPECT_TRUE(form->MdiArea()->subWindowList().isEmpty());
    TTableForm& editor = Open(WallTable::NewSoil);
    EXPECT_EQ(other->Editors().Of(Table(WallTable::NewSoil)), nullptr);

    QTest::mouseClick(theirEditor->BtnAdd(), Qt::LeftButton);
    EXPECT_TRUE(other->UndoHistory().CanUndo());
    EXPECT_FALSE(form->UndoHistory().CanUndo());
    other.reset();
    Settle();
    QTest::mouseClick(editor.BtnAdd(), Qt::LeftButton);
    EXPECT_TRUE(form->UndoHistory().CanUndo());
}

}  // namespace
