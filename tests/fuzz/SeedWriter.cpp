// Writes the seed inputs of the HostRequests and Framer harnesses: games and chats
// recorded on the host fuzz rig with the catalogue's own requests, the moves picked from
// the rig's game state, so that the seeds reach deep into real games. Every recording
// is replayed through a fresh rig and must come out the same. Run by
// tools/fuzz/make_seeds.py; usage: fuzz_seed_writer CORPUS-FOLDER
#include "HostRig.h"

#include "net/Catalogue.h"
#include "net/Message.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>

namespace {

using namespace net::toHost;
using hostfuzz::Op;

const QString kVersion = QString::fromLatin1(net::kVersion);

// Records operations as harness input while running them on a rig.
class Recorder {
public:
    void accept()
    {
        m_input += char(Op::Accept);
        m_rig.accept();
    }
    void depart(int slot)
    {
        m_input += char(Op::Depart);
        m_input += char(slot - 1);
        m_rig.depart(slot);
    }
    void tick(int count)
    {
        for (; count > 0; count -= 16) {
            const int now = std::min(count, 16);
            m_input += char(Op::Tick);
            m_input += char(now - 1);
            m_rig.tick(now);
        }
    }
    // Sends composed requests (terminators included) from `sender`, one message each.
    void send(int sender, const QByteArray &wire)
    {
        m_wire[size_t(sender)] += wire;
        QList<QByteArray> messages = wire.split(net::kTerminator);
        messages.removeLast();  // after the last terminator
        for (const QByteArray &message : messages) {
            m_input += char(Op::Request);
            m_input += char(sender - 1);
            m_input += message;
            m_input += net::kTerminator;
            m_rig.request(sender, message);
        }
    }

    void login(int slot, const QString &name, const QString &version = kVersion)
    {
        send(slot, logininfo(slot, version, name));
    }
    void say(int slot, const QString &text) { send(slot, chat(slot, text, QStringLiteral("clblack"))); }

    // Ticks until the computer has moved or the game has ended (at most `limit` ticks).
    void ticksUntilTurnOf(int seat, int limit = 64)
    {
        for (int i = 0; i < limit && game().gameInProgress() && game().whoseTurn() != seat; ++i)
            tick(1);
    }

    const SeatTable &game() const { return m_rig.table(); }
    const QByteArray &input() const { return m_input; }
    const QByteArray &wireFrom(int slot) const { return m_wire[size_t(slot)]; }
    const hostfuzz::Rig &rig() const { return m_rig; }

    // One move of the mover, the kind chosen by `turn`; placing is the fallback.
    void move(int turn)
    {
        const int seat = game().whoseTurn();
        if (!game().gameInProgress() || (seat != 1 && seat != 2))
            return;
        const tplayer &me = game().player(seat);
        const tplayer &him = game().player(GameRules::opponentOf(seat));
        int extra = 0;
        for (int k = 1; k <= 6 && extra == 0; ++k)
            extra = me.extras[size_t(k)] != 0 ? k : 0;
        int filled = 0;
        for (int c = 1; c <= 10 && filled == 0; ++c)
            filled = me.board[size_t(c)] != 0 ? c : 0;
        int hisFilled = 0;
        for (int c = 10; c >= 1 && hisFilled == 0; --c)
            hisFilled = him.board[size_t(c)] != 0 ? c : 0;
        const int cell = turn % 10 + 1;

        if (turn % 7 == 6 && hisFilled != 0)
            send(seat, stealinghisletter(seat, hisFilled, cell));
        if (!game().gameInProgress() || game().whoseTurn() != seat)
            return;  // the steal made a word and ended the turn
        if (turn % 4 == 3 && filled != 0)
            send(seat, tradingmyletter(seat, filled, cell));
        if (turn % 5 == 4 && filled != 0)
            send(seat, discardletter(seat, filled));
        else if (turn % 6 == 5 && extra != 0)
            send(seat, discardextra(seat, extra));
        else if (extra != 0)
            send(seat, placemyletter(seat, extra, cell));
        else
            tick(64);  // nothing to place: let the clock end the turn
    }

private:
    hostfuzz::Rig m_rig;
    QByteArray m_input;
    std::array<QByteArray, hostfuzz::kMaxSlot + 1> m_wire;
};

void twoPlayers(Recorder &r)
{
    r.accept();
    r.accept();
    r.login(1, QStringLiteral("Ann"));
    r.login(2, QStringLiteral("Bob"));
}

void startGame(Recorder &r, int timePerTurn = 30, int playToScore = 50, int steals = 5)
{
    r.send(1, startgame(QStringLiteral("Ann"), timePerTurn, playToScore, steals));
}

struct Script {
    const char *name;
    std::function<void(Recorder &)> play;
};

const QList<Script> &scripts()
{
    static const QList<Script> list{
        {"login-two", [](Recorder &r) { twoPlayers(r); }},
        {"login-wrong-version",
         [](Recorder &r) {
             r.accept();
             r.accept();
             r.accept();
             r.login(1, QStringLiteral("Ann"));
             r.login(2, QStringLiteral("Old"), QStringLiteral("1.0.5"));
             r.login(3, QStringLiteral("Spy"));
         }},
        {"start-game",
         [](Recorder &r) {
             twoPlayers(r);
             startGame(r);
         }},
        {"two-players-game",
         [](Recorder &r) {
             twoPlayers(r);
             startGame(r, 30, 60, 5);
             for (int turn = 0; turn < 40 && r.game().gameInProgress(); ++turn) {
                 r.move(turn);
                 if (turn % 9 == 0)
                     r.say(turn % 2 + 1, QStringLiteral("nice one"));
             }
         }},
        {"computer-opponent",
         [](Recorder &r) {
             r.accept();
             r.login(1, QStringLiteral("Ann"));
             startGame(r, 30, 40, 3);
             for (int turn = 0; turn < 30 && r.game().gameInProgress(); ++turn) {
                 if (r.game().whoseTurn() == 1)
                     r.move(turn);
                 else
                     r.ticksUntilTurnOf(1);
             }
         }},
        {"time-up",
         [](Recorder &r) {
             twoPlayers(r);
             startGame(r, 1, 50, 5);
             for (int i = 0; i < 6; ++i)
                 r.tick(3);
             r.move(0);
             r.tick(3);
         }},
        {"just-watch",
         [](Recorder &r) {
             twoPlayers(r);
             r.accept();
             r.login(3, QStringLiteral("Spy"));
             startGame(r);
             r.send(2, justwatch(2, 1));
             r.ticksUntilTurnOf(1);
             r.move(1);
             r.tick(2);
             r.send(1, justwatch(1, 1));
             r.tick(8);
             r.send(1, justwatch(2, 2));
             r.send(1, justwatch(1, 2));
             r.send(3, justwatch(2, 1));  // a spectator may not
             r.send(2, justwatch(1, 1));  // nor the other seat
             r.move(3);
         }},
        {"spectators-chat-kick",
         [](Recorder &r) {
             for (int i = 0; i < 5; ++i)
                 r.accept();
             const char *names[] = {"Ann", "Bob", "Cy", "Di", "Ed"};
             for (int slot = 1; slot <= 5; ++slot)
                 r.login(slot, QString::fromLatin1(names[slot - 1]));
             r.say(3, QStringLiteral("hello + welcome"));
             r.send(4, action(4, QStringLiteral("waves"), QStringLiteral("clred")));
             r.send(5, playasound(5, QStringLiteral("WAVE3")));
             r.send(2, kickhim(1, 3));  // only the host may
             r.send(1, kickhim(1, 3));
             r.depart(4);
             r.accept();
             r.login(3, QStringLiteral("Fay"));
             r.say(3, QStringLiteral("back"));
         }},
        {"late-join-and-rejoin",
         [](Recorder &r) {
             twoPlayers(r);
             startGame(r, 20, 80, 5);
             for (int turn = 0; turn < 8; ++turn)
                 r.move(turn);
             r.accept();
             r.login(3, QStringLiteral("Late"));
             r.depart(2);
             r.tick(4);
             r.accept();
             r.login(2, QStringLiteral("Bob"));
             for (int turn = 8; turn < 14; ++turn)
                 r.move(turn);
         }},
        {"mover-departs",
         [](Recorder &r) {
             twoPlayers(r);
             startGame(r);
             if (r.game().whoseTurn() != 2)
                 r.move(0);
             r.depart(2);
             r.tick(3);
             r.depart(1);
             r.accept();
         }},
        {"full-house",
         [](Recorder &r) {
             for (int i = 0; i < 10; ++i)
                 r.accept();
             for (int slot = 1; slot <= 9; ++slot)
                 r.login(slot, QStringLiteral("P%1").arg(slot));
             r.depart(5);
             r.accept();
             r.login(5, QStringLiteral("New"));
             r.accept();
         }},
        {"computer-plays-both",
         [](Recorder &r) {
             twoPlayers(r);
             startGame(r, 30, 1, 5);
             r.send(1, justwatch(1, 1));
             r.send(1, justwatch(2, 1));
             r.tick(400);
         }},
        {"unlimited-steals",
         [](Recorder &r) {
             twoPlayers(r);
             startGame(r, 30, 200, GameRules::kUnlimitedSteals);
             for (int turn = 0; turn < 24 && r.game().gameInProgress(); ++turn) {
                 const int seat = r.game().whoseTurn();
                 r.send(seat, stealinghisletter(seat, turn % 10 + 1, (turn * 3) % 10 + 1));
                 r.move(turn);
             }
         }},
        {"chat-flood",
         [](Recorder &r) {
             twoPlayers(r);
             for (int i = 0; i < 24; ++i)
                 r.say(2, QStringLiteral("line %1").arg(i));
             r.say(1, QStringLiteral("slow down"));
             r.tick(1);
             r.say(2, QStringLiteral("sorry"));
             r.say(1, QString(4200, QLatin1Char('x')));  // longer than any client sends
             r.send(1, action(1, QString(1500, QChar(0x20AC)), QStringLiteral("clred")));
         }},
        {"names",
         [](Recorder &r) {
             r.accept();
             r.accept();
             r.login(1, QStringLiteral("A name much longer than thirty-two characters, cut"));
             r.login(2,
                     QStringLiteral("tab\there\x01"
                                    "bell\u00e9\U0001F600"));
             r.send(2,
                    QByteArray("CMD_logininfo+2+1.0.6+\xED\xA0\x80lone\xC3"
                               "\xFF"));
             r.send(2, QByteArray("CMD_chat+2+caf\xC3\xA9 \xF0\x9F\x98\x80|clblue\xFF"));
         }},
        {"malformed",
         [](Recorder &r) {
             twoPlayers(r);
             r.send(2, startgame(QStringLiteral("Bob"), 30, 50, 5));  // not the host
             r.send(1, "CMD_startgame+Ann+x+50+5+\xFF");
             r.send(1, "CMD_startgame+Ann+30+\xFF");
             startGame(r, -5, -1, -3);
             const int seat = r.game().whoseTurn();
             const int other = seat == 1 ? 2 : 1;
             r.send(other, placemyletter(other, 1, 1));  // not its turn
             r.send(seat, placemyletter(other, 1, 1));  // someone else's seat
             r.send(seat, placemyletter(seat, 0, 11));  // out of range
             r.send(seat, placemyletter(seat, 7, -1));
             r.send(seat, "CMD_placemyletter+1+99999999999+1+\xFF");
             r.send(seat, "CMD_placemyletter+-0+1+1+\xFF");
             r.send(seat, "CMD_placemyletter+ 1+1+1+\xFF");
             r.send(seat, "CMD_tradingmyletter+1+-2147483648+2147483647+\xFF");
             r.send(seat, "CMD_discardletter+1\xFF");
             r.send(seat, "CMD_nosuchthing+1+2+\xFF");
             r.send(seat, "+1+2\xFF");
             r.send(seat, "CMD_chat\xFF");
             r.send(seat, "\xFF\xFF");
             r.send(seat, "CMD_kickhim+1+0+\xFF");
             r.send(1, "CMD_kickhim+1+12+\xFF");
             r.send(1, "CMD_justwatch+2+\xFF");
             r.send(1, "CMD_justwatch+3+1\xFF");
             r.send(seat, "CMD_stealinghisletter+1+1\xFF");
             r.move(0);
             r.move(1);
         }},
    };
    return list;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz_seed_writer: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The framer's input: the chunk-size bytes (see FramerFuzz.cpp), then the stream.
QByteArray framerInput(const QByteArray &chunkSizes, const QByteArray &stream)
{
    return char(chunkSizes.size()) + chunkSizes + stream;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    hostfuzz::sharedDictionary();
    const QDir corpus(QString::fromLocal8Bit(argv[1]));
    const QString hostFolder = corpus.filePath(QStringLiteral("HostRequests"));
    const QString framerFolder = corpus.filePath(QStringLiteral("Framer"));
    if (!QDir().mkpath(hostFolder) || !QDir().mkpath(framerFolder)) {
        std::fprintf(stderr, "fuzz_seed_writer: cannot create the corpus folders\n");
        return 1;
    }

    int framerSeed = 0;
    for (const Script &script : scripts()) {
        Recorder recorder;
        script.play(recorder);

        // The harness must see exactly what was recorded.
        hostfuzz::Rig replay;
        replay.run(reinterpret_cast<const uint8_t *>(recorder.input().constData()), size_t(recorder.input().size()));
        if (replay.sent() != recorder.rig().sent()) {
            std::fprintf(stderr, "fuzz_seed_writer: %s does not replay the same\n", script.name);
            return 1;
        }
        const QString name = QString::fromLatin1(script.name);
        if (!writeFile(QDir(hostFolder).filePath(name), recorder.input()))
            return 1;
        int words = 0;
        for (const auto &delivery : recorder.rig().sent())
            words += delivery.second.startsWith("CMD_formedword+") ? 1 : 0;
        std::printf("HostRequests/%s: %lld bytes, %lld messages sent (%d of them words formed), game %s\n", script.name,
                    qlonglong(recorder.input().size()), qlonglong(recorder.rig().sent().size()), words,
                    recorder.game().gameInProgress() ? "running" : "not running");

        // What the host's framer received from slots 1 and 2, whole and in small pieces.
        for (int slot = 1; slot <= 2; ++slot) {
            const QByteArray &stream = recorder.wireFrom(slot);
            if (stream.isEmpty())
                continue;
            // In one piece, in pieces of 1, 3 and 17 bytes, or of 7 and 48 bytes.
            const int variant = framerSeed++ % 3;
            const QByteArray sizes = variant == 0 ? QByteArray()
                : variant == 1                    ? QByteArray("\x00\x02\x10", 3)
                                                  : QByteArray("\x06\x2f", 2);
            const QString file = QStringLiteral("%1-slot%2").arg(name).arg(slot);
            if (!writeFile(QDir(framerFolder).filePath(file), framerInput(sizes, stream)))
                return 1;
        }
    }
    return 0;
}
