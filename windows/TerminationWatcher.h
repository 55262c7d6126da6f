// Turns SIGTERM, SIGINT and SIGHUP (a desktop logging out, Ctrl+C in a terminal) into
// a Qt signal on the GUI thread, so the program closes its main window the ordinary way:
// settings saved, connections closed, the word-list file deleted.
#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    // Only one watcher may exist at a time; it installs the handlers for the process.
    explicit TerminationWatcher(QObject *parent = nullptr);
    ~TerminationWatcher() override;

    bool isActive() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    std::unique_ptr<QSocketNotifier> m_notifier;
};
