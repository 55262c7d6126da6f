// The command line of quarn-host: the port to listen on, the computer opponent's level and
// whether to ask the router to forward the port.
// Kept apart from main() so that the rules for the values can be tested without a process.
#pragma once

#include "host/ComputerLevel.h"
#include "net/GameFacts.h"

#include <QString>

#include <optional>

class QCommandLineParser;

struct HostOptions {
    quint16 port = quarn::kPort;
    ComputerLevel level = ComputerLevel::Classic;
    bool mapPort = false;  // ask the router for the port (--map-port)
};

// Declares --port (-p), --computer and --map-port on `parser`.
void addHostOptions(QCommandLineParser &parser);
// The values of a parser that has read the arguments. A value that is not accepted gives
// nothing and `error` a line for the user, e.g. "unknown computer level: hard (use
// classic or strong)".
std::optional<HostOptions> readHostOptions(const QCommandLineParser &parser, QString *error);
