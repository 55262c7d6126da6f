// Reads a game record's text (docs/game-record.md) in one pass. A record may come from
// anywhere, so every line is checked: its form, every number's range, the letters, and
// that the scores follow the events (only a word moves its seat's score, only a late
// arrival's "scores" line sets both). The first bad line ends the reading: the result
// keeps the header and the events before it, and names the line and the reason. Text
// over kMaxBytes is refused whole.
#pragma once

#include "client/model/GameRecord.h"

#include <QByteArray>
#include <QString>

namespace GameRecordReader {

inline constexpr qsizetype kMaxBytes = 1024 * 1024;
inline constexpr int kMaxName = 100;
inline constexpr int kMaxLine = 400;
inline constexpr int kMaxNumber = 999999999;

struct Result {
    GameRecord record;
    bool headerRead = false;  // the header was whole and valid
    // Empty when the whole text was read; otherwise "line N: reason" (line 0: the text
    // as a whole; a line that is missing is named by the number it would have had).
    QString error;
    int errorLine = 0;
    bool ok() const { return error.isEmpty(); }
};

// The header and every event.
Result read(const QByteArray &text);
// The header alone (the list of records needs no more); the events are not read.
Result readHeader(const QByteArray &text);

}  // namespace GameRecordReader
