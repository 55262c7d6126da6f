// What the halves of the main window share beyond the game model: the start-up facts
// (the player's name and the host's address from the command line), the chat view's
// entry for coloured lines and the notice colour. The services the game model calls
// live beside it in client/model/GameServices.h.
#pragma once

#include "client/model/GameServices.h"

#include <QColor>
#include <QString>

// The chat view's entry for notices: a line beginning with "0+" and its colour.
class ChatLines {
public:
    virtual ~ChatLines() = default;
    virtual void addlinetochat(const QString &line, const QColor &colour) = 0;
};

// The ordinary colour of local notices.
inline const QColor kNoticeColour(27, 98, 131);

struct ClientContext {
    QString playerName;
    QString hostAddress;
};
