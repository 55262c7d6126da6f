// Artwork lookup by pixel ratio, and the painted felt; see Artwork.h.
#include "client/Artwork.h"

#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>

// The pictures sit in a static library; registering them by hand keeps the linker from
// dropping them. Q_INIT_RESOURCE must be used outside any namespace.
static void registerArtworkResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    Q_UNUSED(registered);
}

QString Artwork::path(const QString &name, qreal devicePixelRatio)
{
    registerArtworkResources();
    const QString plain = QStringLiteral(":/pictures/") + name;
    if (devicePixelRatio <= 1.0)
        return plain;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString sharp = QStringLiteral(":/pictures/")
        + (dot < 0 ? name + QStringLiteral("@2x") : name.left(dot) + QStringLiteral("@2x") + name.mid(dot));
    return QFileInfo::exists(sharp) ? sharp : plain;
}

QPixmap Artwork::pixmap(const QString &name, qreal devicePixelRatio)
{
    // QPixmap's own load keeps every file it decoded in the pixmap cache, so the windows
    // that load the same picture by its path share one decoded copy with this one.
    const QString file = path(name, devicePixelRatio);
    QPixmap pixmap(file);
    if (!pixmap.isNull() && file.contains(QLatin1String("@2x")))
        pixmap.setDevicePixelRatio(2.0);
    return pixmap;
}

void Artwork::paintFelt(QPainter &painter, const QRect &area)
{
    QLinearGradient felt(0.0, area.top(), 0.0, area.bottom() + 1);
    felt.setColorAt(0.0, QColor(30, 78, 50));
    felt.setColorAt(1.0, QColor(14, 42, 27));
    painter.fillRect(area, felt);
}
