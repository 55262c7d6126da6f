// The board view set up for its tests: a panel of the window's size, the client's game
// with recording services (tests/client_model/ModelFakes.h) for the logged-in player of
// slot 1 with seat names Ann and Bob, and the view drawing it. Message boxes go through
// the view's hook, which records them in `boxes` and closes them at once.
#pragma once

#include "client_model/ModelFakes.h"

#include "client/BoardHalf.h"

#include <QWidget>

#include <memory>

class BoardFixture : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        panel.resize(724, 491);
        board = std::make_unique<BoardHalf>(&panel, game, sender);
        board->setMessageBoxHook([this](const QString &text, std::function<void()> closed) {
            boxes.append(text);
            if (closed)
                closed();
        });
    }

    void TearDown() override { board.reset(); }

    QWidget panel;
    RequestRecorder sender;
    std::unique_ptr<BoardHalf> board;
};
