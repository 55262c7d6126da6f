// The chat half of the main window: it joins the chat view `mainchat` (ChatView), the
// input box `mychat` (ChatInput) and the phrase, sound and smiley buttons (ChatButtons)
// with the rules of sending, the phrase gate, the chat text colour and size, scroll lock,
// the chat's menus, and the handlers of the host's relayed chat, actions and chatter
// sounds. Its controls sit on the board panel it is given, which owns them.
#pragma once

#include "client/ChatButtons.h"
#include "client/ChatMessages.h"
#include "client/ChatView.h"
#include "client/ClientContext.h"

#include <QColor>
#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QUrl>

#include <array>
#include <functional>
#include <utility>

class ChatInput;
class ClientGame;
class PhraseGate;
class QAction;
class QColorDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QTextBrowser;
class QToolButton;
class QWidget;

Q_DECLARE_LOGGING_CATEGORY(lcChat)

class ChatHalf : public QObject, public ChatLines, public GameNotices, public ChatMessages {
    Q_OBJECT
public:
    // Plays a sound resource by name ("wave3", "goodword"); the main window passes its
    // SoundPlayer's play.
    using PlaySound = std::function<void(const QString &name)>;

    static constexpr int kPhraseCount = ChatButtons::kPhraseCount;
    static constexpr int kChatterSoundCount = ChatButtons::kChatterSoundCount;
    static constexpr int kInitialTextSize = 10;
    // The longest chat line or phrase, in characters: even in UTF-8 its request stays far
    // below the largest message the host accepts.
    static constexpr int kTextLimit = 1000;
    static inline const QColor kFallbackColour = QColor(255, 0, 0);

    // The own slot and the seats' names come from `game`.
    ChatHalf(QWidget *panel, const ClientGame &game, RequestSender &sender, PlaySound playSound,
             QObject *parent = nullptr);
    ~ChatHalf() override;

    // ChatLines: adds one line "number+text" in `colour` (see ChatLineBuilder).
    void addlinetochat(const QString &line, const QColor &colour) override;
    // GameNotices: the game's notice as a line "0+text" in the notice colour.
    void addnotice(const QString &text) override;
    // ChatMessages: "slot+text|colour name" of CMD_chat and CMD_action, and "slot+sound+"
    // of CMD_playasound. Both throw net::ConversionError when the slot is not a number and
    // ignore the message when it is no participant's.
    void chatReceived(const QString &rest) override;
    void playasound(const QString &rest) override;

    // Sends the input box's text as chat or "/me" action and empties the box.
    void sendit();
    // Phrase button 1..9.
    void phraseClick(int number);
    // Chatter sound menu entry 1..20 (0 is "<Cancel>").
    void chatterSoundClick(int number);
    // Smiley menu entry for code 10..27: appends ":)#" and the code to the input box,
    // when the whole code still fits.
    void smileyClick(int code);
    // A click on link `number` of the view.
    void mainchatJump(int number);

    // "Text Color": opens the colour dialog; a chosen colour is applied and saved.
    void TextColor1Click();
    // The chat text colour: the input box's text colour and the colour of sent chat.
    void setTextColour(const QColor &colour);
    QColor textColour() const { return m_textColour; }
    // "Text Size" entries: sets the size and asks for a save.
    void textSizeClick(int points);
    // Gives every text of the view, past and future, this size in points; checks the
    // size entry of that number when there is one, else none.
    void setTextSize(int points);
    int textSize() const { return m_textSize; }
    void setScrollLock(bool on);
    bool scrollLock() const { return m_view->scrollLock(); }
    void ClearMainChat1Click();
    void SelectAll1Click();
    // Copies the view's selection as plain text; nothing without a selection.
    void Copy1Click();
    // Replaces the input box's text with the clipboard's text, if it holds any.
    void Paste1Click();

    // Phrase of button 1..9 (also its tooltip, as plain text); kTextLimit characters at most.
    QString phrase(int number) const;
    void setPhrase(int number, const QString &text);
    static QString defaultPhrase(int number);

    // "Play Chatter Sounds", owned by the settings half.
    void setChatterSoundsOn(bool on) { m_chatterSoundsOn = on; }
    bool chatterSoundsOn() const { return m_chatterSoundsOn; }
    // Opens an address on the desktop; QDesktopServices::openUrl unless replaced.
    void setUrlOpener(std::function<bool(const QUrl &)> opener) { m_view->setUrlOpener(std::move(opener)); }
    // Follows an invite link clicked in the chat (quarn://...); without one, such a link
    // is not followed.
    void setInviteOpener(std::function<void(const QString &)> opener) { m_view->setInviteOpener(std::move(opener)); }

    QTextBrowser *mainchat() const;
    QLineEdit *mychat() const;
    ChatView &view() { return *m_view; }
    ChatInput &input() { return *m_input; }
    // The text colour dialog, made on first use.
    QColorDialog *colorDialog();
    QToolButton *phraseButton(int number) const { return m_buttons->phraseButton(number); }
    QMenu *popupSounds() const { return m_buttons->popupSounds(); }
    QMenu *popupSmilies() const { return m_buttons->popupSmilies(); }
    QMenu *viewMenu() const { return m_viewMenu; }
    PhraseGate &phraseGate() { return *m_gate; }
    const LinkTable &links() const { return m_view->links(); }

    // For the main window's Options menu.
    QAction *textColorAction() const { return m_textColor1; }
    QMenu *textSizeMenu() const { return m_textSizeMenu; }
    QAction *scrollChatOffAction() const { return m_scrollChatOff2; }
    QAction *clearMainChatAction() const { return m_clearMainChat1; }
    QAction *highContrastAction() const { return m_highContrastChat1; }

    // "High Contrast Chat": every text of the chat reads at WCAG AA (see ChatPalette).
    void setHighContrast(bool on);
    bool highContrast() const { return m_view->palette().readable; }

Q_SIGNALS:
    // The text colour or size was chosen by the user: the settings should be saved.
    void settingsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus(QWidget *panel);
    QString colourName() const;
    void showInputColour();
    void warnAboutColour(const QColor &colour);

    const ClientGame &m_game;
    RequestSender &m_sender;
    PlaySound m_playSound;

    QWidget *m_panel = nullptr;
    ChatView *m_view = nullptr;
    ChatInput *m_input = nullptr;
    ChatButtons *m_buttons = nullptr;
    QColorDialog *m_colorDialog = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_inputMenu = nullptr;
    QMenu *m_textSizeMenu = nullptr;
    QAction *m_textColor1 = nullptr;
    QAction *m_highContrastChat1 = nullptr;
    QLabel *m_colourWarning = nullptr;
    QList<std::pair<int, QAction *>> m_sizeActions;  // by the size in points each sets
    QAction *m_scrollChatOff1 = nullptr;
    QAction *m_scrollChatOff2 = nullptr;
    QAction *m_clearMainChat1 = nullptr;
    QAction *m_clearMainChat2 = nullptr;
    QAction *m_selectAll1 = nullptr;
    QAction *m_copy1 = nullptr;
    QAction *m_paste1 = nullptr;

    PhraseGate *m_gate = nullptr;
    std::array<QString, kPhraseCount> m_phrases;
    QColor m_textColour = Qt::black;
    int m_textSize = kInitialTextSize;
    bool m_chatterSoundsOn = true;
};
