// Board tile widget: paints its letter picture and reports presses and clicks.
#include "client/BoardTile.h"

#include "client/TilePainter.h"

#include <QMouseEvent>
#include <QPainter>

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
    if (code < 1 || code > 26) {
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

void BoardTile::paintEvent(QPaintEvent *)
{
    if (m_code == 0)
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, TilePainter::picture(m_code, devicePixelRatioF()));
}

void BoardTile::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    // The tile may move (selection) or the handler may reset the board; the click
    // still belongs to this tile.
    Q_EMIT mousePressed(event->button());
    event->accept();
}

void BoardTile::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = event->button() == Qt::LeftButton && m_leftDown && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_leftDown = false;
    event->accept();
    if (click)
        Q_EMIT clicked();
}
