// Cuts a received byte stream into whole messages at the terminator byte 0xFF.
// Text after the last terminator of a read is kept and joined to the next read, so a
// message the network splits arrives whole. A message may not grow beyond
// kMaxMessageSize bytes; a longer one marks the stream as broken (the owner closes it).
#pragma once

#include <QByteArray>
#include <QList>

namespace net {

class MessageFramer {
public:
    // Longest message (terminator not counted) a peer may send.
    static constexpr qsizetype kMaxMessageSize = 64 * 1024;

    // Appends received bytes and moves every message they complete, in order and without
    // its terminator, to the end of `messages`. Returns false once the stream is broken
    // (a message longer than kMaxMessageSize); from then on nothing more is produced.
    bool append(const QByteArray &bytes, QList<QByteArray> &messages);

    // Bytes of the message begun but not yet terminated.
    qsizetype pendingSize() const { return m_pending.size(); }
    bool broken() const { return m_broken; }
    // Forgets the pending tail and the broken state.
    void clear();

private:
    QByteArray m_pending;
    bool m_broken = false;
};

} // namespace net
