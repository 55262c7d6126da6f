// Invite links at start-up and from the chat: which command line a link becomes, under
// which name, and what is refused or asked first.
#include "windows/InviteStart.h"

#include "client/ProfileFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Outcome = InviteStart::Outcome;

class InviteStartTest : public testing::Test {
protected:
    InviteStartTest()
    {
        prompts.askName = [this]() -> std::optional<QString> {
            ++namesAsked;
            return answer;
        };
        prompts.refuse = [this](const QString &sentence) { refusals.append(sentence); };
        prompts.confirmLeave = [this](const QString &address) {
            leaveAsked.append(address);
            return leave;
        };
    }

    QString settingsPath() const { return dir.filePath(QStringLiteral("korvexlobby.ini")); }
    InviteStart invites() const { return InviteStart(settingsPath(), prompts); }
    void saveName(const QString &name)
    {
        ASSERT_TRUE(
            ProfileFile::writeStrings(settingsPath(), QStringLiteral("Quarn"), {{QStringLiteral("PlayerName"), name}}));
    }

    QTemporaryDir dir;
    InviteStart::Prompts prompts;
    std::optional<QString> answer;
    bool leave = true;
    int namesAsked = 0;
    QStringList refusals;
    QStringList leaveAsked;
};

const QString kLink = QStringLiteral("quarn://192.0.2.10:7772");

TEST_F(InviteStartTest, ACommandLineThatIsNotALoneLinkIsReadAsItIs)
{
    for (const QStringList &arguments : {QStringList{}, QStringList{QStringLiteral("Bob")}, QStringList{kLink, kLink},
                                         QStringList{QStringLiteral("Bob"), kLink, QStringLiteral("false")}})
        EXPECT_EQ(invites().fromCommandLine(arguments).outcome, Outcome::NotAnInvite);
    EXPECT_EQ(namesAsked, 0);
}

TEST_F(InviteStartTest, ALinkJoinsUnderTheSavedNameWithoutAsking)
{
    saveName(QStringLiteral("Bob"));
    const InviteStart::Result result = invites().fromCommandLine({QStringLiteral(" QUARN://[2001:db8::1]:7800/\n")});
    EXPECT_EQ(result.outcome, Outcome::Join);
    EXPECT_EQ(
        result.arguments,
        (QStringList{QStringLiteral("Bob"), QStringLiteral("QUARN://[2001:db8::1]:7800/"), QStringLiteral("false")}));
    EXPECT_EQ(namesAsked, 0);
}

TEST_F(InviteStartTest, WithNoSavedNameTheNameIsAskedAndNoNameEndsTheStart)
{
    answer = QStringLiteral("  Ann  ");
    EXPECT_EQ(invites().fromCommandLine({kLink}).arguments,
              (QStringList{QStringLiteral("Ann"), kLink, QStringLiteral("false")}));
    for (const std::optional<QString> &none :
         {std::optional<QString>(), std::optional<QString>(QStringLiteral("  "))}) {
        answer = none;
        EXPECT_EQ(invites().fromCommandLine({kLink}).outcome, Outcome::End);
    }
    EXPECT_EQ(namesAsked, 3);
}

TEST_F(InviteStartTest, ALinkWithMoreThanAnAddressAndAPortIsRefusedWithTheReason)
{
    saveName(QStringLiteral("Bob"));
    EXPECT_EQ(invites().fromCommandLine({QStringLiteral("quarn://192.0.2.10/../../etc/passwd")}).outcome, Outcome::End);
    EXPECT_EQ(invites().fromChat(QStringLiteral("quarn://bob@192.0.2.10")).outcome, Outcome::End);
    EXPECT_EQ(refusals.size(), 2);
    EXPECT_TRUE(leaveAsked.isEmpty());
}

TEST_F(InviteStartTest, AChatLinkLeavesTheRunningGameOnlyWhenConfirmed)
{
    saveName(QStringLiteral("Bob"));
    leave = false;
    EXPECT_EQ(invites().fromChat(kLink).outcome, Outcome::End);
    leave = true;
    EXPECT_EQ(invites().fromChat(kLink).arguments,
              (QStringList{QStringLiteral("Bob"), kLink, QStringLiteral("false")}));
    EXPECT_EQ(leaveAsked, (QStringList{kLink, kLink}));
}

TEST_F(InviteStartTest, AGameHostedOrJoinedWithANameSavesItForTheNextLink)
{
    invites().rememberName({QStringLiteral("Ann"), QStringLiteral("h")});  // starts nothing: not saved
    EXPECT_EQ(invites().savedName(), std::nullopt);
    invites().rememberName({QStringLiteral("Cy"), QStringLiteral("h"), QStringLiteral("true")});
    EXPECT_EQ(invites().savedName(), QStringLiteral("Cy"));
    EXPECT_EQ(invites().fromCommandLine({kLink}).arguments.value(0), QStringLiteral("Cy"));
}

}  // namespace
