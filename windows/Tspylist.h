// The spectator list: a small window that always stays on top and lists the spectators
// present ("slot: name", in the order they came), as the connection half keeps them. Its
// pop-up menu lets the hosting player remove the spectator whose entry was under the
// mouse. It lives as long as the main window and is only shown and hidden.
#pragma once

#include <QString>
#include <QWidget>

#include <optional>

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

    // `mainWindow` is the parent the window centres on (may be null).
    explicit Tspylist(ConnectionHalf &connection, QWidget *mainWindow = nullptr);

    // The slot an entry names: the text before its first ":" as a whole number. Nothing
    // when there is no ":" or the text is not a number.
    static std::optional<int> slotOfEntry(const QString &entry);

    // Enables "Remove From Game"; the connection's hostingStarted switches it on.
    void setHosting(bool hosting);
    bool hosting() const;

    // Index of the list entry under the mouse pointer, -1 over no entry; follows every
    // mouse movement over the list.
    int entryUnderMouse() const { return m_entryUnderMouse; }

    // Opens the pop-up menu for the list point `at` (viewport coordinates), as a right
    // click there does; the menu acts on the entry at that point, if any.
    void popupAt(const QPoint &at);
    // "Remove From Game": asks the host to remove the spectator of the entry the menu was
    // opened on; nothing when it was opened over no entry or the entry names no slot.
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
    // Shows the connection's spectators again.
    void refill();
    void trackMouse(const QPoint &at);

    ConnectionHalf &m_connection;
    QWidget *m_mainWindow;
    QListWidget *m_list = nullptr;
    QMenu *m_popup = nullptr;
    QAction *m_removeFromGame = nullptr;
    QPushButton *m_done = nullptr;
    int m_entryUnderMouse = -1;
    // The text of the entry the menu was opened on; empty when it was opened over none.
    QString m_menuEntry;
};
