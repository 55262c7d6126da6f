// The text form of a game record; see GameRecordWriter.h.
#include "client/model/GameRecordWriter.h"

#include "client/model/GameRecordReader.h"

namespace {

using Kind = RecordEvent::Kind;
using recordtext::letterChar;

QString boardText(const std::array<int, quarn::kCells> &cells)
{
    QString text;
    for (int code : cells)
        text += letterChar(code);
    return text;
}

// The fields between the event's word and its scores.
QString fieldsOf(const RecordEvent &event)
{
    const auto n = [](int value) { return QString::number(value); };
    const auto letter = [](int code) { return QString(letterChar(code)); };
    switch (event.kind) {
    case Kind::Deal: return n(event.extra) + u' ' + letter(event.letter);
    case Kind::Boards: return boardText(event.boards[0]) + u' ' + boardText(event.boards[1]);
    case Kind::Scores:
    case Kind::TimeUp: return {};
    case Kind::Place: return QStringList{n(event.seat), n(event.cell), letter(event.letter), n(event.extra)}.join(u' ');
    case Kind::DiscardLetter: return n(event.seat) + u' ' + n(event.cell);
    case Kind::DiscardExtra: return n(event.seat) + u' ' + n(event.extra);
    case Kind::Swap:
        return QStringList{n(event.seat), n(event.cell), letter(event.letter), n(event.cell2), letter(event.letter2)}
            .join(u' ');
    case Kind::Steal: return QStringList{n(event.seat), n(event.cell), n(event.cell2), letter(event.letter)}.join(u' ');
    case Kind::Word: return QStringList{n(event.seat), event.text, n(event.points)}.join(u' ');
    case Kind::Refused: return n(event.seat) + u' ' + recordtext::reasonName(event.reason);
    case Kind::Turn: return n(event.seat) + u' ' + n(event.steals);
    case Kind::Winner: return n(event.seat);
    case Kind::Name: return n(event.seat) + u' ' + GameRecordWriter::cleanName(event.text);
    }
    return {};
}

}  // namespace

namespace GameRecordWriter {

QString cleanName(const QString &name)
{
    QString clean;
    for (QChar c : name)
        clean += c.isPrint() ? c : QChar(u' ');
    clean = clean.trimmed().left(GameRecordReader::kMaxName).trimmed();
    return clean.isEmpty() ? QStringLiteral("?") : clean;
}

QByteArray write(const GameRecord &record)
{
    const GameRecord::Header &h = record.header;
    QString text;
    const auto line = [&text](const QString &content) {
        text += content;
        text += u'\n';
    };
    line(QStringLiteral("%1 %2").arg(QLatin1StringView(recordtext::kTitle)).arg(GameRecord::kFormatVersion));
    line(QStringLiteral("Date: ") + h.date.toUTC().toString(Qt::ISODate));
    line(QStringLiteral("Seat1: ") + cleanName(h.names[0]));
    line(QStringLiteral("Seat2: ") + cleanName(h.names[1]));
    line(QStringLiteral("Viewer: %1").arg(h.viewer));
    line(QStringLiteral("PlayTo: %1").arg(h.playToScore));
    line(QStringLiteral("TimePerTurn: %1").arg(h.timePerTurn));
    line(QStringLiteral("Steals: %1").arg(h.steals));
    if (!h.computerLevel.isEmpty())
        line(QStringLiteral("Computer: ") + cleanName(h.computerLevel));
    line(QStringLiteral("Begins: ") + (h.fromStart ? QStringLiteral("start") : QStringLiteral("late")));
    line(h.finished ? QStringLiteral("Result: won %1").arg(h.winner) : QStringLiteral("Result: unfinished"));
    line(QStringLiteral("Scores: %1 %2").arg(h.finalScores[0]).arg(h.finalScores[1]));
    line(QString());
    for (const RecordEvent &event : record.events) {
        QString content = recordtext::kindName(event.kind);
        const QString fields = fieldsOf(event);
        if (!fields.isEmpty())
            content += u' ' + fields;
        line(content + QStringLiteral(" | %1 %2").arg(event.scores[0]).arg(event.scores[1]));
    }
    return text.toUtf8();
}

}  // namespace GameRecordWriter
