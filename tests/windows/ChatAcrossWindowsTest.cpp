// Chat between three main windows in one process over loopback: a line typed in one
// window reaches every window exactly once, bold in the sender's colour with its prefix,
// smiley and clickable link; "/me" gives an action; a phrase button pressed twice in
// quick succession sends its phrase once.
#include "GameBoardCheck.h"

#include "client/BoardHalf.h"
#include "client/ChatHalf.h"
#include "client/ConnectionHalf.h"
#include "client/PhraseGate.h"
#include "host/HostEngine.h"
#include "windows/Tchat.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// One line of a chat view as the reader sees it: its text, the colour and weight of its
// first text run, and what else it holds.
struct ShownLine {
    QString text;
    QColor colour;
    bool bold = false;
    int images = 0;
    QStringList anchors;
};

QList<ShownLine> linesContaining(QTextBrowser *view, const QString &needle)
{
    QList<ShownLine> found;
    for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
        if (!block.text().contains(needle))
            continue;
        ShownLine line;
        line.text = block.text().simplified();  // the view spaces its runs; compare the words
        bool firstText = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat()) {
                ++line.images;
            } else if (format.isAnchor()) {
                line.anchors << fragment.text();
            } else if (firstText && !fragment.text().trimmed().isEmpty()) {
                line.colour = format.foreground().color();
                line.bold = format.fontWeight() >= QFont::Bold;
                firstText = false;
            }
        }
        found << line;
    }
    return found;
}

class ChatAcrossWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        host = std::make_unique<HostEngine>(folder.path());
        ASSERT_TRUE(host->listen(0, QHostAddress::LocalHost));
        qputenv("QUARN_PORT", QByteArray::number(host->serverPort()));

        Tchat &ann = open(QStringLiteral("Ann"), QStringLiteral("true"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return ann.game().loggedIn(); }, kGameStepWait));
        Tchat &bob = open(QStringLiteral("Bob"), QStringLiteral("false"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return bob.game().ownSlot() == 2; }, kGameStepWait));
        Tchat &cy = open(QStringLiteral("Cy"), QStringLiteral("false"));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return cy.game().ownSlot() == 3 && cy.game().seatName(2) == QStringLiteral("Bob"); }, kGameStepWait));
    }

    void TearDown() override
    {
        windows.clear();
        qunsetenv("QUARN_PORT");
    }

    Tchat &open(const QString &name, const QString &mode)
    {
        Tchat &window = openGameWindow(windows, folder, host.get(), name, mode);
        window.show();
        return window;
    }

    // Waits until every window shows a line holding `needle`; returns each window's lines.
    std::vector<QList<ShownLine>> waitEverywhere(const QString &needle)
    {
        const auto everywhere = [&] {
            for (auto &window : windows)
                if (linesContaining(window->chat().mainchat(), needle).isEmpty())
                    return false;
            return true;
        };
        EXPECT_TRUE(QTest::qWaitFor(everywhere, kGameStepWait)) << needle.toStdString();
        std::vector<QList<ShownLine>> shown;
        for (auto &window : windows)
            shown.push_back(linesContaining(window->chat().mainchat(), needle));
        return shown;
    }

    QTemporaryDir folder;
    std::unique_ptr<HostEngine> host;
    std::vector<std::unique_ptr<Tchat>> windows;
};

TEST_F(ChatAcrossWindowsTest, TypedLineReachesEveryWindowOnceInTheSendersColour)
{
    Tchat &bob = *windows[1];
    bob.chat().setTextColour(QColor(0, 0, 255));
    QLineEdit *input = bob.chat().mychat();
    input->clear();
    QTest::keyClicks(input, QStringLiteral("hello :)#12 see www.example.org now"));
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_TRUE(input->text().isEmpty()) << "the box is emptied when the line is sent";

    const auto shown = waitEverywhere(QStringLiteral("hello"));
    for (size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(shown[i].size(), 1) << "each window shows the line exactly once";
        const ShownLine &line = shown[i].first();
        EXPECT_TRUE(line.text.startsWith(QStringLiteral("Bob chats:"))) << line.text.toStdString();
        EXPECT_EQ(line.colour, QColor(0, 0, 255));
        EXPECT_TRUE(line.bold);
        EXPECT_EQ(line.images, 1) << "the smiley code shows as one inline image";
        EXPECT_FALSE(line.text.contains(QStringLiteral(":)#12")));
        ASSERT_EQ(line.anchors.size(), 1);
        EXPECT_TRUE(line.anchors.first().contains(QStringLiteral("www.example.org")));
    }
}

TEST_F(ChatAcrossWindowsTest, SlashMeSendsAnActionAndOtherSlashLinesNothing)
{
    Tchat &cy = *windows[2];
    QLineEdit *input = cy.chat().mychat();
    input->setText(QStringLiteral("/nothing to see"));
    QTest::keyClick(input, Qt::Key_Return);
    input->setText(QStringLiteral("/me waves to all"));
    QTest::keyClick(input, Qt::Key_Return);

    const auto shown = waitEverywhere(QStringLiteral("waves to all"));
    for (const auto &lines : shown) {
        ASSERT_EQ(lines.size(), 1);
        EXPECT_EQ(lines.first().text, QStringLiteral("Cy waves to all"));
    }
    for (auto &window : windows)
        EXPECT_TRUE(linesContaining(window->chat().mainchat(), QStringLiteral("nothing to see")).isEmpty());
}

TEST_F(ChatAcrossWindowsTest, PhraseButtonPressedTwiceQuicklySendsOnce)
{
    Tchat &ann = *windows[0];
    QToolButton *button = ann.chat().phraseButton(2);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);

    // A later line from the same window marks the point by which the phrase, had it been
    // sent twice, would have arrived twice: the host relays in order.
    ASSERT_TRUE(QTest::qWaitFor([&] { return ann.chat().phraseGate().isOpen(); }, kGameStepWait));
    ann.chat().mychat()->setText(QStringLiteral("marker line"));
    QTest::keyClick(ann.chat().mychat(), Qt::Key_Return);
    waitEverywhere(QStringLiteral("marker line"));

    for (auto &window : windows) {
        const QList<ShownLine> lines = linesContaining(window->chat().mainchat(), QStringLiteral("Good One!"));
        ASSERT_EQ(lines.size(), 1);
        EXPECT_EQ(lines.first().text, QStringLiteral("Ann says: Good One!"));
    }
}

}  // namespace
