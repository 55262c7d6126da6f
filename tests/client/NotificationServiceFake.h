// A desktop notification service of the test's own: it records what it is asked to show
// and to close, and can announce a click on a notification's action.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class NotificationServiceFake : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Shown {
        uint id = 0;
        QString app;
        QString summary;
        QString body;
        QStringList actions;
    };

    QList<Shown> shown;
    QList<uint> closed;

public Q_SLOTS:
    uint Notify(const QString &app, uint replaces, const QString &icon, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &hints, int timeout)
    {
        Q_UNUSED(replaces);
        Q_UNUSED(icon);
        Q_UNUSED(hints);
        Q_UNUSED(timeout);
        shown.append({uint(shown.size() + 1), app, summary, body, actions});
        return shown.constLast().id;
    }
    void CloseNotification(uint id) { closed.append(id); }

Q_SIGNALS:
    void ActionInvoked(uint id, const QString &action);
};
