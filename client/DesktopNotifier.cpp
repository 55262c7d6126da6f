#include "client/DesktopNotifier.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QVariantMap>

Q_LOGGING_CATEGORY(lcNotify, "quarn.notify")

namespace {

const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// The action a click on the notification's body invokes.
const QString kDefaultAction = QStringLiteral("default");

// Servers that understand markup in the body would take a player's name as markup.
QString bodyText(const QString &text)
{
    return text.toHtmlEscaped();
}

}  // namespace

DesktopNotifier::DesktopNotifier(QWidget *window, std::function<void()> comeForward, QString busAddress,
                                 QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_comeForward(std::move(comeForward))
    , m_busAddress(std::move(busAddress))
{
}

DesktopNotifier::~DesktopNotifier()
{
    // A private connection of ours goes with us; the shared session bus stays.
    if (!m_connectionName.isEmpty())
        QDBusConnection::disconnectFromBus(m_connectionName);
}

bool DesktopNotifier::reachBus()
{
    if (m_busReached)
        return *m_busReached;
    if (!m_busAddress.isEmpty())
        m_connectionName = QStringLiteral("quarn-notify-%1").arg(reinterpret_cast<quintptr>(this), 0, 16);
    QDBusConnection bus = m_connectionName.isEmpty() ? QDBusConnection::sessionBus()
                                                     : QDBusConnection::connectToBus(m_busAddress, m_connectionName);
    m_busReached = bus.isConnected();
    if (!*m_busReached) {
        qCInfo(lcNotify) << "no session bus; notifications are not shown:" << bus.lastError().message();
        return false;
    }
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this, SLOT(actionInvoked(uint, QString)));
    return true;
}

void DesktopNotifier::callAttention(const QString &summary, const QString &body)
{
    if (m_window)
        QApplication::alert(m_window);
    if (!reachBus()) {
        Q_EMIT notShown();
        return;
    }
    if (m_lastId != 0) {
        close(m_lastId);
        m_lastId = 0;
    }
    ++m_pending;
    QDBusMessage notify = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    notify << QStringLiteral("Quarn") << uint(0) << QStringLiteral("quarn") << summary << bodyText(body)
           << QStringList{kDefaultAction, QStringLiteral("Show")} << QVariantMap() << int(-1);
    // Never waits: the answer (or the error of a missing service) comes as an event.
    bus().callWithCallback(notify, this, SLOT(notifyAnswered(QDBusMessage)), SLOT(notifyFailed(QDBusError)));
}

void DesktopNotifier::close(uint id)
{
    bus().asyncCall(QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"))
                    << id);
}

QDBusConnection DesktopNotifier::bus() const
{
    return m_connectionName.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(m_connectionName);
}

void DesktopNotifier::notifyAnswered(const QDBusMessage &reply)
{
    --m_pending;
    const QVariantList arguments = reply.arguments();
    if (arguments.isEmpty()) {
        Q_EMIT notShown();
        return;
    }
    const uint id = arguments.constFirst().toUInt();
    // The service answers in order: when a newer notification is on its way, this one
    // is already out of date.
    if (m_pending > 0) {
        close(id);
        return;
    }
    m_lastId = id;
    Q_EMIT shown(id);
}

void DesktopNotifier::notifyFailed(const QDBusError &error)
{
    --m_pending;
    qCInfo(lcNotify) << "notification not shown:" << error.message();
    Q_EMIT notShown();
}

void DesktopNotifier::actionInvoked(uint id, const QString &action)
{
    // Other programs' notifications are announced on the same signal.
    if (id == 0 || id != m_lastId || action != kDefaultAction)
        return;
    if (m_comeForward)
        m_comeForward();
}
