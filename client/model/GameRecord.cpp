// The words of a game record's text form and each event's sentence; see GameRecord.h.
#include "client/model/GameRecord.h"

#include <utility>

namespace {

using Kind = RecordEvent::Kind;

constexpr std::pair<Kind, const char *> kKindNames[] = {
    {Kind::Deal, "deal"},
    {Kind::Boards, "boards"},
    {Kind::Scores, "scores"},
    {Kind::Place, "place"},
    {Kind::DiscardLetter, "discard-letter"},
    {Kind::DiscardExtra, "discard-extra"},
    {Kind::Swap, "swap"},
    {Kind::Steal, "steal"},
    {Kind::Word, "word"},
    {Kind::Refused, "refused"},
    {Kind::TimeUp, "timeup"},
    {Kind::Turn, "turn"},
    {Kind::Winner, "winner"},
    {Kind::Name, "name"},
};

}  // namespace

namespace recordtext {

QString kindName(Kind kind)
{
    for (const auto &[known, name] : kKindNames) {
        if (known == kind)
            return QLatin1StringView(name);
    }
    return {};
}

bool kindFrom(QStringView word, Kind &kind)
{
    for (const auto &[known, name] : kKindNames) {
        if (word == QLatin1StringView(name)) {
            kind = known;
            return true;
        }
    }
    return false;
}

QString reasonName(RecordEvent::Reason reason)
{
    return reason == RecordEvent::Reason::NotAWord ? QStringLiteral("not-a-word") : QStringLiteral("no-steals-left");
}

QChar letterChar(int code)
{
    return quarn::isLetterCode(code) ? quarn::letterOf(code).toUpper() : QChar(u'.');
}

}  // namespace recordtext

QString RecordEvent::describe(const QString &name1, const QString &name2) const
{
    using recordtext::letterChar;
    const QString who = seat == 1 ? name1 : name2;
    switch (kind) {
    case Kind::Deal: return QStringLiteral("Dealt %1 as extra %2").arg(letterChar(letter)).arg(extra);
    case Kind::Boards: return QStringLiteral("The boards as they stood on arrival");
    case Kind::Scores: return QStringLiteral("The scores as they stood on arrival");
    case Kind::Place: return QStringLiteral("%1 placed %2 in cell %3").arg(who).arg(letterChar(letter)).arg(cell);
    case Kind::DiscardLetter: return QStringLiteral("%1 discarded the letter in cell %2").arg(who).arg(cell);
    case Kind::DiscardExtra: return QStringLiteral("%1 discarded extra %2").arg(who).arg(extra);
    case Kind::Swap: return QStringLiteral("%1 swapped cells %2 and %3").arg(who).arg(cell).arg(cell2);
    case Kind::Steal:
        return QStringLiteral("%1 stole %2 from cell %3 into cell %4")
            .arg(who)
            .arg(letterChar(letter))
            .arg(cell2)
            .arg(cell);
    case Kind::Word: return QStringLiteral("%1 formed %2 for %3 points").arg(who, text).arg(points);
    case Kind::Refused:
        return reason == Reason::NotAWord ? QStringLiteral("%1's steal was refused: no word").arg(who)
                                          : QStringLiteral("%1's steal was refused: no steals left").arg(who);
    case Kind::TimeUp: return QStringLiteral("Time up");
    case Kind::Turn: return QStringLiteral("%1 to move").arg(who);
    case Kind::Winner: return QStringLiteral("%1 won the game").arg(who);
    case Kind::Name: return QStringLiteral("%1 now holds seat %2").arg(text).arg(seat);
    }
    return {};
}
