// The hosting program's port mapping; see HostingPortMap.h.
#include "windows/HostingPortMap.h"

#include "portmap/PortMapper.h"

#include <QEventLoop>
#include <QTimer>

HostingPortMap::HostingPortMap(bool hosting, bool mapPort, Notice notice, QObject *parent)
    : HostingPortMap(hosting, mapPort, std::move(notice), portmap::PortMapperSettings::fromEnvironment(), parent)
{
}

HostingPortMap::HostingPortMap(bool hosting, bool mapPort, Notice notice, const portmap::PortMapperSettings &settings,
                               QObject *parent)
    : QObject(parent)
    , m_notice(std::move(notice))
{
    // A solo game listens for itself alone: nobody outside is meant to reach it.
    if (hosting && mapPort)
        m_settings = std::make_unique<portmap::PortMapperSettings>(settings);
}

// The mapper's destructor deletes a mapping that stopAndWait() did not get to.
HostingPortMap::~HostingPortMap() = default;

void HostingPortMap::start(quint16 port)
{
    if (!m_settings || port == 0)
        return;
    // Hosting starts once per program; a second start asks again for the new port.
    m_mapper = std::make_unique<portmap::PortMapper>(*m_settings);
    connect(m_mapper.get(), &portmap::PortMapper::outcome, this, [this](const portmap::PortMapping &mapping) {
        if (m_notice)
            m_notice(mapping.text(), mapping.inviteLink());
    });
    m_mapper->start(port);
}

bool HostingPortMap::stopAndWait(int waitMs)
{
    if (!m_mapper)
        return true;
    // A local loop, bounded: the program is ending and the router may never answer.
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    bool released = false;
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(m_mapper.get(), &portmap::PortMapper::released, &loop, [&loop, &released] {
        released = true;
        loop.quit();
    });
    m_mapper->stop();
    limit.start(waitMs);
    if (!released)
        loop.exec();
    m_mapper.reset();
    return released;
}
