// quarn-host: the game host without any window, for servers and automated tests.
// It writes the word list to the working folder, listens on the given port (7772 by
// default), and treats its first connection as the hosting player (slot 1). The computer
// opponent is Classic unless --computer strong is given. With --map-port it asks the
// router to forward the port and prints what the router answered (the address to give on
// standard output, anything else on standard error). SIGINT and SIGTERM close every
// connection, delete the router's mapping and the word-list file before it exits.
#include "dictionary/TDictn.h"
#include "host/HostEngine.h"
#include "host/HostOptions.h"
#include "net/Catalogue.h"
#include "portmap/PortMapper.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <csignal>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

// Async-signal-safe: one write to the pipe; the event loop does the rest.
void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

bool installSignalHandlers()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGINT, &action, nullptr) == 0 && ::sigaction(SIGTERM, &action, nullptr) == 0;
}

// How long shutdown waits for the last messages to leave.
constexpr int kShutdownGraceMs = 2000;

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quarn-host"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(net::kVersion));
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Quarn game host without a window. The first participant to connect takes slot 1 and\n"
                       "leads the game: File > Start Game (or the Start Game button) starts a game, and the\n"
                       "name menu and the spy list remove participants. Join with: quarn NAME ADDRESS false"));
    parser.addHelpOption();
    parser.addVersionOption();
    addHostOptions(parser);
    parser.process(app);

    QString error;
    const std::optional<HostOptions> options = readHostOptions(parser, &error);
    if (!options) {
        err << "quarn-host: " << error << '\n';
        return 2;
    }
    if (!installSignalHandlers()) {
        err << "quarn-host: cannot install the signal handlers\n";
        return 1;
    }

    HostEngine engine;
    if (!engine.dictionary().isOpen()) {
        err << "quarn-host: " << engine.dictionary().errorText() << '\n';
        return 1;
    }
    if (!engine.setComputerLevel(options->level)) {
        err << "quarn-host: the Strong computer cannot read the word list\n";
        return 1;
    }
    if (!engine.listen(options->port)) {
        err << "quarn-host: " << engine.errorString() << '\n';
        return 1;
    }
    err << "quarn-host: listening on port " << engine.serverPort() << '\n';
    err.flush();

    std::unique_ptr<portmap::PortMapper> mapper;
    if (options->mapPort) {
        mapper = std::make_unique<portmap::PortMapper>();
        QObject::connect(mapper.get(), &portmap::PortMapper::outcome, &app, [](const portmap::PortMapping &mapping) {
            const bool mapped = mapping.kind == portmap::PortMapping::Kind::Mapped;
            QTextStream stream(mapped ? stdout : stderr);
            stream << "quarn-host: " << mapping.text() << '\n';
        });
        mapper->start(engine.serverPort());
    }

    // Shutdown ends when every connection has closed and the router has been told, or
    // after the grace time.
    int pending = 0;
    const auto oneDone = [&] {
        if (--pending == 0)
            QCoreApplication::quit();
    };
    QSocketNotifier notifier(signalPipe[1], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, [&] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[1], &byte, 1);
        notifier.setEnabled(false);
        pending = mapper ? 2 : 1;
        QObject::connect(&engine, &HostEngine::finished, &app, oneDone);
        QTimer::singleShot(kShutdownGraceMs, &app, &QCoreApplication::quit);
        if (mapper) {
            QObject::connect(mapper.get(), &portmap::PortMapper::released, &app, oneDone);
            mapper->stop();
        }
        engine.closeAll();
    });

    const int result = app.exec();
    // The engine's destructor deletes the word-list file; the mapper's deletes a mapping
    // still standing (the grace time ran out first).
    return result;
}
