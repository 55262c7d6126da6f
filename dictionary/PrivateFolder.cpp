// Owner and mode checks of folders; see PrivateFolder.h.
#include "dictionary/PrivateFolder.h"

#include "dictionary/DictionaryLog.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
#ifdef Q_OS_UNIX
// The folder itself, never what a link points at: a link planted by another user
// could point anywhere.
bool folderStatus(const QString &folder, struct stat *info)
{
    return ::lstat(QFile::encodeName(folder).constData(), info) == 0 && S_ISDIR(info->st_mode);
}
#endif
}  // namespace

bool PrivateFolder::isPrivate(const QString &folder)
{
#ifdef Q_OS_UNIX
    struct stat info { };
    return folderStatus(folder, &info) && info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
#else
    return QDir(folder).exists();
#endif
}

bool PrivateFolder::onlyOwnerWrites(const QString &folder)
{
#ifdef Q_OS_UNIX
    struct stat info { };
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    return (info.st_uid == ::geteuid() || info.st_uid == 0) && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
#else
    return QDir(folder).exists();
#endif
}

QString PrivateFolder::inside(const QString &parent)
{
#ifdef Q_OS_UNIX
    const QString folder = QDir(parent).filePath(QStringLiteral("quarn-%1").arg(::geteuid()));
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST) {
        qCWarning(lcDictionary).noquote() << "cannot create" << folder << ":" << std::strerror(errno);
        return {};
    }
#else
    const QString folder = QDir(parent).filePath(QStringLiteral("quarn"));
    QDir().mkpath(folder);
#endif
    if (!isPrivate(folder)) {
        qCWarning(lcDictionary).noquote() << folder << "is not a folder of this user's alone; it is not used";
        return {};
    }
    return folder;
}

QString PrivateFolder::runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivate(runtime))
        return runtime;
    return inside(QDir::tempPath());
}
