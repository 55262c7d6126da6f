// Board tile widget: paints its letter picture and reports presses and clicks.
#include "client/BoardTile.h"

#include "client/TilePainter.h"
#include "net/GameFacts.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>

BoardTile::BoardTile(int tag, QWidget *parent)
    : QWidget(parent)
    , m_tag(tag)
{
    setFixedSize(kSize, kSize);
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
}

void BoardTile::drawCode(int code)
{
    if (!quarn::isLetterCode(code)) {
        clear();
        return;
    }
    if (m_code != code) {
        m_code = code;
        update();
    }
}

void BoardTile::clear()
{
    if (m_code != 0) {
        m_code = 0;
        update();
    }
}

void BoardTile::setCursorShown(bool shown)
{
    if (m_cursorShown != shown) {
        m_cursorShown = shown;
        update();
    }
}

void BoardTile::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_code != 0) {
        // The picture for the pixels actually painted (the window's backing store, or an
        // image the tile is rendered into), so that the letter is drawn per device pixel
        // rather than scaled; painter.device() would name the widget itself.
        const QPaintDevice *target = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
        const qreal ratio = target ? target->devicePixelRatioF() : devicePixelRatioF();
        painter.drawPixmap(0, 0, TilePainter::picture(m_code, ratio));
    }
    if (m_cursorShown) {
        // A bright ring on a dark one, so that it stands out on the wood, the felt and
        // the tiles alike, and an empty cell shows it as well as a letter.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        const QRectF ring = QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5);
        painter.setPen(QPen(QColor(20, 20, 20), 5.0));
        painter.drawRoundedRect(ring, 5.0, 5.0);
        painter.setPen(QPen(QColor(64, 214, 255), 2.5));
        painter.drawRoundedRect(ring, 5.0, 5.0);
    }
}

void BoardTile::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event->button());
    // The tile may move (selection) or the handler may reset the board; the click
    // still belongs to this tile.
    Q_EMIT mousePressed(event->button());
    event->accept();
}

void BoardTile::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_click.release(event->button(), event->position().toPoint(), rect());
    event->accept();
    if (click)
        Q_EMIT clicked();
}
