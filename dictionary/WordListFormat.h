// The word-list file format: fixed 15-byte records, 0x1E then an upper-case word
// left-aligned in 14 bytes and padded with spaces, sorted ascending by bytes.
#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

class WordListFormat {
public:
    static constexpr int RecordSize = 15;
    static constexpr int WordWidth = 14;
    static constexpr char RecordMark = 0x1E;

    // Checks a whole list read from `device` (from its current position to the end):
    // non-empty, a whole number of records, every record well formed, records in
    // ascending order. On failure `reason` (when given) says what was wrong.
    static bool check(QIODevice &device, QString *reason = nullptr);
    // The same check on bytes in memory.
    static bool check(const QByteArray &list, QString *reason = nullptr);

private:
    class Checker;
};
