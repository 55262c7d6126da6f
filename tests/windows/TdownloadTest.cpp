// The lobby window against a loopback HTTP server: its panels, "Play Solo Game", "Play
// with Others" with and without the lobby program, and the download's state on the
// status lines and in boxes, from "Loading" to "Received", a failed and a stopped
// download, and the installer's start. What the download keeps is LobbyDownload's.
// With QUARN_SCREENSHOT_DIR set, the window during and after a download is saved there
// as download.png.
#include "windows/Tdownload.h"
#include "net/LoopbackHttpServer.h"
#include "windows/TdownloadFakes.h"

#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using Then = LoopbackHttpServer::Then;

constexpr int kWaitMs = 5000;
const QByteArray kPath = "/lobby/KorvexLobbySetup.exe";
const QByteArray kInstaller = QByteArray("MZ pretend installer ").repeated(50);

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

class TdownloadTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(server.isListening());
        makeWindow({});
    }

    void makeWindow(const QByteArray &digest)
    {
        lobbyProgram = folder.filePath(QStringLiteral("lobby/KorvexLobby"));
        window.reset();
        window = std::make_unique<Tdownload>(
            LobbyPlaces(server.url(QString::fromLatin1(kPath)), digest, QUrl(QStringLiteral("http://quarn.example/")),
                        lobbyProgram),
            [this] { return downloads; }, starter);
        ended = std::make_unique<QSignalSpy>(&window->download(), &LobbyDownload::ended);
        endRequests = std::make_unique<QSignalSpy>(window.get(), &Tdownload::programEndRequested);
    }

    QString line1() const { return label("label_status1")->text(); }
    QString line2() const { return label("label_status2")->text(); }
    QLabel *label(const char *name) const { return window->findChild<QLabel *>(QLatin1String(name)); }
    QPushButton *button(const char *name) const { return window->findChild<QPushButton *>(QLatin1String(name)); }
    QMessageBox *box(const QString &name) const { return window->findChild<QMessageBox *>(name); }
    bool downloadEnds(bool received)
    {
        if (ended->isEmpty() && !ended->wait(kWaitMs))
            return false;
        return ended->count() == 1 && ended->at(0).at(0).toBool() == received;
    }
    // Serves the installer whole and runs the download to its end.
    void downloadWhole()
    {
        server.route(kPath, {LoopbackHttpServer::response("HTTP/1.0 200 OK", kInstaller)});
        button("button_download")->click();
        ASSERT_TRUE(downloadEnds(true));
    }
    void expectIdle() const
    {
        EXPECT_TRUE(button("button_download")->isEnabled());
        EXPECT_FALSE(button("button_stop")->isEnabled());
        EXPECT_FALSE(window->download().running());
    }

    QTemporaryDir folder;
    QString downloads = folder.path();
    QString lobbyProgram;
    LoopbackHttpServer server;
    RecordingStarter starter;
    std::unique_ptr<Tdownload> window;
    std::unique_ptr<QSignalSpy> ended;
    std::unique_ptr<QSignalSpy> endRequests;
};

// --- The window ---------------------------------------------------------------------------

TEST_F(TdownloadTest, StaysOnTopIdleWithPlainTextLabels)
{
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(button("button_solo")->isDefault());
    EXPECT_TRUE(line1().isEmpty());
    EXPECT_TRUE(line2().isEmpty());
    expectIdle();
    for (const QLabel *each : window->findChildren<QLabel *>())
        EXPECT_EQ(each->textFormat(), Qt::PlainText) << each->objectName().toStdString();
}

TEST_F(TdownloadTest, ShowsCentredOnTheDesktopWithItsPictureAndPlaySoloGameFocused)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_FALSE(label("image_lobby")->pixmap().isNull());
    const QPoint centre = window->screen()->availableGeometry().center();
    EXPECT_LE((window->frameGeometry().center() - centre).manhattanLength(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), static_cast<QWidget *>(button("button_solo")), kWaitMs);
}

TEST_F(TdownloadTest, PlaySoloGameOnlyHidesTheWindow)
{
    window->show();
    QTest::mouseClick(button("button_solo"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(starter.started.isEmpty());
    EXPECT_EQ(endRequests->count(), 0);
}

TEST_F(TdownloadTest, EnterPressesTheFocusedButtonElsePlaySoloGame)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    button("button_lobby")->setFocus();
    QTest::keyClick(button("button_lobby"), Qt::Key_Return);
    EXPECT_NE(box(Tdownload::kNoLobbyBox), nullptr);  // "Play with Others" answered
    box(Tdownload::kNoLobbyBox)->close();
    EXPECT_TRUE(window->isVisible());

    label("label_status1")->setFocus();
    QTest::keyClick(window.get(), Qt::Key_Enter);
    EXPECT_FALSE(window->isVisible());
}

// --- "Play with Others" -------------------------------------------------------------------

struct LobbyCase {
    const char *name;
    bool lobbyThere;
    bool startSucceeds;
    bool started;
    const char *box;  // objectName of the message box shown, or ""
    const char *message;  // its text
    bool programEnds;
};

class TdownloadLobbyTest : public TdownloadTest, public testing::WithParamInterface<LobbyCase> { };

TEST_P(TdownloadLobbyTest, PlayWithOthersStartsTheLobbyWhenItIsThereElseSaysHow)
{
    const LobbyCase &c = GetParam();
    if (c.lobbyThere)
        starter.existing.append(lobbyProgram);
    starter.startSucceeds = c.startSucceeds;
    window->show();
    QTest::mouseClick(button("button_lobby"), Qt::LeftButton);

    if (c.started) {
        ASSERT_EQ(starter.started.size(), 1);
        EXPECT_EQ(starter.started.at(0).first, lobbyProgram);
        EXPECT_TRUE(starter.started.at(0).second.isEmpty());
    } else {
        EXPECT_TRUE(starter.started.isEmpty());
    }
    EXPECT_EQ(endRequests->count(), c.programEnds ? 1 : 0);
    const QList<QMessageBox *> boxes = window->findChildren<QMessageBox *>();
    if (*c.box == '\0') {
        EXPECT_TRUE(boxes.isEmpty());
        return;
    }
    ASSERT_EQ(boxes.size(), 1);
    QMessageBox *shown = boxes.at(0);
    EXPECT_EQ(shown->objectName(), QString::fromLatin1(c.box));
    EXPECT_EQ(shown->text(), QString::fromUtf8(c.message));
    EXPECT_EQ(shown->textFormat(), Qt::PlainText);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_NE(shown->windowModality(), Qt::ApplicationModal);  // the game goes on behind it
    EXPECT_TRUE(shown->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(TdownloadTest, PlayWithOthersOpensTheOwnWindowWhenNoLobbyIsInstalledElseStartsTheLobby)
{
    int opened = 0;
    window->setPlayWithOthers([&opened] { ++opened; });
    window->show();
    QTest::mouseClick(button("button_lobby"), Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->findChildren<QMessageBox *>().isEmpty());

    starter.existing.append(lobbyProgram);
    window->show();
    QTest::mouseClick(button("button_lobby"), Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(starter.started.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Lobby, TdownloadLobbyTest,
    testing::Values(LobbyCase{"there", true, true, true, "", "", true},
                    LobbyCase{"missing", false, true, false, "message_nolobby",
                              "Please close the game and open the Korvex Lobby using the icon on your desktop or "
                              "using the your Window's start-up menu.",
                              false},
                    LobbyCase{"thereButWillNotStart", true, false, true, "message_error", "An Error has Occurred.",
                              false}),
    [](const testing::TestParamInfo<LobbyCase> &info) { return std::string(info.param.name); });

// --- The download's state on the status lines -------------------------------------------

TEST_F(TdownloadTest, TheStatusLinesFollowADownloadFromLoadingToSavedButNotRun)
{
    // The status line and two headers, then a stall before the blank line.
    server.route(kPath, {"HTTP/1.0 200 OK\r\nContent-Length: 11\r\nServer: loop\r\n", Then::Stall});
    window->show();
    QTest::mouseClick(button("button_download"), Qt::LeftButton);
    EXPECT_EQ(line1(), QStringLiteral("Loading"));
    EXPECT_FALSE(button("button_download")->isEnabled());
    EXPECT_TRUE(button("button_stop")->isEnabled());

    QTRY_COMPARE_WITH_TIMEOUT(line1(), QStringLiteral("Loading..."), kWaitMs);
    EXPECT_TRUE(line2().isEmpty());
    server.resume("\r\nhello", Then::Stall);
    QTRY_COMPARE_WITH_TIMEOUT(line1(), QStringLiteral("5 bytes of 11 (45%)"), kWaitMs);
    EXPECT_EQ(line2(), QStringLiteral("Downloading: KorvexLobbySetup.exe"));
    const QImage during = window->grab().toImage();

    server.resume(" world");
    ASSERT_TRUE(downloadEnds(true));
    EXPECT_EQ(line1(), QStringLiteral("Received 11 bytes"));
    EXPECT_EQ(line2(),
              QStringLiteral("Saved as %1 but not run: no SHA-256 checksum is known for this download.")
                  .arg(QDir::toNativeSeparators(window->download().savedPath())));
    expectIdle();
    EXPECT_EQ(endRequests->count(), 0);

    const QString screenshots = qEnvironmentVariable("QUARN_SCREENSHOT_DIR");
    if (!screenshots.isEmpty()) {
        const QImage after = window->grab().toImage();
        QImage both(during.width() + after.width() + 8, std::max(during.height(), after.height()),
                    QImage::Format_RGB32);
        both.fill(Qt::white);
        QPainter painter(&both);
        painter.drawImage(0, 0, during);
        painter.drawImage(during.width() + 8, 0, after);
        painter.end();
        EXPECT_TRUE(both.save(QDir(screenshots).filePath(QStringLiteral("download.png"))));
    }
}

TEST_F(TdownloadTest, WithoutAContentLengthTheCountStandsAlone)
{
    server.route(kPath, {"HTTP/1.0 200 OK\r\n\r\npartial", Then::Stall});
    window->show();
    QTest::mouseClick(button("button_download"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(line1(), QStringLiteral("7 bytes"), kWaitMs);
    QTest::mouseClick(button("button_stop"), Qt::LeftButton);
}

TEST_F(TdownloadTest, StopDownloadSaysSoWithoutABox)
{
    server.route(kPath, {"HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\npartial", Then::Stall});
    window->show();
    QTest::mouseClick(button("button_download"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(line1(), QStringLiteral("7 bytes of 1000 (0%)"), kWaitMs);

    QTest::mouseClick(button("button_stop"), Qt::LeftButton);
    EXPECT_EQ(line1(), QStringLiteral("Download has been aborted."));
    EXPECT_EQ(line2(), QStringLiteral("Download Aborted"));
    expectIdle();
    EXPECT_TRUE(downloadEnds(false));
    EXPECT_TRUE(window->findChildren<QMessageBox *>().isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 0, kWaitMs);
}

TEST_F(TdownloadTest, AFailedDownloadShowsItsReasonOnTheLineAndInABoxThatDoesNotBlock)
{
    // Nothing is routed: the server answers 404.
    button("button_download")->click();
    ASSERT_TRUE(downloadEnds(false));
    EXPECT_EQ(line1(), QStringLiteral("Download Aborted"));
    EXPECT_EQ(line2(), QStringLiteral("404 Not Found"));
    QMessageBox *shown = box(Tdownload::kDownloadFailedBox);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), QStringLiteral("404 Not Found"));
    EXPECT_NE(shown->windowModality(), Qt::ApplicationModal);
    expectIdle();
}

// --- Installing ---------------------------------------------------------------------------

class TdownloadInstallTest : public TdownloadTest, public testing::WithParamInterface<bool> { };

TEST_P(TdownloadInstallTest, AStartedInstallerEndsTheProgramElseABoxSaysSo)
{
    const bool startSucceeds = GetParam();
    makeWindow(sha256(kInstaller));
    starter.startSucceeds = startSucceeds;
    downloadWhole();

    EXPECT_EQ(line1(), QStringLiteral("Received %1 bytes").arg(kInstaller.size()));
    EXPECT_EQ(line2(), QStringLiteral("Installing"));
    EXPECT_EQ(starter.started.size(), 1);
    EXPECT_EQ(endRequests->count(), startSucceeds ? 1 : 0);
    QMessageBox *error = box(Tdownload::kErrorBox);
    ASSERT_EQ(error != nullptr, !startSucceeds);
    if (error) {
        EXPECT_EQ(error->text(), QStringLiteral("An Error has Occurred."));
    }
}

INSTANTIATE_TEST_SUITE_P(Starts, TdownloadInstallTest, testing::Bool());

}  // namespace
