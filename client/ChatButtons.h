// The buttons around the chat: the nine phrase buttons `b_phrase1` to `b_phrase9` (each
// showing its phrase as tooltip), `b_phrase10` with the chatter sound menu
// `popup_sounds`, and `button_smilies` with the smiley menu `popup_smilies`. They only
// report which entry was chosen; what that sends or inserts is the chat half's.
#pragma once

#include <QObject>
#include <QString>

#include <array>

class QMenu;
class QToolButton;
class QWidget;

class ChatButtons : public QObject {
    Q_OBJECT
public:
    static constexpr int kPhraseCount = 9;
    static constexpr int kChatterSoundCount = 20;

    // Places the buttons at their designed places on `panel`, which owns them and the menus.
    explicit ChatButtons(QWidget *panel, QObject *parent = nullptr);

    // Shows `phrase` as the tooltip of button 1..9, as typed (never as markup).
    void setPhraseTip(int number, const QString &phrase);
    // Moves the smiley button right by `extra` pixels beyond its designed place.
    void shiftSmileyButton(int extra);

    static QString chatterSoundCaption(int number);

    QToolButton *phraseButton(int number) const;
    QMenu *popupSounds() const { return m_popupSounds; }
    QMenu *popupSmilies() const { return m_popupSmilies; }

Q_SIGNALS:
    void phraseClicked(int number);
    // 1..20, or 0 for "<Cancel>".
    void chatterSoundChosen(int number);
    // 10..27.
    void smileyChosen(int code);

private:
    void createMenus(QWidget *panel);

    std::array<QToolButton *, kPhraseCount> m_phraseButtons{};
    QToolButton *m_phrase10 = nullptr;
    QToolButton *m_smilies = nullptr;
    QMenu *m_popupSounds = nullptr;
    QMenu *m_popupSmilies = nullptr;
};
