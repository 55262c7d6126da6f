// The hosting program's request to the router: when a hosted game (not a solo game, which
// hosts for itself alone) starts listening and "MapPort" is on, the router is asked to
// forward the game's port, and every outcome is handed to the notice callback as a
// sentence and, when others can join through the router, its invite link. At the end of
// hosting the mapping is deleted, waiting a bounded time for the router to be told.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace portmap {
class PortMapper;
struct PortMapperSettings;
}  // namespace portmap

class HostingPortMap : public QObject {
    Q_OBJECT
public:
    // The sentence for the hosting player; the invite link, empty unless mapped.
    using Notice = std::function<void(const QString &text, const QString &inviteLink)>;

    static constexpr int kReleaseWaitMs = 2000;

    // The router's gateways as the environment names them (or discovery finds them).
    HostingPortMap(bool hosting, bool mapPort, Notice notice, QObject *parent = nullptr);
    HostingPortMap(bool hosting, bool mapPort, Notice notice, const portmap::PortMapperSettings &settings,
                   QObject *parent = nullptr);
    ~HostingPortMap() override;

    // The game listens on `port`: the router is asked, unless this program maps nothing.
    void start(quint16 port);
    bool asking() const { return m_mapper != nullptr; }
    // Hosting ends: the mapping is deleted, waiting at most `waitMs` for the router. True
    // when the router was told in time (or nothing was asked).
    bool stopAndWait(int waitMs = kReleaseWaitMs);

private:
    std::unique_ptr<portmap::PortMapperSettings> m_settings;  // null: nothing is ever mapped
    Notice m_notice;
    std::unique_ptr<portmap::PortMapper> m_mapper;
};
