// The tally window "Quarn - Tally List": the player's own totals, the followed opponents
// (listbox_tally) with the selected one's games, the players of the current game
// (checklist) to start following, and the buttons "Ok" and "Reset Tally". It shows a
// TallyTable that its owner restores and saves (TallyFile): what it shows is always read
// from the table and redrawn on its signals, and every click becomes one of the table's
// operations.
#pragma once

#include "tally/TallyTable.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class Ttallylist : public QWidget {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Quarn - Tally List");

    // The window's questions and notices, replaceable so that tests answer them without
    // a modal box. Ask: a Yes/No question, true for Yes. Tell: a message to acknowledge.
    using Ask = std::function<bool(QWidget *parent, const QString &question)>;
    using Tell = std::function<void(QWidget *parent, const QString &message)>;
    struct Prompts {
        Ask ask;  // empty: a message box with Yes and No
        Tell tell;  // empty: a warning message box
    };

    // `table` must outlive the window. `parent` (the main window) only ties the
    // lifetime: this stays a window of its own.
    explicit Ttallylist(TallyTable &table, Prompts prompts = {}, QWidget *parent = nullptr);

    TallyTable &table() { return m_table; }
    const TallyTable &table() const { return m_table; }
    void setPrompts(Prompts prompts);
    // A notice in the window's box, e.g. why the tally could not be restored.
    void tell(const QString &message);

    // View > "View Tally": the checklist takes the current game's other players, then
    // the window shows, in front.
    void viewTally(const QStringList &currentPlayers);

    // The opponent whose games the panel shows; empty for none.
    QString selectedOpponent() const { return m_selected; }

private:
    void buildWidgets();
    // Both check-lists again from the table (the followed ones, the current players).
    void loadtally();
    void loadCurrentPlayers();
    // The own totals panel and the selected opponent's panel from the table.
    void showValues();
    void showOpponent();
    void selectOpponent(int listRow);

    // Turned into operations a moment later, outside the list's own signal, because the
    // operation rebuilds the list that is still emitting.
    void tallyBoxChanged(QListWidgetItem *item);
    void checklistBoxChanged(QListWidgetItem *item);
    void stopFollowing(const QString &name);
    void startFollowing(const QString &name);
    void resetClicked();

    bool ask(const QString &question);

    TallyTable &m_table;
    Prompts m_prompts;
    QString m_selected;

    QListWidget *m_tallyList = nullptr;
    QListWidget *m_checklist = nullptr;
    QLabel *m_games = nullptr;
    QLabel *m_wins = nullptr;
    QLabel *m_longest = nullptr;
    QLabel *m_best = nullptr;
    QLabel *m_words = nullptr;
    QGroupBox *m_opponentPanel = nullptr;
    QLabel *m_opponentTitle = nullptr;
    QLabel *m_theirWinsCaption = nullptr;
    // Rows "Number of Games:", "<name> Wins:", "Your Wins:", "Neither Won:" (hidden);
    // columns Total and Session.
    QLabel *m_values[4][2] = {};
    QPushButton *m_ok = nullptr;
    QPushButton *m_reset = nullptr;
};
