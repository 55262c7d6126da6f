// The board panel's labels: text labels in the board's font and colours, and pictures
// that let the mouse through. Every label takes its text as plain text, since names,
// scores and words come from the host.
#pragma once

#include <QRect>
#include <QString>
#include <Qt>

class QLabel;
class QPixmap;
class QWidget;

namespace boardlabels {

inline constexpr const char *kTextColour = "#f4e8c8";

QLabel *makeLabel(QWidget *panel, const QString &name, const QString &text, const QRect &geometry, int pixelSize,
                  bool bold, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter,
                  const char *colour = kTextColour);
// Shows `text` whole when it fits the label's width at `pixelSize`, else in the largest
// smaller size (down to 7 pixels) that fits; never wider than the label.
void fitText(QLabel *label, const QString &text, int pixelSize);
// Shows `text` cut with an ellipsis where the label has no room; the whole text in the tip.
void elideText(QLabel *label, const QString &text);
QLabel *makePicture(QWidget *panel, const QString &name, const QPixmap &pixmap, const QPoint &at);

}  // namespace boardlabels
