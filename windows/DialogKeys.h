// The keys of a dialog for our plain windows: Escape presses the window's Close or Done
// button, and Enter presses the focused button, else the default one. Shortcuts of the
// (top-level) window, so they work wherever the focus is inside it, and without any.
#pragma once

class QAbstractButton;
class QPushButton;
class QWidget;

namespace dialogkeys {

// `close` takes Escape; `defaultButton` takes Enter when no other button has the focus
// (null: Enter is left alone).
void install(QWidget *window, QAbstractButton *close, QPushButton *defaultButton);

}  // namespace dialogkeys
