// Fuzz harness of the tally's stored text: the input is the text a tally file holds once
// its container is opened. Reading either refuses it, leaving the table empty with a
// message, or accepts it; an accepted table writes a text that reads back to the same
// cells, and writes that same text again.
#include "FuzzCheck.h"

#include "tally/TallyTable.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    TallyTable table{QString()};
    if (!table.loadStoredText(input)) {
        FUZZ_CHECK(!table.errorString().isEmpty());
        FUZZ_CHECK(table.rowCount() == 1 && table.own() == TallyTable::OwnTotals{});
        return 0;
    }
    FUZZ_CHECK(table.rowCount() >= 1 && table.rowCount() <= TallyTable::kMaxRowCount);
    const QByteArray written = table.storedText();
    TallyTable again{QString()};
    FUZZ_CHECK(again.loadStoredText(written));
    FUZZ_CHECK(again.own() == table.own() && again.opponents() == table.opponents());
    FUZZ_CHECK(again.storedText() == written);
    return 0;
}
