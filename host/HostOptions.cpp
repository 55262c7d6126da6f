// The command line of quarn-host; see HostOptions.h.
#include "host/HostOptions.h"

#include <QCommandLineParser>

namespace {

const QString kPort = QStringLiteral("port");
const QString kComputer = QStringLiteral("computer");
const QString kMapPort = QStringLiteral("map-port");

}  // namespace

void addHostOptions(QCommandLineParser &parser)
{
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("p"), kPort},
                                        QStringLiteral("TCP port to listen on (default 7772)."), QStringLiteral("N"),
                                        QString::number(quarn::kPort)));
    parser.addOption(QCommandLineOption(kComputer,
                                        QStringLiteral("The computer opponent: classic (the default) or strong."),
                                        QStringLiteral("level"), QStringLiteral("classic")));
    parser.addOption(QCommandLineOption(kMapPort,
                                        QStringLiteral("Ask the router (NAT-PMP or UPnP) to forward the port "
                                                       "while the host runs, and say what it answered.")));
}

std::optional<HostOptions> readHostOptions(const QCommandLineParser &parser, QString *error)
{
    HostOptions options;
    bool ok = false;
    const QString port = parser.value(kPort);
    const uint number = port.toUInt(&ok);
    if (!ok || number > 65535) {
        if (error)
            *error = QStringLiteral("not a port number: %1").arg(port);
        return std::nullopt;
    }
    options.port = static_cast<quint16>(number);

    const QString level = parser.value(kComputer);
    const std::optional<ComputerLevel> chosen = computerLevelFromName(level);
    if (!chosen) {
        if (error)
            *error = QStringLiteral("unknown computer level: %1 (use classic or strong)").arg(level);
        return std::nullopt;
    }
    options.level = *chosen;
    options.mapPort = parser.isSet(kMapPort);
    return options;
}
