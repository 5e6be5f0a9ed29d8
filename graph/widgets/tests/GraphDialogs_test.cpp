#include "graph/widgets/BitmapDepth.h"
#include "graph/widgets/GraphPainter.h"
#include "graph/widgets/PlotZoom.h"
#include "graph/widgets/TfrmActiveLines.h"
#include "graph/widgets/TfrmLineNames.h"
#include "graph/widgets/tests/GuiTestSupport.h"
#include "units/ScriptedPrompt.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Zoom in: the selection, limited to a twentieth of the full span and kept inside it.
struct ZoomInCase {
    long double a, b;
    long double min, max;
};

class ZoomInTest : public ::testing::TestWithParam<ZoomInCase> {};

TEST_P(ZoomInTest, SpanOfTheSelection)
{
    const ZoomInCase& c = GetParam();
    ZoomSpan s = ZoomInSpan(c.a, c.b, {0, 100});
    EXPECT_NEAR(static_cast<double>(s.Min), static_cast<double>(c.min), 1e-12);
    EXPECT_NEAR(static_cast<double>(s.Max), static_cast<double>(c.max), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Spans, ZoomInTest,
                         ::testing::Values(ZoomInCase{20, 60, 20, 60},    // ordinary selection
                                           ZoomInCase{60, 20, 20, 60},    // dragged backwards
                                           ZoomInCase{50, 52, 48.5L, 53.5L},  // widened about its middle
                                           ZoomInCase{0, 1, 0, 5},        // pushed up from the minimum
                                           ZoomInCase{99, 100, 95, 100},  // pushed down from the maximum
                                           ZoomInCase{45, 50, 45, 50}));  // exactly a twentieth

// Zoom out: the width doubles around the point, never beyond the full span.
struct ZoomOutCase {
    long double v;
    ZoomSpan current;
    long double min, max;
};

class ZoomOutTest : public ::testing::TestWithParam<ZoomOutCase> {};

TEST_P(ZoomOutTest, SpanAroundThePoint)
{
    const ZoomOutCase& c = GetParam();
    ZoomSpan s = ZoomOutSpan(c.v, c.current, {0, 100});
    EXPECT_NEAR(static_cast<double>(s.Min), static_cast<double>(c.min), 1e-12);
    EXPECT_NEAR(static_cast<double>(s.Max), static_cast<double>(c.max), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Spans, ZoomOutTest,
                         ::testing::Values(ZoomOutCase{50, {45, 55}, 40, 60},
                                           ZoomOutCase{2, {0, 10}, 0, 20},       // held off the minimum
                                           ZoomOutCase{50, {30, 70}, 10, 90},    // doubled width
                                           ZoomOutCase{10, {0, 100}, 0, 100},   // full span stays
                                           ZoomOutCase{50, {20, 80}, 0, 100}));  // capped at the full span

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { TestApplication(); }
    ScriptedPrompt prompt;
};

TEST_F(DialogTest, LegendDialogShowsTheSelectedNameInItsCurveColour)
{
    std::vector<std::string> names = {"Stage: 1", "Stage: 2", "Stage: 3"};
    TfrmLineNames d(names, prompt);
    d.show();
    EXPECT_EQ(d.windowTitle(), "Legend");
    EXPECT_EQ(d.edLine()->text(), "Stage: 1");
    d.lbLines()->setCurrentRow(2);
    EXPECT_EQ(d.edLine()->text(), "Stage: 3");
    EXPECT_EQ(d.edLine()->palette().color(QPalette::Text), TGraphPainter::Color(2));
    d.resize(100, 100);
    EXPECT_GE(d.width(), 195);
    EXPECT_GE(d.height(), 167);
}

TEST_F(DialogTest, LegendDialogCopiesItsListBackEvenWhenCancelled)
{
    std::vector<std::string> names = {"a", "b"};
    TfrmLineNames d(names, prompt);
    d.show();
    d.lbLines()->setCurrentRow(1);
    d.edLine()->setText("renamed");
    QTest::keyClick(d.edLine(), Qt::Key_Return);
    d.btnCancel()->click();
    EXPECT_EQ(names, std::vector<std::string>({"a", "renamed"}));
}

TEST_F(DialogTest, ActiveCurvesTogglesEverySelectedItem)
{
    std::vector<std::string> flags = {" yes : ", " no  : ", "odd", " yes : "};
    const std::vector<std::string> names = {"A", "B", "C", "D"};
    TfrmActiveLines d(flags, names);
    d.show();
    EXPECT_EQ(d.lbLines()->item(1)->text(), " no  :    B");
    d.lbLines()->item(0)->setSelected(true);
    d.lbLines()->item(1)->setSelected(true);
    d.lbLines()->item(2)->setSelected(true);
    d.btnToggle()->click();
    // Any flag other than " yes : " counts as no, so "odd" becomes yes.
    EXPECT_EQ(flags, std::vector<std::string>({" no  : ", " yes : ", " yes : ", " yes : "}));
    d.lbLines()->clearSelection();
    d.lbLines()->setCurrentRow(3);
    d.btnToggle()->click();
    EXPECT_EQ(flags[3], " no  : ");
    d.btnAll()->click();
    EXPECT_EQ(flags, std::vector<std::string>(4, " yes : "));
}

TEST_F(DialogTest, ActiveCurvesDoubleClickTogglesTheItem)
{
    std::vector<std::string> flags = {" yes : ", " yes : "};
    const std::vector<std::string> names = {"A", "B"};
    TfrmActiveLines d(flags, names);
    d.show();
    QListWidget* list = d.lbLines();
    // A real double-click begins with a press on the item.
    QTest::mousePress(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(1)).center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(flags[1], " no  : ");
    EXPECT_EQ(list->item(1)->text(), " no  :    B");
}

// Each colour choice of Save Attributes writes its depth; line-art colours survive.
struct DepthCase {
    TBitmapColors colors;
    int bits;
    bool keepsBlue;
};

class BitmapDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(BitmapDepthTest, WritesTheChosenDepth)
{
    TestApplication();
    const DepthCase& c = GetParam();
    QImage image(37, 5, QImage::Format_RGB32);  // an odd width exercises row padding
    image.fill(Qt::white);
    for (int x = 0; x < 37; ++x)
        image.setPixelColor(x, 2, QColor(0, 0, 255));
    QTemporaryDir dir;
    const QString name = dir.filePath("d.bmp");
    ASSERT_TRUE(WriteBmp(image, c.colors, name));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(static_cast<unsigned char>(bytes[28]), c.bits);
    QImage back(name);
    ASSERT_EQ(back.size(), QSize(37, 5));
    // Five bits a channel read back as the top five bits: 255 becomes 248.
    auto same = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) < 8 && std::abs(a.green() - b.green()) < 8 && std::abs(a.blue() - b.blue()) < 8;
    };
    EXPECT_TRUE(same(back.pixelColor(36, 0), Qt::white));
    EXPECT_TRUE(same(back.pixelColor(3, 2), c.keepsBlue ? QColor(0, 0, 255) : QColor(Qt::black)));
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapDepthTest,
                         ::testing::Values(DepthCase{TBitmapColors::BlackAndWhite, 1, false},
                                           DepthCase{TBitmapColors::Colors16, 4, true},
                                           DepthCase{TBitmapColors::Colors256, 8, true},
                                           DepthCase{TBitmapColors::HighColor, 16, true},
                                           DepthCase{TBitmapColors::TrueColor, 24, true}));

TEST(BitmapDepth, SixteenColoursHoldEveryCurveColour)
{
    TestApplication();
    QImage image(17, 1, QImage::Format_RGB32);
    for (int c = 0; c < 17; ++c)
        image.setPixelColor(c, 0, TGraphPainter::Color(c));
    const QImage reduced = ReduceColors(image, TBitmapColors::Colors16);
    for (int c = 0; c < 17; ++c)
        EXPECT_EQ(reduced.pixelColor(c, 0), TGraphPainter::Color(c)) << c;
}

TEST(BitmapDepth, FailedWriteLeavesTheOldFile)
{
    TestApplication();
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    EXPECT_FALSE(WriteBmp(image, TBitmapColors::TrueColor, "/nonexistent-dir/x.bmp"));
}

}  // namespace
