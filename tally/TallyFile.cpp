// The tally's file; see TallyFile.h.
#include "tally/TallyFile.h"

#include "tally/TallyText.h"
#include "tally/Tlzrw1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

// Far more refused files than anyone keeps; past it the next one is not moved.
constexpr int kMaxKeptFiles = 1000;

}  // namespace

TallyFile::TallyFile(const QString &folder)
    : m_filePath(QDir(folder).filePath(kFileName))
{
}

QString TallyFile::read(TallyTable::Content &content) const
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot open the tally file %1: %2").arg(m_filePath, file.errorString());
    if (file.size() > kMaxFileSize)
        return QStringLiteral("The tally file %1 is too large (%2 bytes)").arg(m_filePath).arg(file.size());
    // Read asks for a buffer of the size it is given: the file's, not the largest allowed.
    const QByteArray container = file.read(std::min<qint64>(file.size(), kMaxFileSize) + 1);
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("Cannot read the tally file %1: %2").arg(m_filePath, file.errorString());

    QByteArray text;
    try {
        text = Tlzrw1().decompressBytes(container, m_filePath);
    } catch (const ELzrw1Exception &error) {
        return error.message();
    }
    const QString error = TallyText::read(text, content);
    return error.isEmpty() ? error : m_filePath + QStringLiteral(" : ") + error;
}

bool TallyFile::restore(TallyTable &table)
{
    m_error.clear();
    m_mustNotSave = false;
    TallyTable::Content content;
    if (QFile::exists(m_filePath)) {
        m_error = read(content);
        if (m_error.isEmpty()) {
            // The session columns count this run of the program only.
            for (TallyTable::Opponent &opponent : content.opponents)
                opponent.session = TallyTable::Counts{};
        } else if (keepAside()) {
            m_error += QStringLiteral("\n\nThe tally file was kept as %1; a new tally starts.").arg(m_keptPath);
        } else {
            m_error += QStringLiteral("\n\nThe tally file could not be kept aside: it stays as it is, and this "
                                      "run's tally will not be saved.");
        }
        content = m_error.isEmpty() ? content : TallyTable::Content{};
    }
    table.replaceContent(content);
    return m_error.isEmpty();
}

bool TallyFile::keepAside()
{
    m_keptPath.clear();
    for (int number = 0; number < kMaxKeptFiles; ++number) {
        const QString kept = m_filePath + kKeptSuffix + (number > 0 ? QStringLiteral(".%1").arg(number) : QString());
        if (QFileInfo::exists(kept))
            continue;
        // rename never replaces an existing file, so an earlier kept one is safe even
        // when it appears meanwhile.
        if (QFile::rename(m_filePath, kept)) {
            m_keptPath = kept;
            return true;
        }
        if (!QFileInfo::exists(kept))
            break;  // the move itself failed, not the name
    }
    // Nothing left to protect when the file went away by itself.
    m_mustNotSave = QFileInfo::exists(m_filePath);
    return !m_mustNotSave;
}

bool TallyFile::save(const TallyTable &table)
{
    if (m_mustNotSave) {
        m_error = QStringLiteral("The tally was not saved: the damaged tally file %1 could not be kept aside")
                      .arg(m_filePath);
        return false;
    }
    QByteArray container;
    try {
        container = Tlzrw1().compressBytes(TallyText::write(table.content()), m_filePath);
    } catch (const ELzrw1Exception &error) {
        m_error = error.message();
        return false;
    }

    const QString folder = QFileInfo(m_filePath).absolutePath();
    if (!QDir().mkpath(folder)) {
        m_error = QStringLiteral("Cannot create the folder %1").arg(folder);
        return false;
    }
    QSaveFile file(m_filePath);
    // Never write the tally file in place: a write cut short there would lose it.
    file.setDirectWriteFallback(false);
    // Unbuffered, so a short write (full disk, size limit) shows in write()'s count
    // instead of being lost in a buffered flush at commit.
    const auto failed = [this, &file] {
        m_error = QStringLiteral("Cannot write the tally file %1: %2").arg(m_filePath, file.errorString());
        return false;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed();
    if (file.write(container) != container.size()) {
        failed();
        file.cancelWriting();
        file.commit();  // removes the temporary file
        return false;
    }
    if (!file.commit())
        return failed();
    m_error.clear();
    return true;
}
