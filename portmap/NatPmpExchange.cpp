// NAT-PMP through libnatpmp on the event loop; see NatPmpExchange.h.
#include "portmap/NatPmpExchange.h"

#include <QSocketNotifier>

#include <natpmp.h>

#include <arpa/inet.h>
#include <sys/time.h>

namespace portmap {

struct NatPmpExchange::Handle {
    natpmp_t natpmp = {};
};

NatPmpExchange::NatPmpExchange(const QHostAddress &gateway, QObject *parent)
    : QObject(parent)
    , m_gateway(gateway)
{
    m_retry.setSingleShot(true);
    m_limit.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &NatPmpExchange::onActivity);
    connect(&m_limit, &QTimer::timeout, this, [this] { finish(false); });
}

NatPmpExchange::~NatPmpExchange()
{
    if (m_handle)
        closenatpmp(&m_handle->natpmp);
}

bool NatPmpExchange::open()
{
    if (m_handle)
        return true;
    auto handle = std::make_unique<Handle>();
    const bool forced = !m_gateway.isNull();
    const in_addr_t gateway = forced ? htonl(m_gateway.toIPv4Address()) : 0;
    if (initnatpmp(&handle->natpmp, forced ? 1 : 0, gateway) < 0)
        return false;
    m_handle = std::move(handle);
    m_notifier = new QSocketNotifier(m_handle->natpmp.s, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &NatPmpExchange::onActivity);
    return true;
}

void NatPmpExchange::map(quint16 internalPort, quint16 externalPort, quint32 leaseSeconds, int limitMs)
{
    m_internalPort = internalPort;
    m_externalPort = externalPort;
    m_lease = leaseSeconds;
    m_answer = NatPmpAnswer();
    m_limit.start(limitMs);
    if (!open()) {
        finish(false);
        return;
    }
    m_step = Step::Address;
    sendCurrent();
}

void NatPmpExchange::release(quint16 internalPort)
{
    cancel();
    if (open())
        sendnewportmappingrequest(&m_handle->natpmp, NATPMP_PROTOCOL_TCP, internalPort, 0, 0);
}

void NatPmpExchange::cancel()
{
    m_step = Step::Idle;
    m_retry.stop();
    m_limit.stop();
}

void NatPmpExchange::sendCurrent()
{
    const int sent = m_step == Step::Address
        ? sendpublicaddressrequest(&m_handle->natpmp)
        : sendnewportmappingrequest(&m_handle->natpmp, NATPMP_PROTOCOL_TCP, m_internalPort, m_externalPort, m_lease);
    if (sent < 0) {
        finish(false);
        return;
    }
    armRetry();
}

void NatPmpExchange::armRetry()
{
    timeval wait = {};
    if (getnatpmprequesttimeout(&m_handle->natpmp, &wait) < 0) {
        wait.tv_sec = 0;
        wait.tv_usec = 0;
    }
    const qint64 ms = qMax<qint64>(0, qint64(wait.tv_sec) * 1000 + wait.tv_usec / 1000);
    m_retry.start(int(qMin<qint64>(ms, 60000)));
}

void NatPmpExchange::onActivity()
{
    if (m_step == Step::Idle || !m_handle) {
        // A late answer or an error report after the conversation ended: read it away.
        if (m_handle) {
            natpmpresp_t stale = {};
            readnatpmpresponseorretry(&m_handle->natpmp, &stale);
        }
        return;
    }
    natpmpresp_t response = {};
    const int result = readnatpmpresponseorretry(&m_handle->natpmp, &response);
    switch (result) {
    case 0: break;
    case NATPMP_TRYAGAIN:
    case NATPMP_ERR_WRONGPACKETSOURCE: armRetry(); return;
    // The gateway answered and said no: its code is in the response.
    case NATPMP_ERR_UNSUPPORTEDVERSION:
    case NATPMP_ERR_UNSUPPORTEDOPCODE:
    case NATPMP_ERR_UNDEFINEDERROR:
    case NATPMP_ERR_NOTAUTHORIZED:
    case NATPMP_ERR_NETWORKFAILURE:
    case NATPMP_ERR_OUTOFRESOURCES:
        finish(true,
               response.resultcode != 0 ? response.resultcode : (result == NATPMP_ERR_UNSUPPORTEDVERSION ? 1 : 5));
        return;
    default:
        // Refused by the system (nobody on the port), too many tries, a socket error.
        finish(false);
        return;
    }

    if (m_step == Step::Address) {
        if (response.type != NATPMP_RESPTYPE_PUBLICADDRESS) {
            sendCurrent();  // an answer to an earlier request
            return;
        }
        m_answer.publicAddress = ntohl(response.pnu.publicaddress.addr.s_addr);
        if (addressScope(QHostAddress(m_answer.publicAddress)) != AddressScope::Public) {
            finish(true);
            return;
        }
        m_step = Step::Mapping;
        sendCurrent();
        return;
    }
    if (response.type != NATPMP_RESPTYPE_TCPPORTMAPPING || response.pnu.newportmapping.privateport != m_internalPort) {
        sendCurrent();
        return;
    }
    m_answer.mappedPort = response.pnu.newportmapping.mappedpublicport;
    m_answer.lifetime = response.pnu.newportmapping.lifetime;
    finish(true);
}

void NatPmpExchange::finish(bool answered, int resultCode)
{
    if (m_step == Step::Idle && answered)
        return;
    cancel();
    m_answer.answered = answered;
    m_answer.resultCode = resultCode;
    Q_EMIT finished(m_answer);
}

}  // namespace portmap
