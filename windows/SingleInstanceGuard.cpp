// The single-instance guard: a lock file for "is another copy alive" and a local socket
// for "come forward". The lock decides; the socket only carries the request, so a socket
// file left behind by a crash never blocks a new first copy.
#include "windows/SingleInstanceGuard.h"

#include "dictionary/PrivateFolder.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

Q_LOGGING_CATEGORY(lcGuard, "quarn.guard", QtWarningMsg)

namespace {
constexpr int kHandoverTimeoutMs = 2000;
constexpr char kRequest[] = "forward\n";
}  // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString &name, const QString &folder, QObject *parent)
    : QObject(parent)
    , m_name(name)
    , m_folder(folder.isEmpty() ? PrivateFolder::runtimeFolder() : folder)
    , m_lock(lockPath())
{
    // Only a dead owner makes a lock stale; a long-running first copy keeps its guard.
    m_lock.setStaleLockTime(0);
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    if (m_server)
        m_server->close();
}

void SingleInstanceGuard::release()
{
    if (m_server)
        m_server->close();  // removes its socket file
    m_server.reset();
    if (m_lock.isLocked())
        m_lock.unlock();
    m_first = false;
}

QString SingleInstanceGuard::nameFromEnvironment()
{
    const QString name = qEnvironmentVariable("QUARN_GUARD");
    return name.isEmpty() ? QString::fromLatin1(kDefaultName) : name;
}

QString SingleInstanceGuard::lockPath() const
{
    return m_folder.isEmpty() ? QString() : QDir(m_folder).filePath(m_name + QStringLiteral(".lock"));
}

QString SingleInstanceGuard::socketPath() const
{
    return m_folder.isEmpty() ? QString() : QDir(m_folder).filePath(m_name + QStringLiteral(".socket"));
}

bool SingleInstanceGuard::claim()
{
    if (m_first)
        return true;
    m_failure.clear();
    if (m_folder.isEmpty()) {
        m_failure = QStringLiteral("there is no folder of this user's alone to hold the guard");
        return false;
    }
    QDir().mkpath(m_folder);
    if (m_lock.tryLock(0)) {
        m_first = true;
        if (!listen())
            qCWarning(lcGuard) << "guard" << m_name << "holds its lock but cannot listen:" << m_server->errorString();
        return true;
    }
    if (m_lock.error() != QLockFile::LockFailedError) {
        m_failure = QStringLiteral("cannot create the lock file %1").arg(lockPath());
        return false;
    }
    if (!handOver()) {
        m_failure = QStringLiteral("another copy holds %1 but does not answer").arg(lockPath());
        return false;
    }
    return false;
}

bool SingleInstanceGuard::listen()
{
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstanceGuard::acceptHandover);
    if (m_server->listen(socketPath()))
        return true;
    // We hold the lock, so a socket file there was left by a copy that is gone.
    QLocalServer::removeServer(socketPath());
    return m_server->listen(socketPath());
}

void SingleInstanceGuard::acceptHandover()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto readRequest = [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == kRequest)
                Q_EMIT activationRequested();
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, this, readRequest);
        readRequest();
    }
}

bool SingleInstanceGuard::handOver()
{
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kHandoverTimeoutMs))
        return false;
    socket.write(kRequest);
    // Once written, the request waits in the system's buffer for the first copy to read,
    // even after this copy has ended.
    const bool written = socket.waitForBytesWritten(kHandoverTimeoutMs);
    socket.disconnectFromServer();
    return written;
}
