// The port mapping of a hosted game; see PortMapper.h.
#include "portmap/PortMapper.h"

#include "portmap/LocalAddresses.h"
#include "portmap/NatPmpExchange.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

namespace portmap {

namespace {

// Retry a failed renewal well before the lease runs out, but not in a tight loop.
constexpr quint32 kLongestRenewalSeconds = 24 * 3600;

bool isOff(const QByteArray &value)
{
    return value.compare("off", Qt::CaseInsensitive) == 0;
}

// Runs `job` on the worker pool and hands its result to `done` on this thread, unless
// `owner` is gone by then.
template <typename Result, typename Job, typename Done> void onWorker(QObject *owner, Job job, Done done)
{
    auto *watcher = new QFutureWatcher<Result>(owner);
    QObject::connect(watcher, &QFutureWatcher<Result>::finished, owner, [watcher, done] {
        done(watcher->result());
        watcher->deleteLater();
    });
    watcher->setFuture(QtConcurrent::run(std::move(job)));
}

}  // namespace

PortMapperSettings PortMapperSettings::fromEnvironment()
{
    PortMapperSettings settings;
    const QByteArray gateway = qgetenv("QUARN_NATPMP_GATEWAY");
    if (isOff(gateway))
        settings.useNatPmp = false;
    else if (!gateway.isEmpty())
        settings.natPmpGateway = QHostAddress(QString::fromLatin1(gateway));
    const QByteArray igd = qgetenv("QUARN_UPNP_IGD");
    if (isOff(igd))
        settings.useUpnp = false;
    else
        settings.igdDescriptionUrl = igd;
    return settings;
}

PortMapper::PortMapper(PortMapperSettings settings, QObject *parent)
    : QObject(parent)
    , m_settings(std::move(settings))
{
    qRegisterMetaType<PortMapping>();
    m_natPmp = new NatPmpExchange(m_settings.natPmpGateway, this);
    connect(m_natPmp, &NatPmpExchange::finished, this, &PortMapper::onNatPmp);
    m_renewal.setSingleShot(true);
    connect(&m_renewal, &QTimer::timeout, this, &PortMapper::renew);
}

PortMapper::~PortMapper()
{
    if (m_cancelled)
        m_cancelled->store(true);
    if (m_state == State::AskingNatPmp || (m_state == State::Mapped && m_current.method == Method::NatPmp))
        m_natPmp->release(m_base.internalPort);
    if (m_state == State::Mapped && m_current.method == Method::Upnp)
        (void)QtConcurrent::run(upnpDelete, m_gateway, m_current.externalPort);
}

void PortMapper::start(quint16 port)
{
    if (m_state != State::Idle)
        stop();
    m_base = PortMapping();
    m_base.internalPort = port;
    m_base.lanAddress = m_settings.lanAddress.isEmpty() ? lanAddress() : m_settings.lanAddress;
    m_base.ipv6 = m_settings.ipv6 ? *m_settings.ipv6 : globalIpv6Addresses();
    m_natPmpRefusal.reset();
    m_cancelled = std::make_shared<std::atomic_bool>(false);
    if (!m_settings.useNatPmp) {
        askUpnp();
        return;
    }
    m_state = State::AskingNatPmp;
    m_natPmp->map(port, port, m_settings.leaseSeconds, m_settings.natPmpLimitMs);
}

void PortMapper::stop()
{
    m_renewal.stop();
    if (m_cancelled)
        m_cancelled->store(true);
    const State was = m_state;
    m_state = State::Idle;
    // A NAT-PMP request may have reached the router even if its answer has not come back.
    if (was == State::AskingNatPmp || (was == State::Mapped && m_current.method == Method::NatPmp))
        m_natPmp->release(m_base.internalPort);
    if (was == State::Mapped && m_current.method == Method::Upnp) {
        onWorker<int>(
            this, [gateway = m_gateway, port = m_current.externalPort] { return upnpDelete(gateway, port); },
            [this](int) { Q_EMIT released(); });
        return;
    }
    // A UPnP request under way deletes its own mapping once it sees the cancellation.
    QTimer::singleShot(0, this, &PortMapper::released);
}

void PortMapper::onNatPmp(const NatPmpAnswer &answer)
{
    const PortMapping mapping = readNatPmpAnswer(answer, m_base);
    if (m_state == State::Mapped) {
        if (mapping.kind != PortMapping::Kind::Mapped) {
            renewalFailed(mapping);
            return;
        }
        m_current = mapping;
        scheduleRenewal();
        Q_EMIT renewed(m_current);
        return;
    }
    if (m_state != State::AskingNatPmp)
        return;
    switch (mapping.kind) {
    case PortMapping::Kind::Mapped:
    case PortMapping::Kind::SharedAddress: settle(mapping); return;
    case PortMapping::Kind::Refused:
        // Some routers refuse NAT-PMP and take UPnP; the refusal is told if UPnP finds nobody.
        m_natPmpRefusal = mapping;
        askUpnp();
        return;
    case PortMapping::Kind::NoRouter: askUpnp(); return;
    }
}

void PortMapper::askUpnp()
{
    if (!m_settings.useUpnp) {
        settle(m_natPmpRefusal.value_or(readUpnpAnswer(UpnpAnswer(), m_base)));
        return;
    }
    m_state = State::AskingUpnp;
    UpnpRequest request;
    request.descriptionUrl = m_settings.igdDescriptionUrl;
    request.discoveryMs = m_settings.upnpDiscoveryMs;
    request.internalPort = m_base.internalPort;
    request.lastExternalPort = m_settings.lastPort;
    request.leaseSeconds = m_settings.leaseSeconds;
    onWorker<UpnpResult>(
        this, [request, cancelled = m_cancelled] { return upnpMap(request, cancelled); },
        [this, cancelled = m_cancelled](const UpnpResult &result) {
            if (cancelled == m_cancelled && m_state == State::AskingUpnp) {
                onUpnp(result);
                return;
            }
            // Stopped while the worker asked, and the mapping stood before it saw that.
            if (result.answer.found && result.answer.error == 0 && result.answer.externalPort != 0)
                (void)QtConcurrent::run(upnpDelete, result.gateway, result.answer.externalPort);
        });
}

void PortMapper::onUpnp(const UpnpResult &result)
{
    PortMapping mapping = readUpnpAnswer(result.answer, m_base);
    if (mapping.kind == PortMapping::Kind::NoRouter && m_natPmpRefusal)
        mapping = *m_natPmpRefusal;
    if (mapping.kind == PortMapping::Kind::Mapped)
        m_gateway = result.gateway;
    settle(mapping);
}

void PortMapper::settle(const PortMapping &mapping)
{
    m_current = mapping;
    m_state = mapping.kind == PortMapping::Kind::Mapped ? State::Mapped : State::Idle;
    if (m_state == State::Mapped)
        scheduleRenewal();
    Q_EMIT outcome(mapping);
}

void PortMapper::scheduleRenewal()
{
    // A permanent mapping needs no renewal; any other is renewed at half its lease.
    if (m_current.leaseSeconds == 0)
        return;
    const quint32 seconds = qMin(m_current.leaseSeconds, kLongestRenewalSeconds);
    m_renewal.start(std::chrono::milliseconds(qint64(seconds) * 500));
}

void PortMapper::renew()
{
    if (m_state != State::Mapped)
        return;
    if (m_current.method == Method::NatPmp) {
        m_natPmp->map(m_base.internalPort, m_current.externalPort, m_settings.leaseSeconds, m_settings.natPmpLimitMs);
        return;
    }
    onWorker<int>(
        this,
        [gateway = m_gateway, external = m_current.externalPort, internal = m_base.internalPort,
         lease = m_current.leaseSeconds] { return upnpRenew(gateway, external, internal, lease); },
        [this, cancelled = m_cancelled](int error) {
            if (cancelled == m_cancelled && m_state == State::Mapped)
                onUpnpRenewed(error);
        });
}

void PortMapper::onUpnpRenewed(int error)
{
    if (error != 0) {
        UpnpAnswer answer;
        answer.found = true;
        answer.error = error;
        answer.errorText = upnpErrorText(error);
        answer.lastPortTried = m_current.externalPort;
        renewalFailed(readUpnpAnswer(answer, m_base));
        return;
    }
    scheduleRenewal();
    Q_EMIT renewed(m_current);
}

void PortMapper::renewalFailed(const PortMapping &failure)
{
    // The mapping may still stand until its lease ends: keep it (stop() deletes it) and
    // try again at half the time.
    Q_EMIT outcome(failure);
    const quint32 seconds = qMax<quint32>(1, qMin(m_current.leaseSeconds, kLongestRenewalSeconds) / 4);
    m_renewal.start(std::chrono::milliseconds(qint64(seconds) * 1000));
}

}  // namespace portmap
