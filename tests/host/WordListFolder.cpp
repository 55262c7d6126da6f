// Writes "English": one 15-byte record per word (0x1E, the upper-case word padded with
// spaces to 14 bytes), sorted and without repeats.
#include "WordListFolder.h"

#include <QDir>
#include <QFile>

WordListFolder::WordListFolder(const QStringList &words)
{
    QStringList upper;
    for (const QString &word : words)
        upper.append(word.toUpper());
    upper.sort();
    upper.removeDuplicates();
    QByteArray bytes;
    for (const QString &word : std::as_const(upper)) {
        bytes += char(0x1E);
        bytes += word.toLatin1().leftJustified(14, ' ', true);
    }
    QFile file(QDir(m_dir.path()).filePath(QStringLiteral("English")));
    m_written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
