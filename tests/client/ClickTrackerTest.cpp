// The click rule of the board's tiles and the clickable labels: the left button pressed
// and released over the widget; another button, or a press released elsewhere, is none.
#include "client/ClickTracker.h"

#include <gtest/gtest.h>

namespace {

const QRect kArea(0, 0, 41, 41);

TEST(ClickTracker, ALeftPressReleasedOverTheWidgetIsAClickAndOnlyThat)
{
    ClickTracker tracker;
    EXPECT_FALSE(tracker.release(Qt::LeftButton, QPoint(5, 5), kArea)) << "a release without a press";
    tracker.press(Qt::RightButton);
    EXPECT_FALSE(tracker.release(Qt::RightButton, QPoint(5, 5), kArea));

    tracker.press(Qt::LeftButton);
    EXPECT_FALSE(tracker.release(Qt::LeftButton, QPoint(60, 5), kArea)) << "released off the widget";
    EXPECT_FALSE(tracker.release(Qt::LeftButton, QPoint(5, 5), kArea)) << "that press is spent";

    tracker.press(Qt::LeftButton);
    EXPECT_FALSE(tracker.release(Qt::RightButton, QPoint(5, 5), kArea)) << "another button's release";
    EXPECT_TRUE(tracker.release(Qt::LeftButton, QPoint(40, 40), kArea));
}

}  // namespace
