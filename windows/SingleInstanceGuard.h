// Lets one copy of the program run per desktop session. The first copy holds a lock
// file and listens on a local socket, both named after the guard; a later copy finds
// the lock taken, asks the first copy over the socket to come forward, and ends.
// A lock left by a copy that crashed is recognised by its dead process and taken over,
// and the socket file it left is removed before listening again.
// Both files live in a folder only this user can write (PrivateFolder::runtimeFolder):
// in a shared folder another user could take the guard first and keep every copy from
// starting. A guard that cannot be taken (no private folder, no lock file, a holder that
// does not answer) is a failure with a reason, never taken for "another copy runs".
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

    // `folder` holds the lock and the socket; empty = this user's private runtime folder.
    explicit SingleInstanceGuard(const QString &name, const QString &folder = QString(), QObject *parent = nullptr);
    ~SingleInstanceGuard() override;

    // QUARN_GUARD when set and not empty, else "vorlik".
    static QString nameFromEnvironment();

    // True: this is the first copy and now holds the guard. False: this copy must not go
    // on: another copy runs and has been asked to come forward (failure() empty), or the
    // guard could not be taken (failure() says why).
    bool claim();
    bool isFirst() const { return m_first; }
    // Lets go of the guard (lock and socket), so that a copy started next is the first.
    void release();
    const QString &failure() const { return m_failure; }
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
    QString m_failure;
};
