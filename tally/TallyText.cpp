// The tally's stored text; see TallyText.h.
#include "tally/TallyText.h"

#include <QStringDecoder>
#include <QStringList>

#include <optional>

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
const QString kUnused = QStringLiteral("0");
// How much of a bad cell an error message quotes.
constexpr int kQuotedLength = 40;

// Counter columns 1 to 8 of an opponent's row.
template <typename OpponentT> auto &counter(OpponentT &opponent, int column)
{
    auto &counts = column < TallyTable::SessionGames ? opponent.total : opponent.session;
    switch ((column - TallyTable::Games) % TallyTable::kSessionOffset) {
    case 0: return counts.games;
    case 1: return counts.theirWins;
    case 2: return counts.yourWins;
    default: return counts.neitherWon;
    }
}

// A stored count: decimal digits only, nothing else, up to kMaxCount. A blank cell
// counts as 0, as the game always treated one when adding to it.
std::optional<int> countFrom(const QString &text)
{
    if (text.isEmpty())
        return 0;
    if (text.size() > 10)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (value > TallyTable::kMaxCount)
        return std::nullopt;
    return int(value);
}

QString quoted(const QString &text)
{
    const QString shown = text.size() > kQuotedLength ? text.left(kQuotedLength) + QStringLiteral("...") : text;
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

}  // namespace

QString TallyText::cell(const TallyTable::Content &content, int row, int column)
{
    if (row < 0 || row > content.opponents.size() || column < 0 || column >= TallyTable::kColumnCount)
        return {};
    if (row == 0) {
        switch (column) {
        case TallyTable::OwnGames: return QString::number(content.own.games);
        case TallyTable::OwnWins: return QString::number(content.own.wins);
        case TallyTable::LongestWord:
            // "0" while nothing is recorded, as a fresh table always held.
            return content.own.longestLength > 0 ? content.own.longestWord : kUnused;
        case TallyTable::LongestLength: return QString::number(content.own.longestLength);
        case TallyTable::BestWord: return content.own.bestPoints > 0 ? content.own.bestWord : kUnused;
        case TallyTable::BestPoints: return QString::number(content.own.bestPoints);
        case TallyTable::OwnWords: return QString::number(content.own.words);
        default: return kUnused;
        }
    }
    const TallyTable::Opponent &opponent = content.opponents[row - 1];
    if (column == TallyTable::Name)
        return opponent.name;
    if (column > TallyTable::SessionNeitherWon)
        return kUnused;
    return QString::number(counter(opponent, column));
}

QByteArray TallyText::write(const TallyTable::Content &content)
{
    const int rows = 1 + int(content.opponents.size());
    QString text = QString::number(TallyTable::kColumnCount) + kLineEnd + QString::number(rows) + kLineEnd;
    for (int column = 0; column < TallyTable::kColumnCount; ++column) {
        for (int row = 0; row < rows; ++row)
            text += cell(content, row, column) + kLineEnd;
    }
    return text.toUtf8();
}

QString TallyText::read(const QByteArray &bytes, TallyTable::Content &content)
{
    if (bytes.isEmpty())
        return QStringLiteral("the tally text is empty");
    // A tally written by an older program on the same desktop may be in a single-byte
    // code page; stateless, so a sequence cut off at the end also counts as not UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    if (!text.endsWith(kLineEnd))
        return QStringLiteral("the tally text does not end with a line end");
    QStringList lines = text.split(kLineEnd);
    lines.removeLast();  // the empty piece after the last line end
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(QLatin1Char('\r')) || lines[i].contains(QLatin1Char('\n')))
            return QStringLiteral("line %1 holds a line break that is not CR LF").arg(i + 1);
    }
    if (lines.size() < 2)
        return QStringLiteral("the tally text has no column and row counts");

    const std::optional<int> columns = countFrom(lines[0]);
    if (lines[0].isEmpty() || columns != TallyTable::kColumnCount)
        return QStringLiteral("line 1: the column count is %1, not %2")
            .arg(quoted(lines[0]))
            .arg(TallyTable::kColumnCount);
    const std::optional<int> rowsRead = countFrom(lines[1]);
    if (lines[1].isEmpty() || !rowsRead || *rowsRead < 1 || *rowsRead > TallyTable::kMaxRowCount)
        return QStringLiteral("line 2: the row count %1 is not a number from 1 to %2")
            .arg(quoted(lines[1]))
            .arg(TallyTable::kMaxRowCount);
    const int rows = *rowsRead;
    const qsizetype expected = 2 + qsizetype(TallyTable::kColumnCount) * rows;
    if (lines.size() != expected)
        return QStringLiteral("the tally text has %1 lines where %2 rows need %3")
            .arg(lines.size())
            .arg(rows)
            .arg(expected);

    const auto lineOf = [rows](int row, int column) { return 2 + column * rows + row; };
    TallyTable::OwnTotals own;
    QList<TallyTable::Opponent> opponents(rows - 1);
    for (int column = 0; column < TallyTable::kColumnCount; ++column) {
        for (int row = 0; row < rows; ++row) {
            const QString &value = lines[lineOf(row, column)];
            const bool isText = row == 0 ? (column == TallyTable::LongestWord || column == TallyTable::BestWord)
                                         : column == TallyTable::Name;
            if (isText)
                continue;
            const std::optional<int> count = countFrom(value);
            if (!count) {
                return QStringLiteral("line %1 (row %2, column %3): %4 is not a count from 0 to %5")
                    .arg(lineOf(row, column) + 1)
                    .arg(row)
                    .arg(column)
                    .arg(quoted(value))
                    .arg(TallyTable::kMaxCount);
            }
            if (row > 0) {
                if (column <= TallyTable::SessionNeitherWon)
                    counter(opponents[row - 1], column) = *count;
                continue;
            }
            switch (column) {
            case TallyTable::OwnGames: own.games = *count; break;
            case TallyTable::OwnWins: own.wins = *count; break;
            case TallyTable::LongestLength: own.longestLength = *count; break;
            case TallyTable::BestPoints: own.bestPoints = *count; break;
            case TallyTable::OwnWords: own.words = *count; break;
            default: break;  // unused cells: checked, not kept
            }
        }
    }
    // A word cell means something only beside a length or points above 0.
    if (own.longestLength > 0)
        own.longestWord = lines[lineOf(0, TallyTable::LongestWord)];
    if (own.bestPoints > 0)
        own.bestWord = lines[lineOf(0, TallyTable::BestWord)];

    for (int row = 1; row < rows; ++row) {
        const QString &name = lines[lineOf(row, TallyTable::Name)];
        if (name.isEmpty())
            return QStringLiteral("line %1: row %2 has no name").arg(lineOf(row, TallyTable::Name) + 1).arg(row);
        for (int earlier = 0; earlier < row - 1; ++earlier) {
            if (opponents[earlier].name == name)
                return QStringLiteral("line %1: %2 is followed twice")
                    .arg(lineOf(row, TallyTable::Name) + 1)
                    .arg(quoted(name));
        }
        opponents[row - 1].name = name;
    }
    content = TallyTable::Content{own, opponents};
    return {};
}
