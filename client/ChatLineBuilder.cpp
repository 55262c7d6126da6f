// The run structure of one chat line; see ChatLineBuilder.h.
#include "client/ChatLineBuilder.h"

#include "net/JoinAddress.h"

namespace {

const QString kSmileyMark = QStringLiteral(":)#");
constexpr int kCodeLength = 2;

}  // namespace

bool ChatLineBuilder::isWebAddress(const QString &word)
{
    return word.contains(QLatin1String("http://")) || word.contains(QLatin1String("www.")) || net::isInviteLink(word);
}

int ChatLineBuilder::smileyIndex(const QString &code)
{
    if (code.size() != kCodeLength || !code.at(0).isDigit() || !code.at(1).isDigit())
        return 0;
    const int value = (code.at(0).unicode() - u'0') * 10 + (code.at(1).unicode() - u'0');
    if (value < kFirstSmileyCode || value >= kFirstSmileyCode + kSmileyCount)
        return 0;
    return value - kFirstSmileyCode;
}

void ChatLineBuilder::addWords(const QString &text, QList<ChatItem> &items, int &linksLeft)
{
    // Every word keeps the space that ends it; the appended space ends the last one.
    const QString spaced = text + QLatin1Char(' ');
    qsizetype start = 0;
    while (start < spaced.size()) {
        const qsizetype space = spaced.indexOf(QLatin1Char(' '), start);
        const QString word = spaced.mid(start, space - start + 1);
        const bool link = linksLeft > 0 && isWebAddress(word);
        if (link)
            --linksLeft;
        items.append({link ? ChatItem::Kind::Link : ChatItem::Kind::Text, word, 0});
        start = space + 1;
    }
}

ChatLine ChatLineBuilder::build(const QString &line, const QColor &colour)
{
    ChatLine result{colour, {}};
    // The leading number (sender's slot, 0 for notices) and its "+" do not show.
    QString remainder = line.mid(line.indexOf(QLatin1Char('+')) + 1);

    const qsizetype colon = remainder.indexOf(QLatin1Char(':'));
    const QString prefix = colon < 0 ? QString() : remainder.left(colon + 1);
    remainder.remove(0, prefix.size());
    result.items.append({ChatItem::Kind::Text, prefix + QLatin1Char(' '), 0});

    int linksLeft = kLinksPerLine;
    qsizetype mark = remainder.indexOf(kSmileyMark);
    while (mark >= 0) {
        const QString before = remainder.left(mark);
        const QString code = remainder.mid(mark + kSmileyMark.size(), kCodeLength);
        remainder.remove(0, mark + kSmileyMark.size() + code.size());
        addWords(before, result.items, linksLeft);
        result.items.append({ChatItem::Kind::Smiley, QString(), smileyIndex(code)});
        mark = remainder.indexOf(kSmileyMark);
    }
    if (!remainder.isEmpty())
        addWords(remainder, result.items, linksLeft);
    return result;
}
