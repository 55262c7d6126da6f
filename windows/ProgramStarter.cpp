// The default program starter: the file system and QProcess.
#include "windows/ProgramStarter.h"

#include <QFileInfo>
#include <QProcess>

bool ProgramStarter::exists(const QString &path) const
{
    return QFileInfo(path).isFile();
}

bool ProgramStarter::start(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

ProgramStarter &ProgramStarter::system()
{
    static ProgramStarter starter;
    return starter;
}
