// The about window: the version it shows is the one the client sends at login, with the
// build number in a label of its own; the web address and the logo open the address
// through the opener; "Done" hides; the window is a tool window centred on the main one.
#include "windows/Tabout.h"

#include "client/WarningCounter.h"
#include "net/Catalogue.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QUrl kAddress(QStringLiteral("https://quarn.test/home"));

class TaboutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainWindow.setGeometry(100, 80, 736, 540);
        about = std::make_unique<Tabout>(&mainWindow, kAddress, [this](const QUrl &url) { opened.append(url); });
    }

    QLabel *label(const char *name) const { return about->findChild<QLabel *>(QLatin1String(name)); }

    QWidget mainWindow;
    QList<QUrl> opened;
    std::unique_ptr<Tabout> about;
};

TEST_F(TaboutTest, TheVersionLabelShowsTheLoginVersionAndTheBuildNumberStandsApart)
{
    EXPECT_EQ(about->windowTitle(), QStringLiteral("Quarn - About"));
    ASSERT_NE(label("version"), nullptr);
    EXPECT_EQ(label("version")->text(), QString::fromLatin1(net::kVersion));
    EXPECT_EQ(label("version")->text(), QStringLiteral("1.0.6"));
    ASSERT_NE(label("label_build"), nullptr);
    EXPECT_EQ(label("label_build")->text(), QStringLiteral(".1"));
    ASSERT_NE(label("label_version"), nullptr);
    EXPECT_EQ(label("label_version")->text(), QStringLiteral("Version"));
}

TEST_F(TaboutTest, TheAddressLabelShowsTheAddress)
{
    ASSERT_NE(label("label_web"), nullptr);
    EXPECT_EQ(label("label_web")->text(), kAddress.toDisplayString());
}

class TaboutClickTest : public TaboutTest, public ::testing::WithParamInterface<const char *> { };

TEST_P(TaboutClickTest, AClickOpensTheAddress)
{
    about->show();
    ASSERT_NE(label(GetParam()), nullptr);
    QTest::mouseClick(label(GetParam()), Qt::LeftButton);
    EXPECT_EQ(opened, QList<QUrl>{kAddress});
}

INSTANTIATE_TEST_SUITE_P(Labels, TaboutClickTest, ::testing::Values("label_web", "image_logo"));

struct AddressCase {
    const char *address;
    bool opened;
};

class TaboutAddressTest : public TaboutTest, public ::testing::WithParamInterface<AddressCase> { };

TEST_P(TaboutAddressTest, ANewAddressIsShownAndOpenedOnlyWhenItIsAWebPage)
{
    const QUrl other(QString::fromLatin1(GetParam().address));
    about->setWebAddress(other);
    about->show();
    const WarningCounter warnings("quarn.about");
    QTest::mouseClick(label("label_web"), Qt::LeftButton);
    EXPECT_EQ(label("label_web")->text(), other.toDisplayString());
    EXPECT_EQ(opened, GetParam().opened ? QList<QUrl>{other} : QList<QUrl>{});
    EXPECT_EQ(warnings.count(), GetParam().opened ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, TaboutAddressTest,
    ::testing::Values(AddressCase{"https://other.test/", true}, AddressCase{"http://other.test/a?b", true},
                      AddressCase{"file:///etc/passwd", false}, AddressCase{"/usr/bin/xterm", false},
                      AddressCase{"smb://other.test/share/setup.exe", false}, AddressCase{"javascript:alert(1)", false},
                      AddressCase{"http:///etc/passwd", false}));

TEST_F(TaboutTest, DoneHidesTheWindow)
{
    about->present();
    ASSERT_TRUE(about->isVisible());
    QTest::mouseClick(about->doneButton(), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
}

TEST_F(TaboutTest, ItIsAToolWindowCentredOnTheMainWindow)
{
    EXPECT_TRUE(about->windowFlags().testFlag(Qt::Tool));
    mainWindow.show();
    about->present();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about.get()));
    const QPoint offset = about->frameGeometry().center() - mainWindow.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

}  // namespace
