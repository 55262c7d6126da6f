// Writes a game record as text (docs/game-record.md): the header lines, a blank line, then
// one line per event with the running scores after " | ". Names lose their control
// characters and are cut to the reader's limit, so whatever is written reads back.
#pragma once

#include "client/model/GameRecord.h"

#include <QByteArray>

namespace GameRecordWriter {
// The record as UTF-8 text.
QByteArray write(const GameRecord &record);
// `name` as a record holds it: one line, no control characters, at most kMaxName long,
// never empty.
QString cleanName(const QString &name);
}  // namespace GameRecordWriter
