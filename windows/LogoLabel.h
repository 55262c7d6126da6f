// Labels that answer a click: ClickableLabel, a label that reports a left click (the
// about window's web address), and LogoLabel, the program's logo (the word QUARN laid
// out on game tiles, painted at the screen's own resolution), which the main window
// shows and which opens the product's web page when clicked.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QSize>

class QMouseEvent;
class QPaintEvent;
class QPainter;

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget *parent = nullptr);

Q_SIGNALS:
    // The left button was pressed and released over the label.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_leftDown = false;
};

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
