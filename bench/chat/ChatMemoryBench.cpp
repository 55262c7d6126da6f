// Resident memory of the whole program after a participant floods the chat: 10,000
// relayed lines fed to the chat half as the client's dispatcher feeds them, each line
// under the host's 4 KiB relay cap, with the events processed after every line as the
// main window's loop does. The lines are plain text, 660 short links each ("www.a "), or
// 660 links in a colour of their own each (a new text format every line). Each case
// fails when the program's resident memory ends above kBoundMegabytes.
//
// Run: build/bench/chat/bench_chat (QT_QPA_PLATFORM=offscreen without a display;
// CHAT_LINES=<n> feeds n lines instead of 10,000). The
// cases run in one process one after the other, so each starts from the memory the
// previous one left: the figure that counts is the resident size at each case's end.
#include "client/ChatHalf.h"
#include "client/model/ClientGame.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

const int kLines = qEnvironmentVariableIntValue("CHAT_LINES") > 0 ? qEnvironmentVariableIntValue("CHAT_LINES") : 10000;
constexpr double kBoundMegabytes = 80.0;

class DroppingSender : public RequestSender {
public:
    void sendRequest(const QByteArray &) override { }
};

// Resident size of this process, from /proc/self/statm (its second field, in pages).
double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return -1;
    return fields.at(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

enum class Flood { Plain, Links, LinksNewColour };

QString lineText(Flood flood)
{
    switch (flood) {
    case Flood::Plain: return QString(3960, QLatin1Char('x'));
    case Flood::Links:
    case Flood::LinksNewColour: return QStringLiteral("www.a ").repeated(660);
    }
    return {};
}

void chatFlood(benchmark::State &state, Flood flood)
{
    const QString text = lineText(flood);
    for (auto _ : state) {
        const double before = residentMegabytes();
        QWidget panel;
        panel.resize(724, 491);
        ClientGame game;
        DroppingSender sender;
        ChatHalf chat(&panel, game, sender, ChatHalf::PlaySound());
        panel.show();
        for (int i = 0; i < kLines; ++i) {
            const QString colour =
                flood == Flood::LinksNewColour ? QStringLiteral("$%1").arg(i + 1, 8, 16, QLatin1Char('0')) : "clBlack";
            chat.chatReceived(QStringLiteral("3+Eve chats: ") + text + QLatin1Char('|') + colour);
            QCoreApplication::processEvents();
        }
        const double after = residentMegabytes();
        state.counters["rss_start_MB"] = before;
        state.counters["rss_end_MB"] = after;
        state.counters["lines_shown"] = chat.mainchat()->document()->blockCount();
        state.counters["links_kept"] = chat.links().count();
        chat.ClearMainChat1Click();
        QCoreApplication::processEvents();
        state.counters["rss_cleared_MB"] = residentMegabytes();
        if (after > kBoundMegabytes)
            state.SkipWithError("resident memory above the bound");
    }
}

BENCHMARK_CAPTURE(chatFlood, plain, Flood::Plain)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(chatFlood, links, Flood::Links)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(chatFlood, links_new_colour, Flood::LinksNewColour)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
