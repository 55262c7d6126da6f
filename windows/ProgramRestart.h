// Starting this program again as the lobby program would start it: with a command line
// of name, address and mode, and the game's port in QUARN_PORT. "Play with Others" ends
// the running program this way once its settings and tally are saved and its guard is
// free; the new copy is on its own (detached) and outlives this one.
#pragma once

#include <QString>
#include <QStringList>

namespace ProgramRestart {

// Starts `program` (empty = this program's own file) with `arguments` and QUARN_PORT set
// to `port` in its environment; false when it could not be started.
bool start(const QStringList &arguments, quint16 port, const QString &program = QString());

}  // namespace ProgramRestart
