// A fixture for games played in whole main windows in one process: a host on loopback
// drawing scripted letters, main windows that join it (the hosting one with its game
// start dialog), and a wait until the host has done a step and every window shows it.
#pragma once

#include "GameBoardCheck.h"
#include "GameScriptedRandom.h"

#include "client/BoardHalf.h"
#include "client/ConnectionHalf.h"
#include "host/HostEngine.h"
#include "windows/Tchat.h"
#include "windows/Tgamestart.h"

#include <QList>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

class GameWindowsTest : public ::testing::Test {
protected:
    // The host draws `letters` in this order; windows find it through QUARN_PORT.
    void startHost(const QList<int> &letters)
    {
        ASSERT_TRUE(folder.isValid());
        host = std::make_unique<HostEngine>(folder.path(), nullptr, std::make_unique<GameScriptedRandom>(letters));
        ASSERT_TRUE(host->listen(0, QHostAddress::LocalHost));
        qputenv("QUARN_PORT", QByteArray::number(host->serverPort()));
    }

    void TearDown() override
    {
        windows.clear();
        qunsetenv("QUARN_PORT");
    }

    // A shown main window started with `name`, 127.0.0.1 and `mode`; the hosting one
    // ("true") gets the game start dialog.
    Tchat &open(const QString &name, const QString &mode)
    {
        Tchat &window = openGameWindow(windows, folder, host.get(), name, mode);
        if (mode == QLatin1String("true")) {
            dialog = new Tgamestart(window.context(), window.connection(), &window);  // owned by the window
            window.setGameStart(dialog);
        }
        window.show();
        return window;
    }

    // The two players and a spectator of most games: Ann hosts in slot 1, Bob joins as
    // seat 2 and Cy watches from slot 3; returns once every one of them is logged in.
    struct Table {
        Tchat &ann;
        Tchat &bob;
        Tchat &cy;
    };
    Table openAnnBobAndCy()
    {
        Tchat &ann = open(QStringLiteral("Ann"), QStringLiteral("true"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return ann.game().seatName(1) == QStringLiteral("Ann"); }, kGameStepWait));
        Tchat &bob = open(QStringLiteral("Bob"), QStringLiteral("false"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return ann.game().seatName(2) == QStringLiteral("Bob"); }, kGameStepWait));
        Tchat &cy = open(QStringLiteral("Cy"), QStringLiteral("false"));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return cy.game().ownSlot() == 3 && cy.game().seatName(2) == QStringLiteral("Bob"); }, kGameStepWait));
        return {ann, bob, cy};
    }

    // Waits until the host has done what `hostDone` checks and every window shows its state.
    void settle(const std::function<bool()> &hostDone, const char *step)
    {
        const auto agree = [&] {
            if (!hostDone())
                return false;
            for (auto &window : windows) {
                if (!gameBoardDifference(host->rules(), window->board(), window->game()).isEmpty())
                    return false;
            }
            return true;
        };
        ASSERT_TRUE(QTest::qWaitFor(agree, kGameStepWait)) << step;
    }

    QTemporaryDir folder;
    std::unique_ptr<HostEngine> host;
    Tgamestart *dialog = nullptr;
    std::vector<std::unique_ptr<Tchat>> windows;
};
