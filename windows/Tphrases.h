// The phrase buttons editor: nine one-line boxes, one for each phrase button of the chat,
// and "Done", which gives the buttons the texts and writes them into the settings file.
// Not modal; it lives as long as the main window and is only shown and hidden.
//
// A box holds at most kBoxLength characters, while a button may carry a longer phrase
// (typed into the settings file by hand). A box the player leaves as it was opened keeps
// its button's whole phrase at "Done"; only a box the player changed gives its own text.
#pragma once

#include <QString>
#include <QWidget>

#include <array>

class ChatHalf;
class QLineEdit;
class QPushButton;
class SettingsHalf;

class Tphrases : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBoxCount = 9;
    static constexpr int kBoxLength = 50;

    // `mainWindow` is the parent the window centres on (may be null).
    Tphrases(ChatHalf &chat, SettingsHalf &settings, QWidget *mainWindow = nullptr);

    // "Phrase List": each box takes its button's current phrase, then the window shows.
    void open();
    // "Done": the buttons take the boxes' texts, the phrases are saved, the window closes.
    void button_doneClick();

    // Box 1..9 (`phrase1`..`phrase9`); null outside that range.
    QLineEdit *phraseBox(int number) const;
    QPushButton *doneButton() const { return m_done; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Each box takes its button's phrase.
    void fill();

    ChatHalf &m_chat;
    SettingsHalf &m_settings;
    QWidget *m_mainWindow;
    std::array<QLineEdit *, kBoxCount> m_boxes{};
    // Each button's phrase when the window was opened, and what its box showed of it.
    std::array<QString, kBoxCount> m_opened;
    std::array<QString, kBoxCount> m_shown;
    QPushButton *m_done = nullptr;
};
