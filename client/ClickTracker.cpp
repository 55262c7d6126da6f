#include "client/ClickTracker.h"

void ClickTracker::press(Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        m_leftDown = true;
}

bool ClickTracker::release(Qt::MouseButton button, const QPoint &position, const QRect &area)
{
    if (button != Qt::LeftButton)
        return false;
    const bool click = m_leftDown && area.contains(position);
    m_leftDown = false;
    return click;
}
