// Keeps a phrase button from sending twice in quick succession: a click closes the gate,
// and it opens again by itself after a short time. The single-shot timer runs only while
// the gate is closed.
#pragma once

#include <QObject>
#include <QTimer>

class PhraseGate : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultMilliseconds = 100;

    explicit PhraseGate(int milliseconds = kDefaultMilliseconds, QObject *parent = nullptr);

    bool isOpen() const { return m_open; }
    // Closes the gate and starts the time after which it opens again.
    void close();
    // Opens the gate at once (the timer's end); stops the timer.
    void open();
    bool isTiming() const { return m_timer.isActive(); }

Q_SIGNALS:
    void opened();

private:
    QTimer m_timer;
    bool m_open = true;
};
