// Lets one copy of the program run per desktop session. The first copy holds a lock
// file and listens on a local socket, both named after the guard; a later copy finds
// the lock taken, asks the first copy over the socket to come forward, and ends.
// A lock left by a copy that crashed is recognised by its dead process and taken over,
// and the socket file it left is removed before listening again.
#pragma once

#include <QLockFile>
#include <QLoggingCategory>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

Q_DECLARE_LOGGING_CATEGORY(lcGuard)

class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    static constexpr char kDefaultName[] = "vorlik";

    // `folder` holds the lock and the socket; empty = the user's runtime folder.
    explicit SingleInstanceGuard(const QString &name, const QString &folder = QString(), QObject *parent = nullptr);
    ~SingleInstanceGuard() override;

    // QUARN_GUARD when set and not empty, else "vorlik".
    static QString nameFromEnvironment();

    // True: this is the first copy and now holds the guard. False: another copy runs;
    // it has been asked to come forward (as far as it could be reached).
    bool claim();
    bool isFirst() const { return m_first; }
    QString lockPath() const;
    QString socketPath() const;

Q_SIGNALS:
    // A later copy asked this one to come forward.
    void activationRequested();

private:
    bool listen();
    void acceptHandover();
    bool handOver();

    QString m_name;
    QString m_folder;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
    bool m_first = false;
};
