// Turns SIGTERM, SIGINT and SIGHUP (a desktop logging out, Ctrl+C in a terminal) into
// a Qt signal on the GUI thread, so the program closes its main window the ordinary way:
// settings saved, connections closed, the word-list file deleted.
//
// A box or dialog open with its own event loop (a message box at start-up, a colour
// dialog) would hold that ordinary way up until somebody answers it; so the watcher
// first closes every open box, as Escape would, and every box opened after the request.
// The request is remembered: code that runs before the main loop (the boxes at start-up)
// asks requested() and ends instead of starting the loop.
#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    // Only one watcher may exist at a time; it installs the handlers for the process.
    // Needs the application object (it watches for boxes being shown).
    explicit TerminationWatcher(QObject *parent = nullptr);
    ~TerminationWatcher() override;

    bool isActive() const { return m_notifier != nullptr; }
    // A termination signal has come.
    bool requested() const { return m_requested; }

Q_SIGNALS:
    // After the open boxes were told to close.
    void terminationRequested(int signalNumber);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readSignal();
    // Rejects every open modal box and dialog, innermost first.
    void closeBoxes();

    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_requested = false;
};
