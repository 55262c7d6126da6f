// The colours the chat view draws with. The standard palette is the chat's own: its
// background, its green links and every line in the colour it came with, whatever the
// contrast. The high-contrast palette lightens the background and darkens any line or
// link colour that would read below WCAG AA (4.5:1) on it, keeping its hue; the desktop's
// selection colours are replaced by a pair that reads too.
#pragma once

#include <QColor>
#include <QString>

struct ChatPalette {
    static ChatPalette standard();
    static ChatPalette highContrast();

    // The colour a line that came in `colour` is drawn in.
    QColor text(const QColor &colour) const;
    // Empty when `colour` reads at AA on the background; otherwise a warning for the
    // colour chooser, with the ratio.
    QString warningFor(const QColor &colour) const;

    QColor background;
    QColor link;
    // Invalid in the standard palette: the desktop's highlight colours then apply.
    QColor selection;
    QColor selectedText;
    bool readable = false;  // every text colour is mapped to meet AA

    bool operator==(const ChatPalette &) const = default;
};
