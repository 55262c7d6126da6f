// The logo: QUARN on five game tiles, each turned a little as if just laid on the table.
#include "windows/LogoLabel.h"

#include "client/TilePainter.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QtMath>

#include <array>

namespace {

struct LogoTile {
    int code;  // letter code of the tile
    qreal angle;  // degrees, clockwise
    qreal lift;  // vertical offset, in tile sides
};

// Q U A R N
constexpr std::array<LogoTile, 5> kTiles{
    {{17, -5.0, 0.04}, {21, 3.0, -0.03}, {1, -2.0, 0.05}, {18, 4.0, -0.02}, {14, -3.0, 0.03}}};
// Distance between the tiles' centres and the room around them, in tile sides.
constexpr qreal kPitch = 1.02;
constexpr qreal kMargin = 0.12;

}  // namespace

LogoLabel::LogoLabel(QWidget *parent, int tileSize)
    : ClickableLabel(parent)
    , m_tileSize(qMax(8, tileSize))
{
    setObjectName(QStringLiteral("image_logo"));
    setFixedSize(logoSize(m_tileSize));
    setAttribute(Qt::WA_TranslucentBackground);
}

QSize LogoLabel::logoSize(int tileSize)
{
    const qreal side = tileSize;
    const qreal width = side * (2 * kMargin + kPitch * static_cast<qreal>(kTiles.size() - 1) + 1.0);
    const qreal height = side * (2 * kMargin + 1.0);
    return QSize(qCeil(width), qCeil(height));
}

void LogoLabel::paintLogo(QPainter &painter, int tileSize)
{
    const qreal side = tileSize;
    const qreal scale = side / TilePainter::kSize;
    // Tiles at the painter's own resolution when it is finer than their design size;
    // smaller ones are scaled down from the design size.
    const QPaintDevice *surface = painter.paintEngine() ? painter.paintEngine()->paintDevice() : painter.device();
    const qreal deviceRatio = surface ? surface->devicePixelRatioF() : 1.0;
    const qreal tileRatio = qMax(1.0, deviceRatio * scale);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (std::size_t i = 0; i < kTiles.size(); ++i) {
        const LogoTile &tile = kTiles[i];
        const QPointF centre(side * (kMargin + 0.5 + kPitch * static_cast<qreal>(i)),
                             side * (kMargin + 0.5 + tile.lift));
        painter.save();
        painter.translate(centre);
        painter.rotate(tile.angle);
        painter.scale(scale, scale);
        const qreal half = TilePainter::kSize / 2.0;
        painter.drawPixmap(QPointF(-half, -half), TilePainter::picture(tile.code, tileRatio));
        painter.restore();
    }
    painter.restore();
}

QPixmap LogoLabel::picture(int tileSize, qreal devicePixelRatio)
{
    const QSize size = logoSize(tileSize);
    QPixmap pixmap(qCeil(size.width() * devicePixelRatio), qCeil(size.height() * devicePixelRatio));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintLogo(painter, tileSize);
    return pixmap;
}

void LogoLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintLogo(painter, m_tileSize);
}
