// The per-participant chat rate; see ChatRateLimit.h.
#include "host/ChatRateLimit.h"

#include <algorithm>

bool ChatRateLimit::allow(qint64 nowMs)
{
    if (m_started && nowMs > m_lastMs)
        m_tokens = std::min<qint64>(kBurst * kUnit, m_tokens + (nowMs - m_lastMs) * kPerSecond);
    if (!m_started || nowMs > m_lastMs)
        m_lastMs = nowMs;
    m_started = true;
    if (m_tokens < kUnit)
        return false;
    m_tokens -= kUnit;
    return true;
}

void ChatRateLimit::reset()
{
    *this = ChatRateLimit();
}
