// Artwork at the screen's resolution: the window pictures are carried twice, and a screen
// with a pixel ratio above 1 gets the sharper file at the same design size; tiles paint
// their letter per device pixel of whatever they are painted on.
#include "client/Artwork.h"
#include "client/BoardTile.h"
#include "client/TilePainter.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

struct PickRow {
    qreal ratio;
    const char *expected;
};

class ArtworkPickTest : public ::testing::TestWithParam<PickRow> { };

TEST_P(ArtworkPickTest, ScreensAboveRatioOneGetTheSharperFile)
{
    EXPECT_EQ(Artwork::path(QStringLiteral("board.jpg"), GetParam().ratio), QString::fromLatin1(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Ratios, ArtworkPickTest,
                         ::testing::Values(PickRow{1.0, ":/pictures/board.jpg"},
                                           PickRow{1.25, ":/pictures/board@2x.jpg"},
                                           PickRow{2.0, ":/pictures/board@2x.jpg"},
                                           PickRow{3.0, ":/pictures/board@2x.jpg"}));

class ArtworkSizeTest : public ::testing::TestWithParam<const char *> { };

TEST_P(ArtworkSizeTest, SharperPictureHasTwiceThePixelsAtTheSameDesignSize)
{
    const QString name = QString::fromLatin1(GetParam());
    const QPixmap plain = Artwork::pixmap(name, 1.0);
    const QPixmap sharp = Artwork::pixmap(name, 2.0);
    ASSERT_FALSE(plain.isNull());
    ASSERT_FALSE(sharp.isNull());
    EXPECT_EQ(plain.devicePixelRatio(), 1.0);
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_EQ(sharp.size(), plain.size() * 2);
    EXPECT_EQ(sharp.deviceIndependentSize(), plain.deviceIndependentSize());
}

INSTANTIATE_TEST_SUITE_P(Pictures, ArtworkSizeTest,
                         ::testing::Values("board.jpg", "wordback.jpg", "timebar.jpg", "timeframe.jpg"));

TEST(Artwork, PictureNotCarriedIsNullAtEveryRatio)
{
    EXPECT_EQ(Artwork::path(QStringLiteral("none.jpg"), 2.0), QStringLiteral(":/pictures/none.jpg"));
    EXPECT_TRUE(Artwork::pixmap(QStringLiteral("none.jpg"), 1.0).isNull());
    EXPECT_TRUE(Artwork::pixmap(QStringLiteral("none.jpg"), 2.0).isNull());
}

TEST(Artwork, SharperPictureShowsTheSamePicture)
{
    // The two files are drawn from one design: halving the sharp one gives the plain one,
    // up to JPEG noise and the softer edges of the smaller picture.
    const QImage plain =
        Artwork::pixmap(QStringLiteral("board.jpg"), 1.0).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage halved = Artwork::pixmap(QStringLiteral("board.jpg"), 2.0)
                              .toImage()
                              .scaled(plain.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB32);
    double difference = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb a = plain.pixel(x, y), b = halved.pixel(x, y);
            difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
        }
    }
    EXPECT_LT(difference / (3.0 * plain.width() * plain.height()), 6.0);
}

TEST(TileResolution, TilePaintsItsLetterPerDevicePixelOfTheTarget)
{
    QWidget panel;
    BoardTile tile(1, &panel);
    tile.drawCode(17);
    QImage target(82, 82, QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(2.0);
    target.fill(Qt::transparent);
    tile.render(&target);

    const QImage expected = TilePainter::picture(17, 2.0).toImage().convertToFormat(target.format());
    ASSERT_EQ(expected.size(), QSize(82, 82));
    EXPECT_EQ(target, expected);
}

TEST(TileResolution, PicturesOfOneRatioStayWhereTheyAreWhenAnotherRatioIsDrawn)
{
    const QPixmap *first = &TilePainter::picture(3, 1.0);
    TilePainter::picture(3, 3.0);
    TilePainter::picture(4, 1.5);
    EXPECT_EQ(first, &TilePainter::picture(3, 1.0));
    EXPECT_EQ(TilePainter::picture(3, 3.0).size(), QSize(123, 123));
}

}  // namespace
