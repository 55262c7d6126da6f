// Contrast ratios; see Contrast.h.
#include "client/Contrast.h"

#include <cmath>
#include <optional>
#include <utility>

namespace contrast {

namespace {

double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.red()) + 0.7152 * channel(rgb.green()) + 0.0722 * channel(rgb.blue());
}

QColor mixed(const QColor &from, const QColor &to, double share)
{
    const auto mix = [share](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * share)); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}

// The least mix of `text` towards `end` that is readable, or nothing when even `end` is
// not. Ratios grow steadily along the mix, so halving the interval finds it.
std::optional<QColor> firstReadable(const QColor &text, const QColor &end, const QColor &background, double minimum)
{
    if (ratio(end, background) < minimum)
        return std::nullopt;
    double low = 0.0;
    double high = 1.0;
    for (int step = 0; step < 12; ++step) {
        const double middle = (low + high) / 2;
        (ratio(mixed(text, end, middle), background) >= minimum ? high : low) = middle;
    }
    return mixed(text, end, high);
}

}  // namespace

double ratio(const QColor &a, const QColor &b)
{
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

QColor readableOn(const QColor &text, const QColor &background, double minimum)
{
    const QColor rgb = text.toRgb();
    if (ratio(rgb, background) >= minimum)
        return rgb;
    if (const std::optional<QColor> darker = firstReadable(rgb, Qt::black, background, minimum))
        return *darker;
    if (const std::optional<QColor> lighter = firstReadable(rgb, Qt::white, background, minimum))
        return *lighter;
    // No colour reaches the minimum on this background: the most readable end.
    return ratio(Qt::black, background) >= ratio(Qt::white, background) ? QColor(Qt::black) : QColor(Qt::white);
}

QPalette withReadableGreyedText(QPalette palette)
{
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {{QPalette::WindowText, QPalette::Window},
                                                                         {QPalette::Text, QPalette::Base},
                                                                         {QPalette::ButtonText, QPalette::Button},
                                                                         {QPalette::PlaceholderText, QPalette::Base}};
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const auto &[text, background] : pairs) {
            if (group != QPalette::Disabled && text != QPalette::PlaceholderText)
                continue;
            palette.setColor(group, text, readableOn(palette.color(group, text), palette.color(group, background)));
        }
    }
    return palette;
}

}  // namespace contrast
