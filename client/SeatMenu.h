// The pop-up menu of the seats' name labels (`popup_kick`): "Remove From Game", "Set to
// Just Watch" and "Unset Just Watch" for the seat whose label was clicked. It reads the
// game (this copy hosts, the own slot) and the roster (somebody is there to remove), and
// asks the connection half to send.
#pragma once

#include <QObject>
#include <QPoint>

#include <memory>

class ClientGame;
class ConnectionHalf;
class QAction;
class QMenu;
class Roster;

class SeatMenu : public QObject {
    Q_OBJECT
public:
    SeatMenu(const ClientGame &game, const Roster &roster, ConnectionHalf &connection, QObject *parent = nullptr);
    ~SeatMenu() override;

    // Makes the entries fit `seat` and remembers it: every entry only in the hosting copy,
    // and removal only of another participant who is present there.
    void label_playername2ContextPopup(int seat);
    // The same, then shows the menu at the global point `at`.
    void popupFor(int seat, const QPoint &at);

    void RemoveFromGame1Click();
    void SettoJustWatch1Click();
    void UnsetJustWatch1Click();

    // The seat the menu was last made for; 0 before the first time.
    int seat() const { return m_seat; }
    QMenu *menu() const { return m_menu.get(); }
    QAction *removeFromGameAction() const { return m_removeFromGame; }
    QAction *setToJustWatchAction() const { return m_setToJustWatch; }
    QAction *unsetJustWatchAction() const { return m_unsetJustWatch; }

private:
    const ClientGame &m_game;
    const Roster &m_roster;
    ConnectionHalf &m_connection;
    std::unique_ptr<QMenu> m_menu;
    QAction *m_removeFromGame = nullptr;
    QAction *m_setToJustWatch = nullptr;
    QAction *m_unsetJustWatch = nullptr;
    int m_seat = 0;
};
