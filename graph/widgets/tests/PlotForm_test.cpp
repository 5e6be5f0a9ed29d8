#include "graph/widgets/PlotForm.h"

#include "graph/GraphPlot.h"
#include "graph/widgets/GraphPainter.h"
#include "graph/widgets/PlotLegend.h"
#include "graph/widgets/TdlgFormat.h"
#include "graph/widgets/TfrmActiveLines.h"
#include "graph/widgets/TfrmGraphCaption.h"
#include "graph/widgets/TfrmLineNames.h"
#include "graph/widgets/tests/GuiTestSupport.h"
#include "units/ScriptedPrompt.h"
#include "units/widgets/DataEdit.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PlotFormTest : public ::testing::Test {
protected:
    void SetUp() override { TestApplication(); }

    // A shown window of `curves` curves, 640 x 480 pixels.
    TPlotForm& Open(int curves)
    {
        FillCurves(graph, curves);
        form = std::make_unique<TPlotForm>(graph, prompt);
        form->resize(640, 480);
        form->show();
        return *form;
    }

    QPoint Pixel(long double x, long double y) const
    {
        TPanelMapping m{form->Layout().Plot, form->Ranges().Panel[0], graph.XOnTop};
        return {m.X(x), m.Y(y)};
    }

    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(form.get(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(form.get(), to);
        QTest::mouseRelease(form.get(), Qt::LeftButton, Qt::NoModifier, to);
    }

    QStringList LegendTexts() const
    {
        QStringList texts;
        for (int i = 0; i < form->Legend()->count(); ++i)
            texts << form->Legend()->item(i)->text();
        return texts;
    }

    TGraphPlot graph;
    ScriptedPrompt prompt;
    std::unique_ptr<TPlotForm> form;
};

TEST_F(PlotFormTest, TwentyOfTwentyFiveCurvesAreListedAndCommanded)
{
    TPlotForm& f = Open(25);
    EXPECT_EQ(f.Legend()->count(), 20);
    EXPECT_EQ(f.CurveActions().size(), 20u);
    EXPECT_TRUE(graph.Lines(19).Active);
    EXPECT_FALSE(graph.Lines(20).Active);
    EXPECT_EQ(f.CurveActions()[3]->text(), "Curve #4");
    EXPECT_TRUE(f.Legend()->isVisible());
    EXPECT_EQ(f.windowTitle(), "PlotForm");
}

// The legend's mark is explained beside it, and a window is named after its graph.
TEST_F(PlotFormTest, TheLegendSaysWhatItsMarkMeansAndTheWindowIsNamedAfterItsGraph)
{
    graph.Name = "Moment vs Depth";
    TPlotForm& f = Open(3);
    QCoreApplication::processEvents();
    QLabel* key = f.Legend()->Key();
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->isVisible());
    EXPECT_TRUE(key->text().startsWith("* drawn"));
    EXPECT_EQ(key->geometry().bottom() + 1, f.Legend()->geometry().top());
    EXPECT_EQ(f.windowTitle(), "Moment vs Depth - PlotForm");
    EXPECT_EQ(f.accessibleName(), "Moment vs Depth");
    f.Legend()->hide();
    EXPECT_FALSE(key->isVisible());
}

// Curves that drop at once from the x axis at the top and run along the
// bottom of the plot (as p-y curves do below their origin) fill its lower
// right corner: the legend opens where it hides none of them.
// The p-y curves (x axis at the bottom) and a depth graph whose curves end at
// the lower right (the pore pressures of flowing water) alike.
TEST_F(PlotFormTest, TheLegendOfCurvesFillingTheLowerRightOpensInAFreeCorner)
{
    for (const bool xOnTop : {false, true}) {
        graph.XOnTop = xOnTop;
        graph.SetLineCount(3);
        graph.SetPointCount(11);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j <= 10; ++j)
                graph.Points(i, j) = xOnTop ? TFloatPoint{static_cast<long double>(10 * j + i), static_cast<long double>(j)}
                                            : TFloatPoint{static_cast<long double>(10 * j),
                                                     j == 0 ? 0.0L : static_cast<long double>(i - 38)};
        form = std::make_unique<TPlotForm>(graph, prompt);
        form->resize(640, 480);
        form->show();
        const QRect legend = form->Legend()->geometry();
        EXPECT_NE(legend.bottomRight() + QPoint(1, 1), QPoint(form->Layout().Plot.Right, form->Layout().Plot.Bottom));
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 10; ++j)
                for (int k = 0; k <= 10; ++k) {  // along each segment
                    const auto& a = graph.Points(i, j);
                    const auto& b = graph.Points(i, j + 1);
                    const QPoint p = Pixel(a.X + (b.X - a.X) * k / 10, a.Y + (b.Y - a.Y) * k / 10);
                    EXPECT_FALSE(legend.contains(p)) << xOnTop << " " << i << " " << j << " " << k;
                }
    }
}

TEST_F(PlotFormTest, LegendStartsInThePlotsLowerRightCorner)
{
    // Curves from the upper right to the lower left leave that corner free.
    graph.SetLineCount(3);
    graph.SetPointCount(11);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j <= 10; ++j)
            graph.Points(i, j) = {static_cast<long double>(10 - j + i), static_cast<long double>(j)};
    form = std::make_unique<TPlotForm>(graph, prompt);
    form->resize(640, 480);
    form->show();
    TPlotForm& f = *form;
    const QRect legend = f.Legend()->geometry();
    EXPECT_EQ(legend.right() + 1, f.Layout().Plot.Right);
    EXPECT_EQ(legend.bottom() + 1, f.Layout().Plot.Bottom);
    EXPECT_EQ(legend.height(), 3 * f.Legend()->ItemHeight() + 3);
}

TEST_F(PlotFormTest, WithoutShowLegendTheCommandIsHidden)
{
    graph.ShowLegend = false;
    TPlotForm& f = Open(2);
    EXPECT_FALSE(f.Legend()->isVisible());
    EXPECT_FALSE(f.ShowLegendAction()->isVisible());
}

TEST_F(PlotFormTest, TitleReadsTheCoordinatesUnderThePointer)
{
    graph.Caption = "Deflection vs Depth";
    TPlotForm& f = Open(2);
    QTest::mouseMove(&f, Pixel(50, 10));
    // The values of the pixel under the pointer: within a pixel of the point
    // (the axes keep a margin beyond the data, so a pixel is not a round step).
    const QStringList parts = f.windowTitle().split(' ');
    ASSERT_EQ(parts.size(), 7) << f.windowTitle().toStdString();
    EXPECT_TRUE(f.windowTitle().startsWith("Deflection vs Depth X: "));
    EXPECT_NEAR(parts[4].toDouble(), 50, 0.5);
    EXPECT_NEAR(parts[6].toDouble(), 10, 0.1);
    // Outside the plotting rectangle the pointer is held at its edge.
    QTest::mouseMove(&f, QPoint(1, 1));
    EXPECT_EQ(f.windowTitle(), "Deflection vs Depth X: 0 Y: 0");
}

TEST_F(PlotFormTest, RubberBandZoomsToTheSelection)
{
    TPlotForm& f = Open(2);
    Drag(Pixel(20, 4), Pixel(60, 12));
    const TPanelRange& r = f.Ranges().Panel[0];
    EXPECT_NEAR(static_cast<double>(r.X.Min), 20, 0.5);
    EXPECT_NEAR(static_cast<double>(r.X.Max), 60, 0.5);
    EXPECT_NEAR(static_cast<double>(r.Y.Min), 4, 0.2);
    EXPECT_NEAR(static_cast<double>(r.Y.Max), 12, 0.2);
}

TEST_F(PlotFormTest, ALineSelectsNothing)
{
    TPlotForm& f = Open(2);
    const QPoint a = Pixel(20, 4);
    Drag(a, QPoint(a.x(), Pixel(60, 12).y()));
    Drag(a, QPoint(Pixel(60, 12).x(), a.y()));
    EXPECT_EQ(f.Ranges().Panel[0].X.Max, f.FullRanges().Panel[0].X.Max);
    EXPECT_EQ(f.Ranges().Panel[0].Y.Max, f.FullRanges().Panel[0].Y.Max);
}

TEST_F(PlotFormTest, ATinySelectionZoomsToATwentiethAtMost)
{
    TPlotForm& f = Open(2);
    const QPoint a = Pixel(1, 0.5L);
    Drag(a, a + QPoint(2, 2));
    const TPanelRange& r = f.Ranges().Panel[0];
    const TPanelRange& full = f.FullRanges().Panel[0];
    EXPECT_NEAR(static_cast<double>(r.X.Max - r.X.Min), static_cast<double>(full.X.Max - full.X.Min) / 20, 1e-9);
    EXPECT_NEAR(static_cast<double>(r.Y.Max - r.Y.Min), static_cast<double>(full.Y.Max - full.Y.Min) / 20, 1e-9);
    // Centred on the selection, then pushed back inside the full range.
    EXPECT_EQ(r.X.Min, full.X.Min);
    EXPECT_GT(r.Y.Min, full.Y.Min);
}

TEST_F(PlotFormTest, RightClicksWidenTwiceUpToTheFullRange)
{
    TPlotForm& f = Open(2);
    Drag(Pixel(40, 8), Pixel(50, 10));
    const long double zoomed = f.Ranges().Panel[0].X.Max - f.Ranges().Panel[0].X.Min;
    QTest::mouseClick(&f, Qt::RightButton, Qt::NoModifier, Pixel(45, 9));
    EXPECT_NEAR(static_cast<double>(f.Ranges().Panel[0].X.Max - f.Ranges().Panel[0].X.Min),
                static_cast<double>(2 * zoomed), 1e-9);
    for (int i = 0; i < 6; ++i)
        QTest::mouseClick(&f, Qt::RightButton, Qt::NoModifier, Pixel(45, 9));
    EXPECT_EQ(f.Ranges().Panel[0].X.Min, f.FullRanges().Panel[0].X.Min);
    EXPECT_EQ(f.Ranges().Panel[0].X.Max, f.FullRanges().Panel[0].X.Max);
    EXPECT_EQ(f.Ranges().Panel[0].Y.Max, f.FullRanges().Panel[0].Y.Max);
}

TEST_F(PlotFormTest, CurveCommandTogglesTheCurveAndItsLegendMark)
{
    TPlotForm& f = Open(3);
    f.CurveActions()[1]->trigger();
    EXPECT_FALSE(graph.Lines(1).Visible);
    EXPECT_FALSE(f.Legend()->item(1)->data(PlotLegend::VisibleRole).toBool());
    EXPECT_TRUE(f.Legend()->item(0)->data(PlotLegend::VisibleRole).toBool());
    f.RefreshMenu();
    EXPECT_FALSE(f.CurveActions()[1]->isChecked());
    f.CurveActions()[1]->trigger();
    EXPECT_TRUE(graph.Lines(1).Visible);
}

TEST_F(PlotFormTest, DoubleClickOnTheLegendTogglesItsCurve)
{
    TPlotForm& f = Open(3);
    PlotLegend* legend = f.Legend();
    const QPoint third = legend->visualItemRect(legend->item(2)).center();
    QTest::mouseDClick(legend->viewport(), Qt::LeftButton, Qt::NoModifier, third);
    EXPECT_FALSE(graph.Lines(2).Visible);
    EXPECT_FALSE(f.CurveActions()[2]->isChecked());
}

TEST_F(PlotFormTest, LegendFollowsThePointerAndStaysInside)
{
    TPlotForm& f = Open(3);
    PlotLegend* legend = f.Legend();
    // From the middle of the graph, with room to move in every direction.
    legend->move((f.width() - legend->width()) / 2, (f.height() - legend->height()) / 2);
    const QPoint start = legend->pos();
    QTest::mousePress(legend->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseMove(legend->viewport(), QPoint(5 - 100, 5 - 50));
    EXPECT_EQ(legend->pos(), start - QPoint(100, 50));
    QTest::mouseMove(legend->viewport(), QPoint(-2000, -2000));
    EXPECT_EQ(legend->pos(), QPoint(0, 0));
    QTest::mouseRelease(legend->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

// The Plot menu's radio commands set the graph's settings and show the current one.
struct ChoiceCase {
    const char* menu;
    const char* command;
    int TGraphPlot::*setting;
    int value;
};

class PlotChoiceTest : public PlotFormTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(PlotChoiceTest, CommandSetsTheSettingAndIsChecked)
{
    const ChoiceCase& c = GetParam();
    TPlotForm& f = Open(2);
    QMenu* menu = std::string(c.menu) == "markers" ? f.MarkersMenu()
                  : std::string(c.menu) == "font"  ? f.FontSizeMenu()
                                                   : f.LineWidthMenu();
    QAction* chosen = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == c.command)
            chosen = a;
    ASSERT_NE(chosen, nullptr);
    chosen->trigger();
    EXPECT_EQ(graph.*(c.setting), c.value);
    f.RefreshMenu();
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) {
            EXPECT_EQ(a->isChecked(), a == chosen) << a->text().toStdString();
        }
}

INSTANTIATE_TEST_SUITE_P(PlotMenu, PlotChoiceTest,
                         ::testing::Values(ChoiceCase{"markers", "&Never", &TGraphPlot::Markers, 0},
                                           ChoiceCase{"markers", "Every &3 Incrments", &TGraphPlot::Markers, 3},
                                           ChoiceCase{"markers", "Every &10 Incements", &TGraphPlot::Markers, 10},
                                           ChoiceCase{"font", "2.5 * Default", &TGraphPlot::SizeFont, 25},
                                           ChoiceCase{"width", "6 * Default", &TGraphPlot::WidthLine, 6}));

TEST_F(PlotFormTest, FontSizeScalesTheLegend)
{
    TPlotForm& f = Open(2);
    for (QAction* a : f.FontSizeMenu()->actions())
        if (a->text() == "2 * Default")
            a->trigger();
    EXPECT_EQ(f.Legend()->font().pointSize(), 2 * graph.LegendFont);
    EXPECT_EQ(f.Legend()->ItemHeight(), 2 * graph.LegendFont * 3 / 2);
    EXPECT_EQ(f.Legend()->height(), 2 * f.Legend()->ItemHeight() + 3);
}

TEST_F(PlotFormTest, MenuShowsOnlyWhatTheGraphOffers)
{
    graph.ShowFontWidth = false;
    TPlotForm& f = Open(2);
    f.RefreshMenu();
    EXPECT_FALSE(f.ShowLayersAction()->isVisible());
    EXPECT_FALSE(f.ShowWallAction()->isVisible());
    EXPECT_FALSE(f.FontSizeMenu()->menuAction()->isVisible());
    EXPECT_FALSE(f.LineWidthMenu()->menuAction()->isVisible());
    graph.SetLayerCount(2);
    graph.WallLineCount = 1;
    f.RefreshMenu();
    EXPECT_TRUE(f.ShowLayersAction()->isVisible());
    EXPECT_TRUE(f.ShowWallAction()->isVisible());
    EXPECT_FALSE(f.ShowWallAction()->isEnabled());
    f.ShowLayersAction()->trigger();
    EXPECT_TRUE(graph.ShowLayers);
    f.RefreshMenu();
    EXPECT_TRUE(f.ShowWallAction()->isEnabled());
}

TEST_F(PlotFormTest, LegendDialogRenamesCurvesOnOk)
{
    TPlotForm& f = Open(3);
    WhenDialogShown<TfrmLineNames>([](TfrmLineNames& d) {
        d.lbLines()->setCurrentRow(1);
        d.edLine()->setText("Stage A");
        QTest::keyClick(d.edLine(), Qt::Key_Return);
        d.btnOk()->click();
    });
    f.EditLegendAction()->trigger();
    EXPECT_EQ(graph.Lines(1).Name, "Stage A");
    EXPECT_EQ(f.Legend()->item(1)->text(), "Stage A");
    EXPECT_EQ(f.CurveActions()[1]->text(), "Stage A");
    EXPECT_EQ(graph.Lines(0).GetName(), "Curve #1");
}

TEST_F(PlotFormTest, CancelledLegendDialogChangesNoName)
{
    TPlotForm& f = Open(3);
    WhenDialogShown<TfrmLineNames>([](TfrmLineNames& d) {
        d.edLine()->setText("Other");
        QTest::keyClick(d.edLine(), Qt::Key_Return);
        d.btnCancel()->click();
    });
    f.EditLegendAction()->trigger();
    EXPECT_EQ(LegendTexts(), QStringList({"Curve #1", "Curve #2", "Curve #3"}));
    EXPECT_TRUE(graph.Lines(0).Name.empty());
}

TEST_F(PlotFormTest, AnEmptyNameIsRefusedAndRestored)
{
    TPlotForm& f = Open(2);
    QString restored;
    WhenDialogShown<TfrmLineNames>([&restored](TfrmLineNames& d) {
        d.edLine()->clear();
        QTest::keyClick(d.edLine(), Qt::Key_Return);
        restored = d.edLine()->text();
        d.btnOk()->click();
    });
    f.EditLegendAction()->trigger();
    EXPECT_EQ(restored, "Curve #1");
    EXPECT_EQ(prompt.shown, std::vector<std::string>({"The line must have a name!"}));
    EXPECT_EQ(graph.Lines(0).Name, "Curve #1");
}

TEST_F(PlotFormTest, DeactivatedCurveLeavesLegendMenuAndDrawing)
{
    TPlotForm& f = Open(3);
    WhenDialogShown<TfrmActiveLines>([](TfrmActiveLines& d) {
        EXPECT_EQ(d.lbLines()->item(0)->text(), " yes :    Curve #1");
        d.lbLines()->setCurrentRow(0);
        d.btnToggle()->click();
        EXPECT_EQ(d.lbLines()->item(0)->text(), " no  :    Curve #1");
        d.btnOk()->click();
    });
    f.ActiveCurvesAction()->trigger();
    EXPECT_FALSE(graph.Lines(0).Active);
    EXPECT_EQ(LegendTexts(), QStringList({"Curve #2", "Curve #3"}));
    ASSERT_EQ(f.CurveActions().size(), 2u);
    EXPECT_EQ(f.CurveActions()[0]->data().toInt(), 1);
    // Toggling the first listed curve toggles curve 1 now.
    f.CurveActions()[0]->trigger();
    EXPECT_FALSE(graph.Lines(1).Visible);
    EXPECT_TRUE(graph.Lines(0).Visible);
}

TEST_F(PlotFormTest, DeactivateAllThenActivateAllListsEveryCurve)
{
    TPlotForm& f = Open(25);
    WhenDialogShown<TfrmActiveLines>([](TfrmActiveLines& d) {
        d.btnNone()->click();
        d.btnOk()->click();
    });
    f.ActiveCurvesAction()->trigger();
    EXPECT_EQ(f.Legend()->count(), 0);
    EXPECT_TRUE(f.CurveActions().empty());
    WhenDialogShown<TfrmActiveLines>([](TfrmActiveLines& d) {
        d.btnAll()->click();
        d.btnOk()->click();
    });
    f.ActiveCurvesAction()->trigger();
    EXPECT_EQ(f.Legend()->count(), 25);
    ASSERT_EQ(f.CurveActions().size(), 25u);
    EXPECT_EQ(f.CurveActions()[24]->text(), "Curve #25");
    EXPECT_EQ(f.Legend()->height(), 25 * f.Legend()->ItemHeight() + 3);
}

TEST_F(PlotFormTest, GraphTitleIsTakenHoweverTheDialogCloses)
{
    TPlotForm& f = Open(2);
    WhenDialogShown<TfrmGraphCaption>([](TfrmGraphCaption& d) {
        EXPECT_TRUE(d.rbBottom()->isChecked());
        d.edtCaption()->setText("Wall W-3, stage 2");
        d.rbTop()->setChecked(true);
        d.reject();
    });
    const int plotTop = f.Layout().Plot.Top;
    f.GraphTitleAction()->trigger();
    EXPECT_EQ(graph.GraphTitle, "Wall W-3, stage 2");
    EXPECT_TRUE(graph.GraphTitleOnTop);
    EXPECT_GT(f.Layout().Plot.Top, plotTop);
}

class PlotSaveTest : public PlotFormTest {
protected:
    QString Path(const char* name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(PlotSaveTest, SixByFourInchesAt72PpiIs432By288WithCurvesWhereMapped)
{
    graph.Markers = 0;
    TPlotForm& f = Open(3);
    prompt.fileNames.push_back(Path("graph.bmp").toStdString());
    WhenDialogShown<TdlgFormat>([](TdlgFormat& d) { d.OkClick(); });
    f.SaveAction()->trigger();
    QImage saved(Path("graph.bmp"));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(432, 288));

    // Where the bitmap layout maps the middle of each curve's last segment,
    // the pixel has that curve's colour.
    const TPlotLayout layout = ComputeLayout(graph, f.BitmapInput(QSize(432, 288)));
    TPanelMapping m{layout.Plot, f.Ranges().Panel[0], graph.XOnTop};
    for (int i = 1; i < 3; ++i) {
        const long double y = (i + 1) * 9.5L;
        bool found = false;
        for (int dy = -1; dy <= 1 && !found; ++dy)
            found = saved.pixelColor(m.X(95), m.Y(y) + dy) == TGraphPainter::Color(i);
        EXPECT_TRUE(found) << "curve " << i;
    }
}

TEST_F(PlotSaveTest, EnterInAFieldOfSaveAttributesIsOk)
{
    TPlotForm& f = Open(2);
    prompt.fileNames.push_back(Path("enter.bmp").toStdString());
    WhenDialogShown<TdlgFormat>([](TdlgFormat& d) {
        d.deWidth()->setFocus();
        d.deWidth()->selectAll();
        QTest::keyClicks(d.deWidth(), "3");
        QTest::keyClick(d.deWidth(), Qt::Key_Return);
        if (d.isVisible())  // Enter did not end the dialog: the test fails on the file below
            d.reject();
    });
    f.SaveAction()->trigger();
    EXPECT_EQ(QImage(Path("enter.bmp")).size(), QSize(216, 288));
}

TEST_F(PlotSaveTest, NameWithoutExtensionIsSavedAsBitmap)
{
    TPlotForm& f = Open(2);
    prompt.fileNames.push_back(Path("plain").toStdString());
    WhenDialogShown<TdlgFormat>([](TdlgFormat& d) { d.OkClick(); });
    f.SaveAction()->trigger();
    EXPECT_EQ(QImage(Path("plain.bmp")).size(), QSize(432, 288));
}

TEST_F(PlotSaveTest, ImageBeyondMemoryIsReported)
{
    TPlotForm& f = Open(2);
    prompt.fileNames.push_back(Path("huge.bmp").toStdString());
    WhenDialogShown<TdlgFormat>([](TdlgFormat& d) {
        d.dePPI()->setText("2000000000");
        d.OkClick();
    });
    f.SaveAction()->trigger();
    EXPECT_EQ(prompt.shown.back(), "There is not enough memory to complete this task.");
    EXPECT_FALSE(QFile::exists(Path("huge.bmp")));
}

// Every file format the save dialog offers writes a file of the chosen size.
class PlotFormatTest : public PlotSaveTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PlotFormatTest, WritesTheFormatOfTheExtension)
{
    TPlotForm& f = Open(2);
    const QString name = Path(GetParam());
    ASSERT_TRUE(f.WriteImage(name.toStdString(), 6, 4, 72, 4));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(5);
    if (name.endsWith(".pdf"))
        EXPECT_EQ(head, "%PDF-");
    else if (name.endsWith(".svg"))
        EXPECT_TRUE(file.readAll().contains("<svg"));
    else
        EXPECT_EQ(QImage(name).size(), QSize(432, 288));
}

INSTANTIATE_TEST_SUITE_P(Formats, PlotFormatTest, ::testing::Values("g.bmp", "g.png", "g.svg", "g.pdf"));

}  // namespace

namespace {

TEST_F(PlotSaveTest, SaveAttributesRefusesASizeBelowTwoInches)
{
    TPlotForm& f = Open(2);
    prompt.fileNames.push_back(Path("small.bmp").toStdString());
    bool stayedOpen = false;
    WhenDialogShown<TdlgFormat>([&stayedOpen](TdlgFormat& d) {
        d.deWidth()->setText("1.5");
        d.OkClick();
        stayedOpen = d.isVisible();
        d.reject();
    });
    f.SaveAction()->trigger();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(prompt.shown, std::vector<std::string>({"Save To Disk", "Entry must be greater than or equal to 2"}));
    EXPECT_FALSE(QFile::exists(Path("small.bmp")));
}

}  // namespace

namespace {

TEST_F(PlotSaveTest, PrintsThePageInsideItsMargins)
{
    TPlotForm& f = Open(2);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path("print.pdf"));
    printer.setResolution(300);
    ASSERT_TRUE(f.PrintTo(printer));
    QFile file(Path("print.pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(5), "%PDF-");
    EXPECT_EQ(f.PageLayout().margins(QPageLayout::Inch), QMarginsF(1, 1, 1, 1));
}

}  // namespace

namespace {

TEST_F(PlotFormTest, FewerCurvesReadWhileTheWindowIsOpenAreNoFault)
{
    TPlotForm& f = Open(4);
    graph.SetLineCount(1);
    f.RefreshMenu();
    EXPECT_FALSE(f.CurveActions()[3]->isChecked());
    f.CurveActions()[3]->trigger();
    EXPECT_EQ(graph.LineCount(), 1);
    QImage image(432, 288, QImage::Format_RGB32);
    f.RenderBitmap(image);
}

}  // namespace

namespace {

TEST_F(PlotFormTest, TheAxesFitTheActiveCurvesWhenTheWindowOpensAndWhenTheyChange)
{
    // Curve i ends at y = 10 (i + 1): the 20 curves drawn reach 200, all 25 reach 250.
    TPlotForm& f = Open(25);
    EXPECT_EQ(f.FullRanges().Panel[0].Y.Max, 200);
    WhenDialogShown<TfrmActiveLines>([](TfrmActiveLines& d) {
        d.btnAll()->click();
        d.btnOk()->click();
    });
    f.ActiveCurvesAction()->trigger();
    EXPECT_EQ(f.FullRanges().Panel[0].Y.Max, 250);
    EXPECT_EQ(f.Ranges().Panel[0].Y.Max, 250);
}

// Active Curves and OK keep the zoom the user chose; the full range still follows the curves.
TEST_F(PlotFormTest, ActiveCurvesKeepTheZoom)
{
    TPlotForm& f = Open(3);
    Drag(Pixel(20, 4), Pixel(60, 12));
    const TPanelRange zoomed = f.Ranges().Panel[0];
    WhenDialogShown<TfrmActiveLines>([](TfrmActiveLines& d) {
        d.lbLines()->setCurrentRow(2);
        d.btnToggle()->click();
        d.btnOk()->click();
    });
    f.ActiveCurvesAction()->trigger();
    EXPECT_FALSE(graph.Lines(2).Active);
    EXPECT_EQ(f.FullRanges().Panel[0].Y.Max, 20);
    EXPECT_EQ(f.Ranges().Panel[0].X.Min, zoomed.X.Min);
    EXPECT_EQ(f.Ranges().Panel[0].X.Max, zoomed.X.Max);
    EXPECT_EQ(f.Ranges().Panel[0].Y.Min, zoomed.Y.Min);
    EXPECT_EQ(f.Ranges().Panel[0].Y.Max, zoomed.Y.Max);
}

}  // namespace
