// The logo: a left click reports itself (the rule of a click is ClickTracker's), and
// the logo is drawn over its whole width.
#include "windows/LogoLabel.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(LogoLabel, ALeftClickIsReported)
{
    LogoLabel logo;
    logo.show();
    QSignalSpy clicked(&logo, &LogoLabel::clicked);
    QTest::mouseClick(&logo, Qt::LeftButton);
    QTest::mouseClick(&logo, Qt::RightButton);
    EXPECT_EQ(clicked.count(), 1);
}

TEST(LogoLabel, TheLogoGrowsWithItsTilesAndFillsItsWidth)
{
    EXPECT_EQ(LogoLabel(nullptr, 40).size(), LogoLabel::logoSize(40));
    EXPECT_GT(LogoLabel::logoSize(40).width(), LogoLabel::logoSize(20).width());
    const QImage image = LogoLabel::picture(30, 2.0).toImage();
    EXPECT_EQ(image.size(), LogoLabel::logoSize(30) * 2);
    // Ink in the first and the last fifth: all five tiles are there.
    auto inkIn = [&image](int fromX, int toX) {
        for (int x = fromX; x < toX; ++x) {
            if (qAlpha(image.pixel(x, image.height() / 2)) > 0)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(inkIn(0, image.width() / 5));
    EXPECT_TRUE(inkIn(image.width() * 4 / 5, image.width()));
}

}  // namespace
