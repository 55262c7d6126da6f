// The one-pass reader of game records; see GameRecordReader.h.
#include "client/model/GameRecordReader.h"

#include "client/model/GameRecordWriter.h"

#include <QStringDecoder>

#include <optional>

namespace GameRecordReader {
namespace {

using Kind = RecordEvent::Kind;

std::optional<int> numberIn(QStringView text, int low, int high)
{
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const int value = text.toInt();
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

bool validName(QStringView name)
{
    if (name.isEmpty() || name.size() > kMaxName || name.trimmed().size() != name.size())
        return false;
    for (QChar c : name) {
        if (!c.isPrint())
            return false;
    }
    return true;
}

// A letter field: "A".."Z", or "." where `emptyAllowed`.
std::optional<int> letterIn(QStringView text, bool emptyAllowed)
{
    if (text.size() != 1)
        return std::nullopt;
    if (text[0] == u'.')
        return emptyAllowed ? std::optional<int>(0) : std::nullopt;
    if (text[0] < u'A' || text[0] > u'Z')
        return std::nullopt;
    return quarn::codeOf(text[0]);
}

class Reader {
public:
    explicit Reader(const QByteArray &text)
        : m_text(text)
    {
    }

    Result run(bool headerOnly)
    {
        if (m_text.size() > kMaxBytes)
            return fail(0, QStringLiteral("the file is larger than %1 KB").arg(kMaxBytes / 1024));
        if (!readHeader())
            return m_result;
        m_result.headerRead = true;
        if (headerOnly)
            return m_result;
        while (nextLine()) {
            if (!readEvent())
                return m_result;
        }
        checkEnd();
        return m_result;
    }

private:
    Result fail(int line, const QString &reason)
    {
        m_result.errorLine = line;
        m_result.error = line > 0 ? QStringLiteral("line %1: %2").arg(line).arg(reason) : reason;
        return m_result;
    }

    // The next line into m_line; false at the end of the text or on a line that is not
    // UTF-8 or too long (the error is then set).
    bool nextLine()
    {
        if (m_pos >= m_text.size())
            return false;
        qsizetype end = m_text.indexOf('\n', m_pos);
        if (end < 0)
            end = m_text.size();
        QByteArrayView bytes(m_text.constData() + m_pos, end - m_pos);
        m_pos = end + 1;
        ++m_lineNumber;
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        if (m_lineNumber == 1 && bytes.startsWith("\xEF\xBB\xBF"))
            bytes = bytes.sliced(3);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        m_line = decoder(bytes);
        if (decoder.hasError()) {
            fail(m_lineNumber, QStringLiteral("not UTF-8 text"));
            return false;
        }
        if (m_line.size() > kMaxLine) {
            fail(m_lineNumber, QStringLiteral("longer than %1 characters").arg(kMaxLine));
            return false;
        }
        return true;
    }

    // The value of header line `key`, or nothing (the error is then set).
    std::optional<QString> headerValue(const char *key)
    {
        const QString prefix = QLatin1StringView(key) + QStringLiteral(": ");
        if (!nextLine()) {
            if (m_result.error.isEmpty())
                fail(m_lineNumber + 1, QStringLiteral("the header ends before \"%1\"").arg(QLatin1StringView(key)));
            return std::nullopt;
        }
        if (!m_line.startsWith(prefix)) {
            fail(m_lineNumber, QStringLiteral("expected \"%1\"").arg(prefix));
            return std::nullopt;
        }
        return m_line.mid(prefix.size());
    }

    bool headerNumber(const char *key, int low, int high, int &into)
    {
        const auto value = headerValue(key);
        if (!value)
            return false;
        const auto number = numberIn(*value, low, high);
        if (!number) {
            fail(m_lineNumber, QStringLiteral("\"%1\" is not a number from %2 to %3").arg(*value).arg(low).arg(high));
            return false;
        }
        into = *number;
        return true;
    }

    bool headerName(const char *key, QString &into)
    {
        const auto value = headerValue(key);
        if (!value)
            return false;
        if (!validName(*value)) {
            fail(m_lineNumber, QStringLiteral("not a name of 1 to %1 printable characters").arg(kMaxName));
            return false;
        }
        into = *value;
        return true;
    }

    bool readHeader()
    {
        GameRecord::Header &h = m_result.record.header;
        const QString title = QLatin1StringView(recordtext::kTitle) + u' ';
        if (!nextLine()) {
            if (m_result.error.isEmpty())
                fail(1, QStringLiteral("the file is empty"));
            return false;
        }
        if (!m_line.startsWith(title)) {
            fail(1, QStringLiteral("not a Quarn game record"));
            return false;
        }
        if (m_line.mid(title.size()) != QString::number(GameRecord::kFormatVersion)) {
            fail(1, QStringLiteral("format version \"%1\" is not known").arg(m_line.mid(title.size())));
            return false;
        }
        const auto date = headerValue("Date");
        if (!date)
            return false;
        h.date = QDateTime::fromString(*date, Qt::ISODate);
        if (!h.date.isValid()) {
            fail(m_lineNumber, QStringLiteral("\"%1\" is not a date and time").arg(*date));
            return false;
        }
        h.date = h.date.toUTC();
        if (!headerName("Seat1", h.names[0]) || !headerName("Seat2", h.names[1])
            || !headerNumber("Viewer", 1, quarn::kHighestSlot, h.viewer)
            || !headerNumber("PlayTo", 0, kMaxNumber, h.playToScore)
            || !headerNumber("TimePerTurn", 0, kMaxNumber, h.timePerTurn)
            || !headerNumber("Steals", 0, kMaxNumber, h.steals))
            return false;
        // "Computer" may be missing: the next line is then "Begins".
        if (!nextLine()) {
            if (m_result.error.isEmpty())
                fail(m_lineNumber + 1, QStringLiteral("the header ends before \"Begins\""));
            return false;
        }
        const QString computer = QStringLiteral("Computer: ");
        if (m_line.startsWith(computer)) {
            if (!validName(QStringView(m_line).mid(computer.size()))) {
                fail(m_lineNumber, QStringLiteral("not a level name"));
                return false;
            }
            h.computerLevel = m_line.mid(computer.size());
            if (!nextLine()) {
                if (m_result.error.isEmpty())
                    fail(m_lineNumber + 1, QStringLiteral("the header ends before \"Begins\""));
                return false;
            }
        }
        if (m_line != QStringLiteral("Begins: start") && m_line != QStringLiteral("Begins: late")) {
            fail(m_lineNumber, QStringLiteral("expected \"Begins: start\" or \"Begins: late\""));
            return false;
        }
        h.fromStart = m_line.endsWith(QStringLiteral("start"));
        const auto result = headerValue("Result");
        if (!result)
            return false;
        m_resultLine = m_lineNumber;
        if (*result == QStringLiteral("won 1") || *result == QStringLiteral("won 2")) {
            h.finished = true;
            h.winner = result->back().digitValue();
        } else if (*result != QStringLiteral("unfinished")) {
            fail(m_lineNumber, QStringLiteral("expected \"won 1\", \"won 2\" or \"unfinished\""));
            return false;
        }
        const auto scores = headerValue("Scores");
        if (!scores)
            return false;
        m_scoresLine = m_lineNumber;
        if (!scoresIn(*scores, h.finalScores)) {
            fail(m_lineNumber, QStringLiteral("expected two scores"));
            return false;
        }
        if (!nextLine()) {
            if (m_result.error.isEmpty())
                fail(m_lineNumber + 1, QStringLiteral("the header ends without a blank line"));
            return false;
        }
        if (!m_line.isEmpty()) {
            fail(m_lineNumber, QStringLiteral("expected the blank line after the header"));
            return false;
        }
        return true;
    }

    static bool scoresIn(QStringView text, std::array<int, quarn::kSeats> &scores)
    {
        const qsizetype space = text.indexOf(u' ');
        if (space < 0)
            return false;
        const auto a = numberIn(text.left(space), 0, kMaxNumber);
        const auto b = numberIn(text.mid(space + 1), 0, kMaxNumber);
        if (!a || !b)
            return false;
        scores = {*a, *b};
        return true;
    }

    bool readEvent()
    {
        const qsizetype bar = m_line.lastIndexOf(QStringLiteral(" | "));
        if (bar < 0)
            return (fail(m_lineNumber, QStringLiteral("no \" | \" before the scores")), false);
        RecordEvent event;
        if (!scoresIn(QStringView(m_line).mid(bar + 3), event.scores))
            return (fail(m_lineNumber, QStringLiteral("expected two scores after \" | \"")), false);
        const QStringView left = QStringView(m_line).left(bar);
        const QList<QStringView> words = left.split(u' ');
        if (!recordtext::kindFrom(words[0], event.kind))
            return (fail(m_lineNumber, QStringLiteral("\"%1\" is not an event").arg(words[0])), false);
        if (const std::optional<QString> reason = fields(event, words, left))
            return (fail(m_lineNumber, *reason), false);
        if (const std::optional<QString> reason = scoresFollow(event))
            return (fail(m_lineNumber, *reason), false);
        if (event.kind == Kind::Winner)
            m_winnerLine = m_lineNumber;
        m_result.record.events.append(event);
        return true;
    }

    // Why the event's fields are wrong, or nothing.
    static std::optional<QString> fields(RecordEvent &e, const QList<QStringView> &words, QStringView left)
    {
        const qsizetype count = words.size() - 1;
        const auto wrongCount = [&](int wanted) {
            return QStringLiteral("\"%1\" takes %2 fields, not %3").arg(words[0]).arg(wanted).arg(count);
        };
        const auto field = [&](qsizetype i) { return words[i]; };
        const auto seat = [&](qsizetype i) -> bool {
            const auto v = numberIn(field(i), 1, quarn::kSeats);
            e.seat = v.value_or(0);
            return v.has_value();
        };
        const auto number = [&](qsizetype i, int low, int high, int &into) -> bool {
            const auto v = numberIn(field(i), low, high);
            into = v.value_or(0);
            return v.has_value();
        };
        const auto letter = [&](qsizetype i, bool empty, int &into) -> bool {
            const auto v = letterIn(field(i), empty);
            into = v.value_or(0);
            return v.has_value();
        };
        const QString bad = QStringLiteral("a field of \"%1\" is out of range or malformed").arg(words[0]);
        switch (e.kind) {
        case Kind::TimeUp:
        case Kind::Scores: return count == 0 ? std::nullopt : std::optional<QString>(wrongCount(0));
        case Kind::Deal:
            if (count != 2)
                return wrongCount(2);
            return number(1, 1, quarn::kExtras, e.extra) && letter(2, false, e.letter) ? std::nullopt
                                                                                       : std::optional<QString>(bad);
        case Kind::Boards:
            if (count != 2)
                return wrongCount(2);
            for (int s = 0; s < quarn::kSeats; ++s) {
                const QStringView board = field(s + 1);
                if (board.size() != quarn::kCells)
                    return bad;
                for (int c = 0; c < quarn::kCells; ++c) {
                    const auto code = letterIn(board.mid(c, 1), true);
                    if (!code)
                        return bad;
                    e.boards[size_t(s)][size_t(c)] = *code;
                }
            }
            return std::nullopt;
        case Kind::Place:
            if (count != 4)
                return wrongCount(4);
            return seat(1) && number(2, 1, quarn::kCells, e.cell) && letter(3, false, e.letter)
                    && number(4, 1, quarn::kExtras, e.extra)
                ? std::nullopt
                : std::optional<QString>(bad);
        case Kind::DiscardLetter:
            if (count != 2)
                return wrongCount(2);
            return seat(1) && number(2, 1, quarn::kCells, e.cell) ? std::nullopt : std::optional<QString>(bad);
        case Kind::DiscardExtra:
            if (count != 2)
                return wrongCount(2);
            return seat(1) && number(2, 1, quarn::kExtras, e.extra) ? std::nullopt : std::optional<QString>(bad);
        case Kind::Swap:
            if (count != 5)
                return wrongCount(5);
            return seat(1) && number(2, 1, quarn::kCells, e.cell) && letter(3, true, e.letter)
                    && number(4, 1, quarn::kCells, e.cell2) && letter(5, true, e.letter2)
                ? std::nullopt
                : std::optional<QString>(bad);
        case Kind::Steal:
            if (count != 4)
                return wrongCount(4);
            return seat(1) && number(2, 1, quarn::kCells, e.cell) && number(3, 1, quarn::kCells, e.cell2)
                    && letter(4, true, e.letter)
                ? std::nullopt
                : std::optional<QString>(bad);
        case Kind::Word: {
            if (count != 3)
                return wrongCount(3);
            const QStringView word = field(2);
            bool letters = !word.isEmpty() && word.size() <= quarn::kCells;
            for (QChar c : word)
                letters = letters && quarn::codeOf(c) != 0;
            if (!letters)
                return QStringLiteral("\"%1\" is not a word of 1 to %2 letters").arg(word).arg(quarn::kCells);
            e.text = word.toString();
            return seat(1) && number(3, 0, kMaxNumber, e.points) ? std::nullopt : std::optional<QString>(bad);
        }
        case Kind::Refused:
            if (count != 2)
                return wrongCount(2);
            if (field(2) == recordtext::reasonName(RecordEvent::Reason::NotAWord))
                e.reason = RecordEvent::Reason::NotAWord;
            else if (field(2) == recordtext::reasonName(RecordEvent::Reason::NoStealsLeft))
                e.reason = RecordEvent::Reason::NoStealsLeft;
            else
                return bad;
            return seat(1) ? std::nullopt : std::optional<QString>(bad);
        case Kind::Turn:
            if (count != 2)
                return wrongCount(2);
            return seat(1) && number(2, 0, kMaxNumber, e.steals) ? std::nullopt : std::optional<QString>(bad);
        case Kind::Winner:
            if (count != 1)
                return wrongCount(1);
            return seat(1) ? std::nullopt : std::optional<QString>(bad);
        case Kind::Name: {
            if (count < 2)
                return wrongCount(2);
            const QStringView name = left.mid(words[0].size() + words[1].size() + 2);
            if (!validName(name))
                return QStringLiteral("not a name of 1 to %1 printable characters").arg(kMaxName);
            e.text = name.toString();
            return seat(1) ? std::nullopt : std::optional<QString>(bad);
        }
        }
        return bad;
    }

    // Why the event's scores cannot follow the previous ones, or nothing.
    std::optional<QString> scoresFollow(const RecordEvent &event) const
    {
        if (m_winnerLine > 0)
            return QStringLiteral("an event after the winner");
        const std::array<int, quarn::kSeats> before =
            m_result.record.events.isEmpty() ? std::array<int, quarn::kSeats>{} : m_result.record.events.back().scores;
        if (event.kind == Kind::Scores)
            return std::nullopt;
        if (event.kind == Kind::Word) {
            const size_t other = size_t(quarn::kSeats - event.seat);
            if (event.scores[other] != before[other])
                return QStringLiteral("a word changes the other seat's score");
            return std::nullopt;
        }
        if (event.scores != before)
            return QStringLiteral("the scores change without a word");
        return std::nullopt;
    }

    void checkEnd()
    {
        const GameRecord &record = m_result.record;
        const GameRecord::Header &h = record.header;
        const std::array<int, quarn::kSeats> last =
            record.events.isEmpty() ? std::array<int, quarn::kSeats>{} : record.events.back().scores;
        if (h.finished
            && (record.events.isEmpty() || record.events.back().kind != Kind::Winner
                || record.events.back().seat != h.winner)) {
            fail(m_resultLine, QStringLiteral("the events do not end with this winner"));
        } else if (!h.finished && m_winnerLine > 0) {
            fail(m_winnerLine, QStringLiteral("a winner in a record whose header says unfinished"));
        } else if (h.finalScores != last) {
            fail(m_scoresLine, QStringLiteral("the final scores differ from the last event's"));
        }
    }

    const QByteArray &m_text;
    qsizetype m_pos = 0;
    int m_lineNumber = 0;
    QString m_line;
    int m_resultLine = 0;
    int m_scoresLine = 0;
    int m_winnerLine = 0;
    Result m_result;
};

}  // namespace

Result read(const QByteArray &text)
{
    return Reader(text).run(false);
}

Result readHeader(const QByteArray &text)
{
    return Reader(text).run(true);
}

}  // namespace GameRecordReader
