// The lobby installer's download against a loopback HTTP server: the name it is saved
// under (and the names refused before any request), what is kept where after a whole
// download whose digest matches, differs or is unknown, and that a failed or stopped
// download leaves the folder as it was.
#include "windows/LobbyDownload.h"
#include "net/LoopbackHttpServer.h"
#include "windows/TdownloadFakes.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using Then = LoopbackHttpServer::Then;
using Stage = LobbyDownload::Stage;

constexpr int kWaitMs = 5000;
const QString kFile = QStringLiteral("KorvexLobbySetup.exe");
const QString kUnverified = QStringLiteral("KorvexLobbySetup.exe.unverified");
const QByteArray kPath = "/lobby/KorvexLobbySetup.exe";
const QByteArray kInstaller = QByteArray("MZ pretend installer ").repeated(50);
const QByteArray kOlder = "an older checked installer";
constexpr QFileDevice::Permissions kAnyExe =
    QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup | QFileDevice::ExeOther;

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

class LobbyDownloadTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(server.isListening());
        make(server.url(QString::fromLatin1(kPath)), {});
    }

    void make(const QUrl &address, const QByteArray &digest)
    {
        download.reset();
        download = std::make_unique<LobbyDownload>(
            LobbyPlaces(address, digest, QUrl(), QString()), [this] { return folder.path(); }, starter);
        ended = std::make_unique<QSignalSpy>(download.get(), &LobbyDownload::ended);
    }
    // Runs a download to its end; whether it ended with the whole file.
    bool run()
    {
        download->start();
        if (ended->isEmpty() && !ended->wait(kWaitMs))
            return false;
        EXPECT_EQ(ended->count(), 1);
        return ended->at(0).at(0).toBool();
    }
    QString path(const QString &name) const { return folder.filePath(name); }
    // A checked installer from an earlier download, executable.
    void keepOlderInstaller()
    {
        QFile old(path(kFile));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(kOlder);
        ASSERT_TRUE(old.setPermissions(old.permissions() | QFileDevice::ExeOwner));
    }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    QTemporaryDir folder;
    LoopbackHttpServer server;
    RecordingStarter starter;
    std::unique_ptr<LobbyDownload> download;
    std::unique_ptr<QSignalSpy> ended;
};

// --- What is kept where ---------------------------------------------------------------------

enum class Digest { OfTheInstaller, OfOtherBytes, None };

struct KeepCase {
    const char *name;
    Digest digest;
    LobbyDownload::NotRun notRun;  // when not run
};

class LobbyDownloadKeepTest : public LobbyDownloadTest, public testing::WithParamInterface<KeepCase> { };

TEST_P(LobbyDownloadKeepTest, OnlyACheckedDownloadTakesTheNameAndRunsElseItIsKeptApartAndNotExecutable)
{
    const KeepCase &c = GetParam();
    const bool verified = c.digest == Digest::OfTheInstaller;
    const QByteArray digest = verified ? sha256(kInstaller)
        : c.digest == Digest::None     ? QByteArray()
                                       : sha256(kInstaller.left(100));
    make(server.url(QString::fromLatin1(kPath)), digest);
    keepOlderInstaller();
    server.route(kPath, {LoopbackHttpServer::response("HTTP/1.0 200 OK", kInstaller)});
    ASSERT_TRUE(run());
    EXPECT_EQ(download->bytes(), kInstaller.size());

    if (verified) {
        EXPECT_EQ(download->stage(), Stage::Installing);
        EXPECT_EQ(files(), QStringList{kFile});
        EXPECT_EQ(readFile(path(kFile)), kInstaller);
        EXPECT_TRUE(QFileInfo(path(kFile)).permissions().testFlag(QFileDevice::ExeOwner));
        ASSERT_EQ(starter.started.size(), 1);
        EXPECT_EQ(starter.started.at(0).first, path(kFile));
        EXPECT_EQ(starter.started.at(0).second, LobbyDownload::kInstallerArguments);
        return;
    }
    EXPECT_EQ(download->stage(), Stage::Kept);
    EXPECT_EQ(download->notRunBecause(), c.notRun);
    EXPECT_EQ(download->savedPath(), path(kUnverified));
    EXPECT_EQ(files(), (QStringList{kFile, kUnverified}));
    EXPECT_EQ(readFile(path(kFile)), kOlder);
    EXPECT_EQ(readFile(path(kUnverified)), kInstaller);
    EXPECT_EQ(QFileInfo(path(kUnverified)).permissions() & kAnyExe, QFileDevice::Permissions());
    EXPECT_TRUE(starter.started.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Digests, LobbyDownloadKeepTest,
                         testing::Values(KeepCase{"matches", Digest::OfTheInstaller, {}},
                                         KeepCase{"differs", Digest::OfOtherBytes,
                                                  LobbyDownload::NotRun::DigestDiffers},
                                         KeepCase{"unknown", Digest::None, LobbyDownload::NotRun::NoDigestKnown}),
                         [](const testing::TestParamInfo<KeepCase> &info) { return std::string(info.param.name); });

// --- Endings that keep nothing ----------------------------------------------------------------

struct LossCase {
    const char *name;
    const char *reply;  // nullptr: nothing routed, a 404
    bool stop;  // stopped once the body began
    const char *failure;  // "" when stopped
};

class LobbyDownloadLossTest : public LobbyDownloadTest, public testing::WithParamInterface<LossCase> { };

TEST_P(LobbyDownloadLossTest, AFailedOrStoppedDownloadLeavesTheFolderAsItWas)
{
    const LossCase &c = GetParam();
    keepOlderInstaller();
    if (c.reply)
        server.route(kPath, {c.reply, c.stop ? Then::Stall : Then::Close});
    if (c.stop) {
        QSignalSpy changed(download.get(), &LobbyDownload::changed);
        download->start();
        while (download->bytes() == 0)
            ASSERT_TRUE(changed.wait(kWaitMs));
        download->stop();
        ASSERT_EQ(ended->count(), 1);  // before stop() returned
    } else {
        EXPECT_FALSE(run());
    }
    EXPECT_EQ(download->stage(), c.stop ? Stage::Stopped : Stage::Failed);
    EXPECT_EQ(download->failure(), QString::fromUtf8(c.failure));
    EXPECT_FALSE(download->running());
    EXPECT_EQ(files(), QStringList{kFile});
    EXPECT_EQ(readFile(path(kFile)), kOlder);
    EXPECT_TRUE(starter.started.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Endings, LobbyDownloadLossTest,
    testing::Values(LossCase{"notFound", nullptr, false, "404 Not Found"},
                    LossCase{"closedShort", "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly this", false,
                             "The connection closed after 9 of 100 bytes."},
                    LossCase{"stopped", "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\npartial", true, ""}),
    [](const testing::TestParamInfo<LossCase> &info) { return std::string(info.param.name); });

TEST_F(LobbyDownloadTest, AFolderThatCannotBeWrittenFailsBeforeAnyRequest)
{
    download = std::make_unique<LobbyDownload>(
        LobbyPlaces(server.url(QString::fromLatin1(kPath)), {}, QUrl(), {}),
        [this] { return path(QStringLiteral("missing/below")); }, starter);
    download->start();
    EXPECT_EQ(download->stage(), Stage::Failed);
    EXPECT_TRUE(download->failure().startsWith(QDir::toNativeSeparators(path(QStringLiteral("missing/below/") + kFile))
                                               + QStringLiteral(" cannot be written: ")));
    EXPECT_TRUE(server.requests().isEmpty());
}

// --- The name -------------------------------------------------------------------------------

struct NameCase {
    const char *name;
    const char *path;  // after the server's address
    const char *file;  // nullptr: refused
};

class LobbyDownloadNameTest : public LobbyDownloadTest, public testing::WithParamInterface<NameCase> { };

TEST_P(LobbyDownloadNameTest, TheFileIsNamedAfterTheAddressesLastSegmentUnlessThatIsNoPlainName)
{
    const NameCase &c = GetParam();
    const QUrl address = server.url(QString::fromLatin1(c.path));
    const std::optional<QString> name = LobbyDownload::fileNameOf(address);
    ASSERT_EQ(name.has_value(), c.file != nullptr);
    if (name) {
        EXPECT_EQ(*name, QString::fromUtf8(c.file));
        return;
    }
    // Refused before any request, with the reason on the status.
    make(address, {});
    EXPECT_FALSE(run());
    EXPECT_EQ(download->stage(), Stage::Failed);
    EXPECT_TRUE(download->failure().startsWith(QStringLiteral("The download was refused: ")));
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(files().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Addresses, LobbyDownloadNameTest,
                         testing::Values(NameCase{"plain", "/lobby/KorvexLobbySetup.exe", "KorvexLobbySetup.exe"},
                                         NameCase{"encodedSpace", "/Korvex%20Setup.exe", "Korvex Setup.exe"},
                                         NameCase{"folderOnly", "/lobby/", "KorvexLobbySetup.exe"},
                                         NameCase{"nul", "/lobby/Setup%00.exe", nullptr},
                                         NameCase{"lineBreak", "/lobby/Setup%0A.exe", nullptr},
                                         NameCase{"delete", "/lobby/Setup%7F.exe", nullptr},
                                         NameCase{"encodedSlashes", "/a/..%2F..%2Fevil.exe", nullptr},
                                         NameCase{"encodedBackslash", "/..%5Cevil.exe", nullptr},
                                         NameCase{"dotDot", "/lobby/%2E%2E", nullptr},
                                         NameCase{"takenForUnverified", "/lobby/Setup.exe.unverified", nullptr}),
                         [](const testing::TestParamInfo<NameCase> &info) { return std::string(info.param.name); });

}  // namespace
