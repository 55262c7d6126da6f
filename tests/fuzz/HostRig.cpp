// The host session driven by decoded operations; see HostRig.h.
#include "HostRig.h"

#include "FuzzCheck.h"

#include "dictionary/TDictn.h"
#include "dictionary/Vocabulary.h"
#include "net/Message.h"
#include "net/MessageFramer.h"

#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace hostfuzz {

namespace {

void dropMessage(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "qFatal: %s\n", qPrintable(text));
        std::abort();
    }
}

// Characters of a text, a pair of surrogates counting as one.
qsizetype characters(const QString &text)
{
    qsizetype count = 0;
    for (const QChar c : text)
        count += c.isLowSurrogate() ? 0 : 1;
    return count;
}

struct Process {
    Process()
    {
        // Warnings about malformed requests are expected by the thousand; they are still
        // formatted (that code runs too), only not printed.
        qInstallMessageHandler(dropMessage);
        FUZZ_CHECK(folder.isValid());
        dictionary = std::make_unique<TDictn>(folder.path());
        FUZZ_CHECK(dictionary->isOpen());
        vocabulary = loadVocabulary();
        FUZZ_CHECK(!vocabulary.isEmpty());
    }

    QTemporaryDir folder;
    std::unique_ptr<TDictn> dictionary;
    QStringList vocabulary;
};

Process &process()
{
    static Process instance;
    return instance;
}

}  // namespace

TDictn &sharedDictionary()
{
    return *process().dictionary;
}

const QStringList &sharedVocabulary()
{
    return process().vocabulary;
}

Rig::Rig()
    : m_rules(m_table, *this, m_random, sharedDictionary(), m_turnClock)
    , m_computer(m_table, m_rules, sharedVocabulary())
    , m_session(m_table, m_rules, *this, [this] { return m_clockMs; })
{
    m_rules.setComputer(&m_computer);
}

Rig::~Rig()
{
    m_rules.setComputer(nullptr);
}

void Rig::accept()
{
    int lowestFree = 0;
    for (int slot = kMaxSlot; slot >= 1; --slot) {
        if (!m_open[size_t(slot)])
            lowestFree = slot;
    }
    const int slot = m_session.acceptParticipant();
    // The lowest free slot, or 0 (turned away) only when all nine are taken.
    FUZZ_CHECK(slot == lowestFree);
    if (slot != 0) {
        m_open[size_t(slot)] = true;
        m_session.welcome(slot);
    }
    settle();
}

void Rig::depart(int slot)
{
    if (!isOpen(slot))
        return;
    // As the network does: the slot is gone before the session hears of it.
    m_open[size_t(slot)] = false;
    m_closing.removeAll(slot);
    m_session.connectionClosed(slot);
    settle();
}

void Rig::tick(int count)
{
    for (int i = 0; i < count; ++i) {
        m_clockMs += 1000;
        m_rules.turntimerTimer();
        settle();
    }
}

void Rig::request(int sender, const QByteArray &message)
{
    if (!isOpen(sender))
        return;
    m_clockMs += 10;
    m_session.serveRequest(sender, message);
    settle();
}

void Rig::run(const uint8_t *data, size_t size)
{
    size_t at = 0;
    while (at < size) {
        const uint8_t code = data[at++];
        switch (code % 8) {
        case uint8_t(Op::Accept): accept(); break;
        case uint8_t(Op::Depart):
            if (at < size)
                depart(data[at++] % kMaxSlot + 1);
            break;
        case uint8_t(Op::Tick):
            if (at < size)
                tick(data[at++] % 16 + 1);
            break;
        default: {
            if (at >= size)
                break;
            const int sender = data[at++] % kMaxSlot + 1;
            const auto *end = static_cast<const uint8_t *>(std::memchr(data + at, 0xFF, size - at));
            const size_t length = end ? size_t(end - (data + at)) : size - at;
            request(sender, QByteArray(reinterpret_cast<const char *>(data + at), qsizetype(length)));
            at += length + (end ? 1 : 0);
            break;
        }
        }
    }
}

void Rig::sendToSlot(int slot, const QByteArray &message)
{
    // Only to a connection that is open, one whole message with its terminator at the
    // end and nowhere else, and no longer than a client's framer accepts.
    FUZZ_CHECK(slot >= 1 && slot <= kMaxSlot);
    FUZZ_CHECK(m_open[size_t(slot)]);
    FUZZ_CHECK(!message.isEmpty() && message.back() == net::kTerminator);
    FUZZ_CHECK(message.indexOf(net::kTerminator) == message.size() - 1);
    FUZZ_CHECK(message.size() - 1 <= net::MessageFramer::kMaxMessageSize);
    m_sent.append({slot, message});
}

void Rig::closeSlot(int slot)
{
    FUZZ_CHECK(slot >= 1 && slot <= kMaxSlot);
    FUZZ_CHECK(m_open[size_t(slot)]);
    if (!m_closing.contains(slot))
        m_closing.append(slot);
}

void Rig::settle()
{
    while (!m_closing.isEmpty())
        depart(m_closing.takeFirst());
    checkState();
}

void Rig::checkState() const
{
    const SeatTable &table = m_table;
    FUZZ_CHECK(table.whoseTurn() >= 0 && table.whoseTurn() <= 2);
    FUZZ_CHECK(table.seatsUsed() >= 0 && table.seatsUsed() <= kMaxSlot);
    if (table.gameInProgress())
        FUZZ_CHECK(table.whoseTurn() == 1 || table.whoseTurn() == 2);
    for (int slot = 1; slot <= kMaxSlot; ++slot) {
        const tplayer &player = table.player(slot);
        // The host's idea of who is connected is the network's.
        FUZZ_CHECK(player.connected == (m_open[size_t(slot)] ? 1 : 0));
        FUZZ_CHECK(table.isConnected(slot) == m_open[size_t(slot)]);
        if (m_open[size_t(slot)])
            FUZZ_CHECK(slot <= table.seatsUsed());
        FUZZ_CHECK(characters(player.name) <= HostSession::kMaxNameLength);
    }
    for (int seat = 1; seat <= 3; ++seat) {
        const tplayer &player = table.player(seat);
        for (int code : player.board)
            FUZZ_CHECK(code >= 0 && code <= 26);
        for (int code : player.extras)
            FUZZ_CHECK(code >= 0 && code <= 26);
        FUZZ_CHECK(player.board[0] == 0 && player.extras[0] == 0);
        FUZZ_CHECK(player.score >= 0 && player.steals >= 0);
    }
}

}  // namespace hostfuzz
