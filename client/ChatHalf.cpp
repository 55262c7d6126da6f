// The chat half of the main window: showing lines, sending, the options and the
// events; see ChatHalf.h. Its controls are made in ChatHalfControls.cpp.
#include "client/ChatHalf.h"

#include "client/ColourNames.h"
#include "client/PhraseGate.h"
#include "client/SmileyPainter.h"
#include "client/model/ClientGame.h"
#include "net/Catalogue.h"
#include "net/JoinAddress.h"
#include "net/Message.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QToolButton>

#include <algorithm>

Q_LOGGING_CATEGORY(lcChat, "quarn.chat", QtWarningMsg)

namespace {

constexpr std::array<const char *, ChatHalf::kPhraseCount> kDefaultPhrases{
    "Way To Go!", "Good One!", "Nice Try!",         "Excellent!",          "Brilliant!",
    "Wow, WTG!",  "Thanks!",   "Way To Go Teamie!", "Good Game Everyone!",
};

constexpr std::array<const char *, ChatHalf::kChatterSoundCount> kChatterCaptions{
    "Doh",       "Cough",    "Hello",          "Thank You",    "Where have you been?",
    "Snoring",   "Sneezing", "Sorry",          "Welcome",      "Yeehaa",
    "Yippee",    "Oh No",    "Applause",       "Honk",         "Oooh",
    "Razzberry", "Cheer",    "Woman Laughing", "Man Laughing", "Crying",
};

}  // namespace

ChatHalf::ChatHalf(QWidget *panel, const ClientGame &game, RequestSender &sender, PlaySound playSound, QObject *parent)
    : QObject(parent)
    , m_game(game)
    , m_sender(sender)
    , m_playSound(std::move(playSound))
    , m_openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); })
    , m_panel(panel)
    , m_gate(new PhraseGate(PhraseGate::kDefaultMilliseconds, this))
{
    for (int i = 0; i < kPhraseCount; ++i)
        m_phrases[static_cast<size_t>(i)] = defaultPhrase(i + 1);
    createView(panel);
    createInput(panel);
    createMenus(panel);
    createButtons(panel);
    setTextSize(kInitialTextSize);
    setTextColour(Qt::black);
    panel->installEventFilter(this);
}

ChatHalf::~ChatHalf() = default;

QUrl ChatHalf::smileyUrl(int index)
{
    return QUrl(kSmileyScheme + QLatin1Char(':') + QString::number(index));
}

QString ChatHalf::plainTip(const QString &text)
{
    return Qt::convertFromPlainText(text);
}

QString ChatHalf::defaultPhrase(int number)
{
    if (number < 1 || number > kPhraseCount)
        return {};
    return QString::fromLatin1(kDefaultPhrases[static_cast<size_t>(number - 1)]);
}

QString ChatHalf::chatterSoundCaption(int number)
{
    if (number < 1 || number > kChatterSoundCount)
        return {};
    return QString::fromLatin1(kChatterCaptions[static_cast<size_t>(number - 1)]);
}

// --- Showing lines ---------------------------------------------------------------------

void ChatHalf::addSmileyImage(int index)
{
    // Each picture goes into the document the first time a line shows it (again after
    // the chat was cleared, which empties the document's resources).
    QTextDocument *document = m_mainchat->document();
    const QUrl url = smileyUrl(index);
    if (!document->resource(QTextDocument::ImageResource, url).isValid())
        document->addResource(QTextDocument::ImageResource, url, SmileyPainter::smiley(index));
}

void ChatHalf::addlinetochat(const QString &line, const QColor &colour)
{
    appendLine(ChatLineBuilder::build(line, colour));
}

void ChatHalf::addnotice(const QString &text)
{
    addlinetochat(QStringLiteral("0+") + text, kNoticeColour);
}

void ChatHalf::appendLine(const ChatLine &line)
{
    QTextDocument *document = m_mainchat->document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    // The first line goes into the empty block every document starts with.
    if (!document->isEmpty())
        cursor.insertBlock();

    QTextCharFormat textFormat;
    textFormat.setFontFamilies({kFontFamily});
    textFormat.setFontWeight(QFont::Bold);
    textFormat.setForeground(line.colour);

    for (const ChatItem &item : line.items) {
        switch (item.kind) {
        case ChatItem::Kind::Text: cursor.insertText(item.text, textFormat); break;
        case ChatItem::Kind::Link: {
            const int number = m_links.add(item.text);
            QTextCharFormat linkFormat;
            linkFormat.setFontFamilies({kFontFamily});
            linkFormat.setForeground(kLinkColour);
            linkFormat.setFontUnderline(true);
            linkFormat.setAnchor(true);
            linkFormat.setAnchorHref(kLinkScheme + QLatin1Char(':') + QString::number(number));
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
    scrollToEnd();
}

void ChatHalf::scrollToEnd()
{
    if (m_scrollLock)
        return;
    QScrollBar *bar = m_mainchat->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void ChatHalf::chatrecieved(const QString &rest)
{
    // Chat lines and actions share one grammar; slot 0 is a notice from the host itself
    // (such as being told to chat more slowly).
    const std::optional<net::ChatLine> line = net::toClient::decode::chat(rest);
    if (!line) {
        qCWarning(lcChat) << "relayed line from no participant ignored:" << rest.left(40);
        return;
    }
    addlinetochat(QString::number(line->slot) + QLatin1Char('+') + line->text,
                  ColourNames::colourFromName(line->colourName).value_or(kFallbackColour));
}

void ChatHalf::playasound(const QString &rest)
{
    const std::optional<net::Sound> sound = net::toClient::decode::playasound(rest);
    if (!sound) {
        qCWarning(lcChat) << "chatter sound from no participant ignored:" << rest.left(40);
        return;
    }
    const int slot = sound->slot;
    const QString &name = sound->name;
    // Only the chatter menu's own sounds may be played by another participant.
    int number = 0;
    for (int n = 1; n <= kChatterSoundCount && number == 0; ++n) {
        if (name.compare(QStringLiteral("wave%1").arg(n), Qt::CaseInsensitive) == 0)
            number = n;
    }
    if (number == 0) {
        qCInfo(lcChat) << "ignoring unknown chatter sound" << name << "from slot" << slot;
        return;
    }
    if (m_chatterSoundsOn) {
        if (m_playSound)
            m_playSound(name);
        return;
    }
    const QString speaker = m_game.seatName(slot);
    addlinetochat(QStringLiteral("0+") + speaker + QStringLiteral(": <Chatter Sound> ") + chatterSoundCaption(number),
                  kNoticeColour);
}

void ChatHalf::mainchatJump(int number)
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
                                QStringLiteral("Cannot open Webpage"), QMessageBox::Ok, m_mainchat->window());
    box->setObjectName(QStringLiteral("cannotOpenWebpage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// --- Sending ---------------------------------------------------------------------------

QString ChatHalf::colourName() const
{
    return ColourNames::nameFromColour(m_textColour).value_or(QStringLiteral("clBlack"));
}

void ChatHalf::sendit()
{
    if (!m_game.loggedIn())
        return;
    const QString text = m_mychat->text();
    if (!text.isEmpty()) {
        if (!text.startsWith(QLatin1Char('/')))
            m_sender.sendRequest(net::toHost::chat(m_game.ownSlot(), text, colourName()));
        else if (text.startsWith(QLatin1String("/me")))
            m_sender.sendRequest(net::toHost::action(m_game.ownSlot(), text.mid(4), colourName()));
    }
    m_mychat->clear();
}

void ChatHalf::phraseClick(int number)
{
    if (!m_game.loggedIn() || !m_gate->isOpen() || number < 1 || number > kPhraseCount)
        return;
    const QString &phrase = m_phrases[static_cast<size_t>(number - 1)];
    const QString text = phrase.startsWith(QLatin1String("/me ")) ? phrase.mid(4) : QStringLiteral("says: ") + phrase;
    m_sender.sendRequest(net::toHost::action(m_game.ownSlot(), text, colourName()));
    m_gate->close();
}

void ChatHalf::chatterSoundClick(int number)
{
    if (number < 1 || number > kChatterSoundCount || !m_game.loggedIn() || !m_game.isPlayer())
        return;
    m_sender.sendRequest(net::toHost::playasound(m_game.ownSlot(), QStringLiteral("wave%1").arg(number)));
}

void ChatHalf::smileyClick(int code)
{
    if (m_mychat->text() == kPlaceholder)
        m_mychat->clear();
    const QString smiley = QStringLiteral(":)#") + QString::number(code);
    if (m_mychat->text().size() + smiley.size() > kTextLimit)
        return;  // a cut code would show the wrong smiley
    m_mychat->setText(m_mychat->text() + smiley);
    m_mychat->deselect();
    m_mychat->setCursorPosition(int(m_mychat->text().size()));
    m_mychat->setFocus();
}

// --- Options ---------------------------------------------------------------------------

void ChatHalf::TextColor1Click()
{
    colorDialog()->setCurrentColor(m_textColour);
    m_colorDialog->open();
}

void ChatHalf::setTextColour(const QColor &colour)
{
    m_textColour = colour.isValid() ? colour : QColor(Qt::black);
    QPalette palette = m_mychat->palette();
    palette.setColor(QPalette::Text, m_textColour);
    m_mychat->setPalette(palette);
}

void ChatHalf::textSizeClick(int points)
{
    setTextSize(points);
    Q_EMIT settingsChanged();
}

void ChatHalf::setTextSize(int points)
{
    if (points < 1)
        return;
    m_textSize = points;
    QFont font(kFontFamily);
    font.setPointSize(points);
    m_mainchat->document()->setDefaultFont(font);
    for (const auto &[size, entry] : std::as_const(m_sizeActions))
        entry->setChecked(size == points);
    scrollToEnd();
}

void ChatHalf::setScrollLock(bool on)
{
    m_scrollLock = on;
    m_scrollChatOff1->setChecked(on);
    m_scrollChatOff2->setChecked(on);
}

void ChatHalf::ClearMainChat1Click()
{
    m_mainchat->clear();
    m_links.clear();
    m_mychat->setFocus();
}

void ChatHalf::SelectAll1Click()
{
    m_mainchat->selectAll();
}

void ChatHalf::Copy1Click()
{
    const QTextCursor cursor = m_mainchat->textCursor();
    if (!cursor.hasSelection())
        return;
    QString text = cursor.selection().toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
    QGuiApplication::clipboard()->setText(text);
}

void ChatHalf::Paste1Click()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        m_mychat->setText(text);
}

QString ChatHalf::phrase(int number) const
{
    if (number < 1 || number > kPhraseCount)
        return {};
    return m_phrases[static_cast<size_t>(number - 1)];
}

void ChatHalf::setPhrase(int number, const QString &text)
{
    if (number < 1 || number > kPhraseCount)
        return;
    QString &phrase = m_phrases[static_cast<size_t>(number - 1)];
    phrase = text.left(kTextLimit);
    m_phraseButtons[static_cast<size_t>(number - 1)]->setToolTip(plainTip(phrase));
}

// --- Events ----------------------------------------------------------------------------

bool ChatHalf::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panel && event->type() == QEvent::Resize) {
        placeStretchingControls(m_panel->width());
    } else if (watched == m_mychat && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (m_mychat->text() == kPlaceholder)
            m_mychat->clear();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            sendit();
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            Paste1Click();
            return true;
        }
    } else if (watched == m_mainchat && event->type() == QEvent::KeyPress) {
        if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
            Copy1Click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
