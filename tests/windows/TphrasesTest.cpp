// The phrase buttons editor: opening shows the buttons' phrases, "Done" gives the buttons
// the typed texts and saves them for the next start (the exact keys written are the
// settings half's, tested there), any other way out changes nothing, and a phrase longer
// than a box survives an untouched box.
#include "windows/Tphrases.h"

#include "client/ChatHalf.h"
#include "client/ClientContext.h"
#include "client/ProfileFile.h"
#include "client/SettingsHalf.h"
#include "client/model/ClientGame.h"
#include "net/Catalogue.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

class RecordingSender : public RequestSender {
public:
    void sendRequest(const QByteArray &message) override { requests.append(message); }
    QList<QByteArray> requests;
};

// The chat and settings halves of one start of the program, on one settings file.
struct ProgramStart {
    explicit ProgramStart(const QString &file)
    {
        panel.resize(724, 491);
        game.logIn(1);
        chat = std::make_unique<ChatHalf>(&panel, game, sender, ChatHalf::PlaySound());
        settings = std::make_unique<SettingsHalf>(&window, *chat, nullptr, ChatHalf::PlaySound(), file);
    }

    QWidget window;
    QWidget panel;
    ClientGame game;
    RecordingSender sender;
    std::unique_ptr<ChatHalf> chat;
    std::unique_ptr<SettingsHalf> settings;
};

class TphrasesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        start = std::make_unique<ProgramStart>(path());
        mainWindow.setGeometry(100, 80, 736, 540);
        mainWindow.show();
        editor = std::make_unique<Tphrases>(*start->chat, *start->settings, &mainWindow);
    }

    QString path() const { return dir.filePath(QStringLiteral("korvexlobby.ini")); }
    ChatHalf &chat() { return *start->chat; }

    // Types `text` over the whole of box `number`, as the player would.
    void typeInto(int number, const QString &text)
    {
        QLineEdit *box = editor->phraseBox(number);
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, text);
    }

    void done() { QTest::mouseClick(editor->doneButton(), Qt::LeftButton); }

    QTemporaryDir dir;
    std::unique_ptr<ProgramStart> start;
    QWidget mainWindow;
    std::unique_ptr<Tphrases> editor;
};

TEST_F(TphrasesTest, NineLabelledBoxesOfFiftyCharactersAndDone)
{
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Quarn - Phrase Buttons"));
    EXPECT_EQ(editor->windowModality(), Qt::NonModal);
    QHash<QWidget *, QString> labels;
    for (const QLabel *label : editor->findChildren<QLabel *>())
        labels.insert(label->buddy(), label->text());
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(n);
        QLineEdit *box = editor->findChild<QLineEdit *>(QStringLiteral("phrase%1").arg(n));
        ASSERT_EQ(box, editor->phraseBox(n));
        EXPECT_EQ(labels.value(box), QStringLiteral("Phrase Button %1:").arg(n));
        EXPECT_EQ(box->maxLength(), 50);
    }
    EXPECT_EQ(editor->doneButton()->text(), QStringLiteral("Done"));
}

TEST_F(TphrasesTest, OpeningShowsEachButtonsPhraseCentredOnTheMainWindow)
{
    chat().setPhrase(2, QStringLiteral("Hi all"));
    editor->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    EXPECT_EQ(editor->phraseBox(1)->text(), QStringLiteral("Way To Go!"));
    EXPECT_EQ(editor->phraseBox(2)->text(), QStringLiteral("Hi all"));
    EXPECT_EQ(editor->phraseBox(9)->text(), QStringLiteral("Good Game Everyone!"));
    const QPoint offset = editor->frameGeometry().center() - mainWindow.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 1) << offset.x() << "," << offset.y();
}

struct LeaveRow {
    const char *name;
    std::function<void(Tphrases &)> leave;
};

class TphrasesLeaving : public TphrasesTest, public ::testing::WithParamInterface<LeaveRow> { };

TEST_P(TphrasesLeaving, ClosingWithoutDoneChangesNothingAndTheNextOpeningShowsTheButtons)
{
    editor->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    typeInto(1, QStringLiteral("Not kept"));
    GetParam().leave(*editor);

    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(chat().phrase(1), QStringLiteral("Way To Go!"));
    EXPECT_FALSE(QFile::exists(path()));
    editor->open();
    EXPECT_EQ(editor->phraseBox(1)->text(), QStringLiteral("Way To Go!"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TphrasesLeaving,
    ::testing::Values(LeaveRow{"closeBox", [](Tphrases &w) { w.close(); }},
                      LeaveRow{"escape", [](Tphrases &w) { QTest::keyClick(w.phraseBox(1), Qt::Key_Escape); }}),
    [](const auto &info) { return std::string(info.param.name); });

struct NextStartRow {
    const char *name;
    const char *typed;
    const char *sent;  // what button 4 then sends, as the text of its action
    const char *nextStart;  // button 4's phrase once a new start has read the file
};

class TphrasesNextStart : public TphrasesTest, public ::testing::WithParamInterface<NextStartRow> { };

TEST_P(TphrasesNextStart, ConfirmedPhraseIsSentNowAndReadAtTheNextStart)
{
    const NextStartRow &row = GetParam();
    editor->open();
    typeInto(4, QString::fromUtf8(row.typed));
    done();
    EXPECT_FALSE(editor->isVisible());

    chat().phraseButton(4)->click();
    EXPECT_EQ(start->sender.requests,
              QList<QByteArray>{net::toHost::action(1, QString::fromUtf8(row.sent), QStringLiteral("clBlack"))});

    editor.reset();
    start = std::make_unique<ProgramStart>(path());
    start->settings->loadinifile();
    EXPECT_EQ(chat().phrase(4), QString::fromUtf8(row.nextStart));
}

INSTANTIATE_TEST_SUITE_P(Rows, TphrasesNextStart,
                         ::testing::Values(NextStartRow{"plain", "Well played", "says: Well played", "Well played"},
                                           NextStartRow{"action", "/me bows", "bows", "/me bows"},
                                           NextStartRow{"emptied", "", "says: ", "Excellent!"}),
                         [](const auto &info) { return std::string(info.param.name); });

struct LongPhraseRow {
    const char *name;
    bool edited;  // the player takes the last character off the box
};

class TphrasesLongPhrase : public TphrasesTest, public ::testing::WithParamInterface<LongPhraseRow> { };

TEST_P(TphrasesLongPhrase, AnUntouchedBoxKeepsAPhraseLongerThanTheBox)
{
    const QString longPhrase = QStringLiteral("This phrase was typed into the settings file by hand, long.");
    ASSERT_GT(longPhrase.size(), 50);
    chat().setPhrase(5, longPhrase);
    editor->open();
    EXPECT_EQ(editor->phraseBox(5)->text(), longPhrase.left(50));
    if (GetParam().edited) {
        editor->phraseBox(5)->end(false);
        QTest::keyClick(editor->phraseBox(5), Qt::Key_Backspace);
    }
    done();

    const QString expected = GetParam().edited ? longPhrase.left(49) : longPhrase;
    EXPECT_EQ(chat().phrase(5), expected);
    EXPECT_EQ(ProfileFile::readString(path(), QStringLiteral("Quarn"), QStringLiteral("Phrase5")), expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, TphrasesLongPhrase,
                         ::testing::Values(LongPhraseRow{"untouched", false}, LongPhraseRow{"edited", true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(TphrasesTest, APastedLineBreakBecomesASpaceSoTheFileKeepsOneKeyALine)
{
    editor->open();
    editor->phraseBox(3)->selectAll();
    editor->phraseBox(3)->insert(QStringLiteral("two\nlines"));  // as a paste inserts it
    done();

    EXPECT_EQ(chat().phrase(3), QStringLiteral("two lines"));
    EXPECT_EQ(ProfileFile::readString(path(), QStringLiteral("Quarn"), QStringLiteral("Phrase3")),
              QStringLiteral("two lines"));
}

}  // namespace
