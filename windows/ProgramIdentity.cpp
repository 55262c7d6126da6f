// The program's name; see ProgramIdentity.h.
#include "windows/ProgramIdentity.h"

#include <QApplication>

void setProgramIdentity()
{
    QApplication::setApplicationName(QStringLiteral("Quarn"));
}
