// What makes a click on a widget: the left button pressed over it and released over it.
// Widgets that report clicks (the board's tiles, the clickable labels) feed it their
// mouse presses and releases.
#pragma once

#include <QPoint>
#include <QRect>
#include <Qt>

class ClickTracker {
public:
    void press(Qt::MouseButton button);
    // True when releasing `button` at `position` (the widget's own coordinates) ends a
    // click that began over the widget whose rectangle is `area`.
    bool release(Qt::MouseButton button, const QPoint &position, const QRect &area);

private:
    bool m_leftDown = false;
};
