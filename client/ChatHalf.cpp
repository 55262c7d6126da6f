// The chat half of the main window; see ChatHalf.h.
#include "client/ChatHalf.h"

#include "client/ColourNames.h"
#include "client/FieldRange.h"
#include "client/PhraseGate.h"
#include "client/SmileyPainter.h"
#include "net/Catalogue.h"
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

const QString kLinkScheme = QStringLiteral("chatlink");
const QString kSmileyScheme = QStringLiteral("smiley");
const QString kFontFamily = QStringLiteral("Arial");

constexpr std::array<const char *, ChatHalf::kPhraseCount> kDefaultPhrases{
    "Way To Go!", "Good One!", "Nice Try!", "Excellent!", "Brilliant!",
    "Wow, WTG!",  "Thanks!",   "Way To Go Teamie!", "Good Game Everyone!",
};

constexpr std::array<const char *, ChatHalf::kChatterSoundCount> kChatterCaptions{
    "Doh",     "Cough", "Hello",    "Thank You", "Where have you been?", "Snoring", "Sneezing",
    "Sorry",   "Welcome", "Yeehaa", "Yippee",    "Oh No",                "Applause", "Honk",
    "Oooh",    "Razzberry", "Cheer", "Woman Laughing", "Man Laughing",   "Crying",
};

constexpr std::array<int, 4> kTextSizes{8, 10, 12, 14};

// Designed places on the board panel.
constexpr QRect kViewRect(31, 268, 688, 195);
constexpr QRect kInputRect(30, 465, 451, 22);
constexpr int kPanelDesignWidth = 724;
constexpr QSize kButtonSize(25, 19);
constexpr QPoint kSoundsButton(3, 467);
constexpr QPoint kSmiliesButton(486, 467);
constexpr int kPhraseTop = 267;
constexpr int kPhraseBottom = 445;

QUrl smileyUrl(int index) { return QUrl(kSmileyScheme + QLatin1Char(':') + QString::number(index)); }

// A phrase comes from the settings file: its tooltip shows it as typed, never as markup.
QString plainTip(const QString &text) { return Qt::convertFromPlainText(text); }

// The sender's slot at the front of a relayed chat line or chatter sound.
bool fromParticipant(const char *command, const QString &rest)
{
    return fieldsInRange(lcChat(), command, {{net::FieldReader(rest).takeInt(), hostfield::kSlot}});
}

} // namespace

ChatHalf::ChatHalf(QWidget *panel, ClientContext &context, RequestSender &sender, PlaySound playSound,
                   QObject *parent)
    : QObject(parent)
    , m_context(context)
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

void ChatHalf::createView(QWidget *panel)
{
    m_mainchat = new QTextBrowser(panel);
    m_mainchat->setObjectName(QStringLiteral("mainchat"));
    m_mainchat->setGeometry(kViewRect);
    m_mainchat->setReadOnly(true);
    m_mainchat->setOpenLinks(false);
    m_mainchat->setOpenExternalLinks(false);
    m_mainchat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_mainchat->setContextMenuPolicy(Qt::CustomContextMenu);
    m_mainchat->document()->setDocumentMargin(5);
    QPalette palette = m_mainchat->palette();
    palette.setColor(QPalette::Base, kBackground);
    m_mainchat->setPalette(palette);
    m_mainchat->installEventFilter(this);
    installSmileyImages();
    connect(m_mainchat, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        bool ok = false;
        const int number = url.path().toInt(&ok);
        if (url.scheme() == kLinkScheme && ok)
            mainchatJump(number);
    });
    connect(m_mainchat, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        m_copy1->setEnabled(m_mainchat->textCursor().hasSelection());
        m_viewMenu->popup(m_mainchat->viewport()->mapToGlobal(pos));
    });
}

void ChatHalf::createInput(QWidget *panel)
{
    m_mychat = new QLineEdit(panel);
    m_mychat->setObjectName(QStringLiteral("mychat"));
    m_mychat->setGeometry(kInputRect);
    QFont font(kFontFamily);
    font.setPixelSize(13);
    m_mychat->setFont(font);
    m_mychat->setMaxLength(kTextLimit);  // typing, pasting and smileys all stop there
    m_mychat->setText(kPlaceholder);
    m_mychat->setContextMenuPolicy(Qt::CustomContextMenu);
    m_mychat->installEventFilter(this);
    connect(m_mychat, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        m_inputMenu->popup(m_mychat->mapToGlobal(pos));
    });

    m_colorDialog = new QColorDialog(panel);
    m_colorDialog->setObjectName(QStringLiteral("ColorDialog"));
    connect(m_colorDialog, &QColorDialog::colorSelected, this, [this](const QColor &colour) {
        setTextColour(colour);
        Q_EMIT settingsChanged();
    });
}

void ChatHalf::createButtons(QWidget *panel)
{
    for (int i = 0; i < kPhraseCount; ++i) {
        auto *button = new QToolButton(panel);
        const int number = i + 1;
        button->setObjectName(QStringLiteral("b_phrase%1").arg(number));
        button->setGeometry(QRect(QPoint(3, kPhraseTop + (kPhraseBottom - kPhraseTop) * i / (kPhraseCount - 1)),
                                  kButtonSize));
        button->setIcon(SmileyPainter::phraseIcon(number));
        button->setIconSize(QSize(21, 15));
        button->setAutoRaise(true);
        button->setToolTip(plainTip(m_phrases[static_cast<size_t>(i)]));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, number] { phraseClick(number); });
        m_phraseButtons[static_cast<size_t>(i)] = button;
    }

    m_phrase10 = new QToolButton(panel);
    m_phrase10->setObjectName(QStringLiteral("b_phrase10"));
    m_phrase10->setGeometry(QRect(kSoundsButton, kButtonSize));
    m_phrase10->setIcon(SmileyPainter::soundsIcon());
    m_phrase10->setAutoRaise(true);
    m_phrase10->setToolTip(QStringLiteral("Chatter Sounds"));
    m_phrase10->setFocusPolicy(Qt::NoFocus);
    connect(m_phrase10, &QToolButton::clicked, this, [this] {
        m_popupSounds->popup(m_phrase10->mapToGlobal(m_phrase10->rect().bottomRight()));
    });

    m_smilies = new QToolButton(panel);
    m_smilies->setObjectName(QStringLiteral("button_smilies"));
    m_smilies->setGeometry(QRect(kSmiliesButton, kButtonSize));
    m_smilies->setIcon(QIcon(QPixmap::fromImage(SmileyPainter::smiley(0))));
    m_smilies->setAutoRaise(true);
    m_smilies->setFocusPolicy(Qt::NoFocus);
    connect(m_smilies, &QToolButton::clicked, this, [this] {
        m_popupSmilies->popup(m_smilies->mapToGlobal(m_smilies->rect().bottomRight()));
    });
}

void ChatHalf::createMenus(QWidget *panel)
{
    m_popupSounds = new QMenu(panel);
    m_popupSounds->setObjectName(QStringLiteral("popup_sounds"));
    m_popupSounds->addAction(QStringLiteral("<Cancel>"), this, [this] { chatterSoundClick(0); });
    for (int n = 1; n <= kChatterSoundCount; ++n) {
        QAction *entry = m_popupSounds->addAction(chatterSoundCaption(n), this, [this, n] { chatterSoundClick(n); });
        entry->setObjectName(QStringLiteral("wave%1").arg(n));
    }

    m_popupSmilies = new QMenu(panel);
    m_popupSmilies->setObjectName(QStringLiteral("popup_smilies"));
    for (int i = 0; i < ChatLineBuilder::kSmileyCount; ++i) {
        const int code = ChatLineBuilder::kFirstSmileyCode + i;
        m_popupSmilies->addAction(QIcon(QPixmap::fromImage(SmileyPainter::smiley(i))),
                                  QStringLiteral(":)#%1").arg(code), this, [this, code] { smileyClick(code); });
    }

    m_textColor1 = new QAction(QStringLiteral("Text &Color"), this);
    m_textColor1->setObjectName(QStringLiteral("TextColor1"));
    connect(m_textColor1, &QAction::triggered, this, &ChatHalf::TextColor1Click);

    m_textSizeMenu = new QMenu(QStringLiteral("Text &Size"), panel);
    m_textSizeMenu->setObjectName(QStringLiteral("TextSize1"));
    for (int size : kTextSizes) {
        QAction *entry = m_textSizeMenu->addAction(QString::number(size));
        entry->setObjectName(QStringLiteral("N%1").arg(size));
        entry->setCheckable(true);
        connect(entry, &QAction::triggered, this, [this, size] { textSizeClick(size); });
        m_sizeActions.append(entry);
    }

    m_scrollChatOff1 = new QAction(QStringLiteral("Scroll Chat Off"), this);
    m_scrollChatOff1->setObjectName(QStringLiteral("ScrollChatOff1"));
    m_scrollChatOff2 = new QAction(QStringLiteral("Scroll Chat O&ff"), this);
    m_scrollChatOff2->setObjectName(QStringLiteral("ScrollChatOff2"));
    m_scrollChatOff2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    for (QAction *entry : {m_scrollChatOff1, m_scrollChatOff2}) {
        entry->setCheckable(true);
        connect(entry, &QAction::triggered, this, [this](bool on) { setScrollLock(on); });
    }

    m_clearMainChat1 = new QAction(QStringLiteral("C&lear Main Chat"), this);
    m_clearMainChat1->setObjectName(QStringLiteral("ClearMainChat1"));
    m_clearMainChat2 = new QAction(QStringLiteral("Clear Main Chat"), this);
    m_clearMainChat2->setObjectName(QStringLiteral("ClearMainChat2"));
    for (QAction *entry : {m_clearMainChat1, m_clearMainChat2})
        connect(entry, &QAction::triggered, this, &ChatHalf::ClearMainChat1Click);

    m_selectAll1 = new QAction(QStringLiteral("Select All"), this);
    m_selectAll1->setObjectName(QStringLiteral("SelectAll1"));
    connect(m_selectAll1, &QAction::triggered, this, &ChatHalf::SelectAll1Click);
    m_copy1 = new QAction(QStringLiteral("Copy"), this);
    m_copy1->setObjectName(QStringLiteral("Copy1"));
    m_copy1->setShortcut(QKeySequence::Copy);
    m_copy1->setShortcutContext(Qt::WidgetShortcut);
    connect(m_copy1, &QAction::triggered, this, &ChatHalf::Copy1Click);
    m_paste1 = new QAction(QStringLiteral("Paste"), this);
    m_paste1->setObjectName(QStringLiteral("Paste1"));
    m_paste1->setShortcut(QKeySequence::Paste);
    m_paste1->setShortcutContext(Qt::WidgetShortcut);
    connect(m_paste1, &QAction::triggered, this, &ChatHalf::Paste1Click);

    m_viewMenu = new QMenu(panel);
    m_viewMenu->setObjectName(QStringLiteral("popup_mainchat"));
    m_viewMenu->addAction(m_selectAll1);
    m_viewMenu->addAction(m_copy1);
    m_viewMenu->addAction(m_paste1);
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(m_scrollChatOff1);
    m_viewMenu->addAction(m_clearMainChat2);

    m_inputMenu = new QMenu(panel);
    m_inputMenu->setObjectName(QStringLiteral("popup_mychat"));
    m_inputMenu->addAction(m_paste1);
}

QToolButton *ChatHalf::phraseButton(int number) const
{
    if (number < 1 || number > kPhraseCount)
        return nullptr;
    return m_phraseButtons[static_cast<size_t>(number - 1)];
}

// --- Showing lines ---------------------------------------------------------------------

void ChatHalf::installSmileyImages()
{
    QTextDocument *document = m_mainchat->document();
    for (int i = 0; i < ChatLineBuilder::kSmileyCount; ++i)
        document->addResource(QTextDocument::ImageResource, smileyUrl(i), SmileyPainter::smiley(i));
}

void ChatHalf::addlinetochat(const QString &line, const QColor &colour)
{
    appendLine(ChatLineBuilder::build(line, colour));
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
        case ChatItem::Kind::Text:
            cursor.insertText(item.text, textFormat);
            break;
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
    if (!fromParticipant("CMD_chat or CMD_action", rest))
        return;
    const qsizetype bar = rest.indexOf(QLatin1Char('|'));
    if (bar < 0) {
        addlinetochat(rest, kFallbackColour);
        return;
    }
    const std::optional<QColor> colour = ColourNames::colourFromName(rest.mid(bar + 1));
    addlinetochat(rest.left(bar), colour.value_or(kFallbackColour));
}

void ChatHalf::playasound(const QString &rest)
{
    if (!fromParticipant("CMD_playasound", rest))
        return;
    net::FieldReader reader(rest);
    const int slot = reader.takeInt();
    const QString name = reader.takeField();
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
    const QString speaker = m_seatName ? m_seatName(slot) : QString();
    addlinetochat(QStringLiteral("0+") + speaker + QStringLiteral(": <Chatter Sound> ") + chatterSoundCaption(number),
                  kNoticeColour);
}

void ChatHalf::mainchatJump(int number)
{
    const std::optional<QString> address = m_links.address(number);
    if (!address)
        return;
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
    if (!m_context.loggedIn)
        return;
    const QString text = m_mychat->text();
    if (!text.isEmpty()) {
        if (!text.startsWith(QLatin1Char('/')))
            m_sender.sendRequest(net::toHost::chat(m_context.ownSlot, text, colourName()));
        else if (text.startsWith(QLatin1String("/me")))
            m_sender.sendRequest(net::toHost::action(m_context.ownSlot, text.mid(4), colourName()));
    }
    m_mychat->clear();
}

void ChatHalf::phraseClick(int number)
{
    if (!m_context.loggedIn || !m_gate->isOpen() || number < 1 || number > kPhraseCount)
        return;
    const QString &phrase = m_phrases[static_cast<size_t>(number - 1)];
    const QString text = phrase.startsWith(QLatin1String("/me ")) ? phrase.mid(4) : QStringLiteral("says: ") + phrase;
    m_sender.sendRequest(net::toHost::action(m_context.ownSlot, text, colourName()));
    m_gate->close();
}

void ChatHalf::chatterSoundClick(int number)
{
    if (number < 1 || number > kChatterSoundCount || !m_context.loggedIn || !m_context.isPlayer())
        return;
    m_sender.sendRequest(net::toHost::playasound(m_context.ownSlot, QStringLiteral("wave%1").arg(number)));
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
    m_colorDialog->setCurrentColor(m_textColour);
    m_colorDialog->open();
}

void ChatHalf::setTextColour(const QColor &colour)
{
    m_textColour = colour.isValid() ? colour : QColor(Qt::black);
    m_colorDialog->setCurrentColor(m_textColour);
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
    for (QAction *entry : std::as_const(m_sizeActions))
        entry->setChecked(entry->objectName() == QStringLiteral("N%1").arg(points));
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
    installSmileyImages();
    m_mychat->setFocus();
}

void ChatHalf::SelectAll1Click() { m_mainchat->selectAll(); }

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

void ChatHalf::placeStretchingControls(int panelWidth)
{
    // The input box takes up any width the panel gains; the smiley button keeps to its right.
    const int extra = std::max(0, panelWidth - kPanelDesignWidth);
    m_mychat->setGeometry(kInputRect.adjusted(0, 0, extra, 0));
    m_smilies->move(kSmiliesButton + QPoint(extra, 0));
}

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
