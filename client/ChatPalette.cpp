// The chat's palettes; see ChatPalette.h.
#include "client/ChatPalette.h"

#include "client/Contrast.h"

namespace {

const QColor kBackground(198, 148, 115);
const QColor kLink(0, 128, 0);
// The same tan, far lighter: dark colours of every hue read on it.
const QColor kLightBackground(252, 244, 236);

}  // namespace

ChatPalette ChatPalette::standard()
{
    return ChatPalette{kBackground, kLink, QColor(), QColor(), false};
}

ChatPalette ChatPalette::highContrast()
{
    return ChatPalette{kLightBackground, contrast::readableOn(kLink, kLightBackground), QColor(20, 60, 110),
                       QColor(Qt::white), true};
}

QColor ChatPalette::text(const QColor &colour) const
{
    return readable ? contrast::readableOn(colour, background) : colour;
}

QString ChatPalette::warningFor(const QColor &colour) const
{
    const double ratio = contrast::ratio(colour, background);
    if (ratio >= contrast::kReadable)
        return QString();
    QString warning = QStringLiteral("Hard to read: this colour has a contrast of %1:1 on the chat's background; "
                                     "4.5:1 or more reads well.")
                          .arg(ratio, 0, 'f', 1);
    if (readable)
        warning += QStringLiteral(" High Contrast Chat shows it darker.");
    return warning;
}
