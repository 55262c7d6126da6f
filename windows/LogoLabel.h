// The program's logo: the word QUARN laid out on game tiles, painted at the screen's own
// resolution. The main window shows it; a click opens the product's web page.
#pragma once

#include "windows/ClickableLabel.h"

#include <QPixmap>
#include <QSize>

class QPaintEvent;
class QPainter;

class LogoLabel : public ClickableLabel {
    Q_OBJECT
public:
    static constexpr int kDefaultTileSize = 26;

    // `tileSize`: the side of one letter tile, in device-independent pixels. The label
    // takes the logo's size and keeps it.
    explicit LogoLabel(QWidget *parent = nullptr, int tileSize = kDefaultTileSize);

    int tileSize() const { return m_tileSize; }

    // The logo's size for tiles of side `tileSize`.
    static QSize logoSize(int tileSize);
    // Paints the logo with its top left corner at the painter's origin.
    static void paintLogo(QPainter &painter, int tileSize);
    // The logo as a picture for a screen of the given pixel ratio.
    static QPixmap picture(int tileSize, qreal devicePixelRatio = 1.0);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_tileSize;
};
