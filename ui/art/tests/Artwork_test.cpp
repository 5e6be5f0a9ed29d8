#include "ui/art/Artwork.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

namespace {

// The drawings the dialogs and table editors ask for by name.
const char* const Names[] = {"ImagePressure",  "ImageTieBack",  "WallConfiguration", "SurchargePoint",
                             "SurchargeLine",  "SurchargeStrip", "ConcentratedLoads", "Springs"};

QImage Blank(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Pixels in the columns [x0, x1) that are painted at all, and those that are dark (lines and text).
struct Count {
    int painted = 0;
    int dark = 0;
};
Count CountPixels(const QImage& image, int x0, int x1)
{
    Count count;
    for (int y = 0; y < image.height(); ++y)
        for (int x = x0; x < x1; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 0)
                ++count.painted;
            if (c.alpha() > 128 && c.lightness() < 100)
                ++count.dark;
        }
    return count;
}

TEST(Artwork, EveryDrawingIsValidAndDrawsAtItsNaturalSizeAndScaled)
{
    for (const char* name : Names) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(HasArtwork(name));
        EXPECT_EQ(ArtworkPath(name), QStringLiteral(":/art/%1.svg").arg(name));
        QSvgRenderer renderer(ArtworkPath(name));
        EXPECT_TRUE(renderer.isValid());
        const QSize size = ArtworkSize(name);
        EXPECT_EQ(size, renderer.defaultSize());
        EXPECT_TRUE(size.width() >= 260 && size.width() <= 360 && size.height() >= 150 && size.height() <= 320)
            << size.width() << " x " << size.height();

        QImage natural = Blank(size);
        {
            QPainter painter(&natural);
            PaintArtwork(painter, name, QRectF(QPointF(), size));
        }
        const Count all = CountPixels(natural, 0, size.width());
        EXPECT_EQ(all.painted, size.width() * size.height()) << "the background is white";
        EXPECT_GT(all.dark, 250) << "lines and labels are drawn";

        // Twice the height in a target three times as wide: the drawing keeps its
        // proportions, centred, and leaves the margins at either side untouched.
        QImage wide = Blank(QSize(3 * size.width(), 2 * size.height()));
        {
            QPainter painter(&wide);
            PaintArtwork(painter, name, QRectF(QPointF(), wide.size()));
        }
        const int margin = size.width() / 2;
        EXPECT_EQ(CountPixels(wide, 0, margin - 1).painted, 0);
        EXPECT_EQ(CountPixels(wide, wide.width() - margin + 1, wide.width()).painted, 0);
        EXPECT_GT(CountPixels(wide, margin + 1, wide.width() - margin - 1).dark, 4 * all.dark / 2);
    }
}

TEST(Artwork, UnknownNamesGiveNothing)
{
    for (const char* name : {"", "NoSuchDrawing", "../art/Springs", "Springs.svg", ":/art/Springs"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(HasArtwork(name));
        EXPECT_TRUE(ArtworkSize(name).isEmpty());
        QImage image = Blank(QSize(50, 40));
        {
            QPainter painter(&image);
            PaintArtwork(painter, name, QRectF(0, 0, 50, 40));
        }
        EXPECT_EQ(CountPixels(image, 0, 50).painted, 0);
    }
}

TEST(Artwork, EveryIconDrawsAtToolbarSizesAndUnknownNamesGiveNoIcon)
{
    for (const char* name : {"New", "Open", "Save", "Run", "StageOptions", "OutputText", "SoilProfile", "PyCurves",
                             "Deflection", "Moment", "Shear", "SoilReaction", "DeflectionMomentShear", "Pressure",
                             "Stage", "Stage1", "Stage2", "Stage3", "Stage4", "Stage5"}) {
        SCOPED_TRACE(name);
        const QIcon icon = ArtworkIcon(name);
        ASSERT_FALSE(icon.isNull());
        const QImage small = icon.pixmap(QSize(24, 24), 1.0).toImage();
        ASSERT_EQ(small.size(), QSize(24, 24));
        EXPECT_GT(CountPixels(small, 0, 24).painted, 40);
        // Drawn from the vectors at the size asked for, not enlarged from a smaller picture.
        EXPECT_EQ(icon.pixmap(QSize(48, 48), 1.0).size(), QSize(48, 48));
    }
    for (const char* name : {"", "NoSuchIcon", "Stage6", "Springs", "New.svg", "../icons/New", ":/icons/New.svg"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(ArtworkIcon(name).isNull());
    }
}

TEST(Artwork, ViewShowsTheDrawingAtItsNaturalSizeAndNothingForAnUnknownName)
{
    TArtView view(QStringLiteral("WallConfiguration"));
    EXPECT_EQ(view.Artwork(), QStringLiteral("WallConfiguration"));
    EXPECT_EQ(view.sizeHint(), ArtworkSize("WallConfiguration"));
    EXPECT_EQ(view.accessibleName(), QStringLiteral("Wall configuration"));
    view.resize(view.sizeHint());
    const QImage shot = view.grab().toImage();
    EXPECT_GT(CountPixels(shot, 0, shot.width()).dark, 250);

    view.SetArtwork(QStringLiteral("Springs"));
    EXPECT_EQ(view.sizeHint(), ArtworkSize("Springs"));
    EXPECT_EQ(view.accessibleName(), QStringLiteral("Lateral and rotational springs"));

    view.SetArtwork(QStringLiteral("NoSuchDrawing"));
    EXPECT_EQ(view.sizeHint(), QSize(0, 0));
    EXPECT_TRUE(view.accessibleName().isEmpty());
    view.SetArtwork(QString());
    EXPECT_EQ(view.sizeHint(), QSize(0, 0));
}

}  // namespace
