// The chat half's controls: the view, the input box, the phrase, sound and smiley
// buttons and the menus, at their designed places on the board panel; see ChatHalf.h.
#include "client/ChatHalf.h"

#include "client/PhraseGate.h"
#include "client/SmileyPainter.h"

#include <QAction>
#include <QActionGroup>
#include <QColorDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTextBrowser>
#include <QToolButton>

#include <algorithm>

namespace {

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

}  // namespace

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
    connect(m_mychat, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_inputMenu->popup(m_mychat->mapToGlobal(pos)); });
}

QColorDialog *ChatHalf::colorDialog()
{
    // Made when first asked for: building the dialog queries the screen and costs more
    // than the rest of the chat half together, at every start.
    if (!m_colorDialog) {
        m_colorDialog = new QColorDialog(m_panel);
        m_colorDialog->setObjectName(QStringLiteral("ColorDialog"));
        connect(m_colorDialog, &QColorDialog::colorSelected, this, [this](const QColor &colour) {
            setTextColour(colour);
            Q_EMIT settingsChanged();
        });
    }
    return m_colorDialog;
}

void ChatHalf::createButtons(QWidget *panel)
{
    for (int i = 0; i < kPhraseCount; ++i) {
        auto *button = new QToolButton(panel);
        const int number = i + 1;
        button->setObjectName(QStringLiteral("b_phrase%1").arg(number));
        button->setGeometry(
            QRect(QPoint(3, kPhraseTop + (kPhraseBottom - kPhraseTop) * i / (kPhraseCount - 1)), kButtonSize));
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
    connect(m_phrase10, &QToolButton::clicked, this,
            [this] { m_popupSounds->popup(m_phrase10->mapToGlobal(m_phrase10->rect().bottomRight())); });

    m_smilies = new QToolButton(panel);
    m_smilies->setObjectName(QStringLiteral("button_smilies"));
    m_smilies->setGeometry(QRect(kSmiliesButton, kButtonSize));
    m_smilies->setIcon(QIcon(QPixmap::fromImage(SmileyPainter::smiley(0))));
    m_smilies->setAutoRaise(true);
    m_smilies->setFocusPolicy(Qt::NoFocus);
    connect(m_smilies, &QToolButton::clicked, this,
            [this] { m_popupSmilies->popup(m_smilies->mapToGlobal(m_smilies->rect().bottomRight())); });
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
        m_popupSmilies->addAction(QStringLiteral(":)#%1").arg(code), this, [this, code] { smileyClick(code); });
    }
    // The faces are drawn when the menu first opens.
    connect(m_popupSmilies, &QMenu::aboutToShow, this, [this] {
        const QList<QAction *> entries = m_popupSmilies->actions();
        for (int i = 0; i < entries.size(); ++i) {
            if (entries.at(i)->icon().isNull())
                entries.at(i)->setIcon(QIcon(QPixmap::fromImage(SmileyPainter::smiley(i))));
        }
    });

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
        m_sizeActions.append({size, entry});
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

void ChatHalf::placeStretchingControls(int panelWidth)
{
    // The input box takes up any width the panel gains; the smiley button keeps to its right.
    const int extra = std::max(0, panelWidth - kPanelDesignWidth);
    m_mychat->setGeometry(kInputRect.adjusted(0, 0, extra, 0));
    m_smilies->move(kSmiliesButton + QPoint(extra, 0));
}
