// Escape and Enter in our plain windows: which button each key presses, and the windows
// from the menus answering them.
#include "windows/DialogKeys.h"
#include "windows/QuickInstructions.h"
#include "windows/Tabout.h"
#include "windows/Thelp.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct KeyRow {
    const char *name;
    Qt::Key key;
    const char *focused;  // object name of the widget holding the focus
    const char *pressed;  // the button the key presses, empty for none
};

class DialogKeysTest : public ::testing::TestWithParam<KeyRow> { };

TEST_P(DialogKeysTest, EscapePressesCloseAndEnterTheFocusedOrDefaultButton)
{
    QWidget window;
    auto *column = new QVBoxLayout(&window);
    auto *field = new QLineEdit(&window);
    field->setObjectName(QStringLiteral("field"));
    QList<QPushButton *> buttons;
    for (const char *name : {"close", "ok", "other"}) {
        buttons << new QPushButton(QLatin1String(name), &window);
        buttons.last()->setObjectName(QLatin1String(name));
    }
    column->addWidget(field);
    for (QPushButton *button : buttons)
        column->addWidget(button);
    dialogkeys::install(&window, buttons[0], buttons[1]);
    QStringList pressed;
    for (QPushButton *button : buttons)
        QObject::connect(button, &QPushButton::clicked, [&pressed, button] { pressed << button->objectName(); });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto *focused = window.findChild<QWidget *>(QLatin1String(GetParam().focused));
    focused->setFocus();

    QTest::keyClick(focused, GetParam().key);
    EXPECT_EQ(pressed.join(u','), QLatin1String(GetParam().pressed));
}

INSTANTIATE_TEST_SUITE_P(Rows, DialogKeysTest,
                         ::testing::Values(KeyRow{"escapeFromField", Qt::Key_Escape, "field", "close"},
                                           KeyRow{"escapeFromButton", Qt::Key_Escape, "other", "close"},
                                           KeyRow{"enterFromField", Qt::Key_Return, "field", "ok"},
                                           KeyRow{"keypadEnter", Qt::Key_Enter, "field", "ok"},
                                           KeyRow{"enterOnAnotherButton", Qt::Key_Return, "other", "other"},
                                           KeyRow{"otherKeys", Qt::Key_A, "field", ""}),
                         [](const auto &info) { return std::string(info.param.name); });

// The windows the menus open close on Escape and open over the main window.
TEST(MenuWindowsTest, EscapeClosesAboutAndHelpWhichOpenOverTheMainWindow)
{
    QWidget mainWindow;
    mainWindow.setGeometry(300, 200, 736, 503);
    mainWindow.show();
    auto *about = new Tabout(&mainWindow, QUrl(QStringLiteral("http://quarn.example/")));
    auto *help = new Thelp(&mainWindow);
    const QList<std::pair<QWidget *, std::function<void()>>> windows = {{about, [about] { about->present(); }},
                                                                        {help, [help] { help->present(); }}};
    for (const auto &[window, present] : windows) {
        present();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window)) << window->objectName().toStdString();
        EXPECT_LE((window->frameGeometry().center() - mainWindow.frameGeometry().center()).manhattanLength(), 4)
            << window->objectName().toStdString();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    }
}

TEST(QuickInstructionsKeysTest, ThePanelKeepsTypedKeysAndGivesTheFocusBackOnEscape)
{
    QWidget mainWindow;
    auto *chatLine = new QLineEdit(&mainWindow);
    auto *panel = new QuickInstructions(&mainWindow);
    mainWindow.show();
    mainWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
    chatLine->setFocus();

    panel->showAtCorner();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("hello"));
    EXPECT_TRUE(chatLine->text().isEmpty());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(chatLine->hasFocus());
}

}  // namespace
