// The chat view; see ChatView.h.
#include "client/ChatView.h"

#include "client/SmileyPainter.h"
#include "net/JoinAddress.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <QLoggingCategory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

Q_DECLARE_LOGGING_CATEGORY(lcChat)

namespace {

constexpr QRect kViewRect(31, 268, 688, 195);
const QString kLinkScheme = QStringLiteral("chatlink");
const QString kSmileyScheme = QStringLiteral("smiley");
const QString kFontFamily = QStringLiteral("Arial");
// Each run keeps the colour its line came with (links: none), so a new palette can draw
// it again.
constexpr int kArrivedColour = QTextFormat::UserProperty + 1;
constexpr int kIsLink = QTextFormat::UserProperty + 2;

// A link's target names it among the links kept, not among all links ever shown: each
// distinct target is a format the document keeps until it is cleared, so targets are
// reused once their links have left. More targets than links can be kept at once, so
// the links shown never share one.
constexpr int kLinkTargets = (ChatView::kHistoryLines + 1) * ChatLineBuilder::kLinksPerLine;

}  // namespace

ChatView::ChatView(QWidget *panel, QObject *parent)
    : QObject(parent)
    , m_openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    m_browser = new QTextBrowser(panel);
    m_browser->setObjectName(QStringLiteral("mainchat"));
    m_browser->setGeometry(kViewRect);
    m_browser->setReadOnly(true);
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    m_browser->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_browser->setContextMenuPolicy(Qt::CustomContextMenu);
    QTextDocument *document = m_browser->document();
    document->setDocumentMargin(5);
    // Nobody edits the view, so nothing is kept to undo (and the text of lines that
    // left is given back).
    document->setUndoRedoEnabled(false);
    applyPaletteToWidget();
    m_browser->installEventFilter(this);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        bool ok = false;
        const int target = url.path().toInt(&ok);
        if (url.scheme() != kLinkScheme || !ok || target < 0 || target >= kLinkTargets)
            return;
        // The one kept link with this target.
        const int first = m_links.firstKept();
        openLink(first + ((target - first % kLinkTargets) + kLinkTargets) % kLinkTargets);
    });
    connect(m_browser, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { Q_EMIT menuRequested(m_browser->viewport()->mapToGlobal(pos)); });
}

QUrl ChatView::smileyUrl(int index)
{
    return QUrl(kSmileyScheme + QLatin1Char(':') + QString::number(index));
}

QString ChatView::linkTarget(int number)
{
    return kLinkScheme + QLatin1Char(':') + QString::number(number % kLinkTargets);
}

void ChatView::addSmileyImage(int index)
{
    // Each picture goes into the document the first time a line shows it (again after
    // the chat was cleared, which empties the document's resources).
    QTextDocument *document = m_browser->document();
    const QUrl url = smileyUrl(index);
    if (!document->resource(QTextDocument::ImageResource, url).isValid())
        document->addResource(QTextDocument::ImageResource, url, SmileyPainter::smiley(index));
}

void ChatView::addLine(const ChatLine &line)
{
    QTextDocument *document = m_browser->document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    // One edit for the whole line: the view lays the line out once, not once per run
    // (a line of hundreds of words would otherwise be laid out hundreds of times).
    cursor.beginEditBlock();
    // The first line goes into the empty block every document starts with.
    if (!m_linksPerLine.empty())
        cursor.insertBlock();
    m_linksPerLine.push_back(0);

    QTextCharFormat textFormat;
    textFormat.setFontFamilies({kFontFamily});
    textFormat.setFontWeight(QFont::Bold);
    textFormat.setForeground(m_palette.text(line.colour));
    textFormat.setProperty(kArrivedColour, line.colour);

    for (const ChatItem &item : line.items) {
        switch (item.kind) {
        case ChatItem::Kind::Text: cursor.insertText(item.text, textFormat); break;
        case ChatItem::Kind::Link: {
            const int number = m_links.add(item.text);
            ++m_linksPerLine.back();
            QTextCharFormat linkFormat;
            linkFormat.setFontFamilies({kFontFamily});
            linkFormat.setForeground(m_palette.link);
            linkFormat.setProperty(kIsLink, true);
            linkFormat.setFontUnderline(true);
            linkFormat.setAnchor(true);
            linkFormat.setAnchorHref(linkTarget(number));
            cursor.insertText(item.text, linkFormat);
            break;
        }
        case ChatItem::Kind::Smiley: {
            addSmileyImage(item.smiley);
            QTextImageFormat image;
            image.setName(smileyUrl(item.smiley).toString());
            image.setWidth(SmileyPainter::kWidth);
            image.setHeight(SmileyPainter::kHeight);
            cursor.insertImage(image);
            break;
        }
        }
    }
    cursor.endEditBlock();
    // Apart from the new line's edit: one edit spanning the document would have the
    // view lay out every line again, not just the new one.
    dropLinesOverHistory();
    scrollToEnd();
}

void ChatView::dropLinesOverHistory()
{
    // The oldest lines leave, their links with them, until the history fits both bounds;
    // the newest line always stays.
    QTextDocument *document = m_browser->document();
    while (m_linksPerLine.size() > 1
           && (lineCount() > kHistoryLines || document->characterCount() > kHistoryCharacters)) {
        QTextCursor cursor(document->firstBlock());
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        m_links.releaseOldest(m_linksPerLine.front());
        m_linksPerLine.pop_front();
    }
}

void ChatView::clear()
{
    m_browser->clear();
    m_links.clear();
    std::deque<int>().swap(m_linksPerLine);
#ifdef __GLIBC__
    // The allocator keeps what a flood of lines used; clearing is when the user asks for
    // it back.
    malloc_trim(0);
#endif
}

void ChatView::scrollToEnd()
{
    if (m_scrollLock)
        return;
    QScrollBar *bar = m_browser->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void ChatView::openLink(int number)
{
    const std::optional<QString> address = m_links.address(number);
    if (!address)
        return;
    // An invite link joins another game (the opener reads it and asks first); it never
    // reaches the desktop.
    if (net::isInviteLink(*address) && m_openInvite) {
        m_openInvite(*address);
        return;
    }
    // Only web pages are opened: a chat word must not start another kind of program.
    const QUrl url = QUrl::fromUserInput(*address);
    const bool web = url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
    if (web && m_openUrl && m_openUrl(url))
        return;
    qCInfo(lcChat) << "could not open" << *address;
    auto *box = new QMessageBox(QMessageBox::Information, QApplication::applicationName(),
                                QStringLiteral("Cannot open Webpage"), QMessageBox::Ok, m_browser->window());
    box->setObjectName(QStringLiteral("cannotOpenWebpage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void ChatView::applyPaletteToWidget()
{
    QPalette palette = m_browser->palette();
    palette.setColor(QPalette::Base, m_palette.background);
    const QPalette desktop = QApplication::palette(m_browser);
    palette.setColor(QPalette::Highlight,
                     m_palette.selection.isValid() ? m_palette.selection : desktop.color(QPalette::Highlight));
    palette.setColor(QPalette::HighlightedText,
                     m_palette.selectedText.isValid() ? m_palette.selectedText
                                                      : desktop.color(QPalette::HighlightedText));
    m_browser->setPalette(palette);
}

void ChatView::setPalette(const ChatPalette &palette)
{
    if (palette == m_palette)
        return;
    m_palette = palette;
    applyPaletteToWidget();
    QTextDocument *document = m_browser->document();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            QTextCharFormat recoloured;
            if (format.hasProperty(kIsLink))
                recoloured.setForeground(m_palette.link);
            else if (format.hasProperty(kArrivedColour))
                recoloured.setForeground(m_palette.text(format.property(kArrivedColour).value<QColor>()));
            else
                continue;
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(recoloured);
        }
    }
    cursor.endEditBlock();
}

void ChatView::setTextSize(int points)
{
    QFont font(kFontFamily);
    font.setPointSize(points);
    m_browser->document()->setDefaultFont(font);
    scrollToEnd();
}

void ChatView::selectAll()
{
    m_browser->selectAll();
}

bool ChatView::hasSelection() const
{
    return m_browser->textCursor().hasSelection();
}

void ChatView::copySelection()
{
    const QTextCursor cursor = m_browser->textCursor();
    if (!cursor.hasSelection())
        return;
    QString text = cursor.selection().toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
    QGuiApplication::clipboard()->setText(text);
}

bool ChatView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_browser && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        copySelection();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
