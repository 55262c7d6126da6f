// The program's name; see ProgramIdentity.h.
#include "windows/ProgramIdentity.h"

#include <QApplication>

void setProgramIdentity()
{
    QApplication::setApplicationName(QStringLiteral("Quarn"));
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.korvex.Quarn"));
}
