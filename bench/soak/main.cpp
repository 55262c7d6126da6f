// quarn-soak: a long run of games and chat against the headless host, with figures.
// It starts quarn-host on a free loopback port, plays and chats with nine participants
// for --duration seconds, and exits 0 when every target was met, else 1.
#include "bench/soak/SoakRun.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <QTimer>

namespace {

bool readInt(const QCommandLineParser &parser, const QCommandLineOption &option, int low, int high, int &value)
{
    bool ok = false;
    const int read = parser.value(option).toInt(&ok);
    if (!ok || read < low || read > high) {
        QTextStream(stderr) << "quarn-soak: --" << option.names().constLast() << " wants a number from " << low
                            << " to " << high << ", not " << parser.value(option) << '\n';
        return false;
    }
    value = read;
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quarn-soak"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Soak of the headless Quarn host: two players play game after game and seven spectators chat, "
                       "all over loopback, while the host's latency and memory are measured."));
    parser.addHelpOption();
    const QString defaultHost =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../../host/quarn-host"));
    const QCommandLineOption durationOption(QStringLiteral("duration"), QStringLiteral("Seconds of play (default 60)."),
                                            QStringLiteral("seconds"), QStringLiteral("60"));
    const QCommandLineOption hostOption(QStringLiteral("host-binary"),
                                        QStringLiteral("The quarn-host program (default %1).").arg(defaultHost),
                                        QStringLiteral("path"), defaultHost);
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Seed of the players' and speakers' choices (default 1)."),
                                        QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption reportOption(QStringLiteral("report"),
                                          QStringLiteral("Also write the figures to this file, as Markdown."),
                                          QStringLiteral("file"));
    const QCommandLineOption playToOption(QStringLiteral("play-to"),
                                          QStringLiteral("Score that wins a game (default 30)."),
                                          QStringLiteral("points"), QStringLiteral("30"));
    const QCommandLineOption chatRateOption(QStringLiteral("chat-rate"),
                                            QStringLiteral("Chat lines a second per spectator (default 5)."),
                                            QStringLiteral("lines"), QStringLiteral("5"));
    parser.addOptions({durationOption, hostOption, seedOption, reportOption, playToOption, chatRateOption});
    parser.process(app);

    soak::SoakOptions options;
    int seed = 1;
    int chatRate = 5;
    if (!readInt(parser, durationOption, 1, 7 * 24 * 3600, options.durationSeconds)
        || !readInt(parser, seedOption, 0, std::numeric_limits<int>::max(), seed)
        || !readInt(parser, playToOption, 1, 10000, options.game.playToScore)
        || !readInt(parser, chatRateOption, 1, 1000, chatRate))
        return 2;
    options.seed = static_cast<quint32>(seed);
    options.chatLinesPerSecond = chatRate;
    options.hostBinary = parser.value(hostOption);
    options.reportPath = parser.value(reportOption);

    soak::SoakRun run(options);
    QObject::connect(&run, &soak::SoakRun::done, &app, [](int code) { QCoreApplication::exit(code); });
    QTimer::singleShot(0, &run, &soak::SoakRun::start);
    return app.exec();
}
