// Tests of the tally window as the player sees it: what it shows on a first run and after
// a restore, the selected opponent's panel, the clicks that start and stop following and
// reset the tally with their questions. The table's own rules are tested on TallyTable.
#include "tally/TallyText.h"
#include "tally/window/Ttallylist.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Ten "0" cells per row, the name first; column by column as the file holds them.
QByteArray storedText(const QStringList &opponents)
{
    const int rows = int(opponents.size()) + 1;
    QByteArray text = "10\r\n" + QByteArray::number(rows) + "\r\n0\r\n";
    for (const QString &name : opponents)
        text += name.toUtf8() + "\r\n";
    return text + QByteArray("0\r\n").repeated(9 * rows);
}

class TallyWindow : public ::testing::Test {
protected:
    // The window opens on a table its owner restored already.
    void open(const QStringList &followed = {})
    {
        TallyTable::Content content;
        ASSERT_TRUE(TallyText::read(storedText(followed), content).isEmpty());
        table.replaceContent(content);
        window = std::make_unique<Ttallylist>(table, prompts());
    }
    Ttallylist::Prompts prompts()
    {
        return {[this](QWidget *, const QString &question) {
                    questions.append(question);
                    return answer;
                },
                [this](QWidget *, const QString &message) { notices.append(message); }};
    }
    // The clicks are turned into operations once the list's signal is over.
    static void settle() { QCoreApplication::processEvents(); }

    QLabel *label(const char *name) const { return window->findChild<QLabel *>(QLatin1String(name)); }
    QString text(const char *name) const { return label(name) ? label(name)->text() : "(missing)"; }
    QListWidget *list(const char *name) const { return window->findChild<QListWidget *>(QLatin1String(name)); }
    // Each entry as the player sees it: its name, and "+" when its box is ticked.
    static QStringList entries(const QListWidget *list)
    {
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown.append(list->item(i)->text() + (list->item(i)->checkState() == Qt::Checked ? "+" : ""));
        return shown;
    }
    QStringList ownTotals() const
    {
        return {text("label_games"), text("label_wins"), text("label_longest"), text("label_best"),
                text("label_words")};
    }
    // The opponent panel: title, then games, their wins and own wins, total and session.
    QStringList opponentPanel() const
    {
        return {text("label_opponent"),        text("value_games_total"),       text("value_games_session"),
                text("value_theirwins_total"), text("value_theirwins_session"), text("value_yourwins_total"),
                text("value_yourwins_session")};
    }

    TallyTable table;
    std::unique_ptr<Ttallylist> window;
    bool answer = true;
    QStringList questions;
    QStringList notices;
};

}  // namespace

TEST_F(TallyWindow, FirstRunShowsZerosAndNone)
{
    open();
    EXPECT_EQ(window->windowTitle(), "Quarn - Tally List");
    EXPECT_EQ(ownTotals(), (QStringList{"0", "0", "None", "None", "0"}));
    EXPECT_EQ(list("listbox_tally")->count(), 0);
    EXPECT_FALSE(window->findChild<QGroupBox *>("panel_opponent")->isEnabled());
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(TallyWindow, RestoredOpponentsAreListedInOrderAllTicked)
{
    open({"Cleo", "Ann", "Bob"});
    EXPECT_EQ(entries(list("listbox_tally")), (QStringList{"Cleo+", "Ann+", "Bob+"}));
}

TEST_F(TallyWindow, PanelsShowTheRecordsAndTheSelectedOpponent)
{
    open({"Ann", "Bob"});
    table.recordLongestWord("quartz", 6);
    table.recordBestWord("jinx", 40);
    table.countWord();
    table.setCurrentPlayers({"Bob"});
    table.countGameWonBy("Bob");
    EXPECT_EQ(ownTotals(), (QStringList{"1", "0", "quartz (6)", "jinx (40)", "1"}));

    list("listbox_tally")->setCurrentRow(1);
    EXPECT_EQ(opponentPanel(), (QStringList{"Bob's Tally", "1", "1", "1", "1", "0", "0"}));
    EXPECT_EQ(text("label_theirwins"), "Bob Wins:");
    EXPECT_TRUE(window->findChild<QGroupBox *>("panel_opponent")->isEnabled());
    EXPECT_TRUE(label("value_neither_total")->isHidden());

    // A game's end shows the selected row again.
    table.countOwnWin();
    EXPECT_EQ(opponentPanel(), (QStringList{"Bob's Tally", "2", "2", "1", "1", "1", "1"}));
    EXPECT_EQ(ownTotals(), (QStringList{"2", "1", "quartz (6)", "jinx (40)", "1"}));
}

TEST_F(TallyWindow, ViewTallyListsTheCurrentPlayersAndShows)
{
    open({"Ann"});
    window->viewTally({"Ann", "Bob"});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(entries(list("checklist")), (QStringList{"Ann+", "Bob"}));

    window->findChild<QPushButton *>("button_ok")->click();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(TallyWindow, TickingACurrentPlayerFollowsThem)
{
    open({"Ann"});
    window->viewTally({"Ann", "Bob"});

    list("checklist")->item(1)->setCheckState(Qt::Checked);
    settle();
    EXPECT_EQ(entries(list("listbox_tally")), (QStringList{"Ann+", "Bob+"}));
    EXPECT_EQ(entries(list("checklist")), (QStringList{"Ann+", "Bob+"}));

    // Clearing a followed name's box there changes nothing.
    list("checklist")->item(0)->setCheckState(Qt::Unchecked);
    settle();
    EXPECT_EQ(entries(list("listbox_tally")), (QStringList{"Ann+", "Bob+"}));
    EXPECT_EQ(entries(list("checklist")), (QStringList{"Ann+", "Bob+"}));
    EXPECT_TRUE(questions.isEmpty());
}

struct Answer {
    const char *name;
    bool yes;
};

class TallyWindowAnswer : public TallyWindow, public ::testing::WithParamInterface<Answer> { };

TEST_P(TallyWindowAnswer, ClearingABoxAsksBeforeTheRowGoes)
{
    answer = GetParam().yes;
    open({"Ann", "Bob"});
    // Not shown: a list that gains the focus would take its first entry as the current one.
    table.setCurrentPlayers({"Bob"});
    list("listbox_tally")->setCurrentRow(1);

    list("listbox_tally")->item(1)->setCheckState(Qt::Unchecked);
    settle();

    EXPECT_EQ(questions, QStringList{"This will delete Bob's Tally, Are you want to delete it?"});
    if (GetParam().yes) {
        EXPECT_EQ(entries(list("listbox_tally")), QStringList{"Ann+"});
        EXPECT_EQ(entries(list("checklist")), QStringList{"Bob"});
        EXPECT_EQ(text("label_opponent"), QString());
    } else {
        EXPECT_EQ(entries(list("listbox_tally")), (QStringList{"Ann+", "Bob+"}));
        EXPECT_EQ(entries(list("checklist")), QStringList{"Bob+"});
        EXPECT_EQ(text("label_opponent"), "Bob's Tally");
    }
}

TEST_P(TallyWindowAnswer, ResetTallyAsksFirst)
{
    answer = GetParam().yes;
    open({"Ann"});
    table.setCurrentPlayers({"Ann"});
    table.countOwnWin();
    table.recordLongestWord("quartz", 6);
    list("listbox_tally")->setCurrentRow(0);

    window->findChild<QPushButton *>("button_reset")->click();

    EXPECT_EQ(questions, QStringList{"Are you sure you want to reset the Tally?"});
    if (GetParam().yes) {
        EXPECT_EQ(ownTotals(), (QStringList{"0", "0", "None", "None", "0"}));
        EXPECT_EQ(list("listbox_tally")->count(), 0);
        EXPECT_EQ(opponentPanel(), (QStringList{"", "0", "0", "0", "0", "0", "0"}));
    } else {
        EXPECT_EQ(ownTotals(), (QStringList{"1", "1", "quartz (6)", "None", "0"}));
        EXPECT_EQ(opponentPanel(), (QStringList{"Ann's Tally", "1", "1", "0", "0", "1", "1"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, TallyWindowAnswer, ::testing::Values(Answer{"Yes", true}, Answer{"No", false}),
                         [](const auto &info) { return std::string(info.param.name); });

// Names come from other players and the file: a name that looks like markup shows as typed.
TEST_F(TallyWindow, EveryLabelIsPlainText)
{
    open({"<b>Ann</b>"});
    list("listbox_tally")->setCurrentRow(0);
    EXPECT_EQ(text("label_opponent"), "<b>Ann</b>'s Tally");
    for (const QLabel *shown : window->findChildren<QLabel *>())
        EXPECT_EQ(shown->textFormat(), Qt::PlainText) << shown->text().toStdString();
}
