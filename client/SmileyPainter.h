// Draws the chat's pictures: the eighteen smileys (17 x 16 pixels each, shown inline in
// the chat view and in the smiley menu) and the small pictures of the phrase buttons,
// the chatter sound button and the smiley button. All are painted here, so the program
// carries no image files for them.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

class SmileyPainter {
public:
    static constexpr int kWidth = 17;
    static constexpr int kHeight = 16;

    // Smiley `index` 0..17; an index outside that range gives smiley 0.
    static QImage smiley(int index);
    // What smiley `index` shows, in words ("Smile", "Wink"...); the same fallback.
    static QString smileyName(int index);
    // The picture of phrase button 1..9: a speech bubble with its number.
    static QIcon phraseIcon(int number);
    // The chatter sound button's picture: a loudspeaker.
    static QIcon soundsIcon();
};
