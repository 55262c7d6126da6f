// This user's private folder: made with mode 0700 when missing, and refused when another
// user made it first, when others may write in it, or when it is a link.
#include "dictionary/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

struct Prepared {
    const char *name;
    // Makes (or not) "quarn-<uid>" in the parent before the call.
    std::function<void(const QString &folder)> prepare;
    bool accepted;
    bool needsAdministrator = false;
};

class PrivateFolderInside : public ::testing::TestWithParam<Prepared> { };

TEST_P(PrivateFolderInside, IsOursAloneOrRefused)
{
    if (GetParam().needsAdministrator && ::geteuid() != 0)
        GTEST_SKIP() << "only the administrator can give a folder to another user";
    QTemporaryDir parent;
    const QString folder = QDir(parent.path()).filePath(QStringLiteral("quarn-%1").arg(::geteuid()));
    GetParam().prepare(folder);

    const QString given = PrivateFolder::inside(parent.path());
    if (!GetParam().accepted) {
        EXPECT_EQ(given, QString());
        return;
    }
    EXPECT_EQ(given, folder);
    struct stat info { };
    ASSERT_EQ(::lstat(encoded(folder).constData(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, ::geteuid());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, PrivateFolderInside,
    ::testing::Values(Prepared{"MissingIsMade", [](const QString &) {}, true},
                      Prepared{"OwnAndPrivateIsUsed", [](const QString &f) { ::mkdir(encoded(f).constData(), 0700); },
                               true},
                      Prepared{"OthersMayWrite",
                               [](const QString &f) {
                                   ::mkdir(encoded(f).constData(), 0700);
                                   ::chmod(encoded(f).constData(), 0777);
                               },
                               false},
                      Prepared{"ItsGroupMayWrite",
                               [](const QString &f) {
                                   ::mkdir(encoded(f).constData(), 0700);
                                   ::chmod(encoded(f).constData(), 0770);
                               },
                               false},
                      Prepared{"AnotherUsersFolder",
                               [](const QString &f) {
                                   ::mkdir(encoded(f).constData(), 0700);
                                   [[maybe_unused]] const int done = ::chown(encoded(f).constData(), 65534, 65534);
                               },
                               false, true},
                      Prepared{"ALinkToAPrivateFolder",
                               [](const QString &f) {
                                   const QString target = f + QStringLiteral("-target");
                                   ::mkdir(encoded(target).constData(), 0700);
                                   [[maybe_unused]] const int done =
                                       ::symlink(encoded(target).constData(), encoded(f).constData());
                               },
                               false},
                      Prepared{"AFileOfThatName",
                               [](const QString &f) {
                                   QFile file(f);
                                   [[maybe_unused]] const bool made = file.open(QIODevice::WriteOnly);
                               },
                               false}),
    [](const ::testing::TestParamInfo<Prepared> &info) { return std::string(info.param.name); });

// Without a runtime folder, or with one that others can write, the private folder inside
// the temporary folder serves instead.
TEST(PrivateFolderRuntime, FallsBackToAFolderOfOurOwnInTheTemporaryFolder)
{
    QTemporaryDir temporary;
    QTemporaryDir runtime;
    const QByteArray savedTemporary = qgetenv("TMPDIR");
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", encoded(temporary.path()));
    const QString ours = QDir(temporary.path()).filePath(QStringLiteral("quarn-%1").arg(::geteuid()));

    qputenv("XDG_RUNTIME_DIR", encoded(runtime.path()));
    EXPECT_EQ(PrivateFolder::runtimeFolder(), runtime.path());
    ::chmod(encoded(runtime.path()).constData(), 01777);
    EXPECT_EQ(PrivateFolder::runtimeFolder(), ours);
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(PrivateFolder::runtimeFolder(), ours);

    ::chmod(encoded(runtime.path()).constData(), 0700);
    qputenv("TMPDIR", savedTemporary);
    if (savedTemporary.isNull())
        qunsetenv("TMPDIR");
    if (!savedRuntime.isNull())
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
}

}  // namespace
