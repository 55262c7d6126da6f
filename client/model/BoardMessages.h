// The handlers of the host's game messages, as the connection half dispatches them. Each
// takes the message's rest (the text after the command word's "+").
#pragma once

#include <QString>

class BoardMessages {
public:
    virtual ~BoardMessages() = default;
    virtual void startthegame(const QString &rest) = 0;
    virtual void getnextplayer(const QString &rest) = 0;
    virtual void winner(const QString &rest) = 0;
    virtual void letters(const QString &rest) = 0;
    virtual void newletter(const QString &rest) = 0;
    virtual void placemyletter(const QString &rest) = 0;
    virtual void discardextra(const QString &rest) = 0;
    virtual void discardletter(const QString &rest) = 0;
    virtual void tradingmyletter(const QString &rest) = 0;
    virtual void notvalid(const QString &rest) = 0;
    virtual void formedword(const QString &rest) = 0;
    virtual void stoldletter(const QString &rest) = 0;
    virtual void timeup(const QString &rest) = 0;
    virtual void gamestats(const QString &rest) = 0;
    virtual void toomany(const QString &rest) = 0;
    virtual void placetheletters(const QString &rest) = 0;
};
