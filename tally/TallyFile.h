// The tally's file "quarntally.tld": the stored text (TallyText) inside the LZRW1/KH
// container (Tlzrw1), restored into a TallyTable at start and saved from it at exit.
// A file that cannot be restored is never written over: it is first moved aside beside
// itself ("quarntally.tld.bad", then ".bad.1", ".bad.2", ... so that an earlier kept file
// stays), and when even that fails the tally is not saved at all.
#pragma once

#include "tally/TallyTable.h"

#include <QString>

class TallyFile {
public:
    static inline const QString kFileName = QStringLiteral("quarntally.tld");
    static inline const QString kKeptSuffix = QStringLiteral(".bad");
    // A container larger than this is not read: the text of TallyTable::kMaxRowCount rows
    // with sensible names is a small fraction of it.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

    // `folder` is where "quarntally.tld" lives.
    explicit TallyFile(const QString &folder);

    QString filePath() const { return m_filePath; }

    // Replaces the table by the file's content, this run's counts at 0; a missing file is
    // an empty tally. On failure the table is emptied, the file moved aside, and
    // errorString() says why and where the file was kept (the text of the notice).
    bool restore(TallyTable &table);
    // Writes the table: the whole container goes to a temporary file in the same folder,
    // renamed over the old one only once complete, so a failure keeps the previous tally.
    // Returns false, with errorString(), when nothing was replaced, and always after a
    // damaged file could not be moved aside.
    bool save(const TallyTable &table);
    QString errorString() const { return m_error; }
    // Where the last refused file was moved; empty when none was.
    QString keptPath() const { return m_keptPath; }

private:
    // Why the file could not be read; empty with `content` filled on success.
    QString read(TallyTable::Content &content) const;
    // Moves the refused file aside; false when it is still in place.
    bool keepAside();

    QString m_filePath;
    QString m_error;
    QString m_keptPath;
    // A damaged file could not be moved aside: saving would destroy it.
    bool m_mustNotSave = false;
};
