// The client's game: its state, its changes and the turn clock; see ClientGame.h. The
// handlers of the host's messages are in ClientGameMessages.cpp.
#include "client/model/ClientGame.h"

#include "client/model/GameServices.h"
#include "net/GameFacts.h"

Q_LOGGING_CATEGORY(lcBoard, "quarn.board", QtWarningMsg)

// --- the game --------------------------------------------------------------------------

ClientGame::ClientGame(QObject *parent)
    : QObject(parent)
    , m_turnSoundChoice([] { return QStringLiteral("start"); })
    , m_messageBox([](const QString &, std::function<void()> closed) {
        if (closed)
            closed();
    })
{
    for (Seat &seat : m_seats)
        seat.name = QString(quarn::kWaitingLabel);
    m_turntimer.setInterval(1000);
    connect(&m_turntimer, &QTimer::timeout, this, &ClientGame::processturntime);
}

ClientGame::~ClientGame() = default;

void ClientGame::setTurnSoundChoice(std::function<QString()> choice)
{
    if (choice)
        m_turnSoundChoice = std::move(choice);
}

void ClientGame::setMessageBoxHook(MessageBoxHook hook)
{
    if (hook)
        m_messageBox = std::move(hook);
}

void ClientGame::logIn(int slot)
{
    m_ownSlot = slot;
    m_loggedIn = true;
    Q_EMIT loginChanged();
}

void ClientGame::setHosting()
{
    m_hostFlag = true;
    Q_EMIT loginChanged();
}

bool ClientGame::justWatchChecked() const
{
    const Seat *own = seat(m_ownSlot);
    return own && own->justWatching;
}

// --- seats -----------------------------------------------------------------------------

const ClientGame::Seat *ClientGame::seat(int seat) const
{
    if (!quarn::isSeat(seat))
        return nullptr;
    return &m_seats[quarn::positionIndex(seat)];
}

ClientGame::Seat *ClientGame::seatAt(int seat)
{
    return const_cast<Seat *>(std::as_const(*this).seat(seat));
}

QString ClientGame::seatName(int seat) const
{
    const Seat *state = this->seat(seat);
    return state ? state->name : QString();
}

void ClientGame::setSeatName(int seat, const QString &name)
{
    Seat *state = seatAt(seat);
    if (!state || (state->name == name && !state->waiting))
        return;
    state->name = name;
    state->waiting = false;
    Q_EMIT seatChanged(seat);
}

void ClientGame::seatLeft(int seat)
{
    setSeatName(seat, QString(quarn::kComputerName));
    setJustWatching(seat, false);
}

void ClientGame::setJustWatching(int seat, bool watching)
{
    Seat *state = seatAt(seat);
    if (!state || state->justWatching == watching)
        return;
    state->justWatching = watching;
    Q_EMIT seatChanged(seat);
    if (isOwn(seat))
        Q_EMIT justWatchChanged(watching);
}

void ClientGame::setScore(int seat, int score)
{
    Seat *state = seatAt(seat);
    if (!state || state->score == score)
        return;
    state->score = score;
    Q_EMIT seatChanged(seat);
}

// --- boards ----------------------------------------------------------------------------

int ClientGame::cell(int seat, int position) const
{
    if (!this->seat(seat) || position < 1 || position > quarn::kCells)
        return 0;
    return m_cells[quarn::positionIndex(seat)][quarn::positionIndex(position)];
}

int ClientGame::extra(int position) const
{
    if (position < 1 || position > quarn::kExtras)
        return 0;
    return m_extras[quarn::positionIndex(position)];
}

void ClientGame::setCell(int seat, int position, int code)
{
    int &held = m_cells[quarn::positionIndex(seat)][quarn::positionIndex(position)];
    if (held == code)
        return;
    held = code;
    Q_EMIT cellChanged(seat, position);
}

void ClientGame::setExtra(int position, int code)
{
    int &held = m_extras[quarn::positionIndex(position)];
    if (held == code)
        return;
    held = code;
    Q_EMIT extraChanged(position);
}

// --- the clock ------------------------------------------------------------------------

void ClientGame::processturntime()
{
    --m_secondsLeft;
    Q_EMIT clockTicked();
    if (m_secondsLeft >= 1 && (m_secondsLeft == 20 || m_secondsLeft == 15 || m_secondsLeft <= 10))
        play(QStringLiteral("tick"));
}

// --- selection and settings ------------------------------------------------------------

void ClientGame::setSelection(const TileSelection &selection)
{
    if (m_selection == selection)
        return;
    m_selection = selection;
    Q_EMIT selectionChanged();
}

void ClientGame::resettiles()
{
    setSelection(TileSelection());
}

void ClientGame::setSettings(const Settings &settings)
{
    if (m_settings == settings)
        return;
    m_settings = settings;
    Q_EMIT settingsChanged();
}

void ClientGame::releaseOpponentPick(bool lower)
{
    TileSelection selection = m_selection;
    if (lower)
        selection.raisedOpponent.fill(false);
    selection.pickedOpponent = 0;
    setSelection(selection);
    play(QStringLiteral("badword"));
}

// --- side effects ----------------------------------------------------------------------

void ClientGame::notice(const QString &text)
{
    if (m_services.notices)
        m_services.notices->addnotice(text);
}

void ClientGame::play(const QString &sound)
{
    if (m_services.sounds)
        m_services.sounds->playsounds(sound);
}

void ClientGame::showBox(const QString &text, std::function<void()> closed)
{
    m_messageBox(text, std::move(closed));
}

bool ClientGame::refused(bool decoded, const char *command) const
{
    if (!decoded)
        qCWarning(lcBoard) << command << "ignored: a field is missing, malformed or out of range";
    return !decoded;
}
