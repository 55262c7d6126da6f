// The game start dialog: the hosting player picks the play-to score, the time per turn,
// the steals and the computer opponent's level, and starts a game for everybody. A small
// tool window, not modal, that lives as long as the main window and is only shown and
// hidden. The level never goes over the wire: the hosting process owns both this dialog
// and the host, and hands the level over through computerLevelChosen().
#pragma once

#include "client/GameStartSettings.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class RequestSender;
struct ClientContext;

class Tgamestart : public QWidget, public GameStartSettings {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 257;
    static constexpr int kClientHeight = 164;

    // One value row: its range and step, and the arrows' position.
    struct Row {
        int minimum;
        int maximum;
        int step;
        int position;
        QLineEdit *edit = nullptr;
        QWidget *arrows = nullptr;
        QToolButton *up = nullptr;
        QToolButton *down = nullptr;
    };
    enum RowIndex { PlayToScore = 0, CreationTime = 1, Steals = 2 };

    Tgamestart(ClientContext &context, RequestSender &sender, QWidget *mainWindow);

    // GameStartSettings
    QString playtoscoreText() const override;
    QString creationtimeText() const override;
    QString stealsText() const override;
    bool unlimitedChecked() const override;
    void restoreSaved(const QString &playtoscore, const QString &creationtime, const QString &steals,
                      bool unlimited) override;
    // "Classic" or "Strong".
    QString computerLevelText() const override;
    void restoreComputerLevel(const QString &level) override;

    // The arrows of a row: one step up or down, stopping at the range's ends.
    void stepUp(RowIndex row);
    void stepDown(RowIndex row);
    // "Start Game": sends the request, announces gameStarted (the settings are saved
    // there) and hides the window.
    void button_startClick();

    const Row &row(RowIndex index) const { return m_rows[index]; }
    QCheckBox *unlimitedBox() const { return m_unlimited; }
    QPushButton *startButton() const { return m_buttonStart; }
    // The "Computer:" row: "Classic" first, then "Strong".
    QComboBox *computerBox() const { return m_computer; }

Q_SIGNALS:
    // "Start Game" was pressed: the level ("Classic" or "Strong") for the computer of the
    // game about to start, announced before the request is sent.
    void computerLevelChosen(const QString &level);
    void gameStarted();

protected:
    void showEvent(QShowEvent *event) override;
    // Escape hides the window as its close box would; Enter starts the game.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildRow(RowIndex index, const QString &caption, int top, const QString &editName, const QString &arrowsName);
    void stepBy(RowIndex row, int direction);
    void restoreRow(RowIndex row, const QString &saved);
    // The row's field as typed becomes its position, brought into the range.
    void takeTyped(RowIndex row);
    void showStealsRow(bool unlimited);

    ClientContext &m_context;
    RequestSender &m_sender;
    QWidget *m_mainWindow;
    QGroupBox *m_options = nullptr;
    std::array<Row, 3> m_rows;
    QCheckBox *m_unlimited = nullptr;
    QComboBox *m_computer = nullptr;
    bool m_strong = false;
    QPushButton *m_buttonStart = nullptr;
};
