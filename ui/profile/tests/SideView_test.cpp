#include "ui/profile/SideView.h"

#include "graph/widgets/tests/GuiTestSupport.h"
#include "model/ProgramData.h"
#include "tables/Data.h"
#include "tables/GridTable.h"
#include "tables/widgets/TableEditors.h"
#include "tables/widgets/TableForm.h"
#include "ui/MainForm.h"
#include "units/ScriptedPrompt.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

class SideViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApplication();
        form = std::make_unique<TMainForm>(&prompt);
        form->show();
    }
    // Opens a copy of an example wall.
    void OpenExample(const QString& name)
    {
        const QString target = dir.filePath(name);
        ASSERT_TRUE(QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/" + name, target));
        form->OpenFileName(target.toStdString(), false);
    }
    TDlgSideView* OpenView()
    {
        form->ViewGeometryAction()->trigger();
        return TDlgSideView::Find(*form->MdiArea());
    }
    // The number of pixels of `image` darker than mid-grey.
    static int DarkPixels(const QImage& image)
    {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 100;
        return dark;
    }

    QTemporaryDir dir;
    ScriptedPrompt prompt;
    std::unique_ptr<TMainForm> form;
};

// A cell typed into the soil table redraws the view at once, while the
// table's editor stays open and active.
TEST_F(SideViewTest, FollowsASoilTableEditWhileItsEditorStaysOpen)
{
    OpenExample("cantilever-sand.tk4d");
    TDlgSideView* view = OpenView();
    ASSERT_TRUE(view);
    ASSERT_EQ(view->Scene().Layers.size(), 1u);
    TGridTable& soil = form->Tables()[WallTable::NewSoil];
    soil.ShowEditor();
    QCoreApplication::processEvents();
    const long double before = view->Scene().Layers[0].Bottom;
    TTableForm* editor = form->Editors().Of(soil);
    ASSERT_NE(editor, nullptr);
    QAbstractItemModel* model = editor->Grid()->model();
    int depth = -1;
    for (int c = 0; c < model->columnCount() && depth < 0; ++c)
        if (model->headerData(c, Qt::Horizontal).toString().contains("Depth"))
            depth = c;
    ASSERT_GE(depth, 0);
    // As the editor stores a cell that is left.
    ASSERT_TRUE(model->setData(model->index(0, depth), "30", Qt::EditRole));
    QCoreApplication::processEvents();
    EXPECT_EQ(form->Editors().Of(soil), editor);
    EXPECT_EQ(form->MdiArea()->activeSubWindow()->widget(), editor);
    EXPECT_NE(view->Scene().Layers[0].Bottom, before);
}

TEST_F(SideViewTest, OneViewThatFollowsTheWallWhenActivated)
{
    OpenExample("cantilever-sand.tk4d");
    TDlgSideView* view = OpenView();
    ASSERT_TRUE(view);
    EXPECT_EQ(view->windowTitle(), "Side View");
    // 88 increments of 3 in: the wall top at world depth 26.4 in, the
    // excavation 120 in below it, the sand layer's bottom at 40 ft.
    EXPECT_NEAR(static_cast<double>(view->Scene().Top), 26.4, 1e-9);
    EXPECT_NEAR(static_cast<double>(view->World().YMax), 1.05 * (264 + 26.4), 1e-9);
    ASSERT_EQ(view->Scene().Layers.size(), 1u);
    EXPECT_EQ(view->Scene().Layers[0].Name, "Sand");
    // The values at the layer's bottom, as the table shows them (120 lbs/ft^3).
    EXPECT_EQ(view->Scene().Layers[0].Parameters, "\xC3\xB8= 32; gamma= 120");

    // Edits made while another child window is active show when the view is activated again.
    QMdiSubWindow* other = form->MdiArea()->addSubWindow(new QWidget);
    other->show();
    form->MdiArea()->setActiveSubWindow(other);
    form->Document().Wall().WallHeight = 160;
    form->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(view->parentWidget()));
    EXPECT_NEAR(static_cast<double>(view->Scene().Excavation), 186.4, 1e-9);
    // The command again activates the same window, re-read from the wall.
    form->Document().Wall().WallHeight = 100;
    form->MdiArea()->setActiveSubWindow(other);
    EXPECT_EQ(OpenView(), view);
    EXPECT_EQ(form->MdiArea()->activeSubWindow()->widget(), view);
    EXPECT_EQ(form->MdiArea()->subWindowList().size(), 2);
    EXPECT_NEAR(static_cast<double>(view->Scene().Excavation), 126.4, 1e-9);

    // Closing destroys it; the next command builds a fresh one.
    view->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(TDlgSideView::Find(*form->MdiArea()));
    EXPECT_TRUE(OpenView());
}

TEST_F(SideViewTest, CommandEndsTheStandardComputationEntriesAndHasAToolButton)
{
    QMenu* computation = nullptr;
    for (QAction* a : form->menuBar()->actions())
        if (a->text() == "&Computation")
            computation = a->menu();
    ASSERT_TRUE(computation);
    // The standard entries end with a separator and the view; the result
    // documents follow after a separator of their own.
    const QList<QAction*> entries = computation->actions();
    const int at = entries.indexOf(form->ViewGeometryAction());
    ASSERT_GE(at, 1);
    EXPECT_TRUE(entries[at - 1]->isSeparator());
    ASSERT_LT(at + 1, entries.size());
    EXPECT_TRUE(entries[at + 1]->isSeparator());
    EXPECT_EQ(entries[at]->text(), "&View Wall Geometry");
    // The toolbar's own hint first, then what the button does.
    EXPECT_EQ(entries[at]->toolTip(), "View Soil Profile\nView Wall Geometry");
    bool onToolBar = false;
    for (QToolBar* bar : form->findChildren<QToolBar*>())
        onToolBar |= bar->actions().contains(form->ViewGeometryAction());
    EXPECT_TRUE(onToolBar);
}

TEST_F(SideViewTest, TitleShowsTheDepthUnderThePointer)
{
    OpenExample("anchored-soft-clay.tk4d");
    TDlgSideView* view = OpenView();
    ASSERT_TRUE(view);
    // 56 increments of 0.25 m: the wall top lies 1.4 m down the world window.
    const TProfileMapping map{view->View(), view->DrawingSize().width(), view->DrawingSize().height(), false};
    const int row = map.Y(view->Scene().Top + 5);
    // The sketch ends above the buttons: they never hide the tip.
    for (const QPushButton* button : view->findChildren<QPushButton*>())
        EXPECT_LT(map.Y(view->Scene().Top + view->Scene().WallLength), button->y()) << button->text().toStdString();
    QTest::mouseMove(view, QPoint(view->width() / 3, row));
    const double shown = view->windowTitle().mid(QString("  Depth: ").size()).toDouble();
    EXPECT_TRUE(view->windowTitle().startsWith("  Depth: "));
    EXPECT_NEAR(shown, 5, 0.05 + static_cast<double>(map.Depth(1) - map.Depth(0)));
}

TEST_F(SideViewTest, DrawsPrintsAndSavesTheWall)
{
    OpenExample("soldier-pile-surcharge-water.tk4d");
    TDlgSideView* view = OpenView();
    ASSERT_TRUE(view);
    EXPECT_GT(DarkPixels(view->grab().toImage()), 100);

    // Print: one landscape page, black on white, here into a PDF file.
    QPrinter printer(QPrinter::HighResolution);
    TDlgSideView::SetUpPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("print.pdf"));
    EXPECT_TRUE(view->PrintTo(printer));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.docName(), "Soil-Pile Profile");
    EXPECT_GT(QFile(dir.filePath("print.pdf")).size(), 1000);

    // Save As: a name without extension becomes a PNG at twice the window's pixels.
    prompt.fileNames.push_back(dir.filePath("profile").toStdString());
    QTest::mouseClick(view->SaveButton(), Qt::LeftButton);
    const QImage png(dir.filePath("profile.png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), view->size() * 2);
    EXPECT_GT(DarkPixels(png), 400);
    QString error;
    EXPECT_TRUE(view->SaveImage(dir.filePath("profile.svg"), &error)) << error.toStdString();
    EXPECT_TRUE(view->SaveImage(dir.filePath("profile.pdf"), &error)) << error.toStdString();
    EXPECT_FALSE(view->SaveImage(dir.filePath("profile.gif"), &error));
    // The file dialog, and no message.
    EXPECT_EQ(prompt.shown, std::vector<std::string>{"Save Profile As"});
}

TEST_F(SideViewTest, NothingIsDrawnForAWallWithoutLength)
{
    // A wall with no increments and no free height.
    form->Document().Wall().NodeCount = 0;
    form->Document().Wall().IncrementLength = 0;
    form->Document().Wall().WallHeight = 0;
    TDlgSideView* view = OpenView();
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->World().Degenerate());
    EXPECT_EQ(DarkPixels(view->grab(QRect(0, 40, view->width(), view->height() - 100)).toImage()), 0);
    EXPECT_FALSE(view->PrintButton()->isEnabled());
    EXPECT_FALSE(view->SaveButton()->isEnabled());
    QTest::mouseMove(view, QPoint(50, 50));
    EXPECT_EQ(view->windowTitle(), "Side View");
}

}  // namespace
