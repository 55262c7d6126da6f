// The spectator list: a small window that always stays on top and shows the roster's
// spectators ("slot: name", in the order they came). Its pop-up menu lets the hosting
// player remove the spectator whose entry was under the mouse. It lives as long as the
// main window and is only shown and hidden.
#pragma once

#include "client/model/Roster.h"

#include <QWidget>

#include <optional>

class ClientGame;
class ConnectionHalf;
class QAction;
class QListWidget;
class QMenu;
class QPushButton;

class Tspylist : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 200;
    static constexpr int kClientHeight = 240;

    // Shows `roster`; "Remove From Game" is enabled while `game` says this copy hosts,
    // and asks `connection` to remove. `mainWindow` is the parent the window centres on
    // (may be null).
    Tspylist(const Roster &roster, const ClientGame &game, ConnectionHalf &connection, QWidget *mainWindow = nullptr);

    // Index of the list entry under the mouse pointer, -1 over no entry; follows every
    // mouse movement over the list.
    int entryUnderMouse() const { return m_entryUnderMouse; }

    // Opens the pop-up menu for the list point `at` (viewport coordinates), as a right
    // click there does; the menu acts on the entry at that point, if any.
    void popupAt(const QPoint &at);
    // "Remove From Game": asks the host to remove the spectator of the entry the menu was
    // opened on; nothing when it was opened over no entry or that spectator has left.
    void RemoveFromGame1Click();
    // "Done".
    void button_doneClick() { hide(); }

    QListWidget *list() const { return m_list; }
    QMenu *popupMenu() const { return m_popup; }
    QAction *removeFromGameAction() const { return m_removeFromGame; }
    QPushButton *doneButton() const { return m_done; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Shows the roster's spectators again.
    void refill();
    void trackMouse(const QPoint &at);

    const Roster &m_roster;
    const ClientGame &m_game;
    ConnectionHalf &m_connection;
    QWidget *m_mainWindow;
    QListWidget *m_list = nullptr;
    QMenu *m_popup = nullptr;
    QAction *m_removeFromGame = nullptr;
    QPushButton *m_done = nullptr;
    int m_entryUnderMouse = -1;
    // The spectator the menu was opened on; nothing when it was opened over no entry.
    std::optional<Roster::Participant> m_menuSpectator;
    // Shown in the list, row for row.
    QList<Roster::Participant> m_shown;
};
