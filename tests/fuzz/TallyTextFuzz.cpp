// Fuzz harness of the tally's stored text: the input is the text a tally file holds once
// its container is opened. Reading either refuses it with a message, leaving the content
// as it was, or accepts it; accepted content writes a text that reads back to the same
// content, and writes that same text again.
#include "FuzzCheck.h"

#include "tally/TallyText.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    TallyTable::Content content;
    const QString error = TallyText::read(input, content);
    if (!error.isEmpty()) {
        FUZZ_CHECK(content == TallyTable::Content{});
        return 0;
    }
    FUZZ_CHECK(content.opponents.size() < TallyTable::kMaxRowCount);
    const QByteArray written = TallyText::write(content);
    TallyTable::Content again;
    FUZZ_CHECK(TallyText::read(written, again).isEmpty());
    FUZZ_CHECK(again == content);
    FUZZ_CHECK(TallyText::write(again) == written);
    return 0;
}
