// The quick-instructions panel: its texts, the step pictures in a grid of three columns,
// the keyboard's keys under the note, and the panel's own background (the board's artwork
// under a dark veil, framed in gold).
#include "windows/QuickInstructions.h"

#include "client/Artwork.h"
#include "windows/InstructionPictures.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include <array>

namespace {

const std::array<QString, QuickInstructions::kSteps> kStepTexts{
    QStringLiteral(
        "1. Click one of your letters then click on your board to start your word. This will end your turn."),
    QStringLiteral("2. Keep adding letters to form valid words. Your word is checked at the end of your turn."),
    QStringLiteral("3. You can rearrange the letters on the board. Click on the letter and then click on the spot "
                   "you want to move it to."),
    QStringLiteral("4. Be sure to complete all your rearranging before adding another letter to your board."),
    QStringLiteral("5. Swap two letters on your board by clicking one of them, then clicking the other."),
    QStringLiteral("6. You can remove a letter on your board by right clicking on it. This will end your turn. "),
};

constexpr QSize kStepPictureSize(214, 111);

// One step's picture, drawn whenever the widget paints, at the screen's resolution.
class StepPicture : public QWidget {
public:
    StepPicture(int step, QWidget *parent)
        : QWidget(parent)
        , m_step(step)
    {
        setObjectName(QStringLiteral("image_step%1").arg(step));
        setFixedSize(kStepPictureSize);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        InstructionPictures::draw(painter, m_step, QRectF(rect()));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(200, 154, 74), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }

private:
    int m_step;
};

QLabel *textLabel(const QString &text, const QString &name, int pixelSize, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
    return label;
}

}  // namespace

QuickInstructions::QuickInstructions(QWidget *parent)
    : QWidget(parent)
{
    Q_INIT_RESOURCE(pictures);
    setObjectName(QStringLiteral("panel_instructions"));
    setFixedSize(kWidth, kHeight);
    setStyleSheet(QStringLiteral("QLabel { color: #f4e8c8; } QLabel#label_heading { color: #ffd56a; }"
                                 " QLabel#label_keys { color: #ffd56a; }"));

    auto *column = new QVBoxLayout(this);
    // Spaced closely enough to leave the keys their two lines at the bottom.
    column->setContentsMargins(20, 10, 20, 10);
    column->setSpacing(8);

    QLabel *heading =
        textLabel(QStringLiteral("Try to \"MORPH\" your word into a new word by adding or deleting letters "
                                 "from your board."),
                  QStringLiteral("label_heading"), 17, this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    column->addWidget(heading);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    for (int step = 1; step <= kSteps; ++step) {
        auto *cell = new QVBoxLayout;
        cell->setSpacing(4);
        cell->addWidget(new StepPicture(step, this), 0, Qt::AlignHCenter);
        cell->addWidget(textLabel(kStepTexts[static_cast<std::size_t>(step - 1)],
                                  QStringLiteral("label_step%1").arg(step), 13, this),
                        1);
        grid->addLayout(cell, (step - 1) / 3, (step - 1) % 3);
    }
    column->addLayout(grid, 1);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(16);
    QLabel *note = textLabel(QStringLiteral("You can also steal letters from your opponent's board, or you can delete "
                                            "letters from your own hand. Both of these actions will end your turn."),
                             QStringLiteral("label_note"), 13, this);
    QFont noteFont = note->font();
    noteFont.setItalic(true);
    note->setFont(noteFont);
    // The keys for playing without the mouse, under the note. Each key's entry is kept on
    // one line (the hyphens do not break either); the lines break between entries.
    QStringList entries{QStringLiteral("Keys: F6 (Tab in the chat line) to the board"),
                        QStringLiteral("letter: your tile"),
                        QStringLiteral("1\u20110: your square"),
                        QStringLiteral("Shift+1\u20110: opponent's square"),
                        QStringLiteral("Del: discard"),
                        QStringLiteral("Esc: cancel"),
                        QStringLiteral("arrows, Enter")};
    for (QString &entry : entries)
        entry.replace(QLatin1Char(' '), QChar(QChar::Nbsp));
    QLabel *keys = textLabel(entries.join(QStringLiteral(" \u00b7 ")), QStringLiteral("label_keys"), 12, this);
    auto *notes = new QVBoxLayout;
    notes->setSpacing(4);
    notes->addWidget(note);
    notes->addWidget(keys);
    bottom->addLayout(notes, 1);
    m_done = new QPushButton(QStringLiteral("Done"), this);
    m_done->setObjectName(QStringLiteral("button_done"));
    m_done->setFixedWidth(96);
    connect(m_done, &QPushButton::clicked, this, &QWidget::hide);
    bottom->addWidget(m_done, 0, Qt::AlignBottom);
    column->addLayout(bottom);

    hide();
}

void QuickInstructions::showAtCorner()
{
    move(kCorner);
    if (!isVisible())
        m_focusBefore = QApplication::focusWidget();
    show();
    raise();
    m_done->setFocus(Qt::ShortcutFocusReason);
}

void QuickInstructions::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        m_done->click();
    event->accept();
}

void QuickInstructions::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (m_focusBefore && m_focusBefore->isVisible())
        m_focusBefore->setFocus(Qt::OtherFocusReason);
    m_focusBefore.clear();
}

void QuickInstructions::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPixmap(rect(), Artwork::pixmap(QStringLiteral("board.jpg"), devicePixelRatioF()));
    painter.fillRect(rect(), QColor(10, 28, 18, 222));
    painter.setPen(QPen(QColor(200, 154, 74), 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1.0, 1.0, -1.0, -1.0), 6.0, 6.0);
}
