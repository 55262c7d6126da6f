// How long the event loop stalls while the port mapping asks a router that never answers:
// NAT-PMP to a gateway on loopback that reads nothing (the whole NAT-PMP share of the
// time, libnatpmp's retries included), then UPnP discovery by multicast on the worker. A
// 1 ms timer ticks all along; the longest gap between two ticks is the stall a player
// would feel. Usage: bench_portmap [--runs N]
#include "portmap/PortMapper.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <vector>

namespace {

struct Run {
    qint64 totalMs = 0;
    qint64 longestGapMs = 0;
    qint64 ticks = 0;
    portmap::PortMapping::Kind kind = portmap::PortMapping::Kind::Mapped;
};

// A gateway that never answers: a socket bound to libnatpmp's port on an address of its own.
std::unique_ptr<QUdpSocket> silentGateway()
{
    auto socket = std::make_unique<QUdpSocket>();
    for (int attempt = 0; attempt < 20 && socket->state() != QAbstractSocket::BoundState; ++attempt)
        socket->bind(QHostAddress(0x7F000000u | QRandomGenerator::global()->bounded(1u, 0xFFFFFEu)), 5351);
    return socket;
}

Run measure()
{
    const std::unique_ptr<QUdpSocket> gateway = silentGateway();
    portmap::PortMapperSettings settings;
    settings.natPmpGateway = gateway->localAddress();
    portmap::PortMapper mapper(settings);

    Run run;
    QElapsedTimer clock;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    qint64 last = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        run.longestGapMs = std::max(run.longestGapMs, now - last);
        last = now;
        ++run.ticks;
    });
    QEventLoop loop;
    QObject::connect(&mapper, &portmap::PortMapper::outcome, &loop, [&](const portmap::PortMapping &mapping) {
        run.kind = mapping.kind;
        loop.quit();
    });
    clock.start();
    ticker.start();
    mapper.start(7772);
    loop.exec();
    run.totalMs = clock.elapsed();
    return run;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int runs = 5;
    const QStringList arguments = app.arguments();
    const qsizetype at = arguments.indexOf(QStringLiteral("--runs"));
    if (at >= 0 && at + 1 < arguments.size())
        runs = std::max(1, arguments.at(at + 1).toInt());

    QTextStream out(stdout);
    std::vector<qint64> gaps;
    for (int i = 0; i < runs; ++i) {
        const Run run = measure();
        gaps.push_back(run.longestGapMs);
        out << "run " << i + 1 << ": outcome after " << run.totalMs << " ms ("
            << (run.kind == portmap::PortMapping::Kind::NoRouter ? "no router" : "a router answered") << "), "
            << run.ticks << " ticks, longest gap " << run.longestGapMs << " ms\n";
        out.flush();
    }
    std::sort(gaps.begin(), gaps.end());
    out << "longest gap: median " << gaps[gaps.size() / 2] << " ms, worst " << gaps.back() << " ms (target 50 ms)\n";
    return gaps.back() <= 50 ? 0 : 1;
}
