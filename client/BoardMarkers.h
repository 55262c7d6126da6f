// The board's small markers, drawn in code so they keep their transparency: the turn
// marker beside the row of the seat to move and the just-watching eyes.
#pragma once

#include <QPixmap>

class BoardMarkers {
public:
    // 23 x 23: a golden arrow pointing at the row.
    static QPixmap turnMarker();
    // 24 x 16: a pair of eyes.
    static QPixmap eyesMarker();
};
