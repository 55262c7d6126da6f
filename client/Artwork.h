// The window artwork carried as JPEG resources (":/pictures/board.jpg" ...), each also at
// twice the resolution ("board@2x.jpg"). A plain QPixmap load takes the file it is named
// and nothing else, so this picks the sharper file for a screen whose pixel ratio is
// above 1 and marks the pixmap with its pixel ratio, so that it keeps its design size.
// The small windows' painted background, the table's felt, is here too.
#pragma once

#include <QPixmap>
#include <QString>

class QPainter;
class QRect;

class Artwork {
public:
    // The resource path of picture `name` ("board.jpg") for a screen of the given pixel
    // ratio: the @2x file when the ratio is above 1 and that file is carried, else `name`.
    static QString path(const QString &name, qreal devicePixelRatio = 1.0);
    // That picture, decoded once per file and shared (implicitly) by every caller; its
    // deviceIndependentSize() is the design size at either resolution. A null pixmap
    // when `name` is not carried.
    static QPixmap pixmap(const QString &name, qreal devicePixelRatio = 1.0);
    // Fills `area` with the green of the game's table, a little darker towards the bottom.
    static void paintFelt(QPainter &painter, const QRect &area);
};
