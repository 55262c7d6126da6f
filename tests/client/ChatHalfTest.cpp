// The chat half: sending rules, the phrase gate, chatter sounds, received chat and its
// colour, links, scroll lock, text size, the smiley menu, clearing, copy and paste.
#include "ChatFakes.h"
#include "WarningCounter.h"

#include "client/ChatHalf.h"
#include "client/ChatInput.h"
#include "client/PhraseGate.h"
#include "client/model/ClientGame.h"
#include "net/Catalogue.h"
#include "net/Message.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

struct ViewRun {
    QString text;
    QColor colour;
    bool image = false;
};

class ChatHalfTest : public ::testing::Test {
protected:
    ChatHalfTest()
    {
        panel.resize(724, 491);
        chat = std::make_unique<ChatHalf>(&panel, game, sender, sounds.player());
        chat->setUrlOpener([this](const QUrl &url) {
            opened.append(url);
            return openSucceeds;
        });
    }

    void logIn(int slot) { game.logIn(slot); }

    // The menu's entry of that object name.
    static QAction *action(QMenu *menu, const QString &name)
    {
        for (QAction *entry : menu->actions())
            if (entry->objectName() == name)
                return entry;
        return nullptr;
    }

    // Every run of the view's last line.
    QList<ViewRun> lastLine() const
    {
        QList<ViewRun> runs;
        const QTextBlock block = chat->mainchat()->document()->lastBlock();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const bool image = fragment.charFormat().isImageFormat();
            runs.append({fragment.text(), fragment.charFormat().foreground().color(), image});
        }
        return runs;
    }

    // The text a phrase button's tooltip shows.
    QString shownTip(int number) const
    {
        QTextDocument shown;
        shown.setHtml(chat->phraseButton(number)->toolTip());
        return shown.toPlainText();
    }

    QWidget panel;
    ClientGame game;
    ChatRecordingSender sender;
    ChatSoundLog sounds;
    QList<QUrl> opened;
    bool openSucceeds = true;
    std::unique_ptr<ChatHalf> chat;
};

struct SendRow {
    const char *typed;
    const char *request;  // empty: nothing sent
};

void PrintTo(const SendRow &row, std::ostream *os)
{
    *os << '"' << row.typed << '"';
}

class ChatSendit : public ChatHalfTest, public ::testing::WithParamInterface<SendRow> { };

// Plain text is chat; "/me" drops four characters whatever the fourth is; any other "/"
// text is not sent; the box is emptied in every case.
TEST_P(ChatSendit, SendsByTheSlashRulesAndEmptiesTheBox)
{
    logIn(2);
    chat->mychat()->setText(QString::fromUtf8(GetParam().typed));
    chat->sendit();
    const QByteArray expected = GetParam().request;
    if (expected.isEmpty())
        EXPECT_TRUE(sender.requests.isEmpty());
    else
        EXPECT_EQ(sender.requests, QList<QByteArray>{expected + net::kTerminator});
    EXPECT_TRUE(chat->mychat()->text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Rows, ChatSendit,
                         ::testing::Values(SendRow{"hello all", "CMD_chat+2+hello all|clBlack"},
                                           SendRow{"/me waves", "CMD_action+2+waves|clBlack"},
                                           SendRow{"/meXwaves", "CMD_action+2+waves|clBlack"},
                                           SendRow{"/me", "CMD_action+2+|clBlack"}, SendRow{"/ME waves", ""},
                                           SendRow{"/quit", ""}, SendRow{"", ""},
                                           SendRow{"a+b|c", "CMD_chat+2+a+b|c|clBlack"}));

TEST_F(ChatHalfTest, BeforeLoginEnterKeepsTheText)
{
    chat->mychat()->setText(QStringLiteral("early"));
    QTest::keyClick(chat->mychat(), Qt::Key_Return);
    EXPECT_TRUE(sender.requests.isEmpty());
    EXPECT_EQ(chat->mychat()->text(), QStringLiteral("early"));
}

// The first key empties the placeholder; Enter sends with the chosen colour's name.
TEST_F(ChatHalfTest, TypingReplacesThePlaceholderAndEnterSendsInTheChosenColour)
{
    logIn(1);
    EXPECT_EQ(chat->mychat()->text(), ChatInput::kPlaceholder);
    chat->setTextColour(QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(chat->mychat()->palette().color(QPalette::Text), QColor(0x99, 0x66, 0x33));
    QTest::keyClicks(chat->mychat(), QStringLiteral("hi"));
    EXPECT_EQ(chat->mychat()->text(), QStringLiteral("hi"));
    QTest::keyClick(chat->mychat(), Qt::Key_Return);
    EXPECT_EQ(sender.requests, QList<QByteArray>{QByteArray("CMD_chat+1+hi|$00336699") + net::kTerminator});
}

// Only the box's first text is the placeholder: the same words pasted later are kept.
TEST_F(ChatHalfTest, PastedTextReadingLikeThePlaceholderIsKept)
{
    QTest::keyClicks(chat->mychat(), QStringLiteral("a"));
    QGuiApplication::clipboard()->setText(ChatInput::kPlaceholder);
    chat->Paste1Click();
    QTest::keyClicks(chat->mychat(), QStringLiteral("x"));
    chat->smileyClick(12);
    EXPECT_EQ(chat->mychat()->text(), ChatInput::kPlaceholder + QStringLiteral("x:)#12"));
}

TEST_F(ChatHalfTest, PhraseButtonPressedTwiceQuicklySendsOnceThenReopens)
{
    logIn(1);
    EXPECT_EQ(shownTip(1), QStringLiteral("Way To Go!"));
    EXPECT_EQ(shownTip(9), QStringLiteral("Good Game Everyone!"));
    chat->phraseButton(1)->click();
    chat->phraseButton(2)->click();
    EXPECT_EQ(sender.requests,
              QList<QByteArray>{QByteArray("CMD_action+1+says: Way To Go!|clBlack") + net::kTerminator});
    EXPECT_FALSE(chat->phraseGate().isOpen());

    QSignalSpy reopened(&chat->phraseGate(), &PhraseGate::opened);
    ASSERT_TRUE(reopened.wait(2000));
    EXPECT_FALSE(chat->phraseGate().isTiming());  // no timer runs while the gate is open
    chat->setPhrase(2, QStringLiteral("/me bows"));
    EXPECT_EQ(shownTip(2), QStringLiteral("/me bows"));
    chat->phraseButton(2)->click();
    EXPECT_EQ(sender.requests.last(), QByteArray("CMD_action+1+bows|clBlack") + net::kTerminator);
}

// Phrases come from the settings file: a tooltip shows its phrase as typed, not as markup.
TEST_F(ChatHalfTest, PhraseTooltipShowsThePhraseAsTyped)
{
    const QString phrase = QStringLiteral("<b>hi</b> & <img src=x>");
    chat->setPhrase(4, phrase);
    EXPECT_EQ(shownTip(4), phrase);
}

// However it gets there, no chat line or phrase is longer than 1,000 characters.
TEST_F(ChatHalfTest, ChatLineAndPhrasesStopAtAThousandCharacters)
{
    const QString longText(1500, QLatin1Char('x'));
    QGuiApplication::clipboard()->setText(longText);
    chat->Paste1Click();
    EXPECT_EQ(chat->mychat()->text(), longText.left(1000));
    chat->mychat()->setText(longText.left(998));
    chat->smileyClick(12);  // a whole code no longer fits
    EXPECT_EQ(chat->mychat()->text(), longText.left(998));
    chat->setPhrase(1, longText);
    EXPECT_EQ(chat->phrase(1), longText.left(1000));
}

TEST_F(ChatHalfTest, PhraseButtonsDoNothingBeforeLogin)
{
    chat->phraseButton(3)->click();
    EXPECT_TRUE(sender.requests.isEmpty());
    EXPECT_TRUE(chat->phraseGate().isOpen());
}

TEST(PhraseGate, ClosesAndOpensAgainAfterItsTime)
{
    PhraseGate gate(5);
    QSignalSpy opened(&gate, &PhraseGate::opened);
    EXPECT_TRUE(gate.isOpen());
    EXPECT_FALSE(gate.isTiming());
    gate.close();
    EXPECT_FALSE(gate.isOpen());
    EXPECT_TRUE(gate.isTiming());
    ASSERT_TRUE(opened.wait(2000));
    EXPECT_TRUE(gate.isOpen());
    EXPECT_FALSE(gate.isTiming());
    gate.open();  // already open: no second signal
    EXPECT_EQ(opened.count(), 1);
}

// Players send the sound's entry name; spectators, "<Cancel>" and early clicks send nothing.
TEST_F(ChatHalfTest, ChatterSoundMenuSendsOnlyForSeatedPlayers)
{
    QMenu *menu = chat->popupSounds();
    ASSERT_EQ(menu->actions().size(), 21);
    EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("<Cancel>"));
    EXPECT_EQ(action(menu, QStringLiteral("wave5"))->text(), QStringLiteral("Where have you been?"));
    EXPECT_EQ(action(menu, QStringLiteral("wave20"))->text(), QStringLiteral("Crying"));

    action(menu, QStringLiteral("wave5"))->trigger();  // not logged in
    logIn(3);
    action(menu, QStringLiteral("wave5"))->trigger();  // spectator
    EXPECT_TRUE(sender.requests.isEmpty());

    logIn(2);
    menu->actions().first()->trigger();
    action(menu, QStringLiteral("wave5"))->trigger();
    EXPECT_EQ(sender.requests, QList<QByteArray>{QByteArray("CMD_playasound+2+wave5+") + net::kTerminator});
}

TEST_F(ChatHalfTest, ReceivedChatterSoundPlaysOrBecomesANotice)
{
    game.setSeatName(2, QStringLiteral("Bob"));
    chat->playasound(QStringLiteral("2+wave3+"));
    EXPECT_EQ(sounds.played, QStringList{QStringLiteral("wave3")});

    chat->setChatterSoundsOn(false);
    chat->playasound(QStringLiteral("2+WAVE13+"));
    EXPECT_EQ(sounds.played.size(), 1);
    EXPECT_EQ(chat->mainchat()->document()->lastBlock().text(), QStringLiteral("Bob:  <Chatter Sound> Applause "));
    EXPECT_EQ(lastLine().first().colour, kNoticeColour);

    chat->playasound(QStringLiteral("5+wave7+"));  // a slot that is no seat has no name
    EXPECT_EQ(chat->mainchat()->document()->lastBlock().text(), QStringLiteral(":  <Chatter Sound> Sneezing "));
}

// The game's notices are lines of slot 0 in the notice colour.
TEST_F(ChatHalfTest, GameNoticeIsANoticeLine)
{
    chat->addlinetochat(QStringLiteral("0+Ann has started a game."), kNoticeColour);
    const QString expected = chat->mainchat()->document()->lastBlock().text();
    chat->addnotice(QStringLiteral("Ann has started a game."));
    EXPECT_EQ(chat->mainchat()->document()->lastBlock().text(), expected);
    EXPECT_EQ(lastLine().first().colour, kNoticeColour);
    EXPECT_EQ(chat->mainchat()->document()->blockCount(), 2);
}

// Only the menu's own sounds play: another name neither sounds nor shows.
TEST_F(ChatHalfTest, UnknownChatterSoundOrBadSlotIsIgnored)
{
    const int blocks = chat->mainchat()->document()->blockCount();
    chat->playasound(QStringLiteral("1+gameover+"));
    chat->setChatterSoundsOn(false);
    chat->playasound(QStringLiteral("1+wave21+"));
    EXPECT_TRUE(sounds.played.isEmpty());
    EXPECT_EQ(chat->mainchat()->document()->blockCount(), blocks);
    chat->playasound(QStringLiteral("x+wave1+"));
    EXPECT_TRUE(sounds.played.isEmpty());
}

// Chat, actions and chatter sounds come from slots 1..9; from any other they are ignored.
TEST_F(ChatHalfTest, RelaysFromNoParticipantAreIgnoredButTheHostsOwnNoticesShow)
{
    WarningCounter warnings("quarn.chat");
    chat->chatReceived(QStringLiteral("10+Al chats: hi|clBlue"));
    chat->playasound(QStringLiteral("10+wave3+"));
    chat->playasound(QStringLiteral("0+wave3+"));
    EXPECT_TRUE(chat->mainchat()->document()->isEmpty());
    EXPECT_TRUE(sounds.played.isEmpty());
    EXPECT_EQ(warnings.count(), 3);

    // Slot 0 is the host itself, e.g. telling a participant that lines were dropped.
    const auto notice = net::splitMessage(net::toClient::hostnotice(QStringLiteral("Host: slow down")).chopped(1));
    ASSERT_TRUE(notice);
    chat->chatReceived(notice->rest);
    EXPECT_EQ(chat->mainchat()->document()->lastBlock().text(), QStringLiteral("Host:  slow down "));
    EXPECT_EQ(lastLine()[0].colour, kNoticeColour);
}

TEST_F(ChatHalfTest, ReceivedChatIsDrawnBoldInItsColourOrRed)
{
    chat->chatReceived(QStringLiteral("1+Al chats: hi|clBlue"));
    QList<ViewRun> runs = lastLine();
    ASSERT_EQ(runs.size(), 1);  // equal formats merge into one fragment
    EXPECT_EQ(runs[0].text, QStringLiteral("Al chats:  hi "));
    EXPECT_EQ(runs[0].colour, QColor(0, 0, 255));
    const QTextBlock block = chat->mainchat()->document()->lastBlock();
    EXPECT_EQ(block.begin().fragment().charFormat().fontWeight(), QFont::Bold);

    chat->chatReceived(QStringLiteral("1+Al chats: a|b|clBlue"));
    EXPECT_EQ(chat->mainchat()->document()->lastBlock().text(), QStringLiteral("Al chats:  a "));
    EXPECT_EQ(lastLine()[0].colour, ChatHalf::kFallbackColour);
    chat->chatReceived(QStringLiteral("1+no colour at all"));
    EXPECT_EQ(lastLine()[0].colour, ChatHalf::kFallbackColour);
    chat->chatReceived(QStringLiteral("1+x|notacolour"));
    EXPECT_EQ(lastLine()[0].colour, ChatHalf::kFallbackColour);
}

TEST_F(ChatHalfTest, SmileysShowInlineAsImages)
{
    chat->addlinetochat(QStringLiteral("1+A: hi:)#12there"), Qt::black);
    const QList<ViewRun> runs = lastLine();
    ASSERT_EQ(runs.size(), 3);
    EXPECT_TRUE(runs[1].image);
    auto fragments = chat->mainchat()->document()->lastBlock().begin();
    ++fragments;
    const QTextImageFormat image = fragments.fragment().charFormat().toImageFormat();
    EXPECT_EQ(image.name(), QStringLiteral("smiley:2"));
    EXPECT_EQ(image.width(), 17);
    EXPECT_EQ(image.height(), 16);
    EXPECT_FALSE(chat->mainchat()->document()->resource(QTextDocument::ImageResource, QUrl(image.name())).isNull());

    // Clearing the chat empties the document's pictures; the next smiley brings its own back.
    chat->ClearMainChat1Click();
    chat->addlinetochat(QStringLiteral("1+B: :)#12"), Qt::black);
    EXPECT_FALSE(chat->mainchat()->document()->resource(QTextDocument::ImageResource, QUrl(image.name())).isNull());
}

// A click opens the word without its trailing space; capitals are no link; a failure,
// or an address that is not a web page, says "Cannot open Webpage".
TEST_F(ChatHalfTest, LinksOpenTheirAddressOrSayTheyCannot)
{
    chat->addlinetochat(QStringLiteral("1+A: see www.quarn.net WWW.NOT.LINK http://x.org/p"), Qt::black);
    const QList<ViewRun> runs = lastLine();
    const auto link = std::find_if(runs.begin(), runs.end(),
                                   [](const ViewRun &r) { return r.colour == ChatPalette::standard().link; });
    ASSERT_NE(link, runs.end());
    EXPECT_EQ(link->text, QStringLiteral("www.quarn.net "));
    EXPECT_EQ(chat->links().count(), 2);

    chat->mainchatJump(0);
    chat->mainchatJump(1);
    EXPECT_EQ(opened,
              (QList<QUrl>{QUrl(QStringLiteral("http://www.quarn.net")), QUrl(QStringLiteral("http://x.org/p"))}));
    EXPECT_EQ(chat->mainchat()->window()->findChildren<QMessageBox *>().size(), 0);

    openSucceeds = false;
    chat->mainchatJump(0);
    chat->addlinetochat(QStringLiteral("1+A: file:///etc/passwd#http://x"), Qt::black);
    openSucceeds = true;
    chat->mainchatJump(2);
    EXPECT_EQ(opened.size(), 3);  // the file address was never handed to the desktop
    const QList<QMessageBox *> boxes = chat->mainchat()->window()->findChildren<QMessageBox *>();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes.first()->text(), QStringLiteral("Cannot open Webpage"));
    for (QMessageBox *box : boxes)
        box->close();
}

// An invite link goes to the invite opener (which reads it and asks before leaving the
// game), never to the desktop, whatever else the word holds.
TEST_F(ChatHalfTest, AnInviteLinkGoesToTheInviteOpenerNeverToTheDesktop)
{
    QStringList invites;
    chat->setInviteOpener([&invites](const QString &link) { invites.append(link); });
    chat->addlinetochat(QStringLiteral("1+A: quarn://192.0.2.10:7772 QUARN://h/../../x"), Qt::black);
    chat->mainchatJump(0);
    chat->mainchatJump(1);
    EXPECT_EQ(invites, (QStringList{QStringLiteral("quarn://192.0.2.10:7772"), QStringLiteral("QUARN://h/../../x")}));
    EXPECT_TRUE(opened.isEmpty());
}

// The table numbers wrap to 1 after 100, but every link still opens its own address.
TEST_F(ChatHalfTest, LinksPastTheHundredAndFirstStillOpenTheirOwnAddress)
{
    for (int i = 0; i < 103; ++i)
        chat->addlinetochat(QStringLiteral("1+A: www.site%1.org").arg(i), Qt::black);
    EXPECT_EQ(chat->links().counter(), 2);
    EXPECT_EQ(chat->links().entry(1), QStringLiteral("www.site101.org "));
    EXPECT_EQ(chat->links().entry(100), QStringLiteral("www.site100.org "));
    chat->mainchatJump(1);
    chat->mainchatJump(102);
    EXPECT_EQ(
        opened,
        (QList<QUrl>{QUrl(QStringLiteral("http://www.site1.org")), QUrl(QStringLiteral("http://www.site102.org"))}));

    chat->clearMainChatAction()->trigger();
    EXPECT_EQ(chat->links().counter(), -1);
    EXPECT_EQ(chat->links().count(), 0);
    EXPECT_TRUE(chat->mainchat()->document()->isEmpty());
}

TEST_F(ChatHalfTest, ScrollLockKeepsTheViewStill)
{
    panel.show();
    for (int i = 0; i < 40; ++i)
        chat->addlinetochat(QStringLiteral("0+line %1").arg(i), kNoticeColour);
    QScrollBar *bar = chat->mainchat()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());

    chat->scrollChatOffAction()->trigger();
    EXPECT_TRUE(chat->scrollLock());
    QAction *viewEntry = action(chat->viewMenu(), QStringLiteral("ScrollChatOff1"));
    ASSERT_NE(viewEntry, nullptr);
    EXPECT_TRUE(viewEntry->isChecked());  // the two entries always agree
    bar->setValue(0);
    for (int i = 0; i < 10; ++i)
        chat->addlinetochat(QStringLiteral("0+more %1").arg(i), kNoticeColour);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(ChatHalfTest, TextSizeAppliesToAllTextAndChecksItsEntry)
{
    QSignalSpy saves(chat.get(), &ChatHalf::settingsChanged);
    const auto checked = [this] { return checkedEntries(chat->textSizeMenu()); };
    EXPECT_EQ(checked(), QStringList{QStringLiteral("N10")});
    chat->addlinetochat(QStringLiteral("0+before"), kNoticeColour);
    action(chat->textSizeMenu(), QStringLiteral("N14"))->trigger();
    EXPECT_EQ(chat->textSize(), 14);
    EXPECT_EQ(chat->mainchat()->document()->defaultFont().pointSize(), 14);
    EXPECT_EQ(checked(), QStringList{QStringLiteral("N14")});
    EXPECT_EQ(saves.count(), 1);

    chat->setTextSize(11);
    EXPECT_EQ(chat->mainchat()->document()->defaultFont().pointSize(), 11);
    EXPECT_TRUE(checked().isEmpty());
    // Runs carry no size of their own, so earlier lines follow the view's size.
    EXPECT_FALSE(chat->mainchat()->document()->firstBlock().begin().fragment().charFormat().hasProperty(
        QTextFormat::FontPointSize));
}

TEST_F(ChatHalfTest, TextColourDialogAppliesAndAsksForASave)
{
    QSignalSpy saves(chat.get(), &ChatHalf::settingsChanged);
    chat->textColorAction()->trigger();
    ASSERT_TRUE(chat->colorDialog()->isVisible());
    chat->colorDialog()->setCurrentColor(QColor(0, 128, 0));
    chat->colorDialog()->accept();
    EXPECT_EQ(chat->textColour(), QColor(0, 128, 0));
    EXPECT_EQ(saves.count(), 1);
}

TEST_F(ChatHalfTest, SmileyMenuAppendsCodesAfterClearingThePlaceholder)
{
    QMenu *menu = chat->popupSmilies();
    ASSERT_EQ(menu->actions().size(), 18);
    // Each entry is named by its face, with its code beside it; no two share a name.
    QSet<QString> names;
    for (int i = 0; i < 18; ++i) {
        const QStringList parts = menu->actions().at(i)->text().split(u'\t');
        ASSERT_EQ(parts.size(), 2);
        EXPECT_EQ(parts.at(1), QStringLiteral(":)#%1").arg(10 + i));
        EXPECT_FALSE(parts.at(0).isEmpty() || parts.at(0).contains(u'#')) << parts.at(0).toStdString();
        names.insert(parts.at(0));
    }
    EXPECT_EQ(names.size(), 18);
    if (const QString dir = qEnvironmentVariable("QUARN_SCREENSHOT_DIR"); !dir.isEmpty()) {
        menu->popup(QPoint(0, 0));
        menu->grab().save(QDir(dir).filePath(QStringLiteral("smiley-menu.png")));
        menu->hide();
    }
    Q_EMIT menu->aboutToShow();  // the faces are drawn when the menu opens
    EXPECT_FALSE(menu->actions().first()->icon().isNull());
    EXPECT_FALSE(menu->actions().last()->icon().isNull());
    menu->actions().at(2)->trigger();
    EXPECT_EQ(chat->mychat()->text(), QStringLiteral(":)#12"));
    menu->actions().at(17)->trigger();
    EXPECT_EQ(chat->mychat()->text(), QStringLiteral(":)#12:)#27"));
    EXPECT_EQ(chat->mychat()->cursorPosition(), 10);
    EXPECT_FALSE(chat->mychat()->hasSelectedText());
    EXPECT_TRUE(sender.requests.isEmpty());
}

TEST_F(ChatHalfTest, CopyGivesPlainTextAndPasteReplacesTheInput)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("untouched"));
    chat->Copy1Click();  // no selection: nothing happens
    EXPECT_EQ(clipboard->text(), QStringLiteral("untouched"));

    chat->addlinetochat(QStringLiteral("1+A: hi:)#11"), Qt::black);
    chat->SelectAll1Click();
    chat->Copy1Click();
    EXPECT_EQ(clipboard->text(), QStringLiteral("A:  hi "));

    chat->mychat()->setText(QStringLiteral("old text"));
    clipboard->setText(QStringLiteral("pasted"));
    QTest::keyClick(chat->mychat(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(chat->mychat()->text(), QStringLiteral("pasted"));
    clipboard->clear();
    chat->Paste1Click();
    EXPECT_EQ(chat->mychat()->text(), QStringLiteral("pasted"));
}

}  // namespace
