// Network measurements: how many requests per second the host's queue and dispatcher
// can take when driven directly (no timer), how fast the framer cuts a read, and the
// time from a chat request on a loopback socket to its relay coming back.
#include "dictionary/TDictn.h"
#include "host/GameRules.h"
#include "host/HostEngine.h"
#include "host/HostSession.h"
#include "host/Random.h"
#include "host/SeatTable.h"
#include "host/SlotSink.h"
#include "host/TurnClock.h"
#include "net/Catalogue.h"
#include "net/MessageFramer.h"
#include "net/MessageQueue.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace std::chrono_literals;

class CountingSink : public SlotSink {
public:
    void sendToSlot(int, const QByteArray &message) override { bytes += message.size(); }
    void closeSlot(int) override { }
    qint64 bytes = 0;
};

// Queue and dispatch of chat requests from three logged-in participants, each relayed
// to all three: the host's work per request without the 10 ms tick.
void BM_HostQueueChatRelay(benchmark::State &state)
{
    QTemporaryDir dir;
    Random random(1);
    CountingSink sink;
    TDictn dictionary(dir.path());
    SeatTable table;
    TurnClock clock;
    GameRules rules(table, sink, random, dictionary, clock);
    HostSession session(table, rules, sink);
    for (int slot = 1; slot <= 3; ++slot) {
        session.acceptParticipant();
        session.serveRequest(slot, net::toHost::logininfo(slot, net::kVersion, QStringLiteral("Player")).chopped(2));
    }
    net::MessageQueue queue(10ms);
    QObject::connect(&queue, &net::MessageQueue::messageTaken, &queue,
                     [&](quint64 source, const QByteArray &message) { session.serveRequest(int(source), message); });
    const QByteArray request =
        net::toHost::chat(2, QStringLiteral("good move, well played"), QStringLiteral("clBlack")).chopped(1);
    for (auto _ : state) {
        queue.append(2, request);
        queue.processNext();
    }
    state.SetItemsProcessed(state.iterations());
    benchmark::DoNotOptimize(sink.bytes);
}
BENCHMARK(BM_HostQueueChatRelay);

// Cutting a 32 KiB read full of typical requests into messages.
void BM_FramerCutsARead(benchmark::State &state)
{
    QByteArray read;
    const QByteArray request = net::toHost::placemyletter(1, 3, 7);
    while (read.size() + request.size() <= 32768)
        read += request;
    qint64 messages = 0;
    for (auto _ : state) {
        net::MessageFramer framer;
        QList<QByteArray> out;
        framer.append(read, out);
        messages += out.size();
    }
    state.SetItemsProcessed(messages);
    state.SetBytesProcessed(state.iterations() * read.size());
}
BENCHMARK(BM_FramerCutsARead);

// A chat request written on loopback until its relay is read back by the speaker:
// includes the wait for the next 10 ms tick of the host's message timer.
void BM_ChatRoundTripOnLoopback(benchmark::State &state)
{
    QTemporaryDir dir;
    HostEngine engine(dir.path(), nullptr, std::make_unique<Random>(1));
    if (!engine.listen(0, QHostAddress::LocalHost)) {
        state.SkipWithError("cannot listen");
        return;
    }
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, engine.serverPort());
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    QByteArray received;
    const auto waitFor = [&](const QByteArray &needle) {
        while (!received.contains(needle)) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            received += socket.readAll();
        }
    };
    waitFor(net::toClient::sendlogininfo(1));
    socket.write(net::toHost::logininfo(1, net::kVersion, QStringLiteral("Bench")));
    waitFor(net::toClient::newplayerinfo(1, QStringLiteral("Bench")));
    const QByteArray request = net::toHost::chat(1, QStringLiteral("ping"), QStringLiteral("clBlack"));
    const QByteArray relay = net::toClient::chat(1, QStringLiteral("Bench"), QStringLiteral("ping|clBlack"));
    for (auto _ : state) {
        received.clear();
        socket.write(request);
        waitFor(relay);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ChatRoundTripOnLoopback)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
