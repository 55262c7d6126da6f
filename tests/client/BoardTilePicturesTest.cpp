// The tile pictures and the tile widget: capital letters, an empty picture for "no
// letter", 27 distinct pictures, and a tile that shows only codes 1 to 26.
#include "client/BoardTile.h"
#include "client/TilePainter.h"

#include <QImage>
#include <QSet>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(BoardTilePictures, LettersAreCapitalsAndNoLetterHasNoText)
{
    EXPECT_EQ(TilePainter::letterText(1), QStringLiteral("A"));
    EXPECT_EQ(TilePainter::letterText(26), QStringLiteral("Z"));
    for (int code : {0, -1, 27, 1000})
        EXPECT_TRUE(TilePainter::letterText(code).isEmpty()) << code;
}

TEST(BoardTilePictures, BlankIsTransparentAndLettersAreDistinctOpaqueTiles)
{
    const QImage blank = TilePainter::picture(0).toImage();
    ASSERT_EQ(TilePainter::picture(0).deviceIndependentSize().toSize(), QSize(41, 41));
    bool anyInk = false;
    for (int y = 0; y < blank.height(); ++y) {
        for (int x = 0; x < blank.width(); ++x)
            anyInk = anyInk || qAlpha(blank.pixel(x, y)) != 0;
    }
    EXPECT_FALSE(anyInk);

    QSet<QByteArray> seen;
    for (int code = 1; code <= 26; ++code) {
        const QImage tile = TilePainter::picture(code).toImage();
        EXPECT_EQ(qAlpha(tile.pixel(tile.width() / 2, tile.height() / 2)), 255) << code;
        seen.insert(QByteArray(reinterpret_cast<const char *>(tile.constBits()), tile.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), 26);
    EXPECT_EQ(&TilePainter::picture(27), &TilePainter::picture(0));
}

TEST(BoardTilePictures, SharperSetForHighResolutionScreens)
{
    const QPixmap &sharp = TilePainter::picture(5, 2.0);
    EXPECT_EQ(sharp.size(), QSize(82, 82));
    EXPECT_EQ(sharp.deviceIndependentSize().toSize(), QSize(41, 41));
}

TEST(BoardTilePictures, TileShowsOnlyLetterCodes)
{
    QWidget panel;
    BoardTile tile(4, &panel);
    EXPECT_EQ(tile.tag(), 4);
    EXPECT_EQ(tile.size(), QSize(41, 41));
    tile.drawCode(17);
    EXPECT_EQ(tile.code(), 17);
    tile.drawCode(26);
    EXPECT_EQ(tile.code(), 26);
    tile.drawCode(0);  // no letter: nothing shown, never a stale letter
    EXPECT_EQ(tile.code(), 0);
    tile.drawCode(3);
    tile.drawCode(99);
    EXPECT_EQ(tile.code(), 0);
    tile.drawCode(3);
    tile.clear();
    EXPECT_EQ(tile.code(), 0);

    tile.drawCode(1);
    const QImage shown = tile.grab().toImage();
    const QImage expected = TilePainter::picture(1).toImage().convertToFormat(shown.format());
    EXPECT_EQ(shown.pixel(20, 20), expected.pixel(20, 20));
}

}  // namespace
