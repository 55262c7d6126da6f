// Our own reader and writer of a sections-and-keys settings file ("korvexlobby.ini"),
// shared with the separate lobby program.
//
// The file is kept as its raw lines: only lines this program writes change, so other
// sections, other keys, comments, blank lines, odd spellings and line endings survive
// byte for byte. Section names and keys are matched without regard to case; the first
// section and the first key of a name win, as with the desktop's profile functions.
// Values are read with the spaces around "=" and at the line's end removed. A UTF-8
// byte-order mark and CRLF or LF line ends are accepted and kept; new lines take the
// file's own line end. Text is read as UTF-8, or as Latin-1 when it is not valid UTF-8.
//
// Saving writes a temporary file next to the target and renames it over the target
// (QSaveFile), so a crash or a full disk leaves the previous file whole.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

class ProfileFile {
public:
    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }

    // Reads the file into memory. A missing or unreadable file reads as empty (every
    // key then gives its default); returns false only when the file exists but could
    // not be read.
    bool load();

    // The value of `key` in `section`, or `fallback` when either is missing.
    QString value(const QString &section, const QString &key, const QString &fallback = {}) const;
    bool contains(const QString &section, const QString &key) const;

    // Replaces the value of an existing key in place (its spelling and the text up to
    // "=" kept), or adds "key=value" at the end of the section, creating the section at
    // the end of the file when it is missing. Changes memory only; see save().
    void setValue(const QString &section, const QString &key, const QString &value);

    // Writes the lines atomically, creating the folder when needed. On failure the file
    // on disk is left as it was and false is returned.
    bool save();

    // One-call forms: open, read or write, release.
    static QString readString(const QString &path, const QString &section, const QString &key,
                              const QString &fallback = {});
    static bool writeStrings(const QString &path, const QString &section,
                             const QList<std::pair<QString, QString>> &values);

    // The file's current bytes as they would be saved (for tests and diagnostics).
    QByteArray contents() const;

private:
    struct Line {
        QByteArray text;  // without its line end
        QByteArray lineEnd;  // "\r\n", "\n" or empty for a last line without one
    };
    // Index of the section's header line, or -1.
    int findSection(const QString &section) const;
    // Index of the key's line within the section starting after `header`, or -1.
    int findKey(int header, const QString &key) const;
    // One past the section's last non-blank line.
    int sectionInsertPoint(int header) const;
    QByteArray newLineEnd() const;
    static QString decode(const QByteArray &bytes);

    QString m_path;
    QByteArray m_bom;
    QList<Line> m_lines;
    bool m_latin1 = false;
};
