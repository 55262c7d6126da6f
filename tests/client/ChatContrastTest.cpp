// Contrast: the WCAG ratio of known pairs, the readable stand-in of a colour, and the chat
// under "High Contrast Chat", measured from the colours the view actually draws with.
#include "ChatFakes.h"

#include "client/ChatHalf.h"
#include "client/ChatInput.h"
#include "client/ChatPalette.h"
#include "client/ClientContext.h"
#include "client/Contrast.h"
#include "client/model/ClientGame.h"

#include <QAction>
#include <QColorDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {

struct PairRow {
    QColor a;
    QColor b;
    double ratio;
};

class ContrastRatioTest : public ::testing::TestWithParam<PairRow> { };

TEST_P(ContrastRatioTest, MatchesTheKnownRatioEitherWayRound)
{
    const PairRow &row = GetParam();
    EXPECT_NEAR(contrast::ratio(row.a, row.b), row.ratio, 0.01);
    EXPECT_NEAR(contrast::ratio(row.b, row.a), row.ratio, 0.01);
}

INSTANTIATE_TEST_SUITE_P(KnownPairs, ContrastRatioTest,
                         ::testing::Values(PairRow{Qt::black, Qt::white, 21.0}, PairRow{Qt::white, Qt::white, 1.0},
                                           // The lightest grey that reads on white.
                                           PairRow{QColor(118, 118, 118), Qt::white, 4.54},
                                           PairRow{QColor(0, 0, 255), Qt::white, 8.59},
                                           // The chat's notices and its links on its background.
                                           PairRow{QColor(27, 98, 131), QColor(198, 148, 115), 2.52},
                                           PairRow{QColor(0, 128, 0), QColor(198, 148, 115), 1.93}));

class ReadableOnTest : public ::testing::TestWithParam<QColor> { };

TEST_P(ReadableOnTest, ReachesAAKeepingTheHueOrStaysAsItIs)
{
    const QColor colour = GetParam();
    for (const QColor &background : {QColor(198, 148, 115), QColor(252, 244, 236), QColor(Qt::white)}) {
        const QColor shown = contrast::readableOn(colour, background);
        EXPECT_GE(contrast::ratio(shown, background), contrast::kReadable) << background.name().toStdString();
        if (contrast::ratio(colour, background) >= contrast::kReadable) {
            EXPECT_EQ(shown, colour);
        } else if (colour.hsvHue() >= 0 && shown.hsvSaturation() > 0) {
            EXPECT_NEAR(shown.hsvHue(), colour.hsvHue(), 4) << colour.name().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Colours, ReadableOnTest,
                         ::testing::Values(QColor(Qt::black), QColor(Qt::white), QColor(255, 255, 0), QColor(255, 0, 0),
                                           QColor(0, 128, 0), QColor(27, 98, 131), QColor(0, 0, 128),
                                           QColor(192, 192, 192)));

// Greyed text on light and on dark desktops alike.
class GreyedTextTest : public ::testing::TestWithParam<QColor> { };

TEST_P(GreyedTextTest, EveryGreyedTextReadsOnItsBackground)
{
    const QPalette readable = contrast::withReadableGreyedText(QPalette(GetParam()));
    for (const auto &[group, text, background] :
         {std::tuple{QPalette::Disabled, QPalette::WindowText, QPalette::Window},
          std::tuple{QPalette::Disabled, QPalette::Text, QPalette::Base},
          std::tuple{QPalette::Disabled, QPalette::ButtonText, QPalette::Button},
          std::tuple{QPalette::Active, QPalette::PlaceholderText, QPalette::Base}})
        EXPECT_GE(contrast::ratio(readable.color(group, text), readable.color(group, background)), contrast::kReadable)
            << int(group) << ' ' << int(text);
}

INSTANTIATE_TEST_SUITE_P(Desktops, GreyedTextTest,
                         ::testing::Values(QColor(239, 239, 239), QColor(212, 208, 200), QColor(53, 53, 53)));

class ChatContrastTest : public ::testing::Test {
protected:
    ChatContrastTest()
    {
        panel.resize(724, 491);
        chat = std::make_unique<ChatHalf>(&panel, game, sender, sounds.player());
        // Every colour the chat draws lines in: notices, the watching and leaving
        // notices, an unreadable relayed colour (red), and a user's light colour.
        chat->addnotice(QStringLiteral("Ann placed T"));
        chat->addlinetochat(QStringLiteral("0+Bob is just watching"), QColor(0, 128, 0));
        chat->addlinetochat(QStringLiteral("0+Cy has left."), QColor(0, 0, 128));
        chat->chatReceived(QStringLiteral("1+Ann chats: hello"));
        chat->chatReceived(QStringLiteral("1+Ann chats: see www.quarn.net now|clYellow"));
        chat->chatReceived(QStringLiteral("2+Bob chats: good game|clBlack"));
        chat->setTextColour(QColor(255, 255, 0));
    }

    // The view and the input box as the panel shows them, saved when asked for.
    void saveScreenshot(const char *name)
    {
        const QString folder = qEnvironmentVariable("QUARN_SCREENSHOT_DIR");
        if (folder.isEmpty())
            return;
        const QRect area = chat->mainchat()->geometry().united(chat->mychat()->geometry()).adjusted(-4, -4, 4, 4);
        EXPECT_TRUE(panel.grab(area).save(QDir(folder).filePath(QLatin1String(name))));
    }

    // The lowest ratio of any run of the view on the view's background.
    double lowestRatio() const
    {
        const QColor background = chat->mainchat()->palette().color(QPalette::Base);
        double lowest = 21.0;
        for (QTextBlock block = chat->mainchat()->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QColor drawn = it.fragment().charFormat().foreground().color();
                lowest = std::min(lowest, contrast::ratio(drawn, background));
            }
        }
        return lowest;
    }

    QColor firstRunColour() const
    {
        return chat->mainchat()->document()->begin().begin().fragment().charFormat().foreground().color();
    }

    QWidget panel;
    ClientGame game;
    ChatRecordingSender sender;
    ChatSoundLog sounds;
    std::unique_ptr<ChatHalf> chat;
};

TEST_F(ChatContrastTest, StandardChatKeepsItsOwnColours)
{
    EXPECT_FALSE(chat->highContrastAction()->isChecked());
    EXPECT_EQ(chat->mainchat()->palette().color(QPalette::Base), QColor(198, 148, 115));
    EXPECT_EQ(firstRunColour(), kNoticeColour);
    EXPECT_LT(lowestRatio(), 2.0);
}

TEST_F(ChatContrastTest, UnderHighContrastEveryTextReadsAtAA)
{
    saveScreenshot("chat-contrast-standard.png");
    chat->highContrastAction()->trigger();
    ASSERT_TRUE(chat->highContrast());
    EXPECT_GE(lowestRatio(), contrast::kReadable) << "past lines";
    chat->addlinetochat(QStringLiteral("0+Dee is now playing again"), QColor(0, 128, 0));
    chat->chatReceived(QStringLiteral("2+Bob chats: www.late.link|$0000FFFF"));
    EXPECT_GE(lowestRatio(), contrast::kReadable) << "new lines";
    saveScreenshot("chat-contrast-high.png");

    const QPalette view = chat->mainchat()->palette();
    EXPECT_GE(contrast::ratio(view.color(QPalette::HighlightedText), view.color(QPalette::Highlight)),
              contrast::kReadable);
    const QPalette input = chat->mychat()->palette();
    EXPECT_GE(contrast::ratio(input.color(QPalette::Text), input.color(QPalette::Base)), contrast::kReadable);
    // What is sent stays the colour chosen.
    EXPECT_EQ(chat->textColour(), QColor(255, 255, 0));

    // Switching back draws every line in the colour it came with again.
    chat->setHighContrast(false);
    EXPECT_EQ(firstRunColour(), kNoticeColour);
    EXPECT_EQ(chat->mychat()->palette().color(QPalette::Text), QColor(255, 255, 0));
}

TEST_F(ChatContrastTest, ColourChooserWarnsOfAnUnreadableColour)
{
    chat->TextColor1Click();
    QColorDialog *dialog = chat->colorDialog();
    auto *warning = dialog->findChild<QLabel *>(QStringLiteral("colourWarning"));
    ASSERT_NE(warning, nullptr);
    EXPECT_TRUE(warning->isVisibleTo(dialog));
    EXPECT_TRUE(warning->text().contains(QStringLiteral("2.5:1"))) << warning->text().toStdString();
    if (const QString folder = qEnvironmentVariable("QUARN_SCREENSHOT_DIR"); !folder.isEmpty()) {
        EXPECT_TRUE(dialog->grab().save(QDir(folder).filePath(QStringLiteral("chat-colour-warning.png"))));
    }
    dialog->setCurrentColor(Qt::black);
    EXPECT_FALSE(warning->isVisibleTo(dialog));
    dialog->reject();
}

}  // namespace
