// The settings half of the main window: reads and writes the section "Quarn" of
// "korvexlobby.ini" (placement, chat text size and colour, phrases, sound switches and
// the game start dialog's values, the computer's level among them, and whether hosting
// asks the router to forward the port), keeps the window's
// client area at its minimum, saves the placement at close, and owns the sound options
// (SoundSwitches) with their entries in the Options menu, and the playing of game
// sounds. The entries show the switches; a click sets the switch and the entry follows it.
//
// Where the file lives: next to the program's executable, as the lobby program expects;
// when no file can be replaced in that folder (an installed copy), in the user's generic
// configuration folder (QStandardPaths::GenericConfigLocation, e.g. ~/.config), where
// the programs that share the file can all find it under the same name.
//
// The lobby program (or a second copy) writes the same file while this one runs. So a
// save reads the file again and writes only the keys this program changed since it
// last read or wrote them, and any key missing from the file; a value changed by
// another program meanwhile stays. The first failed save tells the player in the chat.
#pragma once

#include "client/ChatHalf.h"
#include "client/ClientContext.h"
#include "client/SaveFailureNotice.h"
#include "client/model/SoundSwitches.h"

#include <QHash>
#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <utility>

class AttentionRules;
class GameStartSettings;
class QAction;
class QMenu;
class QWidget;

Q_DECLARE_LOGGING_CATEGORY(lcSettings)

class SettingsHalf : public QObject, public GameSounds {
    Q_OBJECT
public:
    static inline const QString kFileName = QStringLiteral("korvexlobby.ini");
    static inline const QString kSection = QStringLiteral("Quarn");
    static constexpr int kDefaultLeft = 3;
    static constexpr int kDefaultTop = 3;
    static constexpr int kDefaultWidth = 734;
    static constexpr int kDefaultHeight = 540;
    static constexpr int kDefaultTextSize = 8;
    // The board panel (724 x 491) plus 12 pixels each way.
    static constexpr QSize kMinimumClientSize = QSize(736, 503);
    // A saved window larger than the work area shrinks by this much at close.
    static constexpr int kWorkAreaShrink = 15;

    enum TurnSound { Classic = SoundSwitches::Classic, New = SoundSwitches::New };

    // `window` is the window whose placement is kept (the main window, or any widget in
    // tests); `gameStart` may be set later. `filePath` empty = defaultFilePath().
    SettingsHalf(QWidget *window, ChatHalf &chat, GameStartSettings *gameStart, ChatHalf::PlaySound playSound,
                 QString filePath = {}, QObject *parent = nullptr);
    ~SettingsHalf() override;

    void setGameStartSettings(GameStartSettings *gameStart) { m_gameStart = gameStart; }
    // The calls back to the window: the key "Notifications" switches them, and so does
    // the Options menu's entry, which shows them.
    void setAttention(AttentionRules *attention);
    const QString &filePath() const { return m_filePath; }
    // The program's folder when a file can be replaced there, else the configuration folder.
    static QString defaultFilePath();
    // The same rule for a given program folder; `fallbackFolder` empty = the
    // configuration folder.
    static QString filePathFor(const QString &programFolder, const QString &fallbackFolder = QString());

    // Reads every key and applies it; run once per own login.
    void loadinifile();
    // Writes the settings in their fixed order, those changed here since they were last
    // read or written and those missing from the file; nothing before the first load (so
    // an early change or close never replaces stored settings with initial values).
    // Returns false when the file could not be written.
    bool saveinifile();
    bool loaded() const { return m_remembered.has_value(); }
    // Writes the chat's nine phrases as "Phrase1" to "Phrase9" (the phrase editor's
    // "Done"), the same way: those changed here and those missing; nothing else. Unlike saveinifile it writes before the first load too:
    // the phrases are exactly what the player has just confirmed. Returns false when the
    // file could not be written.
    bool savePhrases();

    // GameSounds: plays `name` while "Play Sounds" is checked.
    void playsounds(const QString &name) override;
    // The own turn's sound name: "start" (Classic) or "turnnew" (New).
    QString turnSoundName() const { return m_switches.turnSoundName(); }
    int turnSound() const { return m_switches.turnSound(); }
    // "RecordGames": every game is recorded unless the key says "false". Read only: no
    // menu changes it, so it is never written.
    bool recordGames() const { return m_recordGames; }
    SoundSwitches &switches() { return m_switches; }
    const SoundSwitches &switches() const { return m_switches; }

    // Keeps the window's client area at least kMinimumClientSize.
    void FormResize();
    // The window closes: saves when its placement differs from the remembered one.
    void FormClose();
    void ResetScreenLocation1Click();
    void PlaySounds1Click();
    void PlayChatterSounds1Click();
    // Bound to both turn sound entries; `tag` 0 = Classic, 1 = New.
    void New1Click(int tag);

    // The window's outer placement (frame included) as saved: left, top, width, height.
    QRect placement() const;
    std::optional<QRect> rememberedPlacement() const { return m_remembered; }
    // Places the window at an outer placement as it stands (no check against the screen).
    void place(const QRect &outer);

    QAction *playSoundsAction() const { return m_playSounds1; }
    QAction *playChatterSoundsAction() const { return m_playChatterSounds1; }
    QMenu *turnSoundMenu() const { return m_turnSound1; }
    QAction *classicAction() const { return m_classic1; }
    QAction *newAction() const { return m_new1; }
    QAction *resetScreenLocationAction() const { return m_resetScreenLocation1; }
    QAction *notificationsAction() const { return m_notifications1; }

    // "MapPort": whether a hosted game asks the router to forward its port (on unless the
    // file says "false"). It concerns hosting only: a solo game never maps. A change is
    // saved at once.
    bool mapPort() const { return m_mapPort; }
    void setMapPort(bool on);

    // The player's notice of files that could not be saved; the settings report their
    // own failures to it, and the tally's save can report to it as well.
    SaveFailureNotice &saveFailures() { return m_saveFailures; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using Values = QList<std::pair<QString, QString>>;
    // Every key saveinifile writes, with its value from the current state.
    Values settingsValues(const QRect &outer) const;
    Values phraseValues() const;
    bool writeSettings(const QRect &outer);
    // Reads the file again and writes those of `values` that changed here or are missing
    // there; on failure the player is told (once) and false is returned.
    bool writeChanged(const Values &values);
    QSize nonClientSize() const;
    // The part of the window that is not client area (menu bar, frame).
    QSize frameExtra() const;
    // Checks the turn sound entry of the switch.
    void showTurnSound();

    QPointer<QWidget> m_window;
    ChatHalf &m_chat;
    GameStartSettings *m_gameStart = nullptr;
    QPointer<AttentionRules> m_attention;
    ChatHalf::PlaySound m_playSound;
    QString m_filePath;
    std::optional<QRect> m_remembered;
    SoundSwitches m_switches;
    bool m_mapPort = true;
    bool m_recordGames = true;
    // Each key's value as this program last read or wrote it.
    QHash<QString, QString> m_known;
    SaveFailureNotice m_saveFailures;

    QAction *m_playSounds1 = nullptr;
    QAction *m_playChatterSounds1 = nullptr;
    QMenu *m_turnSound1 = nullptr;
    QAction *m_classic1 = nullptr;
    QAction *m_new1 = nullptr;
    QAction *m_resetScreenLocation1 = nullptr;
    QAction *m_notifications1 = nullptr;
};
