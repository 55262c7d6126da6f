// Starting another program: the lobby program, or the lobby's installer once it has
// been downloaded and checked. The default starts it detached (QProcess::startDetached),
// so that it outlives this program; tests put a recording one in its place.
#pragma once

#include <QString>
#include <QStringList>

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;

    // True when `path` names an existing file.
    virtual bool exists(const QString &path) const;
    // Starts `program` with `arguments`, detached; false when it could not be started.
    virtual bool start(const QString &program, const QStringList &arguments);

    // The process-wide default starter.
    static ProgramStarter &system();
};
