// The board half: controls, their layout on the board panel, and the handlers of the
// host's game messages.
#include "client/BoardHalf.h"

#include "client/BoardMarkers.h"
#include "client/BoardTile.h"
#include "client/ClientContext.h"
#include "client/FieldRange.h"
#include "client/TileInput.h"
#include "net/Catalogue.h"
#include "net/Message.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

Q_LOGGING_CATEGORY(lcBoard, "quarn.board", QtWarningMsg)

namespace {

const QString kWaiting = QStringLiteral("<Waiting>");
const QString kComputerName = QStringLiteral("Vumi");

constexpr int kRowCount = 10;
constexpr int kExtraCount = 6;
// The extra tile a placement used up; 0 = none.
constexpr FieldRange kExtraOrNone{"extra position", 0, kExtraCount};

// Left edges: bottom row from 44, top row from 45, both every 40 pixels; extras from
// 104 every 48 pixels.
constexpr int myLeft(int position) { return 44 + 40 * (position - 1); }
constexpr int hisLeft(int position) { return 45 + 40 * (position - 1); }
constexpr int extraLeft(int position) { return 104 + 48 * (position - 1); }

const char *const kTextColour = "#f4e8c8";

QLabel *makeLabel(QWidget *panel, const QString &name, const QString &text, const QRect &geometry,
                  int pixelSize, bool bold, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter,
                  const char *colour = kTextColour)
{
    auto *label = new QLabel(panel);
    // Names, scores and words come from the host: they are shown as typed, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setObjectName(name);
    label->setGeometry(geometry);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(QLatin1String(colour)));
    return label;
}

QLabel *makePicture(QWidget *panel, const QString &name, const QPixmap &pixmap, const QPoint &at)
{
    auto *label = new QLabel(panel);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(name);
    label->setPixmap(pixmap);
    label->setGeometry(QRect(at, pixmap.deviceIndependentSize().toSize()));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

BoardHalf::BoardHalf(QWidget *panel, ClientContext &context, RequestSender &sender, GameSounds &sounds,
                     ChatLines &chat, TallyRecorder *tally, QObject *parent)
    : QObject(parent)
    , m_panel(panel)
    , m_context(context)
    , m_sounds(sounds)
    , m_chat(chat)
    , m_tally(tally)
    , m_turnSoundChoice([] { return QStringLiteral("start"); })
{
    // Referencing the artwork keeps its registration from being dropped by the linker.
    Q_INIT_RESOURCE(pictures);
    m_messageBox = [this](const QString &text, std::function<void()> closed) {
        // Window-modal but not blocking: the message queue keeps being handled while
        // the box is open, and the rest of the handler runs once it is closed.
        auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("Quarn"), text,
                                    QMessageBox::Ok, m_panel->window());
        box->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(box, &QMessageBox::finished, this, [closed = std::move(closed)] {
            if (closed)
                closed();
        });
        box->open();
    };

    // The word backgrounds sit below the tiles, so they are created first.
    const QPixmap wordback(QStringLiteral(":/pictures/wordback.jpg"));
    m_wordback1 = makePicture(m_panel, QStringLiteral("wordback1"), wordback, QPoint(41, 100));
    m_wordback2 = makePicture(m_panel, QStringLiteral("wordback2"), QPixmap(), QPoint(42, 17));
    m_wordback2->setPixmap(m_wordback1->pixmap());
    m_wordback2->resize(m_wordback1->size());

    createTiles();
    createSeatControls();
    createInfoControls();
    createClock();

    m_turntimer.setInterval(1000);
    QObject::connect(&m_turntimer, &QTimer::timeout, this, &BoardHalf::processturntime);

    m_tileInput = std::make_unique<TileInput>(*this, sender);
    clearall();
}

BoardHalf::~BoardHalf() = default;

void BoardHalf::createTiles()
{
    for (int p = 1; p <= kRowCount; ++p) {
        auto *his = new BoardTile(p, m_panel);
        his->setObjectName(QStringLiteral("hisletter%1").arg(p));
        his->move(hisLeft(p), kHisTop);
        m_hisletters[static_cast<std::size_t>(p - 1)] = his;

        auto *mine = new BoardTile(p, m_panel);
        mine->setObjectName(QStringLiteral("myletter%1").arg(p));
        mine->move(myLeft(p), kMyTop);
        m_myletters[static_cast<std::size_t>(p - 1)] = mine;
    }
    for (int e = 1; e <= kExtraCount; ++e) {
        auto *tile = new BoardTile(e, m_panel);
        tile->setObjectName(QStringLiteral("extra%1").arg(e));
        tile->move(extraLeft(e), kExtraTop);
        m_extras[static_cast<std::size_t>(e - 1)] = tile;
    }
}

void BoardHalf::createSeatControls()
{
    // Set 1 beside the bottom row, set 2 beside the top row; 83 pixels apart like the rows.
    for (int seat = 1; seat <= 2; ++seat) {
        const int dy = seat == 1 ? 83 : 0;
        SeatSet &set = m_seats[static_cast<std::size_t>(seat - 1)];
        set.name = makeLabel(m_panel, QStringLiteral("label_playername%1").arg(seat), kWaiting,
                             QRect(486, 20 + dy, 140, 18), 13, true);
        set.name->setProperty("tag", seat);
        set.name->setContextMenuPolicy(Qt::CustomContextMenu);
        set.score = makeLabel(m_panel, QStringLiteral("label_score%1").arg(seat), QStringLiteral("0"),
                              QRect(630, 16 + dy, 84, 28), 24, true, Qt::AlignRight | Qt::AlignVCenter,
                              "#ffd56a");
        set.status = makeLabel(m_panel, QStringLiteral("label_status%1").arg(seat), QString(),
                               QRect(486, 42 + dy, 140, 15), 11, false);
        set.turn = makePicture(m_panel, QStringLiteral("image_Turn%1").arg(seat), BoardMarkers::turnMarker(),
                               QPoint(12, (seat == 1 ? kMyTop : kHisTop) + 9));
        set.turn->hide();
        set.eyes = makePicture(m_panel, QStringLiteral("image_eyes%1").arg(seat), BoardMarkers::eyesMarker(),
                               QPoint(458, 21 + dy));
        set.eyes->setToolTip(QStringLiteral("Just watching"));
        set.eyes->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        set.eyes->hide();
    }
}

void BoardHalf::createInfoControls()
{
    m_labelStatus = makeLabel(m_panel, QStringLiteral("label_status"), QString(), QRect(40, 220, 410, 18), 13,
                              true, Qt::AlignCenter);

    m_labelMywords = makeLabel(m_panel, QStringLiteral("label_mywords"), QStringLiteral("Your Words"),
                               QRect(458, 148, 124, 16), 12, true);
    m_listboxMywords = new QListWidget(m_panel);
    m_listboxMywords->setObjectName(QStringLiteral("listbox_mywords"));
    m_listboxMywords->setGeometry(458, 165, 124, 97);
    m_listboxMywords->setFocusPolicy(Qt::NoFocus);
    m_listboxMywords->setStyleSheet(QStringLiteral(
        "QListWidget { background: rgba(20, 40, 28, 170); color: #f4e8c8; border: 1px solid #8a6a3a;"
        " font-family: 'DejaVu Sans'; font-size: 11px; }"));

    // The bonus table is display only: the host does the scoring.
    makeLabel(m_panel, QStringLiteral("label_bonus"), QStringLiteral("Bonus Points"), QRect(592, 146, 124, 15),
              12, true, Qt::AlignLeft | Qt::AlignVCenter, "#ffd56a");
    const QStringList bonus = {QStringLiteral("6 Letters - 2x"), QStringLiteral("7 Letters - 3x"),
                               QStringLiteral("8 Letters - 4x"), QStringLiteral("9 Letters - 5x"),
                               QStringLiteral("10 Letters - 6x")};
    for (int i = 0; i < bonus.size(); ++i)
        makeLabel(m_panel, QStringLiteral("label_bonus%1").arg(i + 1), bonus.at(i),
                  QRect(600, 161 + 12 * i, 116, 12), 10, false);

    m_labelPlaytoscore = makeLabel(m_panel, QStringLiteral("label_playtoscore"),
                                   QStringLiteral("Play to Score: 100"), QRect(592, 223, 126, 13), 10, true);
    m_labelTimeperturn = makeLabel(m_panel, QStringLiteral("label_timeperturn"),
                                   QStringLiteral("Time per Turn: 30 "), QRect(592, 236, 126, 13), 10, true);
    m_labelSteals = makeLabel(m_panel, QStringLiteral("label_steals"), QStringLiteral("# of Steals: 5"),
                              QRect(592, 249, 126, 13), 10, true);

    m_panelWinner = new QFrame(m_panel);
    m_panelWinner->setObjectName(QStringLiteral("panel_winner"));
    m_panelWinner->setGeometry(43, 172, 405, 44);
    m_panelWinner->setStyleSheet(QStringLiteral(
        "#panel_winner { background: rgba(40, 22, 10, 215); border: 2px solid #d9a441; border-radius: 6px; }"));
    // The grey copy lies one pixel right and one up, behind the front caption.
    m_labelWinner2 = makeLabel(m_panelWinner, QStringLiteral("label_winner2"), QStringLiteral("Winner!"),
                               QRect(1, -1, 405, 44), 20, true, Qt::AlignCenter, "#7d7d7d");
    m_labelWinner1 = makeLabel(m_panelWinner, QStringLiteral("label_winner1"), QStringLiteral("Winner!"),
                               QRect(0, 0, 405, 44), 20, true, Qt::AlignCenter, "#ffd56a");
    m_panelWinner->hide();

    m_buttonStart = new QPushButton(QStringLiteral("Start Game"), m_panel);
    m_buttonStart->setObjectName(QStringLiteral("button_start"));
    m_buttonStart->setGeometry(346, 238, 104, 26);
    m_buttonStart->hide();
    QObject::connect(m_buttonStart, &QPushButton::clicked, this, &BoardHalf::button_startClick);
}

void BoardHalf::createClock()
{
    m_labelTurntime = makeLabel(m_panel, QStringLiteral("label_turntime"), QStringLiteral("Time: 0:00"),
                                QRect(44, 241, 80, 18), 13, true);
    makePicture(m_panel, QStringLiteral("image_timerframe"), QPixmap(QStringLiteral(":/pictures/timeframe.jpg")),
                QPoint(124, 238));
    m_imageTimer = makePicture(m_panel, QStringLiteral("image_timer"), QPixmap(QStringLiteral(":/pictures/timebar.jpg")),
                               QPoint(128, 240));
    // The picture stays anchored at its left edge while the control narrows.
    m_imageTimer->resize(kBarWidth, 21);
}

void BoardHalf::setTurnSoundChoice(std::function<QString()> choice)
{
    if (choice)
        m_turnSoundChoice = std::move(choice);
}

void BoardHalf::setMessageBoxHook(MessageBoxHook hook)
{
    if (hook)
        m_messageBox = std::move(hook);
}

// --- per-seat controls --------------------------------------------------------------

const BoardHalf::SeatSet *BoardHalf::seatSet(int seat) const
{
    if (seat != 1 && seat != 2)
        return nullptr;
    return &m_seats[static_cast<std::size_t>(seat - 1)];
}

QLabel *BoardHalf::seatPart(int seat, QLabel *SeatSet::*part) const
{
    const SeatSet *set = seatSet(seat);
    return set ? set->*part : nullptr;
}

QLabel *BoardHalf::nameLabel(int seat) const
{
    return seatPart(seat, &SeatSet::name);
}

QLabel *BoardHalf::scoreLabel(int seat) const
{
    return seatPart(seat, &SeatSet::score);
}

QLabel *BoardHalf::statusLabel(int seat) const
{
    return seatPart(seat, &SeatSet::status);
}

QLabel *BoardHalf::turnMarker(int seat) const
{
    return seatPart(seat, &SeatSet::turn);
}

QLabel *BoardHalf::eyesMarker(int seat) const
{
    return seatPart(seat, &SeatSet::eyes);
}

void BoardHalf::setSeatName(int seat, const QString &name)
{
    const SeatSet *set = seatSet(seat);
    if (!set) {
        qCWarning(lcBoard) << "no name label for seat" << seat;
        return;
    }
    set->name->setText(name);
    set->name->show();
    set->score->show();
}

QString BoardHalf::seatName(int seat) const
{
    const SeatSet *set = seatSet(seat);
    return set ? set->name->text() : QString();
}

void BoardHalf::setEyesVisible(int seat, bool visible)
{
    if (const SeatSet *set = seatSet(seat))
        set->eyes->setVisible(visible);
}

void BoardHalf::switchlabels()
{
    // Seat numbers address the sets through m_seats; the object names follow so that a
    // lookup by name reaches the same control as a lookup by seat.
    std::swap(m_seats[0], m_seats[1]);
    for (int seat = 1; seat <= 2; ++seat) {
        const SeatSet &set = m_seats[static_cast<std::size_t>(seat - 1)];
        set.name->setObjectName(QStringLiteral("label_playername%1").arg(seat));
        set.name->setProperty("tag", seat);
        set.score->setObjectName(QStringLiteral("label_score%1").arg(seat));
        set.status->setObjectName(QStringLiteral("label_status%1").arg(seat));
        set.turn->setObjectName(QStringLiteral("image_Turn%1").arg(seat));
        set.eyes->setObjectName(QStringLiteral("image_eyes%1").arg(seat));
    }
}

// --- tiles ----------------------------------------------------------------------------

BoardTile *BoardHalf::myletter(int position) const
{
    if (position < 1 || position > kRowCount)
        return nullptr;
    return m_myletters[static_cast<std::size_t>(position - 1)];
}

BoardTile *BoardHalf::hisletter(int position) const
{
    if (position < 1 || position > kRowCount)
        return nullptr;
    return m_hisletters[static_cast<std::size_t>(position - 1)];
}

BoardTile *BoardHalf::extra(int position) const
{
    if (position < 1 || position > kExtraCount)
        return nullptr;
    return m_extras[static_cast<std::size_t>(position - 1)];
}

bool BoardHalf::isOwn(int slot) const
{
    return slot == m_context.ownSlot;
}

BoardTile *BoardHalf::rowTile(int slot, int position) const
{
    const bool bottom = m_context.ownSlot >= 3 ? slot == 1 : isOwn(slot);
    return bottom ? myletter(position) : hisletter(position);
}

void BoardHalf::resettiles()
{
    for (int p = 1; p <= kRowCount; ++p) {
        hisletter(p)->move(hisLeft(p), kHisTop);
        myletter(p)->move(myLeft(p), kMyTop);
    }
    for (int e = 1; e <= kExtraCount; ++e)
        extra(e)->move(extraLeft(e), kExtraTop);
    m_selection = BoardSelection();
}

void BoardHalf::clearall()
{
    for (int seat = 1; seat <= 2; ++seat)
        scoreLabel(seat)->setText(QStringLiteral("0"));
}

// --- helpers --------------------------------------------------------------------------

void BoardHalf::notice(const QString &text)
{
    m_chat.addlinetochat(QStringLiteral("0+") + text, kNoticeColour);
}

void BoardHalf::play(const QString &sound)
{
    m_sounds.playsounds(sound);
}

void BoardHalf::showMessage(const QString &text, std::function<void()> closed)
{
    m_messageBox(text, std::move(closed));
}

void BoardHalf::setTurnLength(int seconds)
{
    m_turnlength = seconds;
    // A turn of 0 seconds or less cannot run down a bar: it stays empty, as the count
    // is below 1 from the first tick on.
    m_barstep = seconds > 0 ? kBarWidth / seconds : 0;
    m_labelTimeperturn->setText(QStringLiteral("Time per Turn: ") + QString::number(seconds));
}

void BoardHalf::showStealsLeft(int seat, int stealsLeft)
{
    QLabel *label = statusLabel(seat);
    if (!label)
        return;
    const int shown = qMax(stealsLeft, 0);
    label->setText(shown <= 100 ? QStringLiteral("Steals Left: ") + QString::number(shown)
                                : QStringLiteral("Steals Left: Unlimited"));
}

// --- message handlers -----------------------------------------------------------------

void BoardHalf::startthegame(const QString &rest)
{
    m_panelWinner->hide();
    m_buttonStart->hide();
    if (m_context.justWatchChecked) {
        m_context.justWatchChecked = false;
        Q_EMIT justWatchCleared();
    }
    m_labelStatus->clear();
    clearall();
    m_listboxMywords->clear();
    m_labelMywords->setText(QStringLiteral("Your Words: (0)"));

    net::FieldReader fields(rest);
    const QString starter = fields.takeField();
    const int timePerTurn = fields.takeInt();
    const int playToScore = fields.takeInt();
    const int steals = fields.takeInt();

    setTurnLength(timePerTurn);
    m_labelPlaytoscore->setText(QStringLiteral("Play to Score: ") + QString::number(playToScore));
    if (steals == kUnlimitedSteals) {
        m_labelSteals->setText(QStringLiteral("# of Steals: Unlimited"));
        statusLabel(1)->setText(QStringLiteral("Steals Left: Unlimited"));
        statusLabel(2)->setText(QStringLiteral("Steals Left: Unlimited"));
    } else {
        m_labelSteals->setText(QStringLiteral("# of Steals: ") + QString::number(steals));
        statusLabel(1)->setText(QStringLiteral("Steals Left: ") + QString::number(steals));
        statusLabel(2)->setText(QStringLiteral("Steal Left: ") + QString::number(steals));
    }
    notice(starter + QStringLiteral(" has started a game."));

    for (int p = 1; p <= kRowCount; ++p) {
        myletter(p)->clear();
        hisletter(p)->clear();
    }
    for (int e = 1; e <= kExtraCount; ++e)
        extra(e)->clear();
    setEyesVisible(1, false);
    setEyesVisible(2, false);
    if (seatName(2) == kWaiting)
        nameLabel(2)->setText(kComputerName);
}

void BoardHalf::letters(const QString &rest)
{
    // The list marker goes on first: a message with the slot alone has no "+" after it.
    net::FieldReader fields(rest);
    fields.beginList();
    const int slot = fields.takeInt();
    QList<net::ExtraLetter> pairs;
    while (!fields.listEnded())
        pairs.append(net::ExtraLetter{fields.takeInt(), fields.takeInt()});  // braces read in order
    if (!fieldsInRange(lcBoard(), "CMD_letters", {{slot, hostfield::kSlot}}))
        return;
    for (const net::ExtraLetter &pair : std::as_const(pairs)) {
        if (!fieldsInRange(lcBoard(), "CMD_letters",
                           {{pair.extra, hostfield::kExtraPosition}, {pair.code, hostfield::kLetterCode}}))
            return;
    }
    if (!isOwn(slot))
        return;
    for (const net::ExtraLetter &pair : std::as_const(pairs))
        extra(pair.extra)->drawCode(pair.code);
}

void BoardHalf::placetheletters(const QString &rest)
{
    net::FieldReader fields(rest);
    fields.beginList();
    QList<net::BoardLetter> triples;
    while (!fields.listEnded())
        triples.append(net::BoardLetter{fields.takeInt(), fields.takeInt(), fields.takeInt()});  // braces read in order
    for (const net::BoardLetter &letter : std::as_const(triples)) {
        if (!fieldsInRange(lcBoard(), "CMD_placetheletters",
                           {{letter.seat, hostfield::kSeat},
                            {letter.position, hostfield::kWordPosition},
                            {letter.code, hostfield::kLetterCode}}))
            return;
    }
    for (const net::BoardLetter &letter : std::as_const(triples))
        rowTile(letter.seat, letter.position)->drawCode(letter.code);
}

void BoardHalf::gamestats(const QString &rest)
{
    net::FieldReader fields(rest);
    const int timePerTurn = fields.takeInt();
    m_playtoscore = fields.takeInt();
    const int steals = fields.takeInt();
    const QString score1 = fields.takeField();
    const QString score2 = fields.takeField();
    scoreLabel(1)->setText(score1);
    scoreLabel(2)->setText(score2);
    setTurnLength(timePerTurn);
    m_labelPlaytoscore->setText(QStringLiteral("Play to score: ") + QString::number(m_playtoscore));
    m_labelSteals->setText(steals == kUnlimitedSteals ? QStringLiteral("# of Steals: Unlimited")
                                                      : QStringLiteral("# of Steals: ") + QString::number(steals));
}

void BoardHalf::getnextplayer(const QString &rest)
{
    net::FieldReader fields(rest);
    const int slot = fields.takeInt();
    const int stealsLeft = fields.takeInt();
    if (!fieldsInRange(lcBoard(), "CMD_nextplayer", {{slot, hostfield::kSeat}}))
        return;
    resettiles();
    m_context.turnslot = slot;

    turnMarker(1)->hide();
    turnMarker(2)->hide();
    if (QLabel *marker = turnMarker(slot))
        marker->show();
    showStealsLeft(slot, stealsLeft);

    if (isOwn(slot)) {
        m_labelStatus->setText(QStringLiteral("Place a Letter"));
        play(m_turnSoundChoice());
    } else {
        m_labelStatus->setText(seatName(slot) + QStringLiteral("'s turn."));
    }
    m_turntimer.start();
    m_secondsleft = m_turnlength;
}

void BoardHalf::processturntime()
{
    --m_secondsleft;
    if (m_secondsleft < 1) {
        m_imageTimer->resize(0, m_imageTimer->height());
        m_labelTurntime->setText(QStringLiteral("Time: 0:00"));
        return;
    }
    m_imageTimer->resize(m_barstep * m_secondsleft, m_imageTimer->height());
    m_labelTurntime->setText(QStringLiteral("Time: ") + QString::number(m_secondsleft / 60) + QLatin1Char(':')
                             + twoDigits(m_secondsleft % 60));
    if (m_secondsleft == 20 || m_secondsleft == 15 || m_secondsleft <= 10)
        play(QStringLiteral("tick"));
}

void BoardHalf::placemyletter(const QString &rest)
{
    net::FieldReader fields(rest);
    const int slot = fields.takeInt();
    const int extraPosition = fields.takeInt();
    const int position = fields.takeInt();
    const int code = fields.takeInt();
    if (!fieldsInRange(lcBoard(), "CMD_placemyletter",
                       {{slot, hostfield::kSeat},
                        {extraPosition, kExtraOrNone},
                        {position, hostfield::kWordPosition},
                        {code, hostfield::kLetterCode}}))
        return;
    m_turntimer.stop();
    rowTile(slot, position)->drawCode(code);
    if (isOwn(slot)) {
        if (BoardTile *used = extra(extraPosition))
            used->clear();
        play(QStringLiteral("place"));
    }
    resettiles();
}

void BoardHalf::tradingmyletter(const QString &rest)
{
    net::FieldReader fields(rest);
    const int slot = fields.takeInt();
    const int positionA = fields.takeInt();
    const int codeA = fields.takeInt();
    const int positionB = fields.takeInt();
    const int codeB = fields.takeInt();
    if (!fieldsInRange(lcBoard(), "CMD_tradingmyletter",
                       {{slot, hostfield::kSeat},
                        {positionA, hostfield::kWordPosition},
                        {codeA, hostfield::kLetterCode},
                        {positionB, hostfield::kWordPosition},
                        {codeB, hostfield::kLetterCode}}))
        return;
    m_turntimer.stop();
    rowTile(slot, positionA)->drawCode(codeA);
    rowTile(slot, positionB)->drawCode(codeB);
    if (isOwn(slot)) {
        for (int p = 1; p <= kRowCount; ++p)
            myletter(p)->move(myLeft(p), kMyTop);
    }
    play(QStringLiteral("place"));
    resettiles();
}

void BoardHalf::discardletter(const QString &rest)
{
    net::FieldReader fields(rest);
    const int slot = fields.takeInt();
    const int position = fields.takeInt();
    if (!fieldsInRange(lcBoard(), "CMD_discardletter",
                       {{slot, hostfield::kSeat}, {position, hostfield::kWordPosition}}))
        return;
    m_turntimer.stop();
    rowTile(slot, position)->clear();
    if (isOwn(slot) || m_context.isSpectator())
        play(QStringLiteral("clear"));
    resettiles();
}

void BoardHalf::discardextra(const QString &rest)
{
    net::FieldReader fields(rest);
    const int slot = fields.takeInt();
    const int position = fields.takeInt();
    if (!fieldsInRange(lcBoard(), "CMD_discardextra",
                       {{slot, hostfield::kSeat}, {position, hostfield::kExtraPosition}}))
        return;
    m_turntimer.stop();
    if (!isOwn(slot))
        return;
    extra(position)->clear();
    resettiles();
    play(QStringLiteral("clear"));
}

void BoardHalf::newletter(const QString &rest)
{
    net::FieldReader fields(rest);
    const int slot = fields.takeInt();
    const int position = fields.takeInt();
    const int code = fields.takeInt();
    if (!fieldsInRange(lcBoard(), "CMD_newletter",
                       {{slot, hostfield::kSeat},
                        {position, hostfield::kExtraPosition},
                        {code, hostfield::kLetterCode}}))
        return;
    for (int e = 1; e <= kExtraCount; ++e)
        extra(e)->move(extraLeft(e), kExtraTop);
    if (isOwn(slot))
        extra(position)->drawCode(code);
}

void BoardHalf::stoldletter(const QString &rest)
{
    net::FieldReader fields(rest);
    const int stealer = fields.takeInt();
    const int victim = fields.takeInt();  // only checked: the rows follow from the stealer's
    const int stealerPosition = fields.takeInt();
    const int victimPosition = fields.takeInt();
    const int code = fields.takeInt();
    if (!fieldsInRange(lcBoard(), "CMD_stoldletter",
                       {{stealer, hostfield::kSeat},
                        {victim, hostfield::kSeat},
                        {stealerPosition, hostfield::kWordPosition},
                        {victimPosition, hostfield::kWordPosition},
                        {code, hostfield::kLetterCode}}))
        return;

    const bool stealerBelow = m_context.isSpectator() ? stealer == 1 : isOwn(stealer);
    BoardTile *gained = stealerBelow ? myletter(stealerPosition) : hisletter(stealerPosition);
    BoardTile *lost = stealerBelow ? hisletter(victimPosition) : myletter(victimPosition);
    gained->drawCode(code);
    lost->clear();
    if (isOwn(stealer) || m_context.isSpectator())
        play(QStringLiteral("roundover"));
    resettiles();
}

void BoardHalf::formedword(const QString &rest)
{
    net::FieldReader fields(rest);
    const int slot = fields.takeInt();
    const QString word = fields.takeField();
    const int points = fields.takeInt();
    const QString total = fields.takeField();
    if (!fieldsInRange(lcBoard(), "CMD_formedword", {{slot, hostfield::kSeat}}))
        return;
    m_turntimer.stop();

    if (isOwn(slot)) {
        m_listboxMywords->insertItem(0, word + QStringLiteral(" : ") + QString::number(points));
        m_labelMywords->setText(QStringLiteral("Your Words: (%1)").arg(m_listboxMywords->count()));
        play(QStringLiteral("goodword"));
        if (m_tally) {
            if (word.size() > m_tally->longestWordLength())
                m_tally->addword(word, static_cast<int>(word.size()), 3);
            if (points > m_tally->bestWordPoints())
                m_tally->addword(word, points, 5);
            m_tally->anotherword(7);
        }
    }
    scoreLabel(slot)->setText(total);
    notice(QStringLiteral("For %1 points ").arg(points) + seatName(slot) + QStringLiteral(" formed ")
           + word.toUpper());
    if (m_context.isSpectator())
        play(QStringLiteral("goodword"));
    resettiles();
}

void BoardHalf::notvalid(const QString &rest)
{
    const int slot = net::FieldReader(rest).takeInt();
    if (!fieldsInRange(lcBoard(), "CMD_notvalid", {{slot, hostfield::kSeat}}))
        return;
    resettiles();
    if (!isOwn(slot))
        return;
    showMessage(QStringLiteral("You can steal a letter only if you can use it immediately to create a valid word."),
                [this] {
                    for (int p = 1; p <= kRowCount; ++p)
                        hisletter(p)->move(hisLeft(p), kHisTop);
                    m_selection.pickedhis = 0;
                    play(QStringLiteral("badword"));
                });
}

void BoardHalf::toomany(const QString &rest)
{
    const int slot = net::FieldReader(rest).takeInt();
    if (!fieldsInRange(lcBoard(), "CMD_toomany", {{slot, hostfield::kSeat}}))
        return;
    resettiles();
    if (!isOwn(slot))
        return;
    showMessage(QStringLiteral("You have used all your steals."), [this] {
        m_selection.pickedhis = 0;
        play(QStringLiteral("badword"));
    });
}

void BoardHalf::timeup(const QString &)
{
    notice(QStringLiteral("Time Up!"));
}

void BoardHalf::winner(const QString &rest)
{
    const int slot = net::FieldReader(rest).takeInt();
    if (!fieldsInRange(lcBoard(), "CMD_winner", {{slot, hostfield::kSeat}}))
        return;
    m_turntimer.stop();
    m_secondsleft = 0;
    m_context.turnslot = 0;
    const QString name = seatName(slot);

    const QString text = name + QStringLiteral(" has won the game!");
    m_labelWinner1->setText(text);
    m_labelWinner2->setText(text);
    m_panelWinner->show();
    m_panelWinner->raise();

    if (m_tally) {
        if (isOwn(slot))
            m_tally->addgame(QStringLiteral("addtomine"));
        else if (m_context.isPlayer())
            m_tally->addgame(name);
    }
    notice(name + QStringLiteral(" has Won the Game!"));
    if (m_context.hostFlag)
        m_buttonStart->show();
    play(QStringLiteral("gameover"));
}

void BoardHalf::button_startClick()
{
    if (!m_context.loggedIn) {
        showMessage(QStringLiteral("You are not connected"), {});
        return;
    }
    if (m_gameStartDialog) {
        m_gameStartDialog->show();
        m_gameStartDialog->raise();
        m_gameStartDialog->activateWindow();
    }
}
