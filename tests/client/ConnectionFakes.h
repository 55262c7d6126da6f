// Recording stand-ins for the halves the connection half talks to: board and chat
// handlers, chat lines and sounds. Every call is recorded and announced through
// ConnectionProbe::changed, so tests wait on that signal instead of sleeping; the seats
// live in a real ClientGame, whose changes poke the probe too.
#pragma once

#include "client/ChatMessages.h"
#include "client/ClientContext.h"
#include "client/model/BoardMessages.h"

#include <QColor>
#include <QObject>
#include <QSignalSpy>
#include <QStringList>

#include <functional>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

class ConnectionProbe : public QObject {
    Q_OBJECT
public:
    void poke() { Q_EMIT changed(); }

    // Processes events until `condition` holds; false when nothing moves for `timeoutMs`.
    bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 5000)
    {
        QSignalSpy spy(this, &ConnectionProbe::changed);
        while (!condition()) {
            if (!spy.wait(timeoutMs))
                return condition();
        }
        return true;
    }

Q_SIGNALS:
    void changed();
};

struct ChatNotice {
    QString line;
    QColor colour;
};

class RecordingLines : public ChatLines {
public:
    explicit RecordingLines(ConnectionProbe &probe)
        : m_probe(probe)
    {
    }
    void addlinetochat(const QString &line, const QColor &colour) override
    {
        notices.append({line, colour});
        m_probe.poke();
    }
    QStringList lines() const
    {
        QStringList result;
        for (const ChatNotice &notice : notices)
            result.append(notice.line);
        return result;
    }
    bool has(const QString &line) const { return lines().contains(line); }
    QColor colourOf(const QString &line) const
    {
        for (const ChatNotice &notice : notices)
            if (notice.line == line)
                return notice.colour;
        return QColor();
    }

    QList<ChatNotice> notices;

private:
    ConnectionProbe &m_probe;
};

class RecordingSounds : public GameSounds {
public:
    explicit RecordingSounds(ConnectionProbe &probe)
        : m_probe(probe)
    {
    }
    void playsounds(const QString &name) override
    {
        played.append(name);
        m_probe.poke();
    }
    QStringList played;

private:
    ConnectionProbe &m_probe;
};

// Records "handler:rest" for every board and chat message it is handed.
class RecordingHandlers : public BoardMessages, public ChatMessages {
public:
    explicit RecordingHandlers(ConnectionProbe &probe)
        : m_probe(probe)
    {
    }
    void startthegame(const QString &rest) override { record("startthegame", rest); }
    void getnextplayer(const QString &rest) override { record("getnextplayer", rest); }
    void winner(const QString &rest) override { record("winner", rest); }
    void letters(const QString &rest) override { record("letters", rest); }
    void newletter(const QString &rest) override { record("newletter", rest); }
    void placemyletter(const QString &rest) override { record("placemyletter", rest); }
    void discardextra(const QString &rest) override { record("discardextra", rest); }
    void discardletter(const QString &rest) override { record("discardletter", rest); }
    void tradingmyletter(const QString &rest) override { record("tradingmyletter", rest); }
    void notvalid(const QString &rest) override { record("notvalid", rest); }
    void formedword(const QString &rest) override { record("formedword", rest); }
    void stoldletter(const QString &rest) override { record("stoldletter", rest); }
    void timeup(const QString &rest) override { record("timeup", rest); }
    void gamestats(const QString &rest) override { record("gamestats", rest); }
    void toomany(const QString &rest) override { record("toomany", rest); }
    void placetheletters(const QString &rest) override { record("placetheletters", rest); }
    void chatReceived(const QString &rest) override { record("chatReceived", rest); }
    void playasound(const QString &rest) override { record("playasound", rest); }

    QStringList calls;

private:
    void record(const char *handler, const QString &rest)
    {
        calls.append(QLatin1String(handler) + QLatin1Char(':') + rest);
        m_probe.poke();
    }
    ConnectionProbe &m_probe;
};
