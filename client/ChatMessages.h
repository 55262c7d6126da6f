// The chat's handlers of the host's relayed chat, actions and chatter sounds; each takes
// the message's rest (the text after the command word's "+").
#pragma once

#include <QString>

class ChatMessages {
public:
    virtual ~ChatMessages() = default;
    // CMD_chat and CMD_action.
    virtual void chatReceived(const QString &rest) = 0;
    // CMD_playasound.
    virtual void playasound(const QString &rest) = 0;
};
