// The settings half: reading every key with its defaults and odd values, writing in the
// fixed order, the placement rules at resize and close, and the sound switches.
#include "ChatFakes.h"

#include "client/ChatHalf.h"
#include "client/ProfileFile.h"
#include "client/SettingsHalf.h"
#include "client/model/AttentionRules.h"
#include "client/model/ClientGame.h"
#include "client/model/Roster.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

#include <sys/types.h>
#include <unistd.h>

namespace {

class SettingsHalfTest : public ::testing::Test {
protected:
    SettingsHalfTest()
    {
        panel.resize(724, 491);
        chat = std::make_unique<ChatHalf>(&panel, game, sender, sounds.player());
        settings = std::make_unique<SettingsHalf>(&window, *chat, &gameStart, sounds.player(), path());
    }

    QString path() const { return dir.filePath(QStringLiteral("korvexlobby.ini")); }

    void writeFile(const QByteArray &bytes) const
    {
        QFile out(path());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    QByteArray readFile() const
    {
        QFile in(path());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    QString stored(const char *key) const
    {
        return ProfileFile::readString(path(), QStringLiteral("Quarn"), QLatin1String(key), QStringLiteral("<none>"));
    }

    QTemporaryDir dir;
    QWidget window;
    QWidget panel;
    ClientGame game;
    ChatRecordingSender sender;
    ChatSoundLog sounds;
    ChatFakeGameStart gameStart;
    std::unique_ptr<ChatHalf> chat;
    std::unique_ptr<SettingsHalf> settings;
};

TEST_F(SettingsHalfTest, MissingFileGivesEveryDefault)
{
    settings->loadinifile();
    EXPECT_EQ(settings->rememberedPlacement(), QRect(3, 3, 734, 540));
    EXPECT_EQ(window.pos(), QPoint(3, 3));
    EXPECT_EQ(window.size(), QSize(736, 540));  // the minimum client width wins over 734
    EXPECT_EQ(chat->textSize(), 8);
    EXPECT_EQ(chat->textColour(), QColor(Qt::black));
    EXPECT_EQ(chat->phrase(1), QStringLiteral("Way To Go!"));
    EXPECT_TRUE(settings->playSoundsAction()->isChecked());
    EXPECT_TRUE(settings->playChatterSoundsAction()->isChecked());
    EXPECT_EQ(settings->turnSoundName(), QStringLiteral("start"));
    EXPECT_EQ(gameStart.playtoscore, QStringLiteral("200"));
    EXPECT_EQ(gameStart.creationtime, QStringLiteral("30"));
    EXPECT_EQ(gameStart.steals, QStringLiteral("5"));
    EXPECT_FALSE(gameStart.unlimited);
    EXPECT_FALSE(QFile::exists(path()));  // reading never creates the file
}

TEST_F(SettingsHalfTest, StoredValuesAreApplied)
{
    writeFile("[Lobby]\r\nTop=99\r\n[quarn]\r\ntop=40\r\nLEFT=50\r\nWidth=800\r\nHeight=560\r\nTextsize=12\r\n"
              "Textcolor=$00336699\r\nPhrase3=Hi all\r\nPhrase4=\r\nPlaytoscore=5000\r\nCreationtime=abc\r\n"
              "Steals=0\r\nUnlimited=t\r\n");
    settings->loadinifile();
    EXPECT_EQ(window.pos(), QPoint(50, 40));
    EXPECT_EQ(window.size(), QSize(800, 560));
    EXPECT_EQ(chat->textSize(), 12);
    EXPECT_EQ(chat->textColour(), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(chat->phrase(3), QStringLiteral("Hi all"));
    EXPECT_EQ(chat->phrase(4), QStringLiteral("Excellent!"));  // an empty phrase keeps the default
    // 5000 is shown unchanged; a value that is no number leaves its row as it was.
    EXPECT_EQ(gameStart.playtoscore, QStringLiteral("5000"));
    EXPECT_EQ(gameStart.creationtime, QStringLiteral("45"));
    EXPECT_EQ(gameStart.steals, QStringLiteral("0"));
    EXPECT_TRUE(gameStart.unlimited);
}

struct SwitchRow {
    const char *key;
    const char *value;
    bool on;
};

void PrintTo(const SwitchRow &row, std::ostream *os)
{
    *os << row.key << '=' << row.value;
}

class SettingsSwitches : public SettingsHalfTest, public ::testing::WithParamInterface<SwitchRow> {
protected:
    bool state() const
    {
        const QByteArray key = GetParam().key;
        if (key == "Playsounds")
            return settings->playSoundsAction()->isChecked() && settings->switches().playSounds();
        if (key == "ChatterSounds")
            return settings->playChatterSoundsAction()->isChecked() && chat->chatterSoundsOn()
                && settings->switches().chatterSounds();
        if (key == "Unlimited")
            return gameStart.unlimited;
        if (key == "MapPort")
            return settings->mapPort();
        if (key == "HighContrastChat")
            return chat->highContrast() && chat->highContrastAction()->isChecked();
        return settings->turnSoundName() == QLatin1String("turnnew") && settings->newAction()->isChecked();
    }
};

// Only the exact texts switch: "false" turns sounds off, "t" checks Unlimited, "1" selects New.
TEST_P(SettingsSwitches, OnlyTheExactTextSwitches)
{
    writeFile(QByteArray("[Quarn]\n") + GetParam().key + '=' + GetParam().value + '\n');
    settings->loadinifile();
    EXPECT_EQ(state(), GetParam().on);
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsSwitches,
                         ::testing::Values(SwitchRow{"Playsounds", "false", false},
                                           SwitchRow{"Playsounds", "FALSE", true}, SwitchRow{"Playsounds", "no", true},
                                           SwitchRow{"ChatterSounds", "false", false},
                                           SwitchRow{"ChatterSounds", "FALSE", true},
                                           SwitchRow{"MapPort", "false", false}, SwitchRow{"MapPort", "no", true},
                                           SwitchRow{"Unlimited", "t", true}, SwitchRow{"Unlimited", "T", false},
                                           SwitchRow{"Unlimited", "true", false}, SwitchRow{"Turnsound", "1", true},
                                           SwitchRow{"Turnsound", "yes", false}, SwitchRow{"Turnsound", "0", false},
                                           SwitchRow{"HighContrastChat", "true", true},
                                           SwitchRow{"HighContrastChat", "TRUE", false}));

struct SizeRow {
    const char *value;
    int size;
    const char *checkedEntry;  // empty: none
};

void PrintTo(const SizeRow &row, std::ostream *os)
{
    *os << "Textsize=" << row.value;
}

class SettingsTextSize : public SettingsHalfTest, public ::testing::WithParamInterface<SizeRow> { };

TEST_P(SettingsTextSize, SetsTheSizeAndChecksOnlyAnExistingEntry)
{
    writeFile(QByteArray("[Quarn]\nTextsize=") + GetParam().value + '\n');
    settings->loadinifile();
    EXPECT_EQ(chat->textSize(), GetParam().size);
    const QString expected = QString::fromLatin1(GetParam().checkedEntry);
    EXPECT_EQ(checkedEntries(chat->textSizeMenu()), expected.isEmpty() ? QStringList() : QStringList{expected});
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsTextSize,
                         ::testing::Values(SizeRow{"14", 14, "N14"}, SizeRow{"11", 11, ""}, SizeRow{"8", 8, "N8"},
                                           SizeRow{"abc", 8, "N8"}, SizeRow{"0", 8, "N8"}, SizeRow{"-3", 8, "N8"},
                                           SizeRow{"100000", 8, "N8"}));

// Choosing the entry already chosen keeps it chosen, and one entry at most is checked.
TEST_F(SettingsHalfTest, TurnSoundAndTextSizeAreRadioChoices)
{
    for (QMenu *menu : {settings->turnSoundMenu(), chat->textSizeMenu()}) {
        QAction *first = menu->actions().first();
        QAction *last = menu->actions().last();
        for (QAction *entry : {first, first, last, last}) {
            entry->trigger();
            EXPECT_EQ(checkedEntries(menu), QStringList{entry->objectName()}) << menu->objectName().toStdString();
        }
    }
}

TEST_F(SettingsHalfTest, UnreadableColourGivesBlack)
{
    chat->setTextColour(Qt::red);
    writeFile("[Quarn]\nTextcolor=pink\n");
    settings->loadinifile();
    EXPECT_EQ(chat->textColour(), QColor(Qt::black));
}

// All keys in their fixed order; phrases are not written; other sections stay.
TEST_F(SettingsHalfTest, SaveWritesTheKeysInTheirOrder)
{
    writeFile("[Lobby]\r\nNick=Zed\r\n");
    settings->loadinifile();
    chat->setTextColour(QColor(255, 0, 0));
    settings->New1Click(SettingsHalf::New);
    EXPECT_EQ(readFile(),
              QByteArray("[Lobby]\r\nNick=Zed\r\n[Quarn]\r\nTextsize=8\r\nTextcolor=clRed\r\n"
                         "Playtoscore=200\r\nCreationtime=30\r\nSteals=5\r\nTop=3\r\nLeft=3\r\n"
                         "Width=736\r\nHeight=540\r\nTurnsound=1\r\nUnlimited=f\r\n"
                         "Playsounds=true\r\nChatterSounds=true\r\nMapPort=true\r\nHighContrastChat=false\r\n"));
    EXPECT_TRUE(settings->newAction()->isChecked());
    EXPECT_FALSE(settings->classicAction()->isChecked());
}

// The phrase editor's save: the nine phrase keys alone, in the section, before the first
// load too; an empty phrase is written empty.
TEST_F(SettingsHalfTest, SavePhrasesWritesTheNinePhraseKeysAlone)
{
    writeFile("[Lobby]\r\nNick=Zed\r\n[Quarn]\r\nTextsize=12\r\nPhrase2=Old\r\n");
    chat->setPhrase(2, QStringLiteral("Hi all"));
    chat->setPhrase(4, QString());
    ASSERT_TRUE(settings->savePhrases());
    EXPECT_EQ(readFile(),
              QByteArray("[Lobby]\r\nNick=Zed\r\n[Quarn]\r\nTextsize=12\r\nPhrase2=Hi all\r\n"
                         "Phrase1=Way To Go!\r\nPhrase3=Nice Try!\r\nPhrase4=\r\nPhrase5=Brilliant!\r\n"
                         "Phrase6=Wow, WTG!\r\nPhrase7=Thanks!\r\nPhrase8=Way To Go Teamie!\r\n"
                         "Phrase9=Good Game Everyone!\r\n"));
}

TEST_F(SettingsHalfTest, NothingIsWrittenBeforeTheFirstLoad)
{
    settings->PlaySounds1Click();
    window.move(200, 200);
    settings->FormClose();
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_FALSE(settings->playSoundsAction()->isChecked());  // the switch itself still works
}

TEST_F(SettingsHalfTest, CloseWithoutMoveWritesNothingAndAfterMoveSavesThePlacement)
{
    writeFile("[Quarn]\nTop=10\nLeft=20\nWidth=800\nHeight=600\n");
    settings->loadinifile();
    QFile::remove(path());
    settings->FormClose();
    EXPECT_FALSE(QFile::exists(path()));

    window.move(30, 40);
    settings->FormClose();
    EXPECT_EQ(stored("Left"), QStringLiteral("30"));
    EXPECT_EQ(stored("Top"), QStringLiteral("40"));
    EXPECT_EQ(stored("Width"), QStringLiteral("800"));
    EXPECT_EQ(settings->rememberedPlacement(), QRect(30, 40, 800, 600));
}

// A window wider or higher than the work area is saved 15 pixels smaller that way.
TEST_F(SettingsHalfTest, WindowLargerThanTheWorkAreaShrinksBy15AtClose)
{
    const QRect work = window.screen()->availableGeometry();
    const int wide = work.width() + 100;
    writeFile(QByteArray("[Quarn]\nTop=0\nLeft=0\nWidth=") + QByteArray::number(wide) + "\nHeight=600\n");
    settings->loadinifile();
    window.move(5, 5);
    settings->FormClose();
    EXPECT_EQ(stored("Width"), QString::number(wide - 15));
    EXPECT_EQ(stored("Height"), QString::number(600 > work.height() ? 585 : 600));
}

TEST_F(SettingsHalfTest, ResetScreenLocationThenCloseSavesTheDesignPlace)
{
    writeFile("[Quarn]\nTop=100\nLeft=100\nWidth=900\nHeight=700\n");
    settings->loadinifile();
    settings->resetScreenLocationAction()->trigger();
    EXPECT_EQ(stored("Top"), QStringLiteral("100"));  // nothing saved at that moment
    settings->FormClose();
    EXPECT_EQ(stored("Left"), QStringLiteral("3"));
    EXPECT_EQ(stored("Top"), QStringLiteral("3"));
    EXPECT_EQ(stored("Width"), QStringLiteral("736"));
    EXPECT_EQ(stored("Height"), QStringLiteral("540"));
}

// The client area never gets smaller than the board panel plus 12 pixels each way; in a
// main window the menu bar does not count as client area.
TEST_F(SettingsHalfTest, ResizeKeepsTheMinimumClientArea)
{
    window.resize(300, 200);
    settings->FormResize();
    EXPECT_EQ(window.size(), QSize(736, 503));
    window.show();
    window.resize(900, 100);
    QTRY_COMPARE(window.size(), QSize(900, 503));

    QMainWindow main;
    main.menuBar()->addMenu(QStringLiteral("File"));
    ChatHalf otherChat(&panel, game, sender, sounds.player());
    SettingsHalf mainSettings(&main, otherChat, nullptr, sounds.player(), path());
    main.resize(400, 400);
    mainSettings.FormResize();
    const int menuHeight = main.menuBar()->sizeHint().height();
    EXPECT_GT(menuHeight, 0);
    EXPECT_EQ(main.size(), QSize(736, 503 + menuHeight));
}

// The switches hold the sound options; the menu entries only show them.
TEST_F(SettingsHalfTest, MenuEntriesShowTheSwitches)
{
    EXPECT_FALSE(settings->classicAction()->isChecked()) << "no turn sound is checked before the first load";
    EXPECT_FALSE(settings->newAction()->isChecked());
    SoundSwitches &switches = settings->switches();
    switches.setPlaySounds(false);
    EXPECT_FALSE(settings->playSoundsAction()->isChecked());
    settings->playsounds(QStringLiteral("tick"));
    EXPECT_TRUE(sounds.played.isEmpty());
    switches.setChatterSounds(false);
    EXPECT_FALSE(settings->playChatterSoundsAction()->isChecked());
    EXPECT_FALSE(chat->chatterSoundsOn());
    switches.setTurnSound(SoundSwitches::New);
    EXPECT_TRUE(settings->newAction()->isChecked());
    EXPECT_FALSE(settings->classicAction()->isChecked());
    EXPECT_EQ(settings->turnSoundName(), QStringLiteral("turnnew"));

    settings->newAction()->trigger();  // the checked entry again: it stays checked
    EXPECT_TRUE(settings->newAction()->isChecked());
    settings->classicAction()->trigger();
    EXPECT_EQ(switches.turnSound(), SoundSwitches::Classic);
    EXPECT_FALSE(settings->newAction()->isChecked());
    settings->playSoundsAction()->trigger();
    EXPECT_TRUE(switches.playSounds());
}

TEST_F(SettingsHalfTest, GameSoundsPlayOnlyWhilePlaySoundsIsChecked)
{
    settings->loadinifile();
    settings->playsounds(QStringLiteral("tick"));
    settings->PlaySounds1Click();
    settings->playsounds(QStringLiteral("goodword"));
    EXPECT_EQ(sounds.played, QStringList{QStringLiteral("tick")});
    EXPECT_EQ(stored("Playsounds"), QStringLiteral("false"));
}

TEST_F(SettingsHalfTest, ChatterSwitchSilencesReceivedSoundsAndIsSaved)
{
    settings->loadinifile();
    settings->PlayChatterSounds1Click();
    EXPECT_FALSE(chat->chatterSoundsOn());
    chat->playasound(QStringLiteral("2+wave1+"));
    EXPECT_TRUE(sounds.played.isEmpty());
    EXPECT_EQ(stored("ChatterSounds"), QStringLiteral("false"));
}

TEST_F(SettingsHalfTest, TheMapPortChoiceIsSavedAtOnce)
{
    settings->loadinifile();
    settings->setMapPort(false);
    EXPECT_EQ(stored("MapPort"), QStringLiteral("false"));
}

// The calls back to the window are on unless the file says exactly "false"; the Options
// entry shows them, switches them and saves the switch.
TEST_F(SettingsHalfTest, NotificationsFollowTheFileAndTheMenuEntry)
{
    struct : AttentionSink {
        void callAttention(const QString &, const QString &) override { }
    } sink;
    Roster roster;
    AttentionRules attention(game, roster, sink, {});
    EXPECT_FALSE(settings->notificationsAction()->isEnabled()) << "nothing to switch yet";
    settings->setAttention(&attention);
    EXPECT_TRUE(settings->notificationsAction()->isEnabled());

    writeFile("[Quarn]\nNotifications=false\n");
    settings->loadinifile();
    EXPECT_FALSE(attention.enabled());
    EXPECT_FALSE(settings->notificationsAction()->isChecked());

    settings->notificationsAction()->trigger();
    EXPECT_TRUE(attention.enabled());
    EXPECT_EQ(stored("Notifications"), QStringLiteral("true"));

    writeFile("[Quarn]\nNotifications=FALSE\n");
    settings->loadinifile();
    EXPECT_TRUE(attention.enabled());
    EXPECT_TRUE(settings->notificationsAction()->isChecked());
}

TEST_F(SettingsHalfTest, TextSizeAndColourChoicesAreSaved)
{
    settings->loadinifile();
    chat->textSizeClick(12);
    EXPECT_EQ(stored("Textsize"), QStringLiteral("12"));
    chat->highContrastAction()->trigger();
    EXPECT_EQ(stored("HighContrastChat"), QStringLiteral("true"));
    EXPECT_EQ(stored("Turnsound"), QStringLiteral("0"));
}

// A game start dialog that also offers the computer's level.
class LevelFakeGameStart : public ChatFakeGameStart {
public:
    QString computerLevelText() const override { return level; }
    void restoreComputerLevel(const QString &saved) override { level = saved; }
    QString level = QStringLiteral("Strong");
};

// "ComputerLevel" comes back to the dialog as stored ("Classic" when missing, any case of
// the key) and is written after every key the lobby program knows.
TEST_F(SettingsHalfTest, TheComputerLevelIsRestoredAndSavedLast)
{
    LevelFakeGameStart levelStart;
    settings->setGameStartSettings(&levelStart);
    settings->loadinifile();
    EXPECT_EQ(levelStart.level, QStringLiteral("Classic"));

    levelStart.level = QStringLiteral("Strong");
    ASSERT_TRUE(settings->saveinifile());
    EXPECT_TRUE(readFile().endsWith("MapPort=true\r\nComputerLevel=Strong\r\nHighContrastChat=false\r\n"))
        << readFile().constData();

    writeFile("[Quarn]\r\ncomputerlevel=Strong\r\n");
    levelStart.level.clear();
    settings->loadinifile();
    EXPECT_EQ(levelStart.level, QStringLiteral("Strong"));
}

// Permissions bind an ordinary user only: run as root, the test acts as "nobody" while
// this lives, on files given to "nobody" beforehand.
class AsOrdinaryUser {
public:
    static constexpr uid_t kNobody = 65534;
    explicit AsOrdinaryUser(const QStringList &paths)
    {
        if (::geteuid() != 0)
            return;
        for (const QString &path : paths)
            EXPECT_EQ(::chown(QFile::encodeName(path).constData(), kNobody, kNobody), 0) << path.toStdString();
        m_switched = ::seteuid(kNobody) == 0;
        EXPECT_TRUE(m_switched);
    }
    ~AsOrdinaryUser()
    {
        if (m_switched) {
            EXPECT_EQ(::seteuid(0), 0);
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser &) = delete;
    AsOrdinaryUser &operator=(const AsOrdinaryUser &) = delete;

private:
    bool m_switched = false;
};

// Beside the program when a file can be replaced in its folder, whatever the settings
// file's own permissions; else in the other folder (the configuration folder).
TEST_F(SettingsHalfTest, FileLivesWhereAFileCanBeReplaced)
{
    const QString program = dir.filePath(QStringLiteral("program"));
    const QString other = dir.filePath(QStringLiteral("other"));
    const QString beside = program + QStringLiteral("/korvexlobby.ini");
    ASSERT_TRUE(QDir().mkpath(program) && QDir().mkpath(other));
    QFile file(beside);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
    {
        const AsOrdinaryUser user({dir.path(), program, other, beside});
        ASSERT_TRUE(QFileInfo(beside).isWritable());
        EXPECT_EQ(SettingsHalf::filePathFor(program, other), other + QStringLiteral("/korvexlobby.ini"));
        EXPECT_EQ(SettingsHalf::filePathFor(other, program), other + QStringLiteral("/korvexlobby.ini"));
    }
    EXPECT_EQ(QDir(other).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList())
        << "the trial leaves nothing behind";
    EXPECT_EQ(SettingsHalf::filePathFor(dir.filePath(QStringLiteral("no/such/folder"))),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                  + QStringLiteral("/korvexlobby.ini"));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Another program (the lobby, a second copy) changed a key meanwhile: a save here writes
// only what changed here, so the other change stays.
TEST_F(SettingsHalfTest, ASaveKeepsWhatAnotherWriterChangedMeanwhile)
{
    writeFile("[Quarn]\r\nTextsize=10\r\n");
    QWidget otherWindow;
    ChatHalf otherChat(&panel, game, sender, sounds.player());
    SettingsHalf other(&otherWindow, otherChat, &gameStart, sounds.player(), path());
    settings->loadinifile();
    other.loadinifile();

    chat->textSizeClick(14);
    other.PlaySounds1Click();
    EXPECT_EQ(stored("Textsize"), QStringLiteral("14"));
    EXPECT_EQ(stored("Playsounds"), QStringLiteral("false"));

    otherChat.textSizeClick(8);  // a change of its own is written, the last writer winning
    EXPECT_EQ(stored("Textsize"), QStringLiteral("8"));
}

// A save that fails (here: the folder cannot be created) tells the player once, in the chat.
TEST_F(SettingsHalfTest, AFailedSaveTellsThePlayerOnce)
{
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    SettingsHalf blocked(&window, *chat, &gameStart, sounds.player(), blocker + QStringLiteral("/korvexlobby.ini"));
    blocked.loadinifile();

    EXPECT_FALSE(blocked.saveinifile());
    blocked.PlaySounds1Click();
    EXPECT_FALSE(blocked.savePhrases());

    const QString text = chat->mainchat()->toPlainText();
    EXPECT_EQ(text.count(QStringLiteral("Could not save")), 1) << text.toStdString();
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(blocked.filePath())));
    EXPECT_TRUE(blocked.saveFailures().reported(blocked.filePath()));
}

}  // namespace
