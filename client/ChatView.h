// The chat view `mainchat`: a read-only rich-text view of chat lines, actions and
// notices with smiley images and clickable links, its link table, scroll lock and text
// size. It shows lines built by ChatLineBuilder and knows nothing of sending.
//
// Any participant can fill every other participant's view, so what it keeps is bounded:
// the last kHistoryLines lines, and fewer when they hold more than kHistoryCharacters
// (older lines leave the document, and their links the link table); at most
// ChatLineBuilder::kLinksPerLine links a line; and a bounded set of link targets, so the
// document's formats do not grow with every link ever shown.
#pragma once

#include "client/ChatLineBuilder.h"
#include "client/ChatPalette.h"
#include "client/LinkTable.h"

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QUrl>

#include <deque>
#include <functional>

class QTextBrowser;
class QWidget;

class ChatView : public QObject {
    Q_OBJECT
public:
    static constexpr int kHistoryLines = 1000;
    // About 2 MB of text: a few hundred lines as long as the host relays, each of which
    // costs the view several times its text once laid out.
    static constexpr int kHistoryCharacters = 1 << 20;

    // Places the view at its designed place on `panel`, which owns it.
    explicit ChatView(QWidget *panel, QObject *parent = nullptr);

    // Adds one line; the oldest lines leave while the history is over its bounds.
    void addLine(const ChatLine &line);
    // Empties the view, its pictures and its link table (numbering starts again at 0).
    void clear();
    // Lines shown.
    int lineCount() const { return static_cast<int>(m_linksPerLine.size()); }

    // Opens link `number` when it is a web page (http or https); otherwise, or when the
    // desktop cannot open it, says "Cannot open Webpage".
    void openLink(int number);
    // Opens an address on the desktop; QDesktopServices::openUrl unless replaced.
    void setUrlOpener(std::function<bool(const QUrl &)> opener) { m_openUrl = std::move(opener); }
    // Follows an invite link (quarn://...); without one, such a link is not followed.
    void setInviteOpener(std::function<void(const QString &)> opener) { m_openInvite = std::move(opener); }

    // Gives every text of the view, past and future, this size in points.
    void setTextSize(int points);
    // Draws the view, past lines included, with `palette`; each line keeps the colour it
    // came with, so switching back restores it.
    void setPalette(const ChatPalette &palette);
    const ChatPalette &palette() const { return m_palette; }
    // While on, new lines do not move the view.
    void setScrollLock(bool on) { m_scrollLock = on; }
    bool scrollLock() const { return m_scrollLock; }
    void selectAll();
    bool hasSelection() const;
    // Copies the selection as plain text; nothing without a selection.
    void copySelection();

    QTextBrowser *browser() const { return m_browser; }
    const LinkTable &links() const { return m_links; }

Q_SIGNALS:
    // The view's pop-up menu is asked for at this global position.
    void menuRequested(const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addSmileyImage(int index);
    void dropLinesOverHistory();
    void scrollToEnd();
    void applyPaletteToWidget();
    static QUrl smileyUrl(int index);
    static QString linkTarget(int number);

    QTextBrowser *m_browser = nullptr;
    LinkTable m_links;
    std::deque<int> m_linksPerLine;  // one entry per line shown, oldest first
    std::function<bool(const QUrl &)> m_openUrl;
    std::function<void(const QString &)> m_openInvite;
    bool m_scrollLock = false;
    ChatPalette m_palette = ChatPalette::standard();
};
