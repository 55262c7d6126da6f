// Calls the player back to the main window: the window asks the desktop for attention
// (QApplication::alert), and the desktop's notification service on the session bus
// (org.freedesktop.Notifications) shows the words when one runs. A click on the
// notification brings the window forward. Each notification replaces the previous one,
// so they never pile up.
//
// The bus is reached on the first call, never at start-up, and every call on it is
// asynchronous: a missing bus or service costs nothing and never blocks the window.
#pragma once

#include "client/model/AttentionRules.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QLoggingCategory>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

Q_DECLARE_LOGGING_CATEGORY(lcNotify)

class DesktopNotifier : public QObject, public AttentionSink {
    Q_OBJECT
public:
    static inline const QString kService = QStringLiteral("org.freedesktop.Notifications");
    static inline const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

    // `window` asks for attention (null: none); `comeForward` raises it when the player
    // clicks a notification. `busAddress` empty = the session bus.
    DesktopNotifier(QWidget *window, std::function<void()> comeForward, QString busAddress = {},
                    QObject *parent = nullptr);
    ~DesktopNotifier() override;

    void callAttention(const QString &summary, const QString &body) override;

Q_SIGNALS:
    // The service showed the notification under `id`.
    void shown(uint id);
    // No bus, no service, or the service refused: nothing is shown.
    void notShown();

private Q_SLOTS:
    void notifyAnswered(const QDBusMessage &reply);
    void notifyFailed(const QDBusError &error);
    void actionInvoked(uint id, const QString &action);

private:
    // Connects on first use; false when there is no bus.
    bool reachBus();
    QDBusConnection bus() const;
    void close(uint id);

    QPointer<QWidget> m_window;
    std::function<void()> m_comeForward;
    QString m_busAddress;
    QString m_connectionName;
    std::optional<bool> m_busReached;
    // The notification on the screen, once the service has told its id.
    uint m_lastId = 0;
    // Notify calls not answered yet.
    int m_pending = 0;
};
