// Sections-and-keys settings file kept line by line; see ProfileFile.h.
#include "client/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <optional>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool isComment(const QByteArray &trimmed)
{
    return trimmed.startsWith(';') || trimmed.startsWith('#');
}

// The name inside "[...]", or nothing when the line is no section header.
std::optional<QByteArray> sectionName(const QByteArray &line)
{
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('['))
        return std::nullopt;
    const int close = trimmed.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

}  // namespace

ProfileFile::ProfileFile(QString path)
    : m_path(std::move(path))
{
}

QString ProfileFile::decode(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes);
}

bool ProfileFile::load()
{
    m_bom.clear();
    m_lines.clear();
    m_latin1 = false;
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    file.close();

    if (bytes.startsWith(kUtf8Bom)) {
        m_bom = kUtf8Bom;
        bytes.remove(0, kUtf8Bom.size());
    }
    // A file written by a program of the older desktop may be in a single-byte code page.
    // Stateless: a sequence cut off at the end of the file counts as invalid, so such a
    // file is read as Latin-1 like any other that is not UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    Q_UNUSED(decoded)
    m_latin1 = utf8.hasError();

    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        if (newline < 0) {
            m_lines.append({bytes.mid(start), QByteArray()});
            break;
        }
        const bool crlf = newline > start && bytes.at(newline - 1) == '\r';
        const qsizetype end = crlf ? newline - 1 : newline;
        m_lines.append({bytes.mid(start, end - start), crlf ? QByteArray("\r\n") : QByteArray("\n")});
        start = newline + 1;
    }
    return true;
}

int ProfileFile::findSection(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const std::optional<QByteArray> name = sectionName(m_lines[i].text);
        if (name && decode(*name).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int ProfileFile::findKey(int header, const QString &key) const
{
    for (int i = header + 1; i < m_lines.size(); ++i) {
        const QByteArray &text = m_lines[i].text;
        if (sectionName(text))
            return -1;
        const QByteArray trimmed = text.trimmed();
        if (trimmed.isEmpty() || isComment(trimmed))
            continue;
        const int equals = text.indexOf('=');
        if (equals < 0)
            continue;
        if (decode(text.left(equals).trimmed()).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int ProfileFile::sectionInsertPoint(int header) const
{
    int insertAt = header + 1;
    for (int i = header + 1; i < m_lines.size() && !sectionName(m_lines[i].text); ++i) {
        if (!m_lines[i].text.trimmed().isEmpty())
            insertAt = i + 1;
    }
    return insertAt;
}

QString ProfileFile::value(const QString &section, const QString &key, const QString &fallback) const
{
    const int header = findSection(section);
    if (header < 0)
        return fallback;
    const int line = findKey(header, key);
    if (line < 0)
        return fallback;
    const QByteArray &text = m_lines[line].text;
    const QByteArray raw = text.mid(text.indexOf('=') + 1).trimmed();
    return m_latin1 ? QString::fromLatin1(raw) : QString::fromUtf8(raw);
}

bool ProfileFile::contains(const QString &section, const QString &key) const
{
    const int header = findSection(section);
    return header >= 0 && findKey(header, key) >= 0;
}

QByteArray ProfileFile::newLineEnd() const
{
    for (const Line &line : m_lines) {
        if (!line.lineEnd.isEmpty())
            return line.lineEnd;
    }
    return QByteArrayLiteral("\r\n");
}

void ProfileFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QByteArray encoded = m_latin1 ? value.toLatin1() : value.toUtf8();
    const QByteArray eol = newLineEnd();
    int header = findSection(section);
    if (header < 0) {
        if (!m_lines.isEmpty() && m_lines.last().lineEnd.isEmpty())
            m_lines.last().lineEnd = eol;
        m_lines.append({'[' + (m_latin1 ? section.toLatin1() : section.toUtf8()) + ']', eol});
        header = int(m_lines.size()) - 1;
    }
    const int existing = findKey(header, key);
    if (existing >= 0) {
        // Keep the key as spelled and the spacing up to the value.
        QByteArray &text = m_lines[existing].text;
        int valueStart = text.indexOf('=') + 1;
        while (valueStart < text.size() && (text.at(valueStart) == ' ' || text.at(valueStart) == '\t'))
            ++valueStart;
        text = text.left(valueStart) + encoded;
        return;
    }
    const int insertAt = sectionInsertPoint(header);
    const QByteArray keyBytes = m_latin1 ? key.toLatin1() : key.toUtf8();
    if (insertAt == m_lines.size() && !m_lines.isEmpty() && m_lines.last().lineEnd.isEmpty())
        m_lines.last().lineEnd = eol;
    m_lines.insert(insertAt, {keyBytes + '=' + encoded, eol});
}

QByteArray ProfileFile::contents() const
{
    QByteArray bytes = m_bom;
    for (const Line &line : m_lines)
        bytes += line.text + line.lineEnd;
    return bytes;
}

bool ProfileFile::save()
{
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QSaveFile file(m_path);
    // Never fall back to writing the target in place: that is what could leave it half-written.
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a short write (full disk, size limit) shows in write()'s count
    // here instead of being lost in a buffered flush at commit.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = contents();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

QString ProfileFile::readString(const QString &path, const QString &section, const QString &key,
                                const QString &fallback)
{
    ProfileFile file(path);
    file.load();
    return file.value(section, key, fallback);
}

bool ProfileFile::writeStrings(const QString &path, const QString &section,
                               const QList<std::pair<QString, QString>> &values)
{
    ProfileFile file(path);
    if (!file.load())
        return false;
    for (const auto &[key, value] : values)
        file.setValue(section, key, value);
    return file.save();
}
