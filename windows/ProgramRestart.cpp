// The restart of the program with a new command line and port.
#include "windows/ProgramRestart.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

bool ProgramRestart::start(const QStringList &arguments, quint16 port, const QString &program)
{
    QProcess process;
    process.setProgram(program.isEmpty() ? QCoreApplication::applicationFilePath() : program);
    process.setArguments(arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUARN_PORT"), QString::number(port));
    process.setProcessEnvironment(environment);
    return process.startDetached();
}
