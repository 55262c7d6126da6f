#include "client/SeatMenu.h"

#include "client/ConnectionHalf.h"
#include "client/model/ClientGame.h"
#include "client/model/Roster.h"

#include <QAction>
#include <QMenu>

SeatMenu::SeatMenu(const ClientGame &game, const Roster &roster, ConnectionHalf &connection, QObject *parent)
    : QObject(parent)
    , m_game(game)
    , m_roster(roster)
    , m_connection(connection)
    , m_menu(std::make_unique<QMenu>())
{
    m_menu->setObjectName(QStringLiteral("popup_kick"));
    m_removeFromGame = m_menu->addAction(tr("Remove From Game"));
    m_removeFromGame->setObjectName(QStringLiteral("RemoveFromGame1"));
    m_setToJustWatch = m_menu->addAction(tr("Set to Just Watch"));
    m_setToJustWatch->setObjectName(QStringLiteral("SettoJustWatch1"));
    m_unsetJustWatch = m_menu->addAction(tr("Unset Just Watch"));
    m_unsetJustWatch->setObjectName(QStringLiteral("UnsetJustWatch1"));
    connect(m_removeFromGame, &QAction::triggered, this, &SeatMenu::RemoveFromGame1Click);
    connect(m_setToJustWatch, &QAction::triggered, this, &SeatMenu::SettoJustWatch1Click);
    connect(m_unsetJustWatch, &QAction::triggered, this, &SeatMenu::UnsetJustWatch1Click);
}

SeatMenu::~SeatMenu() = default;

void SeatMenu::label_playername2ContextPopup(int seat)
{
    const bool hosting = m_game.leadsGame();
    // A seat nobody holds, or the computer holds, has nobody to remove; removing the
    // own slot would end every participant's program.
    m_removeFromGame->setEnabled(hosting && m_roster.isPresent(seat) && !m_game.isOwn(seat));
    m_setToJustWatch->setEnabled(hosting);
    m_unsetJustWatch->setEnabled(hosting);
    m_seat = seat;
}

void SeatMenu::popupFor(int seat, const QPoint &at)
{
    label_playername2ContextPopup(seat);
    m_menu->popup(at);
}

void SeatMenu::RemoveFromGame1Click()
{
    m_connection.kicking(m_seat);
}

void SeatMenu::SettoJustWatch1Click()
{
    m_connection.askJustWatch(m_seat, true);
}

void SeatMenu::UnsetJustWatch1Click()
{
    m_connection.askJustWatch(m_seat, false);
}
