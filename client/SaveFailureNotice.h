// Tells the player, once per file, that a file of theirs could not be saved: the settings
// file, the tally. The reason itself goes to the log where the failure happened; the chat
// only says which file and that its changes are not kept, and says it once, so a failing
// folder does not fill the chat at every click.
#pragma once

#include <QObject>
#include <QSet>
#include <QString>

class GameNotices;

class SaveFailureNotice : public QObject {
    Q_OBJECT
public:
    explicit SaveFailureNotice(GameNotices &notices, QObject *parent = nullptr);

    // The first failure for `path` adds a chat notice; later ones for it add nothing.
    void saveFailed(const QString &path);
    bool reported(const QString &path) const { return m_reported.contains(path); }

private:
    GameNotices &m_notices;
    QSet<QString> m_reported;
};
