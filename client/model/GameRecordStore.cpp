// The folder of game records; see GameRecordStore.h.
#include "client/model/GameRecordStore.h"

#include "client/model/GameRecordWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

// The first bytes of a file, enough for any valid header.
constexpr qint64 kHeaderBytes = 4096;

}  // namespace

GameRecordStore::GameRecordStore(QString folder)
    : m_folder(folder.isEmpty() ? defaultFolder() : std::move(folder))
{
}

QString GameRecordStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/games");
}

QString GameRecordStore::save(const GameRecord &record, QString *error) const
{
    const auto failed = [error](const QString &why) {
        if (error)
            *error = why;
        return QString();
    };
    if (!QDir().mkpath(m_folder))
        return failed(QStringLiteral("the folder %1 cannot be made").arg(m_folder));
    const QString stem =
        m_folder + QStringLiteral("/game-") + record.header.date.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = stem + QLatin1StringView(kSuffix);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral("-%1").arg(n) + QLatin1StringView(kSuffix);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    file.write(GameRecordWriter::write(record));
    if (!file.commit())
        return failed(file.errorString());
    return path;
}

QList<GameRecordStore::Entry> GameRecordStore::list() const
{
    QList<Entry> entries;
    const QDir dir(m_folder);
    const QStringList names =
        dir.entryList({QStringLiteral("*") + QLatin1StringView(kSuffix)}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString &name : names) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const GameRecordReader::Result header = GameRecordReader::readHeader(file.read(kHeaderBytes));
        if (header.headerRead)
            entries.append({file.fileName(), header.record.header});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.header.date != b.header.date)
            return a.header.date > b.header.date;
        return a.path > b.path;
    });
    return entries;
}

bool GameRecordStore::remove(const QString &path) const
{
    const QFileInfo info(path);
    if (!path.endsWith(QLatin1StringView(kSuffix))
        || info.absoluteDir().canonicalPath() != QDir(m_folder).canonicalPath())
        return false;
    return QFile::remove(path);
}

GameRecordReader::Result GameRecordStore::open(const QString &path)
{
    GameRecordReader::Result result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("The file cannot be read: %1").arg(file.errorString());
        return result;
    }
    // One byte over the limit is enough to refuse it; a huge file is never read whole.
    const QByteArray bytes = file.read(GameRecordReader::kMaxBytes + 1);
    return GameRecordReader::read(bytes);
}
