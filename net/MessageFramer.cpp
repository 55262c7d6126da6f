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
        if (m_skipping > 0) {
            // The terminator of an over-long message: it is over, the next one counts.
            m_skipping = 0;
            ++m_skippedMessages;
        } else {
            const qsizetype length = m_pending.size() + (end - start);
            if (length > kMaxMessageSize) {
                ++m_skippedMessages;
            } else if (m_pending.isEmpty()) {
                messages.append(bytes.mid(start, end - start));
            } else {
                m_pending.append(bytes.constData() + start, end - start);
                messages.append(m_pending);
            }
            m_pending.clear();
        }
        start = end + 1;
        end = bytes.indexOf(kTerminator, start);
    }
    const qsizetype tail = bytes.size() - start;
    if (m_skipping > 0)
        return startSkipping(m_skipping + tail);
    if (m_pending.size() + tail > kMaxMessageSize)
        return startSkipping(m_pending.size() + tail);
    m_pending.append(bytes.constData() + start, tail);
    return true;
}

bool MessageFramer::startSkipping(qsizetype length)
{
    m_pending.clear();
    m_pending.squeeze();
    m_skipping = length;
    if (m_skipping > kMaxUnterminated) {
        m_broken = true;
        m_skipping = 0;
        return false;
    }
    return true;
}

void MessageFramer::clear()
{
    m_pending.clear();
    m_skipping = 0;
    m_broken = false;
}

}  // namespace net
