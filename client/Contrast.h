// How readable one colour is on another, by the WCAG 2 definition: the ratio of the two
// relative luminances, each plus 0.05, the lighter over the darker (1 to 21). Text meets
// level AA at 4.5 and more.
#pragma once

#include <QColor>
#include <QPalette>

namespace contrast {

inline constexpr double kReadable = 4.5;

// The ratio of `a` and `b`; alpha is ignored.
double ratio(const QColor &a, const QColor &b);

// `text` itself when it is readable on `background`; otherwise the nearest colour of its
// hue, darkened towards black or lightened towards white, whichever side reaches
// `minimum` (the darker one when both do).
QColor readableOn(const QColor &text, const QColor &background, double minimum = kReadable);

// `palette` with its greyed texts (disabled text, window text and button text, and the
// placeholder text) made readable on the background each is drawn on; they stay as grey
// as AA allows.
QPalette withReadableGreyedText(QPalette palette);

}  // namespace contrast
