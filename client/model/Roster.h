// Who is present in the game, as the host announced them: one participant per slot, with
// the name it logged in under, in the order they came. The seats' own state (the name the
// board shows, the computer in an empty seat) is the game's (ClientGame); the roster says
// only who is connected, so the spectator list and the name labels' menu read it instead
// of the texts on the screen.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class Roster : public QObject {
    Q_OBJECT
public:
    struct Participant {
        int slot = 0;
        QString name;
        bool operator==(const Participant &) const = default;
    };

    explicit Roster(QObject *parent = nullptr);

    // `slot` is present under `name`. A slot announced again takes the new name and comes
    // last, as a newcomer in a freed slot does. A number that is no slot changes nothing.
    void arrive(int slot, const QString &name);
    // The host reported `slot` (under `name`) gone. A seat's participant leaves whatever
    // the name; a spectator only when slot and name both match the one present, so a
    // late report never removes a newcomer who took the slot meanwhile. True when
    // somebody left.
    bool leave(int slot, const QString &name);

    bool isPresent(int slot) const { return indexOf(slot) >= 0; }
    // Present in that slot under that name.
    bool isPresent(const Participant &participant) const;
    // Everybody present, in the order they came.
    const QList<Participant> &present() const { return m_present; }
    // Those in slots above the seats, in the order they came.
    QList<Participant> spectators() const;

Q_SIGNALS:
    // Somebody came, left or was announced again.
    void changed();

private:
    qsizetype indexOf(int slot) const;

    QList<Participant> m_present;
};
