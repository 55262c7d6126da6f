// The buttons around the chat and their menus; see ChatButtons.h.
#include "client/ChatButtons.h"

#include "client/ChatLineBuilder.h"
#include "client/SmileyPainter.h"

#include <QAction>
#include <QMenu>
#include <QTextDocument>
#include <QToolButton>

namespace {

constexpr std::array<const char *, ChatButtons::kChatterSoundCount> kChatterCaptions{
    "Doh",       "Cough",    "Hello",          "Thank You",    "Where have you been?",
    "Snoring",   "Sneezing", "Sorry",          "Welcome",      "Yeehaa",
    "Yippee",    "Oh No",    "Applause",       "Honk",         "Oooh",
    "Razzberry", "Cheer",    "Woman Laughing", "Man Laughing", "Crying",
};

// Designed places on the board panel.
constexpr QSize kButtonSize(25, 19);
constexpr QPoint kSoundsButton(3, 467);
constexpr QPoint kSmiliesButton(486, 467);
constexpr int kPhraseTop = 267;
constexpr int kPhraseBottom = 445;

}  // namespace

ChatButtons::ChatButtons(QWidget *panel, QObject *parent)
    : QObject(parent)
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
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, number] { Q_EMIT phraseClicked(number); });
        m_phraseButtons[static_cast<size_t>(i)] = button;
    }
    createMenus(panel);

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

void ChatButtons::createMenus(QWidget *panel)
{
    m_popupSounds = new QMenu(panel);
    m_popupSounds->setObjectName(QStringLiteral("popup_sounds"));
    m_popupSounds->addAction(QStringLiteral("<Cancel>"), this, [this] { Q_EMIT chatterSoundChosen(0); });
    for (int n = 1; n <= kChatterSoundCount; ++n) {
        QAction *entry =
            m_popupSounds->addAction(chatterSoundCaption(n), this, [this, n] { Q_EMIT chatterSoundChosen(n); });
        entry->setObjectName(QStringLiteral("wave%1").arg(n));
    }

    m_popupSmilies = new QMenu(panel);
    m_popupSmilies->setObjectName(QStringLiteral("popup_smilies"));
    for (int i = 0; i < ChatLineBuilder::kSmileyCount; ++i) {
        const int code = ChatLineBuilder::kFirstSmileyCode + i;
        // The face's name first; its code, which the entry inserts, in the short-cut column.
        QAction *entry = m_popupSmilies->addAction(SmileyPainter::smileyName(i) + QStringLiteral("\t:)#%1").arg(code),
                                                   this, [this, code] { Q_EMIT smileyChosen(code); });
        entry->setObjectName(QStringLiteral("smiley%1").arg(code));
    }
    // The faces are drawn when the menu first opens.
    connect(m_popupSmilies, &QMenu::aboutToShow, this, [this] {
        const QList<QAction *> entries = m_popupSmilies->actions();
        for (int i = 0; i < entries.size(); ++i) {
            if (entries.at(i)->icon().isNull())
                entries.at(i)->setIcon(QIcon(QPixmap::fromImage(SmileyPainter::smiley(i))));
        }
    });
}

void ChatButtons::setPhraseTip(int number, const QString &phrase)
{
    if (QToolButton *button = phraseButton(number))
        button->setToolTip(Qt::convertFromPlainText(phrase));
}

void ChatButtons::shiftSmileyButton(int extra)
{
    m_smilies->move(kSmiliesButton + QPoint(extra, 0));
}

QString ChatButtons::chatterSoundCaption(int number)
{
    if (number < 1 || number > kChatterSoundCount)
        return {};
    return QString::fromLatin1(kChatterCaptions[static_cast<size_t>(number - 1)]);
}

QToolButton *ChatButtons::phraseButton(int number) const
{
    if (number < 1 || number > kPhraseCount)
        return nullptr;
    return m_phraseButtons[static_cast<size_t>(number - 1)];
}
