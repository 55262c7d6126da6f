// The game start dialog: its look, the arrows' ranges and steps, restored values and
// the request "Start Game" sends.
#include "windows/Tgamestart.h"

#include "client/ClientContext.h"
#include "net/Catalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

class GameStartRequests : public RequestSender {
public:
    void sendRequest(const QByteArray &message) override { requests.append(message); }
    QList<QByteArray> requests;
};

class TgamestartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        context.playerName = QStringLiteral("Ann");
        mainWindow.resize(736, 503);
        dialog = std::make_unique<Tgamestart>(context, sender, &mainWindow);
    }

    QString shown(const char *edit) const { return dialog->findChild<QLineEdit *>(QLatin1String(edit))->text(); }

    ClientContext context;
    GameStartRequests sender;
    QWidget mainWindow;
    std::unique_ptr<Tgamestart> dialog;
};

TEST_F(TgamestartTest, LooksAsDesigned)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Quarn - Game Start"));
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(dialog->size(), QSize(257, 164));
    auto *options = dialog->findChild<QGroupBox *>();
    ASSERT_TRUE(options);
    EXPECT_EQ(options->title(), QStringLiteral("Game Options"));
    EXPECT_EQ(shown("edit_playtoscore"), QStringLiteral("200"));
    EXPECT_EQ(shown("edit_creationtime"), QStringLiteral("30"));
    EXPECT_EQ(shown("edit_steals"), QStringLiteral("5"));
    for (const char *name : {"UpDown1", "UpDown2", "UpDown3"})
        EXPECT_NE(dialog->findChild<QWidget *>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(dialog->unlimitedBox()->text(), QStringLiteral("Unlimited Steals"));
    EXPECT_TRUE(dialog->unlimitedBox()->isChecked());
    EXPECT_EQ(dialog->startButton()->text(), QStringLiteral("Start Game"));

    mainWindow.show();
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(dialog->unlimitedBox()));
}

struct RangeRow {
    const char *name;
    Tgamestart::RowIndex row;
    const char *edit;
    int initial;
    int minimum;
    int maximum;
    int step;
};

class TgamestartRangeTest : public TgamestartTest, public ::testing::WithParamInterface<RangeRow> { };

TEST_P(TgamestartRangeTest, ArrowsStepAndStopAtTheEnds)
{
    const RangeRow &r = GetParam();
    EXPECT_EQ(shown(r.edit), QString::number(r.initial));
    dialog->stepUp(r.row);
    EXPECT_EQ(shown(r.edit), QString::number(r.initial + r.step));
    for (int i = 0; i < 1000; ++i)
        dialog->stepUp(r.row);
    EXPECT_EQ(shown(r.edit), QString::number(r.maximum));  // plain digits, no separator
    for (int i = 0; i < 1000; ++i)
        dialog->stepDown(r.row);
    EXPECT_EQ(shown(r.edit), QString::number(r.minimum));
    dialog->stepDown(r.row);
    EXPECT_EQ(shown(r.edit), QString::number(r.minimum));  // no wrap-around
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TgamestartRangeTest,
    ::testing::Values(RangeRow{"playToScore", Tgamestart::PlayToScore, "edit_playtoscore", 200, 100, 1000, 50},
                      RangeRow{"timePerTurn", Tgamestart::CreationTime, "edit_creationtime", 30, 20, 120, 5},
                      RangeRow{"steals", Tgamestart::Steals, "edit_steals", 5, 0, 20, 1}),
    [](const ::testing::TestParamInfo<RangeRow> &info) { return std::string(info.param.name); });

TEST_F(TgamestartTest, ArrowButtonsStepTheirRow)
{
    mainWindow.show();
    dialog->show();
    QTest::mouseClick(dialog->row(Tgamestart::CreationTime).up, Qt::LeftButton);
    QTest::mouseClick(dialog->row(Tgamestart::PlayToScore).down, Qt::LeftButton);
    EXPECT_EQ(shown("edit_creationtime"), QStringLiteral("35"));
    EXPECT_EQ(shown("edit_playtoscore"), QStringLiteral("150"));
}

TEST_F(TgamestartTest, UnlimitedSendsTenThousandWhateverTheStealsShow)
{
    QSignalSpy started(dialog.get(), &Tgamestart::gameStarted);
    dialog->show();
    dialog->stepUp(Tgamestart::Steals);
    QTest::mouseClick(dialog->startButton(), Qt::LeftButton);
    ASSERT_EQ(sender.requests.size(), 1);
    EXPECT_EQ(sender.requests.first(), net::toHost::startgame(QStringLiteral("Ann"), 30, 200, 10000));
    EXPECT_TRUE(sender.requests.first().endsWith(QByteArray("+10000+\xff")));
    EXPECT_EQ(started.count(), 1);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(TgamestartTest, LimitedStealsSendTheShownValues)
{
    dialog->unlimitedBox()->setChecked(false);
    for (int i = 0; i < 5; ++i)
        dialog->stepDown(Tgamestart::Steals);
    dialog->stepUp(Tgamestart::CreationTime);
    dialog->button_startClick();
    EXPECT_EQ(sender.requests, QList<QByteArray>{net::toHost::startgame(QStringLiteral("Ann"), 35, 200, 0)});
}

TEST_F(TgamestartTest, SavedValueOutsideTheRangeIsSentUnchangedUntilAnArrowIsUsed)
{
    dialog->restoreSaved(QStringLiteral("5000"), QStringLiteral("10"), QStringLiteral("x7"), false);
    EXPECT_EQ(dialog->playtoscoreText(), QStringLiteral("5000"));
    EXPECT_EQ(dialog->creationtimeText(), QStringLiteral("10"));
    EXPECT_EQ(dialog->stealsText(), QStringLiteral("5"));  // not a number: row unchanged
    EXPECT_FALSE(dialog->unlimitedChecked());
    dialog->button_startClick();
    EXPECT_EQ(sender.requests.last(), net::toHost::startgame(QStringLiteral("Ann"), 10, 5000, 5));

    dialog->stepDown(Tgamestart::PlayToScore);
    dialog->stepUp(Tgamestart::CreationTime);
    EXPECT_EQ(dialog->playtoscoreText(), QStringLiteral("1000"));
    EXPECT_EQ(dialog->creationtimeText(), QStringLiteral("20"));
}

TEST_F(TgamestartTest, TheComputerRowOffersClassicThenStrongWithClassicChosen)
{
    QComboBox *box = dialog->computerBox();
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), QStringLiteral("Classic"));
    EXPECT_EQ(box->itemText(1), QStringLiteral("Strong"));
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(dialog->computerLevelText(), QStringLiteral("Classic"));
    // The fourth row fits the panel above the check box, and the window keeps its size.
    EXPECT_LT(box->geometry().bottom(), dialog->unlimitedBox()->geometry().top());
    EXPECT_LE(dialog->startButton()->geometry().bottom(), Tgamestart::kClientHeight);
}

// The host learns the level from the dialog itself, before the start request is sent.
TEST_F(TgamestartTest, TheChosenLevelIsAnnouncedBeforeTheStartRequest)
{
    QStringList chosen;
    qsizetype requestsWhenChosen = -1;
    QObject::connect(dialog.get(), &Tgamestart::computerLevelChosen, dialog.get(), [&](const QString &level) {
        chosen.append(level);
        requestsWhenChosen = sender.requests.size();
    });
    dialog->computerBox()->setCurrentIndex(1);
    EXPECT_EQ(dialog->computerLevelText(), QStringLiteral("Strong"));
    dialog->button_startClick();
    EXPECT_EQ(chosen, QStringList{QStringLiteral("Strong")});
    EXPECT_EQ(requestsWhenChosen, 0);
    EXPECT_EQ(sender.requests.size(), 1);
}

struct LevelRow {
    const char *saved;
    const char *shown;
    int index;
};

class TgamestartLevelTest : public TgamestartTest, public ::testing::WithParamInterface<LevelRow> { };

// A saved level is shown as it reads in any case; anything else shows Classic.
TEST_P(TgamestartLevelTest, ASavedLevelIsShown)
{
    dialog->computerBox()->setCurrentIndex(1);
    dialog->restoreComputerLevel(QString::fromLatin1(GetParam().saved));
    EXPECT_EQ(dialog->computerLevelText(), QString::fromLatin1(GetParam().shown));
    EXPECT_EQ(dialog->computerBox()->currentIndex(), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Levels, TgamestartLevelTest,
                         ::testing::Values(LevelRow{"Strong", "Strong", 1}, LevelRow{"STRONG", "Strong", 1},
                                           LevelRow{"Classic", "Classic", 0}, LevelRow{"Expert", "Classic", 0},
                                           LevelRow{"", "Classic", 0}));

}  // namespace

namespace {

struct TypedRow {
    const char *name;
    Tgamestart::RowIndex row;
    const char *edit;
    const char *typed;
    const char *taken;
};

class TgamestartTypedTest : public TgamestartTest, public ::testing::WithParamInterface<TypedRow> { };

TEST_P(TgamestartTypedTest, ATypedValueIsTakenIntoTheRowsRange)
{
    dialog->unlimitedBox()->setChecked(false);
    auto *edit = dialog->findChild<QLineEdit *>(QLatin1String(GetParam().edit));
    edit->clear();
    QTest::keyClicks(edit, QLatin1String(GetParam().typed));
    dialog->button_startClick();
    EXPECT_EQ(edit->text(), QLatin1String(GetParam().taken));
    EXPECT_EQ(dialog->row(GetParam().row).position, edit->text().toInt());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TgamestartTypedTest,
    ::testing::Values(TypedRow{"scoreInside", Tgamestart::PlayToScore, "edit_playtoscore", "650", "650"},
                      TypedRow{"scoreAbove", Tgamestart::PlayToScore, "edit_playtoscore", "5000", "1000"},
                      TypedRow{"timeBelow", Tgamestart::CreationTime, "edit_creationtime", "5", "20"},
                      TypedRow{"lettersRefused", Tgamestart::Steals, "edit_steals", "x", "5"}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace

TEST_F(TgamestartTest, TheStealsRowCannotBeChangedWhileStealsAreUnlimited)
{
    const Tgamestart::Row &steals = dialog->row(Tgamestart::Steals);
    EXPECT_FALSE(steals.edit->isEnabled());
    EXPECT_FALSE(steals.arrows->isEnabled());
    const QString dir = qEnvironmentVariable("QUARN_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        dialog->grab().save(QDir(dir).filePath(QStringLiteral("gamestart-unlimited.png")));
    dialog->unlimitedBox()->setChecked(false);
    EXPECT_TRUE(steals.edit->isEnabled());
    EXPECT_TRUE(steals.arrows->isEnabled());
}

TEST_F(TgamestartTest, EscapeHidesWithoutStartingAndEnterStarts)
{
    mainWindow.show();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(sender.requests.isEmpty());

    dialog->show();
    QTest::keyClick(dialog->findChild<QLineEdit *>(QStringLiteral("edit_playtoscore")), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(sender.requests.size(), 1);
}
