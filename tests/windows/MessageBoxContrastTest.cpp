// Message boxes over the styled windows stay readable: a box opened from each window
// (through its own path where it has one) shows its text at a contrast of at least
// 4.5:1 against its background, whatever colours the window gives its own labels.
#include "client/ClientContext.h"
#include "client/model/GameServices.h"
#include "tally/TallyTable.h"
#include "tally/window/Ttallylist.h"
#include "windows/Tabout.h"
#include "windows/Tdownload.h"
#include "windows/TdownloadFakes.h"
#include "windows/Tgamestart.h"
#include "windows/Thelp.h"

#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace {

double luminance(const QColor &colour)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A box opened over `window` the way every window of the program opens one.
QMessageBox *openBoxOver(QWidget *window)
{
    auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("Quarn"), QStringLiteral("A message"),
                                QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}

struct NoRequests : RequestSender {
    void sendRequest(const QByteArray &) override { }
};

struct StyledWindow {
    const char *name;
    // Makes the window (kept alive by the caller) and opens a box from it.
    std::function<QMessageBox *(std::unique_ptr<QWidget> &window)> openBox;
};

void PrintTo(const StyledWindow &row, std::ostream *out)
{
    *out << row.name;
}

class MessageBoxContrastTest : public testing::TestWithParam<StyledWindow> { };

TEST_P(MessageBoxContrastTest, ABoxOpenedFromTheWindowHasReadableText)
{
    std::unique_ptr<QWidget> window;
    QMessageBox *box = GetParam().openBox(window);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    const QColor text = label->palette().color(label->foregroundRole());
    const QColor background = box->palette().color(box->backgroundRole());
    EXPECT_GE(contrast(text, background), 4.5) << qPrintable(text.name()) << " on " << qPrintable(background.name());
    box->close();
}

INSTANTIATE_TEST_SUITE_P(
    Windows, MessageBoxContrastTest,
    testing::Values(StyledWindow{"lobby window, Play with Others without the lobby",
                                 [](std::unique_ptr<QWidget> &window) -> QMessageBox * {
                                     // No lobby program in an empty folder: the box says how to get one.
                                     static RecordingStarter starter;
                                     static QTemporaryDir lobbyFolder;
                                     auto *lobby =
                                         new Tdownload(LobbyPlaces(QUrl(QStringLiteral("http://127.0.0.1:9/setup.exe")),
                                                                   {}, QUrl(QStringLiteral("http://quarn.example/")),
                                                                   lobbyFolder.filePath(QStringLiteral("KorvexLobby"))),
                                                       {}, starter);
                                     window.reset(lobby);
                                     lobby->show();
                                     lobby->findChild<QPushButton *>(QStringLiteral("button_lobby"))->click();
                                     return lobby->findChild<QMessageBox *>(Tdownload::kNoLobbyBox);
                                 }},
                    StyledWindow{"help window",
                                 [](std::unique_ptr<QWidget> &window) {
                                     window = std::make_unique<Thelp>();
                                     window->show();
                                     return openBoxOver(window.get());
                                 }},
                    StyledWindow{"about window",
                                 [](std::unique_ptr<QWidget> &window) {
                                     window = std::make_unique<Tabout>(nullptr,
                                                                       QUrl(QStringLiteral("http://quarn.example/")));
                                     window->show();
                                     return openBoxOver(window.get());
                                 }},
                    StyledWindow{"game start dialog",
                                 [](std::unique_ptr<QWidget> &window) {
                                     static ClientContext context;
                                     static NoRequests requests;
                                     window = std::make_unique<Tgamestart>(context, requests, nullptr);
                                     window->show();
                                     return openBoxOver(window.get());
                                 }},
                    StyledWindow{"tally window", [](std::unique_ptr<QWidget> &window) {
                                     static TallyTable table;
                                     window = std::make_unique<Ttallylist>(table);
                                     window->show();
                                     return openBoxOver(window.get());
                                 }}));

}  // namespace
