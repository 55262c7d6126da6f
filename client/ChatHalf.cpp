// The chat half of the main window: received lines, sending, the options and the
// events; see ChatHalf.h. Its menus are made in ChatHalfMenus.cpp.
#include "client/ChatHalf.h"

#include "client/ChatInput.h"
#include "client/ColourNames.h"
#include "client/Contrast.h"
#include "client/PhraseGate.h"
#include "client/model/ClientGame.h"
#include "net/Catalogue.h"
#include "net/Message.h"

#include <QAction>
#include <QColorDialog>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>

Q_LOGGING_CATEGORY(lcChat, "quarn.chat", QtWarningMsg)

namespace {

constexpr std::array<const char *, ChatHalf::kPhraseCount> kDefaultPhrases{
    "Way To Go!", "Good One!", "Nice Try!",         "Excellent!",          "Brilliant!",
    "Wow, WTG!",  "Thanks!",   "Way To Go Teamie!", "Good Game Everyone!",
};

constexpr int kPanelDesignWidth = 724;

}  // namespace

ChatHalf::ChatHalf(QWidget *panel, const ClientGame &game, RequestSender &sender, PlaySound playSound, QObject *parent)
    : QObject(parent)
    , m_game(game)
    , m_sender(sender)
    , m_playSound(std::move(playSound))
    , m_panel(panel)
    , m_view(new ChatView(panel, this))
    , m_input(new ChatInput(panel, kTextLimit, this))
    , m_gate(new PhraseGate(PhraseGate::kDefaultMilliseconds, this))
{
    createMenus(panel);
    m_buttons = new ChatButtons(panel, this);
    for (int n = 1; n <= kPhraseCount; ++n)
        setPhrase(n, defaultPhrase(n));
    connect(m_buttons, &ChatButtons::phraseClicked, this, &ChatHalf::phraseClick);
    connect(m_buttons, &ChatButtons::chatterSoundChosen, this, &ChatHalf::chatterSoundClick);
    connect(m_buttons, &ChatButtons::smileyChosen, this, &ChatHalf::smileyClick);
    connect(m_input, &ChatInput::sendRequested, this, &ChatHalf::sendit);
    connect(m_input, &ChatInput::menuRequested, this, [this](const QPoint &pos) { m_inputMenu->popup(pos); });
    connect(m_view, &ChatView::menuRequested, this, [this](const QPoint &pos) {
        m_copy1->setEnabled(m_view->hasSelection());
        m_viewMenu->popup(pos);
    });
    setTextSize(kInitialTextSize);
    setTextColour(Qt::black);
    panel->installEventFilter(this);
}

ChatHalf::~ChatHalf() = default;

QTextBrowser *ChatHalf::mainchat() const
{
    return m_view->browser();
}

QLineEdit *ChatHalf::mychat() const
{
    return m_input->box();
}

QString ChatHalf::defaultPhrase(int number)
{
    if (number < 1 || number > kPhraseCount)
        return {};
    return QString::fromLatin1(kDefaultPhrases[static_cast<size_t>(number - 1)]);
}

// --- Showing lines ---------------------------------------------------------------------

void ChatHalf::addlinetochat(const QString &line, const QColor &colour)
{
    m_view->addLine(ChatLineBuilder::build(line, colour));
}

void ChatHalf::addnotice(const QString &text)
{
    addlinetochat(QStringLiteral("0+") + text, kNoticeColour);
}

void ChatHalf::chatReceived(const QString &rest)
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
    addlinetochat(QStringLiteral("0+") + speaker + QStringLiteral(": <Chatter Sound> ")
                      + ChatButtons::chatterSoundCaption(number),
                  kNoticeColour);
}

void ChatHalf::mainchatJump(int number)
{
    m_view->openLink(number);
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
    const QString text = m_input->text();
    if (!text.isEmpty()) {
        if (!text.startsWith(QLatin1Char('/')))
            m_sender.sendRequest(net::toHost::chat(m_game.ownSlot(), text, colourName()));
        else if (text.startsWith(QLatin1String("/me")))
            m_sender.sendRequest(net::toHost::action(m_game.ownSlot(), text.mid(4), colourName()));
    }
    m_input->clear();
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
    // A cut code would show the wrong smiley: the input takes it whole or not at all.
    m_input->append(QStringLiteral(":)#") + QString::number(code));
}

// --- Options ---------------------------------------------------------------------------

void ChatHalf::TextColor1Click()
{
    colorDialog()->setCurrentColor(m_textColour);
    warnAboutColour(m_textColour);
    m_colorDialog->open();
}

void ChatHalf::setTextColour(const QColor &colour)
{
    m_textColour = colour.isValid() ? colour : QColor(Qt::black);
    showInputColour();
}

void ChatHalf::showInputColour()
{
    // The box keeps its own background; the colour sent is always the one chosen.
    const QColor base = m_input->box()->palette().color(QPalette::Base);
    m_input->setTextColour(highContrast() ? contrast::readableOn(m_textColour, base) : m_textColour);
}

void ChatHalf::setHighContrast(bool on)
{
    m_view->setPalette(on ? ChatPalette::highContrast() : ChatPalette::standard());
    m_highContrastChat1->setChecked(on);
    showInputColour();
    if (m_colourWarning)
        warnAboutColour(m_colorDialog->currentColor());
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
    m_view->setTextSize(points);
    for (const auto &[size, entry] : std::as_const(m_sizeActions))
        entry->setChecked(size == points);
}

void ChatHalf::setScrollLock(bool on)
{
    m_view->setScrollLock(on);
    m_scrollChatOff1->setChecked(on);
    m_scrollChatOff2->setChecked(on);
}

void ChatHalf::ClearMainChat1Click()
{
    m_view->clear();
    m_input->box()->setFocus();
}

void ChatHalf::SelectAll1Click()
{
    m_view->selectAll();
}

void ChatHalf::Copy1Click()
{
    m_view->copySelection();
}

void ChatHalf::Paste1Click()
{
    m_input->paste();
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
    m_buttons->setPhraseTip(number, phrase);
}

// --- Events ----------------------------------------------------------------------------

bool ChatHalf::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panel && event->type() == QEvent::Resize) {
        // The input box takes up any width the panel gains; the smiley button keeps to its right.
        const int extra = std::max(0, m_panel->width() - kPanelDesignWidth);
        m_input->stretch(extra);
        m_buttons->shiftSmileyButton(extra);
    }
    return QObject::eventFilter(watched, event);
}
