// "Game Records": the records of the games this client saw, newest first (date, players,
// final scores, the winner or "unfinished"). Open shows the chosen record in the replay
// window, Delete removes its file after asking, Open File replays any record file (one a
// friend sent). A file that cannot be read at all is refused with a message; one read up
// to a bad line opens with that line's error shown.
#pragma once

#include "client/model/GameRecordStore.h"

#include <QWidget>

#include <functional>

class QPushButton;
class QTableWidget;
class ReplayWindow;

class GameRecordList : public QWidget {
    Q_OBJECT
public:
    // Asks a yes-or-no question; true for yes.
    using Confirm = std::function<bool(const QString &question)>;
    // Tells the player something.
    using Inform = std::function<void(const QString &text)>;
    // Asks for a record file to open; empty when none was chosen.
    using ChooseFile = std::function<QString()>;

    explicit GameRecordList(GameRecordStore store, QWidget *parent = nullptr);
    ~GameRecordList() override;

    // Replaces the boxes and the file dialog (tests answer them).
    void setConfirm(Confirm confirm) { m_confirm = std::move(confirm); }
    void setInform(Inform inform) { m_inform = std::move(inform); }
    void setChooseFile(ChooseFile choose) { m_chooseFile = std::move(choose); }

    // Reads the folder again and shows it.
    void refresh();
    // Shows the window with the folder as it is now.
    void present();
    const QList<GameRecordStore::Entry> &entries() const { return m_entries; }
    const GameRecordStore &store() const { return m_store; }

    // The buttons' actions, on the selected row.
    void openSelected();
    void deleteSelected();
    void openFile();
    // Opens record file `path` in the replay window, or tells why it cannot.
    void openPath(const QString &path);

    QTableWidget *table() const { return m_table; }
    ReplayWindow *replayWindow() const { return m_replay; }

private:
    int selectedRow() const;

    GameRecordStore m_store;
    QList<GameRecordStore::Entry> m_entries;
    Confirm m_confirm;
    Inform m_inform;
    ChooseFile m_chooseFile;
    QTableWidget *m_table = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_delete = nullptr;
    ReplayWindow *m_replay = nullptr;
};
