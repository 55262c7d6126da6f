// The single-instance guard: a lock file for "is another copy alive" and a local socket
// for "come forward". The lock decides; the socket only carries the request, so a socket
// file left behind by a crash never blocks a new first copy.
#include "windows/SingleInstanceGuard.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcGuard, "quarn.guard", QtWarningMsg)

namespace {
constexpr int kHandoverTimeoutMs = 2000;
constexpr char kRequest[] = "forward\n";

QString defaultFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}
}  // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString &name, const QString &folder, QObject *parent)
    : QObject(parent)
    , m_name(name)
    , m_folder(folder.isEmpty() ? defaultFolder() : folder)
    , m_lock(QDir(m_folder).filePath(name + QStringLiteral(".lock")))
{
    // Only a dead owner makes a lock stale; a long-running first copy keeps its guard.
    m_lock.setStaleLockTime(0);
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    if (m_server)
        m_server->close();
}

QString SingleInstanceGuard::nameFromEnvironment()
{
    const QString name = qEnvironmentVariable("QUARN_GUARD");
    return name.isEmpty() ? QString::fromLatin1(kDefaultName) : name;
}

QString SingleInstanceGuard::lockPath() const
{
    return QDir(m_folder).filePath(m_name + QStringLiteral(".lock"));
}

QString SingleInstanceGuard::socketPath() const
{
    return QDir(m_folder).filePath(m_name + QStringLiteral(".socket"));
}

bool SingleInstanceGuard::claim()
{
    if (m_first)
        return true;
    QDir().mkpath(m_folder);
    if (m_lock.tryLock(0)) {
        m_first = true;
        if (!listen())
            qCWarning(lcGuard) << "guard" << m_name << "holds its lock but cannot listen:" << m_server->errorString();
        return true;
    }
    if (m_lock.error() != QLockFile::LockFailedError) {
        // The folder cannot hold a lock: better a second copy than no program at all.
        qCWarning(lcGuard) << "guard" << m_name << "cannot create its lock file" << lockPath();
        m_first = true;
        return true;
    }
    if (!handOver())
        qCWarning(lcGuard) << "another copy runs but could not be asked to come forward";
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
