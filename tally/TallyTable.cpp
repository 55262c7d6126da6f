// The tally's table, its operations and its stored form; see TallyTable.h.
#include "tally/TallyTable.h"

#include "tally/Tlzrw1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
const QString kUnused = QStringLiteral("0");
// How much of a bad cell an error message quotes.
constexpr int kQuotedLength = 40;

void bump(int &counter)
{
    if (counter < TallyTable::kMaxCount)
        ++counter;
}

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

TallyTable::TallyTable(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_filePath(QDir(folder).filePath(kFileName))
{
}

void TallyTable::clearContent()
{
    m_own = OwnTotals{};
    m_opponents.clear();
}

// --- reading ---------------------------------------------------------------------------

QString TallyTable::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumnCount)
        return {};
    if (row == 0) {
        switch (column) {
        case OwnGames: return QString::number(m_own.games);
        case OwnWins: return QString::number(m_own.wins);
        case LongestWord:
            // "0" while nothing is recorded, as a fresh table always held.
            return m_own.longestLength > 0 ? m_own.longestWord : kUnused;
        case LongestLength: return QString::number(m_own.longestLength);
        case BestWord: return m_own.bestPoints > 0 ? m_own.bestWord : kUnused;
        case BestPoints: return QString::number(m_own.bestPoints);
        case OwnWords: return QString::number(m_own.words);
        default: return kUnused;
        }
    }
    const Opponent &opponent = m_opponents[row - 1];
    if (column == Name)
        return opponent.name;
    if (column > SessionNeitherWon)
        return kUnused;
    return QString::number(counter(opponent, column));
}

int TallyTable::rowOf(const QString &name) const
{
    for (int i = 0; i < m_opponents.size(); ++i) {
        if (m_opponents[i].name == name)
            return i + 1;
    }
    return -1;
}

// --- the stored text -------------------------------------------------------------------

QByteArray TallyTable::storedText() const
{
    QString text = QString::number(kColumnCount) + kLineEnd + QString::number(rowCount()) + kLineEnd;
    for (int column = 0; column < kColumnCount; ++column) {
        for (int row = 0; row < rowCount(); ++row)
            text += cell(row, column) + kLineEnd;
    }
    return text.toUtf8();
}

QString TallyTable::parse(const QByteArray &bytes, OwnTotals &own, QList<Opponent> &opponents)
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
    if (lines[0].isEmpty() || columns != kColumnCount)
        return QStringLiteral("line 1: the column count is %1, not %2").arg(quoted(lines[0])).arg(kColumnCount);
    const std::optional<int> rowsRead = countFrom(lines[1]);
    if (lines[1].isEmpty() || !rowsRead || *rowsRead < 1 || *rowsRead > kMaxRowCount)
        return QStringLiteral("line 2: the row count %1 is not a number from 1 to %2")
            .arg(quoted(lines[1]))
            .arg(kMaxRowCount);
    const int rows = *rowsRead;
    const qsizetype expected = 2 + qsizetype(kColumnCount) * rows;
    if (lines.size() != expected)
        return QStringLiteral("the tally text has %1 lines where %2 rows need %3")
            .arg(lines.size())
            .arg(rows)
            .arg(expected);

    const auto lineOf = [rows](int row, int column) { return 2 + column * rows + row; };
    own = OwnTotals{};
    opponents = QList<Opponent>(rows - 1);
    for (int column = 0; column < kColumnCount; ++column) {
        for (int row = 0; row < rows; ++row) {
            const QString &value = lines[lineOf(row, column)];
            const bool isText = row == 0 ? (column == LongestWord || column == BestWord) : column == Name;
            if (isText)
                continue;
            const std::optional<int> count = countFrom(value);
            if (!count) {
                return QStringLiteral("line %1 (row %2, column %3): %4 is not a count from 0 to %5")
                    .arg(lineOf(row, column) + 1)
                    .arg(row)
                    .arg(column)
                    .arg(quoted(value))
                    .arg(kMaxCount);
            }
            if (row > 0) {
                if (column <= SessionNeitherWon)
                    counter(opponents[row - 1], column) = *count;
                continue;
            }
            switch (column) {
            case OwnGames: own.games = *count; break;
            case OwnWins: own.wins = *count; break;
            case LongestLength: own.longestLength = *count; break;
            case BestPoints: own.bestPoints = *count; break;
            case OwnWords: own.words = *count; break;
            default: break;  // unused cells: checked, not kept
            }
        }
    }
    // A word cell means something only beside a length or points above 0.
    if (own.longestLength > 0)
        own.longestWord = lines[lineOf(0, LongestWord)];
    if (own.bestPoints > 0)
        own.bestWord = lines[lineOf(0, BestWord)];

    for (int row = 1; row < rows; ++row) {
        const QString &name = lines[lineOf(row, Name)];
        if (name.isEmpty())
            return QStringLiteral("line %1: row %2 has no name").arg(lineOf(row, Name) + 1).arg(row);
        for (int earlier = 0; earlier < row - 1; ++earlier) {
            if (opponents[earlier].name == name)
                return QStringLiteral("line %1: %2 is followed twice").arg(lineOf(row, Name) + 1).arg(quoted(name));
        }
        opponents[row - 1].name = name;
    }
    return {};
}

bool TallyTable::loadStoredText(const QByteArray &text)
{
    OwnTotals own;
    QList<Opponent> opponents;
    m_error = parse(text, own, opponents);
    clearContent();
    if (m_error.isEmpty()) {
        m_own = own;
        m_opponents = opponents;
    }
    Q_EMIT rowsChanged();
    return m_error.isEmpty();
}

// --- the file --------------------------------------------------------------------------

bool TallyTable::restore()
{
    clearContent();
    m_error.clear();
    // Every way out shows the table as it now stands: restored, or empty.
    const auto done = [this](const QString &error) {
        m_error = error;
        Q_EMIT rowsChanged();
        return error.isEmpty();
    };

    QFile file(m_filePath);
    if (!file.exists())
        return done({});
    if (!file.open(QIODevice::ReadOnly))
        return done(QStringLiteral("Cannot open the tally file %1: %2").arg(m_filePath, file.errorString()));
    if (file.size() > kMaxFileSize)
        return done(QStringLiteral("The tally file %1 is too large (%2 bytes)").arg(m_filePath).arg(file.size()));
    // Read asks for a buffer of the size it is given: the file's, not the largest allowed.
    const QByteArray container = file.read(std::min<qint64>(file.size(), kMaxFileSize) + 1);
    if (file.error() != QFileDevice::NoError)
        return done(QStringLiteral("Cannot read the tally file %1: %2").arg(m_filePath, file.errorString()));
    file.close();

    QByteArray text;
    try {
        Tlzrw1 lzrw1;
        text = lzrw1.decompressBytes(container, m_filePath);
    } catch (const ELzrw1Exception &error) {
        return done(error.message());
    }

    OwnTotals own;
    QList<Opponent> opponents;
    const QString error = parse(text, own, opponents);
    if (!error.isEmpty())
        return done(m_filePath + QStringLiteral(" : ") + error);
    m_own = own;
    m_opponents = opponents;
    // The session columns count this run of the program only.
    for (Opponent &opponent : m_opponents)
        opponent.session = Counts{};
    return done({});
}

bool TallyTable::save()
{
    QByteArray container;
    try {
        Tlzrw1 lzrw1;
        container = lzrw1.compressBytes(storedText(), m_filePath);
    } catch (const ELzrw1Exception &error) {
        m_error = error.message();
        return false;
    }

    const QString folder = QFileInfo(m_filePath).absolutePath();
    if (!QDir().mkpath(folder)) {
        m_error = QStringLiteral("Cannot create the folder %1").arg(folder);
        return false;
    }
    QSaveFile file(m_filePath);
    // Never write the tally file in place: a write cut short there would lose it.
    file.setDirectWriteFallback(false);
    // Unbuffered, so a short write (full disk, size limit) shows in write()'s count
    // instead of being lost in a buffered flush at commit.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        m_error = QStringLiteral("Cannot write the tally file %1: %2").arg(m_filePath, file.errorString());
        return false;
    }
    if (file.write(container) != container.size()) {
        m_error = QStringLiteral("Cannot write the tally file %1: %2").arg(m_filePath, file.errorString());
        file.cancelWriting();
        file.commit();  // removes the temporary file
        return false;
    }
    if (!file.commit()) {
        m_error = QStringLiteral("Cannot write the tally file %1: %2").arg(m_filePath, file.errorString());
        return false;
    }
    m_error.clear();
    return true;
}

// --- the game's calls ------------------------------------------------------------------

void TallyTable::addgame(const QString &winnerName)
{
    const QString winner = storableName(winnerName);
    const bool ownWin = winner == kOwnWin;
    bump(m_own.games);
    if (ownWin)
        bump(m_own.wins);
    for (const QString &name : std::as_const(m_currentPlayers)) {
        const int row = rowOf(name);
        if (row < 1)
            continue;
        Opponent &opponent = m_opponents[row - 1];
        int column = NeitherWon;
        if (name == winner)
            column = TheirWins;
        else if (ownWin)
            column = YourWins;
        for (const int total : {int(Games), column}) {
            bump(counter(opponent, total));
            bump(counter(opponent, total + kSessionOffset));
        }
    }
    Q_EMIT valuesChanged();
}

bool TallyTable::addword(const QString &word, int value, int column)
{
    QString *recordWord = nullptr;
    int *threshold = nullptr;
    if (column == LongestWord) {
        recordWord = &m_own.longestWord;
        threshold = &m_own.longestLength;
    } else if (column == BestWord) {
        recordWord = &m_own.bestWord;
        threshold = &m_own.bestPoints;
    }
    if (!threshold || value <= *threshold)
        return false;
    *recordWord = storableName(word);
    *threshold = value;
    Q_EMIT valuesChanged();
    return true;
}

void TallyTable::anotherword(int column)
{
    if (column != OwnWords)
        return;
    bump(m_own.words);
    Q_EMIT valuesChanged();
}

void TallyTable::addtomine(int column)
{
    if (column == OwnGames)
        bump(m_own.games);
    else if (column == OwnWins)
        bump(m_own.wins);
    else
        return;
    Q_EMIT valuesChanged();
}

// --- the window's calls ----------------------------------------------------------------

bool TallyTable::follow(const QString &rawName)
{
    const QString name = storableName(rawName);
    if (name.isEmpty() || isFollowed(name) || rowCount() >= kMaxRowCount)
        return false;
    m_opponents.append(Opponent{name, {}, {}});
    Q_EMIT rowsChanged();
    return true;
}

void TallyTable::moverow(int row)
{
    if (row < 1 || row >= rowCount())
        return;
    m_opponents.removeAt(row - 1);
    Q_EMIT rowsChanged();
}

void TallyTable::reset()
{
    clearContent();
    Q_EMIT rowsChanged();
}

void TallyTable::setCurrentPlayers(const QStringList &names)
{
    m_currentPlayers.clear();
    for (const QString &raw : names) {
        const QString name = storableName(raw);
        if (!name.isEmpty() && !m_currentPlayers.contains(name))
            m_currentPlayers.append(name);
    }
    Q_EMIT currentPlayersChanged();
}

void TallyTable::loadchecklist(int ownSlot, const QString &seat1Name, const QString &seat2Name)
{
    setCurrentPlayers(opponentsInGame(ownSlot, seat1Name, seat2Name));
}

QStringList TallyTable::opponentsInGame(int ownSlot, const QString &seat1Name, const QString &seat2Name)
{
    QStringList names;
    const QString *const seats[] = {&seat1Name, &seat2Name};
    for (int slot = 1; slot <= 2; ++slot) {
        const QString &name = *seats[slot - 1];
        if (slot != ownSlot && name != kWaiting && !name.isEmpty())
            names.append(name);
    }
    return names;
}

QString TallyTable::storableName(const QString &name)
{
    QString result = name;
    result.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar &c : result) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator || c == QChar(0x85))
            c = QLatin1Char(' ');
    }
    return result;
}
