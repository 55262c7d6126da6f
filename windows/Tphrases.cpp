// The phrase buttons editor: the nine boxes, opening and "Done".
#include "windows/Tphrases.h"

#include "client/ChatHalf.h"
#include "client/SettingsHalf.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

static_assert(Tphrases::kBoxCount == ChatHalf::kPhraseCount, "one box for each phrase button");

namespace {
// Wide enough to show a whole box of average text.
constexpr int kBoxWidth = 320;
}  // namespace

Tphrases::Tphrases(ChatHalf &chat, SettingsHalf &settings, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_chat(chat)
    , m_settings(settings)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("Tphrases"));
    setWindowTitle(QStringLiteral("Quarn - Phrase Buttons"));

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    for (int i = 0; i < kBoxCount; ++i) {
        const int number = i + 1;
        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("phrase%1").arg(number));
        box->setMaxLength(kBoxLength);
        box->setMinimumWidth(kBoxWidth);
        auto *label = new QLabel(QStringLiteral("Phrase Button %1:").arg(number), this);
        label->setBuddy(box);
        grid->addWidget(label, i, 0);
        grid->addWidget(box, i, 1);
        m_boxes[static_cast<size_t>(i)] = box;
    }

    m_done = new QPushButton(QStringLiteral("Done"), this);
    m_done->setObjectName(QStringLiteral("button_done"));
    connect(m_done, &QPushButton::clicked, this, &Tphrases::button_doneClick);
    grid->addWidget(m_done, kBoxCount, 0, 1, 2, Qt::AlignHCenter);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    // Shown some other way than open(), the window still holds the buttons' phrases.
    fill();
}

QLineEdit *Tphrases::phraseBox(int number) const
{
    if (number < 1 || number > kBoxCount)
        return nullptr;
    return m_boxes[static_cast<size_t>(number - 1)];
}

void Tphrases::fill()
{
    for (int i = 0; i < kBoxCount; ++i) {
        const size_t at = static_cast<size_t>(i);
        m_opened[at] = m_chat.phrase(i + 1);
        m_shown[at] = m_opened[at].left(kBoxLength);
        m_boxes[at]->setText(m_shown[at]);
    }
}

void Tphrases::open()
{
    fill();
    m_boxes.front()->setFocus(Qt::OtherFocusReason);
    // Opened from the main window's menu: over the main window.
    if (!isVisible() && m_mainWindow) {
        QRect frame = frameGeometry();
        frame.moveCenter(m_mainWindow->frameGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void Tphrases::button_doneClick()
{
    for (int i = 0; i < kBoxCount; ++i) {
        const size_t at = static_cast<size_t>(i);
        QString text = m_boxes[at]->text();
        if (text == m_shown[at])
            text = m_opened[at];  // untouched: the whole phrase, even beyond the box's length
        // A pasted line break would split the phrase's line in the settings file.
        text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        m_chat.setPhrase(i + 1, text);
    }
    m_settings.savePhrases();
    close();
}

void Tphrases::keyPressEvent(QKeyEvent *event)
{
    // Escape leaves like the close box: nothing changes.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Tphrases::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_mainWindow) {
        // move() places the frame, so the frame is what is centred.
        const QRect frame(QPoint(0, 0), frameGeometry().size());
        move(m_mainWindow->frameGeometry().center() - frame.center());
    }
}
