#include "graph/widgets/GraphPainter.h"

#include "graph/widgets/GraphExport.h"
#include "graph/widgets/tests/GuiTestSupport.h"
#include "units/Constants.h"

#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Two vertical curves at x = 1 and x = 3 from depth 0 to 10, drawn with ranges 0..4 and 0..10.
struct PainterTest : testing::Test {
    TGraphPlot g;

    void SetUp() override
    {
        TestApplication();
        g.Markers = 0;
        g.SetLineCount(2);
        g.SetPointCount(2);
        g.Points(0, 0) = {1, 0};
        g.Points(0, 1) = {1, 10};
        g.Points(1, 0) = {3, 0};
        g.Points(1, 1) = {3, 10};
        g.Points(1, 1) = {3, 10};
        g.XCaption = "Deflection";
        g.YCaption = "Depth";
    }

    TGraphRenderOptions Options(TPlotTarget target, const QImage& image)
    {
        TGraphRenderOptions o;
        o.Target = target;
        o.Client = {0, 0, image.width(), image.height()};
        o.Px = o.Py = 72;
        o.Ranges = *GraphRanges(g);
        if (!g.ShowThree)
            o.Ranges.Panel[0].X = {0, 4};  // the curves clear of the frame
        o.BaseFontPixels = 8;
        return o;
    }

    QImage Render(TPlotTarget target, int w = 432, int h = 288)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter p(&image);
        TGraphPainter::Render(p, g, Options(target, image));
        return image;
    }

    // The mapping of panel `k` of a rendering of the given size.
    TPanelMapping Map(TPlotTarget target, int k = 0, int w = 432, int h = 288)
    {
        QImage image(w, h, QImage::Format_RGB32);
        const TGraphRenderOptions o = Options(target, image);
        const TPlotLayout l = ComputeLayout(g, TGraphPainter::LayoutInput(g, o, image));
        return TPanelMapping{l.Panels[k], o.Ranges.Panel[k], g.XOnTop};
    }

    // Pixels of a clearly blue tone (antialiased text included).
    static int CountBluish(const QImage& image, const QRect& area)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                n += qBlue(p) > 150 && qRed(p) < 120 && qGreen(p) < 120;
            }
        return n;
    }

    static int CountColour(const QImage& image, QRgb colour, const QRect& area)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    }
};

const QRgb Black = qRgb(0, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Red = qRgb(255, 0, 0);

TEST_F(PainterTest, CurveColoursAppearWhereTheMappingPutsThem)
{
    const QImage image = Render(TPlotTarget::Bitmap);
    const TPanelMapping m = Map(TPlotTarget::Bitmap);
    EXPECT_EQ(image.pixel(m.X(1), m.Y(5)), Black);
    EXPECT_EQ(image.pixel(m.X(3), m.Y(5)), Blue);
    EXPECT_EQ(image.pixel(m.X(3), m.Y(2.5L)), Blue);
    // Between the curves the panel is white; outside it too.
    EXPECT_EQ(image.pixel(m.X(2) + 3, m.Y(5) + 3), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(2, image.height() - 2), qRgb(255, 255, 255));
}

TEST_F(PainterTest, HiddenCurvesKeepTheColoursOfTheOthers)
{
    g.Lines(0).Visible = false;
    const QImage image = Render(TPlotTarget::Bitmap);
    const TPanelMapping m = Map(TPlotTarget::Bitmap);
    EXPECT_NE(image.pixel(m.X(1), m.Y(5)), Black);
    EXPECT_EQ(image.pixel(m.X(3), m.Y(5)), Blue);
}

TEST_F(PainterTest, InactiveCurvesTakeNoColour)
{
    g.Lines(0).Active = false;
    const QImage image = Render(TPlotTarget::Bitmap);
    const TPanelMapping m = Map(TPlotTarget::Bitmap);
    EXPECT_EQ(image.pixel(m.X(3), m.Y(5)), Black);
    EXPECT_NE(image.pixel(m.X(1), m.Y(5)), Black);
}

TEST_F(PainterTest, ACurveOfOnePointIsNotDrawn)
{
    g.SetPointCount(1);
    const QImage image = Render(TPlotTarget::Screen);
    const TPixelRect r = Map(TPlotTarget::Screen).Rect;
    EXPECT_EQ(CountColour(image, Blue, QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom))), 0);
}

TEST_F(PainterTest, ATargetSmallerThanAnInchIsOnlyWhite)
{
    const QImage image = Render(TPlotTarget::Bitmap, 71, 200);
    EXPECT_EQ(CountColour(image, qRgb(255, 255, 255), image.rect()), 71 * 200);
}

TEST_F(PainterTest, TheLegendBoxIsDrawnOnBitmapsNotOnScreen)
{
    // The box sits in the lower right corner of the plotting rectangle; only
    // its entry of the blue curve can put blue there.
    const TPixelRect r = Map(TPlotTarget::Bitmap).Rect;
    const QRect corner(QPoint(r.Right - 60, r.Bottom - 40), QPoint(r.Right - 1, r.Bottom - 1));
    EXPECT_GT(CountBluish(Render(TPlotTarget::Bitmap), corner), 10);
    EXPECT_EQ(CountBluish(Render(TPlotTarget::Screen), corner), 0);
    g.Lines(1).Visible = false;  // a hidden curve has no entry
    EXPECT_EQ(CountBluish(Render(TPlotTarget::Bitmap), corner), 0);
}

TEST_F(PainterTest, MarkersAreDrawnAtTheChosenPoints)
{
    g.Markers = 2;
    g.Lines(0).Visible = false;
    g.Lines(0).Points = {{1, 0}, {1, 4}, {1, 5}, {1, 10}};
    g.Lines(1).Points = {{3, 0}, {3, 4}, {3, 5}, {3, 10}};
    const QImage image = Render(TPlotTarget::Screen);
    const TPanelMapping m = Map(TPlotTarget::Screen);
    // Curve 1's square around point 2 (a multiple of Markers): its left side
    // lies Px/32 x sin 45 degrees left of the point; point 1 has none.
    const int d = static_cast<int>(std::lround(std::sin(kPi / 4) * (72 / 32)));
    EXPECT_EQ(image.pixel(m.X(3) - d, m.Y(5)), Blue);
    EXPECT_NE(image.pixel(m.X(3) - d, m.Y(4)), Blue);
}

TEST_F(PainterTest, ThreePanelsDrawTheirOwnLists)
{
    g.ShowThree = true;
    g.SetLineCount(1);
    g.SetLineCount2(1);
    g.SetLineCount3(1);
    g.Lines2(0).Points = {{-5, 0}, {-5, 10}, {-5, 20}};
    g.Lines3(0).Points = {{200, 0}, {200, 20}};
    const QImage image = Render(TPlotTarget::Bitmap, 720, 360);
    const TPanelMapping m2 = Map(TPlotTarget::Bitmap, 1, 720, 360);
    const TPanelMapping m3 = Map(TPlotTarget::Bitmap, 2, 720, 360);
    // One curve per panel: every point is drawn, with panel 1's colour.
    EXPECT_EQ(image.pixel(m2.X(-5), m2.Y(15)), Black);
    EXPECT_EQ(image.pixel(m3.X(200), m3.Y(19)), Black);
    EXPECT_LT(m2.Rect.Right, m3.Rect.Left);
}

TEST_F(PainterTest, ThreePanelsOfSeveralCurvesLeaveOutTheLastPoint)
{
    g.ShowThree = true;
    g.SetLineCount2(2);
    g.SetLineCount3(2);
    g.Lines2(0).Points = {{1, 0}, {1, 5}, {3, 10}};
    g.Lines2(1).Points = {{2, 0}, {2, 10}, {2, 10}};
    const QImage image = Render(TPlotTarget::Screen, 720, 360);
    const TPanelMapping m2 = Map(TPlotTarget::Screen, 1, 720, 360);
    EXPECT_EQ(image.pixel(m2.X(1), m2.Y(2.5L)), Black);
    EXPECT_NE(image.pixel(m2.X(2), m2.Y(7.5L)), Black);  // the segment to the last point is missing
}

TEST_F(PainterTest, SoilStripWithTheWallBar)
{
    g.ShowLayers = true;
    g.ShowWall = true;
    g.SetLayerCount(3);
    g.SetLayerPointCount(1);
    g.Layers(0).Points[0] = {7, 10};  // sand to the bottom
    g.Layers(1).Points[0] = {0, 8};   // wall bottom
    g.Layers(2).Points[0] = {0, 4};   // excavation
    g.WallLineCount = 1;
    const QImage image = Render(TPlotTarget::Bitmap);
    QImage probe(432, 288, QImage::Format_RGB32);
    const TPlotLayout l = ComputeLayout(g, TGraphPainter::LayoutInput(g, Options(TPlotTarget::Bitmap, probe), probe));
    ASSERT_TRUE(l.HasStrip);
    const TPanelMapping m = Map(TPlotTarget::Bitmap);
    const int middle = (l.Strip.Left + l.Strip.Right) / 2;
    EXPECT_EQ(image.pixel(middle, m.Y(6)), qRgb(128, 128, 128));
    EXPECT_NE(image.pixel(middle, m.Y(9)), qRgb(128, 128, 128));
    // The sand pattern puts black dots on the retained side.
    const QRect retained(QPoint(l.Strip.Left + 2, m.Y(1)), QPoint(l.Strip.Left + 2 * (l.Strip.Right - l.Strip.Left) / 5 - 2, m.Y(3)));
    EXPECT_GT(CountColour(image, Black, retained), 0);
}

struct PatternCase {
    int code;
    QSize screen, print;
};

class FillPatterns : public testing::TestWithParam<PatternCase> {};

TEST_P(FillPatterns, SizesOfTheScreenAndPrintVersions)
{
    TestApplication();
    const PatternCase& c = GetParam();
    const QImage screen = TGraphPainter::FillPattern(c.code, false);
    const QImage print = TGraphPainter::FillPattern(c.code, true);
    EXPECT_EQ(screen.size(), c.screen);
    EXPECT_EQ(print.size(), c.print);
    if (!screen.isNull()) {
        const int black = std::count_if(reinterpret_cast<const QRgb*>(screen.constBits()),
                                        reinterpret_cast<const QRgb*>(screen.constBits()) + screen.width() * screen.height(),
                                        [](QRgb p) { return qGray(p) < 128; });
        EXPECT_GT(black, 0);
        EXPECT_LT(black, screen.width() * screen.height() / 2);  // a light pattern, names stay legible
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, FillPatterns,
                         testing::Values(PatternCase{1, {80, 80}, {96, 96}}, PatternCase{7, {80, 80}, {96, 96}},
                                         PatternCase{8, {30, 42}, {96, 69}}, PatternCase{9, {30, 42}, {96, 69}},
                                         PatternCase{10, {30, 42}, {96, 69}}, PatternCase{11, {80, 80}, {96, 192}},
                                         PatternCase{12, {80, 80}, {96, 192}}, PatternCase{2, {0, 0}, {0, 0}},
                                         PatternCase{6, {0, 0}, {0, 0}}, PatternCase{0, {0, 0}, {0, 0}}));

TEST_F(PainterTest, ExportBySuffix)
{
    QTemporaryDir dir;
    TGraphRanges ranges = *GraphRanges(g);
    ranges.Panel[0].X = {0, 4};
    for (const char* name : {"g.bmp", "g.png", "g.svg", "g.pdf"}) {
        QString error;
        const QString path = dir.filePath(name);
        EXPECT_TRUE(TGraphExport::Save(g, ranges, path, 6, 4, 72, &error)) << name << error.toStdString();
        EXPECT_GT(QFileInfo(path).size(), 0) << name;
    }
    const QImage bmp(dir.filePath("g.bmp"));
    EXPECT_EQ(bmp.size(), QSize(432, 288));
    const TPanelMapping m = Map(TPlotTarget::Bitmap);
    EXPECT_EQ(bmp.pixel(m.X(3), m.Y(5)), Blue);
    QString error;
    EXPECT_FALSE(TGraphExport::Save(g, ranges, dir.filePath("g.gif"), 6, 4, 72, &error));
    EXPECT_EQ(error.toStdString(), "Unknown picture format \"gif\": use .bmp, .png, .svg or .pdf.");
    EXPECT_FALSE(TGraphExport::Save(g, ranges, dir.filePath("none/g.png"), 6, 4, 72, &error));
}

TEST_F(PainterTest, RedIsTheThirdColour)
{
    g.SetLineCount(3);
    g.Lines(2).Points = {{2, 0}, {2, 10}};
    const QImage image = Render(TPlotTarget::Bitmap);
    const TPanelMapping m = Map(TPlotTarget::Bitmap);
    EXPECT_EQ(image.pixel(m.X(2), m.Y(5)), Red);
}

}  // namespace

namespace {

TEST_F(PainterTest, LongCaptionsOfThreePanelsInASmallPictureLeaveTheGapsBetweenThemClear)
{
    g.ShowThree = true;
    g.SetLineCount(1);
    g.SetLineCount2(1);
    g.SetLineCount3(1);
    g.Lines2(0).Points = {{-5, 0}, {-5, 10}};
    g.Lines3(0).Points = {{200, 0}, {200, 10}};
    g.XCaption = "Deflection (in)";
    g.XCaption2 = "Bending Moment (in-kips)";
    g.XCaption3 = "Shear (kips)";
    // A 432 x 288 picture with a 12-pixel font (8 points at 108 ppi).
    QImage image(432, 288, QImage::Format_RGB32);
    image.fill(Qt::white);
    TGraphRenderOptions o = Options(TPlotTarget::Bitmap, image);
    o.BaseFontPixels = 12;
    {
        QPainter p(&image);
        TGraphPainter::Render(p, g, o);
    }
    const TPlotLayout l = ComputeLayout(g, TGraphPainter::LayoutInput(g, o, image));
    // Between the captions (above the tick labels) the column midway between two panels stays white.
    for (int k = 0; k < 2; ++k) {
        const int x = (l.Panels[k].Right + l.Panels[k + 1].Left) / 2;
        int dark = 0;
        for (int y = 0; y < l.Panels[k].Top / 2; ++y)
            for (int dx = -1; dx <= 1; ++dx)
                dark += qGray(image.pixel(x + dx, y)) < 160;
        EXPECT_EQ(dark, 0) << k;
    }
}

}  // namespace
