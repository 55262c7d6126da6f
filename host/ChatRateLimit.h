// How much one participant may chat: a burst of kBurst lines, then kPerSecond lines a
// second (a token bucket). The host keeps one per slot, so a participant who chats
// faster than that has the excess dropped and cannot fill the others' connections.
#pragma once

#include <QtGlobal>

class ChatRateLimit {
public:
    static constexpr int kBurst = 20;
    static constexpr int kPerSecond = 5;

    // True when a line sent at `nowMs` (a monotonic clock) may be relayed; takes its token.
    bool allow(qint64 nowMs);
    // A fresh participant in the slot starts with a full burst.
    void reset();

private:
    // Tokens in thousandths of a line, so that refilling by the millisecond stays exact.
    static constexpr qint64 kUnit = 1000;
    qint64 m_tokens = kBurst * kUnit;
    qint64 m_lastMs = 0;
    bool m_started = false;
};
