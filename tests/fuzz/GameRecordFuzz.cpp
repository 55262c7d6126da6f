// Fuzz harness of the game record reader: the input is a record file. Reading either
// refuses the header (no events kept) or keeps the events before the first bad line. A
// record read whole writes a text that reads back to the same record, and writes that
// same text again. Whatever was kept replays into a client game whose scores are the
// last event's and whose own words are the viewer's word events.
#include "FuzzCheck.h"

#include "client/model/ClientGame.h"
#include "client/model/GameRecordReader.h"
#include "client/model/GameRecordWriter.h"
#include "client/model/GameReplay.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The game's turn clock is a timer, which wants an application.
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const GameRecordReader::Result read = GameRecordReader::read(input);
    FUZZ_CHECK(read.ok() == read.error.isEmpty());
    // A line that is missing is named by the number it would have had.
    const qsizetype lines = input.count('\n') + (input.isEmpty() || input.endsWith('\n') ? 0 : 1);
    FUZZ_CHECK(read.errorLine >= 0 && read.errorLine <= lines + 1);
    if (!read.headerRead) {
        FUZZ_CHECK(!read.ok());
        FUZZ_CHECK(read.record.events.isEmpty());
        return 0;
    }
    if (read.ok()) {
        const QByteArray written = GameRecordWriter::write(read.record);
        const GameRecordReader::Result again = GameRecordReader::read(written);
        FUZZ_CHECK(again.ok());
        FUZZ_CHECK(again.record == read.record);
        FUZZ_CHECK(GameRecordWriter::write(again.record) == written);
    }

    ClientGame game;
    GameReplay replay(game);
    replay.load(read.record);
    replay.stepTo(replay.length());
    const auto &events = read.record.events;
    const std::array<int, 2> last = events.isEmpty() ? std::array<int, 2>{} : events.back().scores;
    FUZZ_CHECK(game.seat(1)->score == last[0] && game.seat(2)->score == last[1]);
    qsizetype ownWords = 0;
    for (const RecordEvent &event : events)
        ownWords += event.kind == RecordEvent::Kind::Word && event.seat == read.record.header.viewer;
    FUZZ_CHECK(game.ownWords().size() == ownWords);
    FUZZ_CHECK(!game.turntimer().isActive());
    return 0;
}
