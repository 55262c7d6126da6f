// Every turn leaves a line in the chat: which message tells which line to whom, and the
// letters a receiver may not see are never named.
#include "ModelFakes.h"

#include "client/model/ClientGame.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

struct NoticeRow {
    int ownSlot;
    void (ClientGame::*handler)(const QString &);
    const char *rest;
    const char *line;  // empty: the message tells nothing
};

void PrintTo(const NoticeRow &row, std::ostream *out)
{
    *out << "slot " << row.ownSlot << " gets " << row.rest;
}

class TurnNoticeTest : public GameFixture, public ::testing::WithParamInterface<NoticeRow> { };

TEST_P(TurnNoticeTest, EachActionIsToldInOneLine)
{
    const NoticeRow &row = GetParam();
    game.logIn(row.ownSlot);
    // Ann's board holds Q in cell 2, Bob's D in cell 4; the own seat holds T as extra 3.
    game.placetheletters(QStringLiteral("1+2+17+2+4+4"));
    game.letters(QStringLiteral("%1+3+20").arg(row.ownSlot));
    notices.notices.clear();

    (game.*row.handler)(QString::fromLatin1(row.rest));

    const QString line = QString::fromLatin1(row.line);
    EXPECT_EQ(notices.notices, line.isEmpty() ? QStringList() : QStringList{line});
}

INSTANTIATE_TEST_SUITE_P(
    Messages, TurnNoticeTest,
    ::testing::Values(NoticeRow{1, &ClientGame::placemyletter, "1+3+5+20+", "You placed T"},
                      NoticeRow{1, &ClientGame::placemyletter, "2+1+5+1+", "Bob placed A"},
                      NoticeRow{3, &ClientGame::placemyletter, "1+1+5+1+", "Ann placed A"},
                      NoticeRow{1, &ClientGame::discardletter, "2+4+", "Bob discarded D"},
                      NoticeRow{2, &ClientGame::discardletter, "2+4+", "You discarded D"},
                      NoticeRow{1, &ClientGame::discardextra, "1+3+", "You discarded T"},
                      // The time took an extra that was already empty.
                      NoticeRow{1, &ClientGame::discardextra, "1+5+", ""},
                      NoticeRow{1, &ClientGame::discardextra, "2+3+", ""},
                      NoticeRow{1, &ClientGame::tradingmyletter, "2+1+3+2+4+", "Bob swapped two letters"},
                      NoticeRow{2, &ClientGame::tradingmyletter, "2+1+3+2+4+", "You swapped two letters"},
                      NoticeRow{1, &ClientGame::stoldletter, "2+1+7+2+17+", "Bob stole your Q"},
                      NoticeRow{1, &ClientGame::stoldletter, "1+2+6+4+4+", "You stole D from Bob"},
                      NoticeRow{3, &ClientGame::stoldletter, "2+1+7+2+17+", "Bob stole Q from Ann"}));

TEST_F(GameFixture, StealsLeftDropWhenTheStealIsAccepted)
{
    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    QSignalSpy seats(&game, &ClientGame::seatChanged);
    game.stoldletter(QStringLiteral("2+1+7+2+17+"));
    EXPECT_EQ(game.seat(2)->stealsLeft, 4);
    EXPECT_EQ(game.seat(1)->stealsLeft, 5);
    ASSERT_FALSE(seats.isEmpty());
    EXPECT_EQ(seats.last().at(0).toInt(), 2);

    // Counts that stand for no limit stay as they are, and so does an empty one.
    for (const QString &turn : {QStringLiteral("1+101+"), QStringLiteral("1+0+")}) {
        game.getnextplayer(turn);
        const int before = game.seat(1)->stealsLeft;
        game.stoldletter(QStringLiteral("1+2+6+4+4+"));
        EXPECT_EQ(game.seat(1)->stealsLeft, before) << turn.toStdString();
    }
    game.startthegame(QStringLiteral("Ann+30+200+10000+"));
    game.stoldletter(QStringLiteral("1+2+6+4+4+"));
    EXPECT_EQ(game.seat(1)->stealsLeft, 10000);
}

}  // namespace
