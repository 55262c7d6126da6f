// The board's keyboard area: focus switching with the chat line, the keys, the frame and
// the cursor; see BoardFocus.h.
#include "client/BoardFocus.h"

#include "client/BoardTile.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QPen>
#include <QShortcut>

namespace {

// Tab and Shift+Tab alone; with Ctrl or Alt the key means something else.
bool isTab(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

}  // namespace

BoardFocus::BoardFocus(QWidget *panel, KeyboardInput &keys, TileAt tileAt)
    : QWidget(panel)
    , m_keys(keys)
    , m_tileAt(std::move(tileAt))
{
    setObjectName(QStringLiteral("board_keys"));
    setGeometry(kArea);
    // The keyboard comes here by Tab or F6 only: a click on the board must not take it
    // from the chat line, or the next chat line typed would play letters.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    lower();

    auto *toggle = new QShortcut(QKeySequence(Qt::Key_F6), this);
    toggle->setContext(Qt::WindowShortcut);
    connect(toggle, &QShortcut::activated, this, &BoardFocus::toggleFocus);
    connect(&m_keys, &KeyboardInput::cursorChanged, this, &BoardFocus::drawCursor);
}

void BoardFocus::setChatLine(QWidget *chatLine)
{
    if (m_chatLine)
        m_chatLine->removeEventFilter(this);
    m_chatLine = chatLine;
    if (m_chatLine)
        m_chatLine->installEventFilter(this);
}

void BoardFocus::toggleFocus()
{
    if (!hasFocus())
        setFocus(Qt::ShortcutFocusReason);
    else if (m_chatLine)
        m_chatLine->setFocus(Qt::ShortcutFocusReason);
}

bool BoardFocus::event(QEvent *event)
{
    // Tab would otherwise walk the window's tab chain before a key handler sees it.
    if (m_chatLine && isTab(event)) {
        m_chatLine->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QWidget::event(event);
}

bool BoardFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_chatLine && isTab(event)) {
        setFocus(Qt::TabFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void BoardFocus::keyPressEvent(QKeyEvent *event)
{
    // A held key picks or sends once; only the arrows repeat.
    if (event->isAutoRepeat() && !isArrow(event->key())) {
        event->accept();
        return;
    }
    const KeyboardInput::KeyPress press{event->key(), event->modifiers(), event->text(), event->nativeScanCode()};
    if (m_keys.keyPress(press))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void BoardFocus::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    drawCursor();
    update();
}

void BoardFocus::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    drawCursor();
    update();
}

void BoardFocus::drawCursor()
{
    const KeyboardInput::Cursor &cursor = m_keys.cursor();
    BoardTile *tile = hasFocus() ? m_tileAt(cursor.kind, cursor.position) : nullptr;
    if (m_marked && m_marked != tile)
        m_marked->setCursorShown(false);
    m_marked = tile;
    if (tile)
        tile->setCursorShown(true);
}

void BoardFocus::paintEvent(QPaintEvent *)
{
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(64, 214, 255), 2.0, Qt::DashLine));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1.0, 1.0, -1.0, -1.0), 8.0, 8.0);
}
