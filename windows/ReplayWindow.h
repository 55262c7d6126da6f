// The replay of one game record: the board as the game shows it (the board view drawing a
// game of the window's own, which a GameReplay drives), every event's sentence with the
// current one marked, the words formed so far by either seat, and the controls: first,
// previous, next, last, play and pause at a chosen speed; the arrow keys step, Home and
// End jump. A record read only up to a bad line shows that line's error and the game up
// to there. Clicks on the board do nothing: a replay sends no requests.
#pragma once

#include "client/model/ClientGame.h"
#include "client/model/GameReplay.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class BoardHalf;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class RequestSender;

class ReplayWindow : public QWidget {
    Q_OBJECT
public:
    // Milliseconds per event that Play offers; the second is the default.
    static constexpr int kSpeeds[] = {250, 1000, 2000};

    explicit ReplayWindow(QWidget *parent = nullptr);
    ~ReplayWindow() override;

    // Shows `record` from its start; `error` (may be empty) is the reader's word on the
    // line where reading stopped.
    void load(const GameRecord &record, const QString &error);

    const GameReplay &replay() const { return *m_replay; }
    const ClientGame &game() const { return m_game; }
    bool playing() const { return m_playTimer.isActive(); }

    void first();
    void previous();
    void next();
    void last();
    void togglePlay();
    // The speed of Play: an index into kSpeeds.
    void setSpeed(int index);
    int interval() const { return m_playTimer.interval(); }

    QPushButton *playButton() const { return m_play; }
    QListWidget *eventList() const { return m_events; }
    QLabel *errorLabel() const { return m_error; }
    QWidget *boardPanel() const { return m_panel; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void stepTo(int position);
    // Everything that follows the replay's position: marks, words, buttons, caption.
    void showPosition();

    ClientGame m_game;
    std::unique_ptr<GameReplay> m_replay;
    std::unique_ptr<RequestSender> m_noRequests;
    std::unique_ptr<BoardHalf> m_board;
    QTimer m_playTimer;

    QWidget *m_panel = nullptr;
    QListWidget *m_events = nullptr;
    QListWidget *m_words = nullptr;
    QLabel *m_position = nullptr;
    QLabel *m_error = nullptr;
    QPushButton *m_first = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_last = nullptr;
    QPushButton *m_play = nullptr;
    QComboBox *m_speed = nullptr;
};
