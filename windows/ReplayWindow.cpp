// The replay window; see ReplayWindow.h.
#include "windows/ReplayWindow.h"

#include "client/Artwork.h"
#include "client/BoardFocus.h"
#include "client/BoardHalf.h"
#include "client/model/GameServices.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The board's tile input sends through this; a replay has nobody to send to.
class NoRequests : public RequestSender {
public:
    void sendRequest(const QByteArray &) override { }
};

constexpr int kPanelWidth = 724;
// The board's own part of the main window's panel: the chat below it is not shown.
constexpr int kPanelHeight = 284;

}  // namespace

ReplayWindow::ReplayWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_replay(std::make_unique<GameReplay>(m_game))
    , m_noRequests(std::make_unique<NoRequests>())
{
    setObjectName(QStringLiteral("replayWindow"));
    setWindowTitle(tr("Replay"));

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("replayBoard"));
    m_panel->setFixedSize(kPanelWidth, kPanelHeight);
    m_panel->setAutoFillBackground(true);
    QPalette palette = m_panel->palette();
    palette.setBrush(QPalette::Window, QBrush(Artwork::pixmap(QStringLiteral("board.jpg"), devicePixelRatioF())));
    m_panel->setPalette(palette);
    m_board = std::make_unique<BoardHalf>(m_panel, m_game, *m_noRequests);
    // The board's keyboard area would take the arrow keys for tile input; here they step.
    m_board->keyboardArea()->setEnabled(false);
    // A blank sheet over the board takes its clicks: nothing on a replay's board is played.
    auto *cover = new QWidget(m_panel);
    cover->setGeometry(m_panel->rect());
    cover->raise();

    m_events = new QListWidget(this);
    m_events->setObjectName(QStringLiteral("replayEvents"));
    m_events->setFocusPolicy(Qt::NoFocus);
    m_events->setMinimumWidth(260);
    m_words = new QListWidget(this);
    m_words->setObjectName(QStringLiteral("replayWords"));
    m_words->setFocusPolicy(Qt::NoFocus);
    m_words->setMaximumHeight(140);
    m_error = new QLabel(this);
    m_error->setTextFormat(Qt::PlainText);
    m_error->setWordWrap(true);
    m_error->setStyleSheet(QStringLiteral("color: #a00000"));
    m_error->hide();
    m_position = new QLabel(this);
    m_position->setTextFormat(Qt::PlainText);

    const auto button = [this](const QString &text, const char *name) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1StringView(name));
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    m_first = button(tr("|< First"), "replayFirst");
    m_previous = button(tr("< Previous"), "replayPrevious");
    m_play = button(tr("Play"), "replayPlay");
    m_next = button(tr("Next >"), "replayNext");
    m_last = button(tr("Last >|"), "replayLast");
    m_speed = new QComboBox(this);
    m_speed->setObjectName(QStringLiteral("replaySpeed"));
    m_speed->setFocusPolicy(Qt::NoFocus);
    m_speed->addItems({tr("Fast"), tr("Normal"), tr("Slow")});

    auto *side = new QVBoxLayout;
    side->addWidget(m_position);
    side->addWidget(m_events, 1);
    side->addWidget(new QLabel(tr("Words formed"), this));
    side->addWidget(m_words);
    auto *controls = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(m_first), static_cast<QWidget *>(m_previous),
                       static_cast<QWidget *>(m_play), static_cast<QWidget *>(m_next), static_cast<QWidget *>(m_last)})
        controls->addWidget(w);
    controls->addWidget(new QLabel(tr("Speed:"), this));
    controls->addWidget(m_speed);
    controls->addStretch(1);
    auto *grid = new QGridLayout(this);
    grid->addWidget(m_panel, 0, 0, Qt::AlignTop);
    grid->addLayout(side, 0, 1);
    grid->addLayout(controls, 1, 0, 1, 2);
    grid->addWidget(m_error, 2, 0, 1, 2);

    connect(m_first, &QPushButton::clicked, this, &ReplayWindow::first);
    connect(m_previous, &QPushButton::clicked, this, &ReplayWindow::previous);
    connect(m_next, &QPushButton::clicked, this, &ReplayWindow::next);
    connect(m_last, &QPushButton::clicked, this, &ReplayWindow::last);
    connect(m_play, &QPushButton::clicked, this, &ReplayWindow::togglePlay);
    connect(m_speed, &QComboBox::currentIndexChanged, this, &ReplayWindow::setSpeed);
    // An event's row is the position just after it.
    connect(m_events, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { stepTo(m_events->row(item) + 1); });
    // Nothing else in the window takes the keyboard, so the arrow keys reach the window.
    setFocusPolicy(Qt::StrongFocus);

    connect(&m_playTimer, &QTimer::timeout, this, [this] {
        next();
        if (m_replay->position() >= m_replay->length())
            togglePlay();
    });
    m_speed->setCurrentIndex(1);
    setSpeed(1);
    showPosition();
}

ReplayWindow::~ReplayWindow() = default;

void ReplayWindow::load(const GameRecord &record, const QString &error)
{
    m_playTimer.stop();
    m_replay->load(record);
    const GameRecord::Header &h = record.header;
    setWindowTitle(tr("Replay: %1 against %2, %3")
                       .arg(h.names[0], h.names[1], QLocale().toString(h.date.toLocalTime(), QLocale::ShortFormat)));
    m_events->clear();
    m_events->addItems(m_replay->eventTexts());
    m_error->setText(error);
    m_error->setVisible(!error.isEmpty());
    showPosition();
}

void ReplayWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left: previous(); break;
    case Qt::Key_Right: next(); break;
    case Qt::Key_Home: first(); break;
    case Qt::Key_End: last(); break;
    case Qt::Key_Space: togglePlay(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void ReplayWindow::stepTo(int position)
{
    m_replay->stepTo(position);
    showPosition();
}

void ReplayWindow::first()
{
    stepTo(0);
}

void ReplayWindow::previous()
{
    stepTo(m_replay->position() - 1);
}

void ReplayWindow::next()
{
    stepTo(m_replay->position() + 1);
}

void ReplayWindow::last()
{
    stepTo(m_replay->length());
}

void ReplayWindow::togglePlay()
{
    if (m_playTimer.isActive()) {
        m_playTimer.stop();
    } else {
        // Play from the start again once the end is reached.
        if (m_replay->position() >= m_replay->length())
            stepTo(0);
        if (m_replay->length() > 0)
            m_playTimer.start();
    }
    showPosition();
}

void ReplayWindow::setSpeed(int index)
{
    if (index >= 0 && index < int(std::size(kSpeeds)))
        m_playTimer.setInterval(kSpeeds[index]);
}

void ReplayWindow::showPosition()
{
    const int position = m_replay->position();
    const int length = m_replay->length();
    m_events->setCurrentRow(position - 1);
    if (position > 0)
        m_events->scrollToItem(m_events->item(position - 1));
    m_words->clear();
    const GameRecord::Header &h = m_replay->record().header;
    for (const RecordEvent &word : m_replay->wordsSoFar())
        m_words->addItem(QStringLiteral("%1: %2 (%3)").arg(h.names[size_t(word.seat - 1)], word.text).arg(word.points));
    m_position->setText(tr("Events: %1 of %2 played").arg(position).arg(length));
    m_first->setEnabled(position > 0);
    m_previous->setEnabled(position > 0);
    m_next->setEnabled(position < length);
    m_last->setEnabled(position < length);
    m_play->setText(m_playTimer.isActive() ? tr("Pause") : tr("Play"));
}
