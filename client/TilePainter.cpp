// Tile pictures painted with QPainter: an ivory tile with a soft bevel, a dark capital
// letter and its point value in the lower right corner.
#include "client/TilePainter.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <map>

namespace {

using quarn::isLetterCode;

void paintTileBody(QPainter &painter)
{
    const QRectF outer(0.5, 0.5, TilePainter::kSize - 1.0, TilePainter::kSize - 1.0);

    // Shadow edge on the lower right gives the tile its thickness.
    QPainterPath edge;
    edge.addRoundedRect(outer.adjusted(1.0, 1.5, 0.0, 0.0), 5.0, 5.0);
    painter.fillPath(edge, QColor(120, 86, 48));

    QPainterPath face;
    face.addRoundedRect(outer.adjusted(0.0, 0.0, -1.5, -2.0), 5.0, 5.0);
    QLinearGradient ivory(outer.topLeft(), outer.bottomRight());
    ivory.setColorAt(0.0, QColor(255, 250, 232));
    ivory.setColorAt(0.55, QColor(244, 230, 196));
    ivory.setColorAt(1.0, QColor(226, 204, 158));
    painter.fillPath(face, ivory);
    painter.setPen(QPen(QColor(166, 128, 80), 1.0));
    painter.drawPath(face);

    // A thin highlight along the top and left edges.
    painter.setPen(QPen(QColor(255, 255, 255, 170), 1.0));
    painter.drawLine(QPointF(5.0, 2.0), QPointF(TilePainter::kSize - 8.0, 2.0));
    painter.drawLine(QPointF(2.0, 5.0), QPointF(2.0, TilePainter::kSize - 9.0));
}

void paintLetter(QPainter &painter, int code)
{
    QFont letterFont(QStringLiteral("DejaVu Serif"));
    letterFont.setPixelSize(24);
    letterFont.setBold(true);
    painter.setFont(letterFont);
    const QRectF letterBox(0.0, -0.5, TilePainter::kSize - 9.0, TilePainter::kSize - 4.0);
    painter.setPen(QColor(255, 255, 255, 150));
    painter.drawText(letterBox.translated(0.6, 0.8), Qt::AlignCenter, TilePainter::letterText(code));
    painter.setPen(QColor(52, 34, 20));
    painter.drawText(letterBox, Qt::AlignCenter, TilePainter::letterText(code));

    QFont valueFont(QStringLiteral("DejaVu Sans"));
    valueFont.setPixelSize(10);
    valueFont.setBold(true);
    painter.setFont(valueFont);
    painter.setPen(QColor(120, 44, 28));
    const QRectF valueBox(0.0, 0.0, TilePainter::kSize - 4.5, TilePainter::kSize - 4.0);
    painter.drawText(valueBox, Qt::AlignRight | Qt::AlignBottom, QString::number(quarn::letterPoints(code)));
}

}  // namespace

QString TilePainter::letterText(int code)
{
    return isLetterCode(code) ? QString(quarn::letterOf(code).toUpper()) : QString();
}

QPixmap TilePainter::paint(int code, qreal devicePixelRatio)
{
    const int side = qRound(kSize * devicePixelRatio);
    QPixmap pixmap(side, side);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    if (!isLetterCode(code))
        return pixmap;
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintTileBody(painter);
    paintLetter(painter, code);
    return pixmap;
}

const QPixmap &TilePainter::picture(int code, qreal devicePixelRatio)
{
    // Drawn on first use (after the application and its fonts exist), one picture at a
    // time and once per pixel ratio, so that letters are rendered at the screen's own
    // resolution and a window that shows a few letters (the logo, the lobby window) does
    // not pay for all 27. A std::map keeps every set where it is while others are added.
    static std::map<int, std::array<QPixmap, kPictureCount>> sets;
    const int key = qMax(100, qRound(devicePixelRatio * 100.0));
    std::array<QPixmap, kPictureCount> &set = sets[key];
    QPixmap &picture = set[static_cast<std::size_t>(isLetterCode(code) ? code : 0)];
    if (picture.isNull())
        picture = paint(isLetterCode(code) ? code : 0, key / 100.0);
    return picture;
}
