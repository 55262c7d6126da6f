// The lobby's places: the built-in defaults, what the settings file's section "Quarn"
// replaces, the rule that a digest counts only with the address it came with, and the
// folder the installer is downloaded into.
#include "windows/LobbyPlaces.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

const char *const kDigest = "9F86D081884C7D659A2FEAA0C55AD015A3BF4F1B2B0B822CD15D6C15B0F00A08";
const char *const kMirror = "https://mirror.example/lobby/KL.exe";

struct PlacesCase {
    const char *name;
    const char *settings;  // the file's text; nullptr: no file at all
    // nullptr: the built-in one.
    const char *download;
    bool digest;  // the download carries kDigest, else none
    const char *web;
    const char *program;
};

class LobbyPlacesTest : public testing::TestWithParam<PlacesCase> { };

TEST_P(LobbyPlacesTest, TheSettingsFileReplacesTheDefaultsItNames)
{
    const PlacesCase &c = GetParam();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("korvexlobby.ini"));
    if (c.settings) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.settings);
    }
    const LobbyPlaces places = LobbyPlaces::fromSettingsFile(path);
    const LobbyPlaces builtIn;
    EXPECT_EQ(places.downloadAddress(), c.download ? QUrl(QString::fromUtf8(c.download)) : builtIn.downloadAddress());
    EXPECT_EQ(places.downloadSha256(), c.digest ? QByteArray::fromHex(kDigest) : QByteArray());
    EXPECT_EQ(places.webAddress(), c.web ? QUrl(QString::fromUtf8(c.web)) : builtIn.webAddress());
    EXPECT_EQ(places.lobbyProgram(), c.program ? QString::fromUtf8(c.program) : builtIn.lobbyProgram());
}

constexpr const char *kBuiltIn = nullptr;

INSTANTIATE_TEST_SUITE_P(
    Files, LobbyPlacesTest,
    testing::Values(
        PlacesCase{"noFile", nullptr, kBuiltIn, false, kBuiltIn, kBuiltIn},
        PlacesCase{"otherSectionOnly", "[Lobby]\nLobbyDownload=http://x.example/a.exe\nLobbyProgram=/x\n", kBuiltIn,
                   false, kBuiltIn, kBuiltIn},
        PlacesCase{"addressWithoutDigest", "[Quarn]\nLobbyDownload=https://mirror.example/lobby/KL.exe\n", kMirror,
                   false, kBuiltIn, kBuiltIn},
        PlacesCase{"addressWithDigest",
                   "[Quarn]\r\nLobbyDownload = https://mirror.example/lobby/KL.exe\r\nLobbyDownloadSha256 = "
                   "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08\r\n",
                   kMirror, true, kBuiltIn, kBuiltIn},
        PlacesCase{"digestWithoutAddressIgnored",
                   "[Quarn]\nLobbyDownloadSha256=9F86D081884C7D659A2FEAA0C55AD015A3BF4F1B2B0B822CD15D6C15B0F00A08\n",
                   kBuiltIn, false, kBuiltIn, kBuiltIn},
        PlacesCase{"digestTooShort",
                   "[Quarn]\nLobbyDownload=https://mirror.example/lobby/KL.exe\n"
                   "LobbyDownloadSha256=9F86D081884C7D659A2FEAA0C55AD015A3BF4F1B2B0B822CD15D6C15B0F00A0\n",
                   kMirror, false, kBuiltIn, kBuiltIn},
        PlacesCase{"digestNotHex",
                   "[Quarn]\nLobbyDownload=https://mirror.example/lobby/KL.exe\n"
                   "LobbyDownloadSha256=9F86D081884C7D659A2FEAA0C55AD015A3BF4F1B2B0B822CD15D6C15B0F00A0G\n",
                   kMirror, false, kBuiltIn, kBuiltIn},
        PlacesCase{"emptyValuesKeepDefaults", "[Quarn]\nLobbyDownload=\nLobbyWebAddress=  \nLobbyProgram=\n", kBuiltIn,
                   false, kBuiltIn, kBuiltIn},
        PlacesCase{"webAndProgramAnyCase",
                   "[quarn]\nlobbywebaddress=https://quarn.example/\nLOBBYPROGRAM=/opt/korvex/lobby\n", kBuiltIn, false,
                   "https://quarn.example/", "/opt/korvex/lobby"}),
    [](const testing::TestParamInfo<PlacesCase> &info) { return std::string(info.param.name); });

TEST(LobbyPlaces, TheBuiltInAddressHasNoDigestSoNothingFetchedFromItMatches)
{
    const LobbyPlaces places;
    EXPECT_TRUE(places.downloadSha256().isEmpty());
    EXPECT_FALSE(places.matchesDownload(QByteArray()));
    EXPECT_FALSE(places.matchesDownload(QCryptographicHash::hash("", QCryptographicHash::Sha256)));
}

TEST(LobbyPlaces, AConfiguredDigestMatchesOnlyItsOwnBytes)
{
    const LobbyPlaces places(QUrl(QString::fromLatin1(kMirror)), QByteArray::fromHex(kDigest), QUrl(), QString());
    EXPECT_TRUE(places.matchesDownload(QCryptographicHash::hash("test", QCryptographicHash::Sha256)));
    EXPECT_FALSE(places.matchesDownload(QCryptographicHash::hash("test ", QCryptographicHash::Sha256)));
}

struct FolderCase {
    const char *name;
    bool programWritable;
    bool downloadsUsable;
    const char *chosen;  // "program", "downloads" or "appData"
};

class LobbyPlacesFolderTest : public testing::TestWithParam<FolderCase> { };

TEST_P(LobbyPlacesFolderTest, TheProgramsFolderElseDownloadsElseAppData)
{
    const FolderCase &c = GetParam();
    QTemporaryDir root;
    QFile blocker(root.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // A folder below a plain file can be neither written nor made, whoever runs the test.
    const QString unusable = root.filePath(QStringLiteral("file/below"));
    const QString program = c.programWritable ? root.path() : unusable;
    const QString downloads = c.downloadsUsable ? root.filePath(QStringLiteral("Downloads")) : unusable;
    const QString appData = root.filePath(QStringLiteral("data/Quarn"));
    const QString chosen = LobbyPlaces::chooseDownloadFolder(program, downloads, appData);

    const QString expected = QString::fromLatin1(c.chosen) == QLatin1String("program") ? program
        : QString::fromLatin1(c.chosen) == QLatin1String("downloads")                  ? downloads
                                                                                       : appData;
    EXPECT_EQ(chosen, expected);
    EXPECT_TRUE(QFileInfo(chosen).isDir());
}

INSTANTIATE_TEST_SUITE_P(Folders, LobbyPlacesFolderTest,
                         testing::Values(FolderCase{"programWritable", true, true, "program"},
                                         FolderCase{"downloadsMadeWhenMissing", false, true, "downloads"},
                                         FolderCase{"appDataLast", false, false, "appData"}),
                         [](const testing::TestParamInfo<FolderCase> &info) { return std::string(info.param.name); });

}  // namespace
