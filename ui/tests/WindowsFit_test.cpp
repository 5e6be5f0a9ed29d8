// Every window opens inside the room it has, at normal and at double scale
// (this program is also run with QT_SCALE_FACTOR=2 on a 1600 x 1000 screen):
// the main window with every menu in its menu bar, the input dialogs and the
// side view inside the work area, Design Checks and the section catalogue
// inside the screen with their buttons on it.
#include "ui/DesignChecksWindow.h"
#include "ui/StudyWindow.h"
#include "ui/dialogs/DlgSectionCatalogue.h"
#include "ui/dialogs/DlgSections.h"
#include "ui/tests/MainWindowTest.h"
#include "units/widgets/DataEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

class WindowsFit : public MainWindowTest {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        MainWindowTest::SetUp();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    QRect Screen() const { return form->screen()->availableGeometry(); }
    // The window and every button of it lie on the screen.
    void ExpectOnScreen(QWidget* window, const char* what)
    {
        QCoreApplication::processEvents();
        EXPECT_TRUE(Screen().contains(window->frameGeometry()))
            << what << " at " << window->frameGeometry().x() << "," << window->frameGeometry().y() << " "
            << window->frameGeometry().width() << " x " << window->frameGeometry().height();
        for (QPushButton* b : window->findChildren<QPushButton*>()) {
            if (b->isVisibleTo(window)) {
                EXPECT_TRUE(Screen().contains(QRect(b->mapToGlobal(QPoint(0, 0)), b->size())))
                    << what << ": button " << b->text().toStdString();
            }
        }
    }
    // The child window lies in the work area, and its tables in the window:
    // a table too wide for the room scrolls rather than being cut off.
    void ExpectInArea(QMdiSubWindow* sub, const char* what)
    {
        ASSERT_NE(sub, nullptr) << what;
        QCoreApplication::processEvents();
        const QRect area = form->MdiArea()->viewport()->rect();
        EXPECT_TRUE(area.contains(sub->geometry()))
            << what << " at " << sub->x() << "," << sub->y() << " " << sub->width() << " x " << sub->height() << " in "
            << area.width() << " x " << area.height();
        for (const QAbstractItemView* view : sub->findChildren<QAbstractItemView*>()) {
            if (!view->isVisibleTo(sub))
                continue;
            const QRect shown(view->mapTo(sub, QPoint(0, 0)), view->size());
            EXPECT_TRUE(sub->rect().contains(shown)) << what << ": a table reaches past its window";
        }
    }
    QMdiSubWindow* Choose(const QString& caption)
    {
        for (QAction* a : form->DataMenu()->actions())
            if (a->text() == caption)
                a->trigger();
        QCoreApplication::processEvents();
        return form->MdiArea()->activeSubWindow();
    }
};

TEST_F(WindowsFit, TheMainWindowShowsEveryMenuOnTheScreen)
{
    ExpectOnScreen(form.get(), "main window");
    // A menu bar too narrow for its menus folds the last into a chevron button.
    for (QToolButton* b : form->menuBar()->findChildren<QToolButton*>())
        EXPECT_FALSE(b->isVisible()) << "the menu bar folds menus away";
    // A staged wall shows its stage buttons: the toolbar keeps every one in view.
    const QString wall = settingsDir.filePath("three-stage-excavation.tk4d");
    ASSERT_TRUE(QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d", wall));
    form->OpenFileName(wall.toStdString(), false);
    QCoreApplication::processEvents();
    ExpectOnScreen(form.get(), "main window with a staged wall");
    for (QToolBar* bar : form->findChildren<QToolBar*>())
        for (QToolButton* b : bar->findChildren<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
            EXPECT_FALSE(b->isVisible()) << "the toolbar folds buttons away";
}

TEST_F(WindowsFit, InputDialogsAndTheSideViewOpenInsideTheWorkArea)
{
    TProgramData& wall = form->Document().Wall();
    wall.NodeCount = 60;
    wall.IncrementLength = 0.1;
    wall.UseSprings = true;
    for (QMdiSubWindow* w : form->MdiArea()->subWindowList())
        ExpectInArea(w, "a starting window");
    ExpectInArea(Choose("Wall &Properties"), "Wall Properties");
    ExpectInArea(Choose("A&nchors..."), "Anchors");
    ExpectInArea(Choose("Steel Sect&ions..."), "Steel Sections");
    act().ViewWallGeometry->trigger();
    ExpectInArea(form->MdiArea()->activeSubWindow(), "Side View");
}

TEST_F(WindowsFit, DesignChecksAndTheCatalogueOpenOnTheScreen)
{
    TDesignChecksWindow* checks = TDesignChecksWindow::Show(
        form.get(), prompt, std::string(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(checks));
    ExpectOnScreen(checks, "Design Checks");
    // The caption of the target factor is shown whole.
    QLabel* target = checks->Target()->EditLabel();
    ASSERT_NE(target, nullptr);
    // (to the right edge of its last letter's ink, which reaches past the text's advance)
    const QRect ink = target->fontMetrics().tightBoundingRect("Target safety factor");
    EXPECT_GT(target->width(), std::max(ink.right(), target->fontMetrics().horizontalAdvance("Target safety factor")));
    checks->close();
    TStudyWindow* studyWindow = TStudyWindow::Show(
        form.get(), prompt, [] { return study::ReadStudyWall(std::string(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d"); },
        "three-stage-excavation.tk4d");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(studyWindow));
    ExpectOnScreen(studyWindow, "Study");
    studyWindow->close();

    QMdiSubWindow* sections = Choose("Steel Sect&ions...");
    ASSERT_NE(sections, nullptr);
    auto* dialog = qobject_cast<TDlgSections*>(sections->widget());
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->AddButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    dialog->Table()->setCurrentCell(0, 2);
    bool seen = false;
    QTimer::singleShot(0, [this, &seen] {
        auto* catalogue = qobject_cast<TDlgSectionCatalogue*>(QApplication::activeModalWidget());
        ASSERT_NE(catalogue, nullptr);
        ExpectOnScreen(catalogue, "Pick from Catalogue");
        seen = true;
        catalogue->reject();
    });
    QTest::mouseClick(dialog->PickButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(seen);
}

}  // namespace
