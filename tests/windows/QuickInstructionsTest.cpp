// The quick-instructions panel: hidden at first, opened at the corner in front of the
// board's controls, hidden by "Done", its texts exactly as written and each given the room
// it needs, and a picture of its own for every step. With QUARN_SCREENSHOT_DIR set, the
// open panel is saved there as quick-instructions.png.
#include "windows/QuickInstructions.h"

#include "windows/InstructionPictures.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class QuickInstructionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        board.resize(724, 491);
        panel = new QuickInstructions(&board);
        // A control of the board made after the panel, so lying above it at first.
        laterControl = new QWidget(&board);
        laterControl->setGeometry(0, 0, 724, 491);
        board.show();
    }

    QString text(const QString &name) const { return panel->findChild<QLabel *>(name)->text(); }

    QWidget board;
    QuickInstructions *panel = nullptr;
    QWidget *laterControl = nullptr;
};

TEST_F(QuickInstructionsTest, ThePanelIsHiddenUntilAskedFor)
{
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(QuickInstructionsTest, OpeningPutsThePanelAtTheCornerInFrontOfTheBoard)
{
    panel->move(200, 150);
    panel->showAtCorner();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->pos(), QPoint(1, 1));
    QWidget *top = board.childAt(QPoint(60, 60));
    EXPECT_TRUE(top == panel || panel->isAncestorOf(top));
}

TEST_F(QuickInstructionsTest, DoneHidesThePanel)
{
    panel->showAtCorner();
    QTest::mouseClick(panel->doneButton(), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(board.isVisible());
}

TEST_F(QuickInstructionsTest, TheTextsAreTheHeadingTheSixStepsInOrderAndTheNote)
{
    EXPECT_EQ(
        text(QStringLiteral("label_heading")),
        QStringLiteral("Try to \"MORPH\" your word into a new word by adding or deleting letters from your board."));
    const QStringList steps{
        QStringLiteral(
            "1. Click one of your letters then click on your board to start your word. This will end your turn."),
        QStringLiteral("2. Keep adding letters to form valid words. Your word is checked at the end of your turn."),
        QStringLiteral(
            "3. You can rearrange the letters on the board. Click on the letter and then click on the spot you "
            "want to move it to."),
        QStringLiteral("4. Be sure to complete all your rearranging before adding another letter to your board."),
        QStringLiteral("5. Swap two letters on your board by clicking one of them, then clicking the other."),
        QStringLiteral("6. You can remove a letter on your board by right clicking on it. This will end your turn. "),
    };
    for (int step = 1; step <= QuickInstructions::kSteps; ++step)
        EXPECT_EQ(text(QStringLiteral("label_step%1").arg(step)), steps.at(step - 1)) << step;
    EXPECT_EQ(text(QStringLiteral("label_note")),
              QStringLiteral("You can also steal letters from your opponent's board, or you can delete letters from "
                             "your own hand. Both of these actions will end your turn."));
    EXPECT_EQ(panel->doneButton()->text(), QStringLiteral("Done"));
}

TEST_F(QuickInstructionsTest, EveryTextKeysIncludedHasTheRoomItNeedsAndNothingOverlaps)
{
    panel->showAtCorner();
    ASSERT_NE(panel->findChild<QLabel *>(QStringLiteral("label_keys")), nullptr);
    const QList<QWidget *> parts = panel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (const QWidget *part : parts) {
        const std::string name = part->objectName().toStdString();
        EXPECT_TRUE(panel->rect().contains(part->geometry())) << name;
        if (auto *label = qobject_cast<const QLabel *>(part)) {
            EXPECT_GE(label->height(), label->heightForWidth(label->width())) << name;
        }
        for (const QWidget *other : parts) {
            if (other == part)
                continue;
            EXPECT_FALSE(part->geometry().intersects(other->geometry()))
                << name << " " << other->objectName().toStdString();
        }
    }
    const QString dir = qEnvironmentVariable("QUARN_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(panel->grab().save(QDir(dir).filePath(QStringLiteral("quick-instructions.png"))));
    }
}

TEST(InstructionPictures, EveryStepHasAPictureOfItsOwnAtAnyPixelRatio)
{
    QSet<QByteArray> seen;
    const QSize size(214, 111);
    for (int step = 1; step <= InstructionPictures::kSteps; ++step) {
        const QImage picture = InstructionPictures::render(step, size, 2.0);
        ASSERT_EQ(picture.size(), size * 2) << step;
        seen.insert(QByteArray(reinterpret_cast<const char *>(picture.constBits()), picture.sizeInBytes()));
    }
    const QImage boardAlone = InstructionPictures::render(0, size, 2.0);
    seen.insert(QByteArray(reinterpret_cast<const char *>(boardAlone.constBits()), boardAlone.sizeInBytes()));
    EXPECT_EQ(seen.size(), InstructionPictures::kSteps + 1);
}

}  // namespace
