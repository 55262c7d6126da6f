// The tally's table and its operations; see TallyTable.h.
#include "tally/TallyTable.h"

namespace {

void bump(int &counter)
{
    if (counter < TallyTable::kMaxCount)
        ++counter;
}

void bumpBoth(TallyTable::Opponent &opponent, int TallyTable::Counts::*count)
{
    bump(opponent.total.*count);
    bump(opponent.session.*count);
}

}  // namespace

TallyTable::TallyTable(QObject *parent)
    : QObject(parent)
{
}

int TallyTable::rowOf(const QString &name) const
{
    for (int i = 0; i < m_content.opponents.size(); ++i) {
        if (m_content.opponents[i].name == name)
            return i + 1;
    }
    return -1;
}

void TallyTable::replaceContent(const Content &content)
{
    m_content = content;
    Q_EMIT rowsChanged();
}

// --- the game's calls ------------------------------------------------------------------

void TallyTable::countOwnWin()
{
    countGame(std::nullopt);
}

void TallyTable::countGameWonBy(const QString &winner)
{
    countGame(storableName(winner));
}

void TallyTable::countGame(const std::optional<QString> &otherWinner)
{
    bump(m_content.own.games);
    if (!otherWinner)
        bump(m_content.own.wins);
    for (const QString &name : std::as_const(m_currentPlayers)) {
        const int row = rowOf(name);
        if (row < 1)
            continue;
        Opponent &opponent = m_content.opponents[row - 1];
        bumpBoth(opponent, &Counts::games);
        if (!otherWinner)
            bumpBoth(opponent, &Counts::yourWins);
        else if (name == *otherWinner)
            bumpBoth(opponent, &Counts::theirWins);
        else
            bumpBoth(opponent, &Counts::neitherWon);
    }
    Q_EMIT valuesChanged();
}

bool TallyTable::recordLongestWord(const QString &word, int length)
{
    return record(m_content.own.longestWord, m_content.own.longestLength, word, length);
}

bool TallyTable::recordBestWord(const QString &word, int points)
{
    return record(m_content.own.bestWord, m_content.own.bestPoints, word, points);
}

bool TallyTable::record(QString &recordWord, int &threshold, const QString &word, int value)
{
    if (value <= threshold)
        return false;
    recordWord = storableName(word);
    threshold = value;
    Q_EMIT valuesChanged();
    return true;
}

void TallyTable::countWord()
{
    bump(m_content.own.words);
    Q_EMIT valuesChanged();
}

// --- the window's calls ----------------------------------------------------------------

bool TallyTable::follow(const QString &rawName)
{
    const QString name = storableName(rawName);
    if (name.isEmpty() || isFollowed(name) || rowCount() >= kMaxRowCount)
        return false;
    m_content.opponents.append(Opponent{name, {}, {}});
    Q_EMIT rowsChanged();
    return true;
}

bool TallyTable::unfollow(const QString &name)
{
    const int row = rowOf(name);
    if (row < 1)
        return false;
    m_content.opponents.removeAt(row - 1);
    Q_EMIT rowsChanged();
    return true;
}

void TallyTable::reset()
{
    m_content = Content{};
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
