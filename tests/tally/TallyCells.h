// Stored texts written by hand and a table read back cell by cell, for the tally's tests.
#pragma once

#include "tally/TallyTable.h"
#include "tally/TallyText.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tallytest {

// Lines joined as the stored text has them, each ending in CR LF.
inline QByteArray crlf(const QStringList &lines)
{
    QByteArray text;
    for (const QString &line : lines)
        text += line.toUtf8() + "\r\n";
    return text;
}

// The stored text of rows given by hand (ten cells each), column by column.
inline QByteArray storedRows(const QList<QStringList> &rows)
{
    QStringList lines{"10", QString::number(rows.size())};
    for (int column = 0; column < 10; ++column) {
        for (const QStringList &row : rows)
            lines.append(row.value(column));
    }
    return crlf(lines);
}

inline QStringList zeros(const QString &first = "0")
{
    QStringList row(10, "0");
    row[0] = first;
    return row;
}

// Every cell, row by row, as the stored text has it.
inline QList<QStringList> cellsOf(const TallyTable::Content &content)
{
    QList<QStringList> rows;
    for (int row = 0; row <= content.opponents.size(); ++row) {
        QStringList cells;
        for (int column = 0; column < TallyTable::kColumnCount; ++column)
            cells.append(TallyText::cell(content, row, column));
        rows.append(cells);
    }
    return rows;
}

inline QList<QStringList> cellsOf(const TallyTable &table)
{
    return cellsOf(table.content());
}

}  // namespace tallytest
