// Fuzz harness of the chat line builder: the input is a relayed chat line as UTF-8 (any
// bytes). Its items must be well formed: the line starts with a text run, every later
// text or link run is one word ending in its only space, a link run is a web address and
// a line holds at most kLinksPerLine of them (a web address past the cap stays text),
// smileys show one of the 18 images. The line's links then go through a link table that
// keeps the last ones only, and every kept link must still open its own address.
#include "FuzzCheck.h"

#include "client/ChatLineBuilder.h"
#include "client/LinkTable.h"

#include <QColor>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const ChatLine line = ChatLineBuilder::build(text, QColor(1, 2, 3));
    FUZZ_CHECK(line.colour == QColor(1, 2, 3));
    FUZZ_CHECK(!line.items.isEmpty());
    FUZZ_CHECK(line.items.first().kind == ChatItem::Kind::Text);
    FUZZ_CHECK(line.items.first().text.endsWith(QLatin1Char(' ')));

    LinkTable links;
    QList<QString> added;
    for (qsizetype i = 1; i < line.items.size(); ++i) {
        const ChatItem &item = line.items.at(i);
        if (item.kind == ChatItem::Kind::Smiley) {
            FUZZ_CHECK(item.text.isEmpty());
            FUZZ_CHECK(item.smiley >= 0 && item.smiley < ChatLineBuilder::kSmileyCount);
            continue;
        }
        FUZZ_CHECK(item.text.indexOf(QLatin1Char(' ')) == item.text.size() - 1);
        const bool address = ChatLineBuilder::isWebAddress(item.text);
        if (item.kind == ChatItem::Kind::Link) {
            FUZZ_CHECK(address);
            FUZZ_CHECK(links.add(item.text) == added.size());
            added.append(item.text);
        } else {
            FUZZ_CHECK(!address || added.size() == ChatLineBuilder::kLinksPerLine);
        }
    }
    FUZZ_CHECK(added.size() <= ChatLineBuilder::kLinksPerLine);

    // The older half of the links leaves; the rest still open their own address.
    const int released = int(added.size()) / 2;
    links.releaseOldest(released);
    FUZZ_CHECK(links.count() == added.size() - released);
    for (int number = 0; number < added.size(); ++number) {
        const std::optional<QString> opened = links.address(number);
        FUZZ_CHECK(opened.has_value() == (number >= released));
        if (opened)
            FUZZ_CHECK(*opened == added.at(number).chopped(1));
    }
    links.clear();
    FUZZ_CHECK(links.count() == 0 && links.counter() == -1);
    return 0;
}
