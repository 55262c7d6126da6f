// Cutting the byte stream at the terminator; see MessageFramer.h.
#include "net/MessageFramer.h"

#include "net/Message.h"

namespace net {

bool MessageFramer::append(const QByteArray &bytes, QList<QByteArray> &messages)
{
    if (m_broken)
        return false;
    // Only the new bytes are searched: the pending tail is known to hold no terminator.
    qsizetype start = 0;
    qsizetype end = bytes.indexOf(kTerminator);
    while (end >= 0) {
        const qsizetype length = m_pending.size() + (end - start);
        if (length > kMaxMessageSize) {
            m_broken = true;
            m_pending.clear();
            return false;
        }
        if (m_pending.isEmpty()) {
            messages.append(bytes.mid(start, end - start));
        } else {
            m_pending.append(bytes.constData() + start, end - start);
            messages.append(m_pending);
            m_pending.clear();
        }
        start = end + 1;
        end = bytes.indexOf(kTerminator, start);
    }
    const qsizetype tail = bytes.size() - start;
    if (m_pending.size() + tail > kMaxMessageSize) {
        m_broken = true;
        m_pending.clear();
        return false;
    }
    m_pending.append(bytes.constData() + start, tail);
    return true;
}

void MessageFramer::clear()
{
    m_pending.clear();
    m_broken = false;
}

} // namespace net
