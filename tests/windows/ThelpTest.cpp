// The help window: its caption, the page it opens on, each topic button's page heading
// and title, keeping the page across showings, "About" and "Done", and pages that state
// the game's own letter values and both licences.
#include "windows/Thelp.h"

#include "net/GameFacts.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

class ThelpTest : public ::testing::Test {
protected:
    void SetUp() override { help = std::make_unique<Thelp>(); }

    QString title() const { return help->findChild<QLabel *>(QStringLiteral("label_title"))->text(); }
    QWidget *page() const { return help->findChild<QStackedWidget *>(QStringLiteral("pages"))->currentWidget(); }
    QString heading() const { return page()->findChild<QLabel *>(QStringLiteral("heading"))->text(); }
    QString body() const { return page()->findChild<QTextBrowser *>(QStringLiteral("body"))->toPlainText(); }
    void click(const char *button) const
    {
        auto *found = help->findChild<QPushButton *>(QLatin1String(button));
        ASSERT_NE(found, nullptr) << button;
        QTest::mouseClick(found, Qt::LeftButton);
    }

    std::unique_ptr<Thelp> help;
};

TEST_F(ThelpTest, TheWindowIsTheHelpFileAndOpensOnTheOverview)
{
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Quarn -  Help File"));
    help->show();
    EXPECT_EQ(help->currentTopic(), Thelp::Topic::Overview);
    EXPECT_EQ(title(), QStringLiteral("Overview"));
    EXPECT_EQ(heading(), QStringLiteral("Overview"));
    EXPECT_TRUE(body().contains(QStringLiteral("morph")));
}

struct TopicRow {
    const char *button;
    Thelp::Topic topic;
    const char *caption;
    const char *heading;
    const char *phrase;  // something only that page says
};

void PrintTo(const TopicRow &row, std::ostream *out)
{
    *out << row.button;
}

class ThelpTopicTest : public ThelpTest, public ::testing::WithParamInterface<TopicRow> { };

TEST_P(ThelpTopicTest, AButtonBringsItsPageWithItsHeadingAndPutsItsCaptionInTheTitle)
{
    const TopicRow &row = GetParam();
    help->show();
    // From another page first, so the overview's being shown proves nothing by itself.
    click(row.topic == Thelp::Topic::Scoring ? "button_license" : "button_scoring");
    click(row.button);
    EXPECT_EQ(help->topicButton(row.topic)->text(), QLatin1String(row.caption));
    EXPECT_EQ(help->currentTopic(), row.topic);
    EXPECT_EQ(title(), QLatin1String(row.caption));
    EXPECT_EQ(heading(), QLatin1String(row.heading));
    EXPECT_TRUE(body().contains(QString::fromUtf8(row.phrase))) << body().toStdString();
    EXPECT_TRUE(help->topicButton(row.topic)->isChecked());
}

INSTANTIATE_TEST_SUITE_P(
    Topics, ThelpTopicTest,
    ::testing::Values(
        TopicRow{"button_overview", Thelp::Topic::Overview, "Overview", "Overview", "opponent's board"},
        TopicRow{"button_connecting", Thelp::Topic::Connecting, "Connecting", "Connecting", "When the host leaves"},
        TopicRow{"button_gameplay", Thelp::Topic::GamePlay, "Game Play", "Game Play", "6 tiles"},
        TopicRow{"button_scoring", Thelp::Topic::Scoring, "Scoring", "Scoring", "× 6"},
        TopicRow{"button_documentation", Thelp::Topic::Documentation, "Documentation", "History", "Version 1.0.6"},
        TopicRow{"button_license", Thelp::Topic::License, "License", "License Agreement", "MIT License"},
        TopicRow{"button_lobby", Thelp::Topic::Lobby, "The Lobby", "The Lobby", "Korvex Lobby"}),
    [](const ::testing::TestParamInfo<TopicRow> &info) { return std::string(info.param.button).substr(7); });

TEST_F(ThelpTest, ThePageLastChosenIsKeptWhileTheWindowIsHidden)
{
    help->show();
    click("button_documentation");
    help->hide();
    help->present();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(title(), QStringLiteral("Documentation"));
    EXPECT_EQ(heading(), QStringLiteral("History"));
}

TEST_F(ThelpTest, AboutAsksForTheAboutWindowAndLeavesTheHelpOpen)
{
    QSignalSpy asked(help.get(), &Thelp::aboutRequested);
    help->show();
    click("button_about");
    EXPECT_EQ(asked.count(), 1);
    EXPECT_TRUE(help->isVisible());
}

TEST_F(ThelpTest, DoneHidesTheWindow)
{
    help->show();
    click("button_done");
    EXPECT_FALSE(help->isVisible());
}

TEST_F(ThelpTest, TheScoringPageGivesEveryLetterTheValueTheGameScores)
{
    QFile page(QStringLiteral(":/help/scoring.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    static const QRegularExpression row(
        QStringLiteral("<td class=\"points\">(\\d+)</td><td class=\"letters\">([A-Z ]+)</td>"));
    QString listed;
    for (const QRegularExpressionMatch &match : row.globalMatch(html)) {
        const int points = match.captured(1).toInt();
        for (const QString &letter : match.captured(2).split(u' ', Qt::SkipEmptyParts)) {
            EXPECT_EQ(quarn::letterPoints(quarn::codeOf(letter.at(0))), points) << letter.toStdString();
            listed += letter;
        }
    }
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
}

TEST_F(ThelpTest, TheLicencePageShowsTheProgramsLicenceAndTheWordListsNotice)
{
    help->show();
    help->showTopic(Thelp::Topic::License);
    const QString text = body();
    EXPECT_TRUE(text.contains(QStringLiteral("Copyright (c) 2026 The Quarn developers")));
    EXPECT_TRUE(text.contains(QStringLiteral("Permission is hereby granted, free of charge")));
    EXPECT_TRUE(text.contains(QStringLiteral("Copyright 2000-2011 by Kevin Atkinson")));
    EXPECT_TRUE(text.contains(QStringLiteral("SCOWL")));
}

TEST_F(ThelpTest, NoPageCarriesALink)
{
    // Pages are built when first shown, the first one when the window shows.
    help->showTopic(Thelp::Topic::Lobby);
    ASSERT_TRUE(help->findChildren<QTextBrowser *>().isEmpty());
    help->show();
    for (int topic = 0; topic < Thelp::kTopicCount; ++topic)
        help->showTopic(static_cast<Thelp::Topic>(topic));
    ASSERT_EQ(help->findChildren<QTextBrowser *>().size(), Thelp::kTopicCount);
    for (QTextBrowser *browser : help->findChildren<QTextBrowser *>()) {
        for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it)
                EXPECT_FALSE(it.fragment().charFormat().isAnchor()) << browser->parent()->objectName().toStdString();
        }
    }
}

}  // namespace
