// One chat notice per file that could not be saved; see SaveFailureNotice.h.
#include "client/SaveFailureNotice.h"

#include "client/model/GameServices.h"

#include <QDir>

SaveFailureNotice::SaveFailureNotice(GameNotices &notices, QObject *parent)
    : QObject(parent)
    , m_notices(notices)
{
}

void SaveFailureNotice::saveFailed(const QString &path)
{
    if (m_reported.contains(path))
        return;
    m_reported.insert(path);
    m_notices.addnotice(
        QStringLiteral("Could not save %1 - changes to it are not kept.").arg(QDir::toNativeSeparators(path)));
}
