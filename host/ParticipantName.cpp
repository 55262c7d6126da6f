// Cleaning a participant's name; see ParticipantName.h.
#include "host/ParticipantName.h"

#include <algorithm>

namespace {

// Characters that reorder the text around them (embeddings, overrides, isolates, marks):
// in a name they could make the lines that show it read differently.
bool isBidiFormatting(char16_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F || c == 0x061C;
}

}  // namespace

QString ParticipantName::clean(const QString &name)
{
    QString clean;
    clean.reserve(std::min<qsizetype>(name.size(), kMaxLength));
    int characters = 0;
    for (qsizetype i = 0; i < name.size() && characters < kMaxLength; ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            clean += c;
            clean += name.at(++i);
        } else if (c.isSurrogate() || isBidiFormatting(c.unicode())) {
            continue;  // a lone half of a pair cannot be shown; reordering marks are not wanted
        } else {
            const bool breaksLine = c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
                || c.category() == QChar::Separator_Paragraph;
            clean += breaksLine ? QLatin1Char(' ') : c;
        }
        ++characters;
    }
    return clean;
}
