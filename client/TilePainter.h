// The 27 tile pictures, drawn by our own code: picture 0 is the empty tile place
// (fully transparent), pictures 1..26 the letters A..Z on an ivory tile with the
// letter's point value in the corner.
#pragma once

#include "net/GameFacts.h"

#include <QPixmap>

class TilePainter {
public:
    static constexpr int kSize = 41;
    static constexpr int kPictureCount = quarn::kLetterCodes + 1;

    // The capital letter of code 1..26; an empty text for anything else.
    static QString letterText(int code);

    // Picture `code` (0..26) at 41 x 41 device-independent pixels for a screen of the
    // given pixel ratio; each is drawn on first use and cached. Codes outside 0..26 give the
    // empty picture.
    static const QPixmap &picture(int code, qreal devicePixelRatio = 1.0);

    // Draws one picture without the cache (used by the cache and by tests).
    static QPixmap paint(int code, qreal devicePixelRatio = 1.0);
};
