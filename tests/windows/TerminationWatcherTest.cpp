// The termination signal in the process itself: it closes the boxes open with their own
// event loops, and every box opened after it, and is remembered.
#include "windows/TerminationWatcher.h"

#include <QDialog>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// Should the watcher fail, the boxes are accepted after a while, so the test fails
// instead of waiting for ever.
constexpr int kGiveUpMs = 10000;

TEST(TerminationWatcher, aSignalClosesTheOpenBoxesAndEveryBoxOpenedAfterIt)
{
    TerminationWatcher watcher;
    ASSERT_TRUE(watcher.isActive());
    QSignalSpy requested(&watcher, &TerminationWatcher::terminationRequested);

    QDialog outer;
    QMessageBox inner(QMessageBox::Question, QStringLiteral("Quarn"), QStringLiteral("Go on?"),
                      QMessageBox::Yes | QMessageBox::No, &outer);
    int innerResult = -2;
    QTimer::singleShot(0, &outer, [&] {
        // The signal comes while both boxes are open, the inner one in its own loop.
        QTimer::singleShot(0, &inner, [] { std::raise(SIGTERM); });
        innerResult = inner.exec();
    });
    QTimer::singleShot(kGiveUpMs, &outer, [&] {
        inner.done(QMessageBox::Yes);
        outer.accept();
    });
    EXPECT_EQ(outer.exec(), QDialog::Rejected);
    EXPECT_NE(innerResult, QMessageBox::Yes);
    EXPECT_EQ(requested.count(), 1);
    ASSERT_TRUE(watcher.requested());

    QDialog later;
    QTimer::singleShot(kGiveUpMs, &later, &QDialog::accept);
    EXPECT_EQ(later.exec(), QDialog::Rejected);
}

}  // namespace
