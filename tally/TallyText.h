// The tally's stored text, as the container in "quarntally.tld" holds it: the column
// count, the row count, then every cell column by column (all rows of column 0, then of
// column 1, ...), each line ending in CR LF, UTF-8. Row 0 holds the own totals, each
// further row a followed opponent (TallyTable's columns).
#pragma once

#include "tally/TallyTable.h"

#include <QByteArray>
#include <QString>

class TallyText {
public:
    // A cell as the stored text has it; empty outside the table.
    static QString cell(const TallyTable::Content &content, int row, int column);
    static QByteArray write(const TallyTable::Content &content);
    // Reads the stored text, session counts as stored. Strict: anything but the layout
    // above gives the error's text and leaves `content` alone; empty on success.
    static QString read(const QByteArray &text, TallyTable::Content &content);
};
