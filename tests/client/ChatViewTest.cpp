// The chat view's bounds: a flood of lines or links from any participant keeps the view
// at its last lines, the link table at the links of those lines, and Clear gives all back.
#include "client/ChatView.h"
#include "client/ChatLineBuilder.h"

#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class ChatViewTest : public ::testing::Test {
protected:
    void add(const QString &text) { view.addLine(ChatLineBuilder::build(QStringLiteral("1+A: ") + text, Qt::black)); }
    QTextDocument *document() const { return view.browser()->document(); }

    QWidget panel;
    ChatView view{&panel};
};

TEST_F(ChatViewTest, KeepsOnlyTheLastLinesOfItsHistory)
{
    const int over = 5;
    for (int i = 0; i < ChatView::kHistoryLines + over; ++i)
        add(QStringLiteral("line %1").arg(i));
    EXPECT_EQ(document()->blockCount(), ChatView::kHistoryLines);
    EXPECT_EQ(view.lineCount(), ChatView::kHistoryLines);
    EXPECT_EQ(document()->firstBlock().text(), QStringLiteral("A:  line %1 ").arg(over));
    EXPECT_EQ(document()->lastBlock().text(), QStringLiteral("A:  line %1 ").arg(ChatView::kHistoryLines + over - 1));
}

// Long lines leave sooner: the text kept stays within its bound, the newest line whole.
TEST_F(ChatViewTest, KeepsNoMoreTextThanItsBound)
{
    const QString longLine(4000, QLatin1Char('x'));
    for (int i = 0; i < ChatView::kHistoryCharacters / longLine.size() + 10; ++i)
        add(longLine);
    EXPECT_LE(document()->characterCount(), ChatView::kHistoryCharacters);
    EXPECT_EQ(view.lineCount(), document()->blockCount());
    EXPECT_EQ(document()->lastBlock().text(), QStringLiteral("A:  ") + longLine + QLatin1Char(' '));
}

// A line's links leave the table with the line; the links still shown keep their numbers
// and open; Clear releases the rest and numbering starts again.
TEST_F(ChatViewTest, LinkTableHoldsOnlyTheLinksOfLinesStillShown)
{
    QList<QUrl> opened;
    view.setUrlOpener([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });
    add(QStringLiteral("www.first.org www.second.org"));
    for (int i = 0; i < ChatView::kHistoryLines - 1; ++i)
        add(QStringLiteral("www.site%1.org").arg(i));
    EXPECT_EQ(view.links().count(), ChatView::kHistoryLines + 1);

    add(QStringLiteral("www.last.org"));  // the first line, and its two links, leave
    EXPECT_EQ(view.links().count(), ChatView::kHistoryLines);
    EXPECT_FALSE(view.links().address(0));
    EXPECT_FALSE(view.links().address(1));
    EXPECT_EQ(view.links().address(2), QStringLiteral("www.site0.org"));
    view.openLink(ChatView::kHistoryLines + 1);
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("http://www.last.org"))});

    view.clear();
    EXPECT_EQ(view.links().count(), 0);
    EXPECT_EQ(view.links().counter(), -1);
    EXPECT_EQ(view.lineCount(), 0);
    add(QStringLiteral("www.again.org"));
    EXPECT_EQ(view.links().address(0), QStringLiteral("www.again.org"));
}

}  // namespace
