// The Wall Friction window driven as a user drives it: a ratio typed into a
// layer's cell is one undoable change, a ratio out of range is refused with its
// message, and a ratio the soil has no strength for cannot be typed.
#include "model/ProgramData.h"
#include "tables/Data.h"
#include "tables/GridTable.h"
#include "ui/dialogs/DlgWallFriction.h"
#include "ui/tests/MainWindowTest.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QStandardPaths>
#include <QTableWidget>

namespace {

class WallFrictionWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        MainWindowTest::SetUp();
        ShowLarge();
        form->Document().Wall().SwitchUnits(UnitSystem::SI);
        // Sand to 3 m over soft clay to 12 m.
        TGridTable& soil = form->Tables()[WallTable::NewSoil];
        soil.SetRowCount(2);
        soil.Cell(0, 0).SetAsInteger(4);
        soil.Cell(1, 0).SetAsFloat(3);
        soil.Cell(0, 1).SetAsInteger(1);
        soil.Cell(1, 1).SetAsFloat(12);
    }

    TDlgWallFriction* Open()
    {
        for (QAction* a : form->DataMenu()->actions())
            if (a->text() == "Wall F&riction...")
                a->trigger();
        QCoreApplication::processEvents();
        return qobject_cast<TDlgWallFriction*>(TInputDialog::Of(form->MdiArea()->activeSubWindow()));
    }

    static void Type(QTableWidget* table, int row, int column, const QString& text)
    {
        table->setCurrentCell(row, column);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    const TWallSettings& Settings() const { return form->Document().Settings(); }
};

constexpr int kFriction = 3, kAdhesion = 4;

TEST_F(WallFrictionWindowTest, ARatioTypedIsOneUndoableChangeAndOneOutOfRangeIsRefused)
{
    TDlgWallFriction* d = Open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Table()->accessibleName(), "Wall friction of the soil layers");
    ASSERT_EQ(d->Table()->rowCount(), 2);
    EXPECT_EQ(d->Table()->item(0, 1)->text(), "Sand");
    // Sand has no cohesion, soft clay no friction angle: those cells are shown only.
    EXPECT_EQ(d->Table()->item(0, kAdhesion)->text(), "-");
    EXPECT_FALSE(d->Table()->item(0, kAdhesion)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(d->Table()->item(1, kFriction)->flags() & Qt::ItemIsEditable);

    Type(d->Table(), 0, kFriction, "2/3");
    ASSERT_NE(Settings().WallFriction(1), nullptr);
    EXPECT_NEAR(Settings().WallFriction(1)->frictionRatio, 2.0 / 3.0, 1e-12);
    EXPECT_EQ(act().Undo->text(), "Undo Wall Friction Ratio");
    Type(d->Table(), 1, kAdhesion, "0.25");
    EXPECT_EQ(Settings().WallFriction(2)->adhesionRatio, 0.25);

    Type(d->Table(), 1, kAdhesion, "0.6");
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_EQ(prompt.shown.back(), "Soil layer 2: the adhesion ratio a/c must lie from 0 (no adhesion) to 0.5.");
    EXPECT_EQ(Settings().WallFriction(2)->adhesionRatio, 0.25);
    EXPECT_EQ(d->Table()->item(1, kAdhesion)->text(), "0.25");

    // Undo takes back the adhesion alone: layer 2 is smooth again, layer 1 keeps its friction.
    form->UndoClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(Settings().WallFriction(2), nullptr);
    ASSERT_NE(Settings().WallFriction(1), nullptr);
    EXPECT_NEAR(Settings().WallFriction(1)->frictionRatio, 2.0 / 3.0, 1e-12);
}

}  // namespace
