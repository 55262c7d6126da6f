// A trial save in a folder; see FolderProbe.h.
#include "client/FolderProbe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <cstdio>

bool FolderProbe::canReplaceFilesIn(const QString &folder)
{
    const QString pattern = QDir(folder).filePath(QStringLiteral(".quarn-probe-XXXXXX"));
    QTemporaryFile target(pattern);
    QTemporaryFile part(pattern);
    if (!target.open() || !part.open())
        return false;
    // The system's rename, as a save uses it: it replaces the target (Qt's refuses to).
    const bool replaced =
        std::rename(QFile::encodeName(part.fileName()).constData(), QFile::encodeName(target.fileName()).constData())
        == 0;
    // The part now lives under the target's name, which the target's removal takes away.
    if (replaced)
        part.setAutoRemove(false);
    return replaced;
}
