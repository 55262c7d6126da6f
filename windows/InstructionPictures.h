// The pictures beside the quick instructions' six steps: a corner of the game board
// (own word row and hand) with the game's own tiles on it, and arrows, highlights and a
// mouse showing the step. Drawn at paint time with the game's painters, so they are
// sharp at any size and pixel ratio.
#pragma once

#include <QImage>
#include <QSizeF>

class QPainter;
class QRectF;

class InstructionPictures {
public:
    static constexpr int kSteps = 6;
    // The part of the board a picture shows, in board pixels; pictures keep its shape.
    static constexpr QSizeF kSceneSize{250.0, 130.0};

    // Draws the picture of `step` (1..6) centred in `target`, as large as fits; other
    // steps draw the board corner alone.
    static void draw(QPainter &painter, int step, const QRectF &target);
    // The picture of `step` on an image of `size` device-independent pixels.
    static QImage render(int step, const QSize &size, qreal devicePixelRatio = 1.0);
};
