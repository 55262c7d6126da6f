// Cuts a received byte stream into whole messages at the terminator byte 0xFF.
// Text after the last terminator of a read is kept and joined to the next read, so a
// message the network splits arrives whole.
//
// A message longer than kMaxMessageSize bytes is never kept: its bytes are dropped as
// they arrive, and when its terminator comes it is counted as skipped and the stream
// goes on with the next message. Only a stream that runs on for more than
// kMaxUnterminated bytes without any terminator counts as broken (the owner closes it).
// Memory held is therefore at most kMaxMessageSize bytes, whatever the peer sends.
#pragma once

#include <QByteArray>
#include <QList>

namespace net {

class MessageFramer {
public:
    // Longest message (terminator not counted) a peer may send.
    static constexpr qsizetype kMaxMessageSize = 64 * 1024;
    // Bytes without a terminator after which the stream is given up.
    static constexpr qsizetype kMaxUnterminated = 1024 * 1024;

    // Appends received bytes and moves every message they complete, in order and without
    // its terminator, to the end of `messages`. Returns false once the stream is broken;
    // from then on nothing more is produced.
    bool append(const QByteArray &bytes, QList<QByteArray> &messages);

    // Bytes of the message begun but not yet terminated (0 while skipping one).
    qsizetype pendingSize() const { return m_pending.size(); }
    bool broken() const { return m_broken; }
    // Over-long messages dropped so far.
    qsizetype skippedMessages() const { return m_skippedMessages; }
    // Forgets the pending tail, the skip and the broken state.
    void clear();

private:
    // Starts dropping the current message, which has reached `length` bytes.
    bool startSkipping(qsizetype length);

    QByteArray m_pending;
    qsizetype m_skipping = 0;  // bytes of the over-long message dropped so far; 0 = not skipping
    qsizetype m_skippedMessages = 0;
    bool m_broken = false;
};

}  // namespace net
