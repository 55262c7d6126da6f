// Colour naming both ways; see ColourNames.h.
#include "client/ColourNames.h"

#include <QGuiApplication>

#include <array>

namespace ColourNames {
namespace {

struct NamedValue {
    const char *name;
    quint32 value;
};

// Plain colours, in the order a value is looked up when it is named.
constexpr std::array<NamedValue, 16> kPlainNames{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
}};

struct Role {
    const char *name;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The desktop colour roles 0x80000000 + index, each drawn with the nearest palette entry.
constexpr std::array<Role, kRoleCount> kRoles{{
    {"clScrollBar", QPalette::Active, QPalette::Button},
    {"clBackground", QPalette::Active, QPalette::Dark},
    {"clActiveCaption", QPalette::Active, QPalette::Highlight},
    {"clInactiveCaption", QPalette::Inactive, QPalette::Mid},
    {"clMenu", QPalette::Active, QPalette::Window},
    {"clWindow", QPalette::Active, QPalette::Base},
    {"clWindowFrame", QPalette::Active, QPalette::Shadow},
    {"clMenuText", QPalette::Active, QPalette::WindowText},
    {"clWindowText", QPalette::Active, QPalette::Text},
    {"clCaptionText", QPalette::Active, QPalette::HighlightedText},
    {"clActiveBorder", QPalette::Active, QPalette::Window},
    {"clInactiveBorder", QPalette::Inactive, QPalette::Window},
    {"clAppWorkSpace", QPalette::Active, QPalette::Dark},
    {"clHighlight", QPalette::Active, QPalette::Highlight},
    {"clHighlightText", QPalette::Active, QPalette::HighlightedText},
    {"clBtnFace", QPalette::Active, QPalette::Button},
    {"clBtnShadow", QPalette::Active, QPalette::Dark},
    {"clGrayText", QPalette::Disabled, QPalette::Text},
    {"clBtnText", QPalette::Active, QPalette::ButtonText},
    {"clInactiveCaptionText", QPalette::Inactive, QPalette::WindowText},
    {"clBtnHighlight", QPalette::Active, QPalette::Light},
    {"cl3DDkShadow", QPalette::Active, QPalette::Shadow},
    {"cl3DLight", QPalette::Active, QPalette::Midlight},
    {"clInfoText", QPalette::Active, QPalette::ToolTipText},
    {"clInfoBk", QPalette::Active, QPalette::ToolTipBase},
}};

constexpr char kNoneName[] = "clNone";

bool isRole(quint32 value)
{
    return value >= kRoleBase && value < kRoleBase + kRoleCount;
}

bool isReadable(quint32 value)
{
    return value <= 0xFFFFFFu || isRole(value) || value == kNone;
}

std::optional<quint32> valueFromIdentifier(const QString &name)
{
    for (const NamedValue &entry : kPlainNames) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    for (quint32 index = 0; index < kRoleCount; ++index) {
        if (name.compare(QLatin1String(kRoles[index].name), Qt::CaseInsensitive) == 0)
            return kRoleBase + index;
    }
    if (name.compare(QLatin1String(kNoneName), Qt::CaseInsensitive) == 0)
        return kNone;
    return std::nullopt;
}

bool allDigits(QStringView text, int base)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        const bool ok =
            base == 16 ? (c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f')) : (c >= u'0' && c <= u'9');
        if (!ok)
            return false;
    }
    return true;
}

// "$" + hexadecimal, or an optionally signed decimal, within 32 bits.
std::optional<quint32> valueFromNumber(const QString &name)
{
    if (name.startsWith(u'$')) {
        const QStringView digits = QStringView(name).mid(1);
        if (!allDigits(digits, 16))
            return std::nullopt;
        bool ok = false;
        const qulonglong value = digits.toULongLong(&ok, 16);
        if (!ok || value > 0xFFFFFFFFull)
            return std::nullopt;
        return static_cast<quint32>(value);
    }
    QStringView digits(name);
    const bool negative = digits.startsWith(u'-');
    if (negative || digits.startsWith(u'+'))
        digits = digits.mid(1);
    if (!allDigits(digits, 10))
        return std::nullopt;
    bool ok = false;
    const qlonglong magnitude = digits.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    const qlonglong value = negative ? -magnitude : magnitude;
    if (value < -2147483648LL || value > 2147483647LL)
        return std::nullopt;
    return static_cast<quint32>(static_cast<qint32>(value));
}

}  // namespace

std::optional<quint32> valueFromName(const QString &name)
{
    std::optional<quint32> value = valueFromIdentifier(name);
    if (!value)
        value = valueFromNumber(name);
    if (!value || !isReadable(*value))
        return std::nullopt;
    return value;
}

QString nameFromValue(quint32 value)
{
    for (const NamedValue &entry : kPlainNames) {
        if (entry.value == value)
            return QLatin1String(entry.name);
    }
    if (isRole(value))
        return QLatin1String(kRoles[value - kRoleBase].name);
    if (value == kNone)
        return QLatin1String(kNoneName);
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<QColor> colourFromValue(quint32 value, const QPalette &palette)
{
    if (value <= 0xFFFFFFu)
        return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
    if (isRole(value)) {
        const Role &role = kRoles[value - kRoleBase];
        return palette.color(role.group, role.role);
    }
    if (value == kNone)
        return palette.color(QPalette::Active, QPalette::Text);
    return std::nullopt;
}

std::optional<quint32> valueFromColour(const QColor &colour)
{
    if (!colour.isValid())
        return std::nullopt;
    const QRgb rgb = colour.rgb();
    return quint32(qRed(rgb)) | (quint32(qGreen(rgb)) << 8) | (quint32(qBlue(rgb)) << 16);
}

std::optional<QColor> colourFromName(const QString &name, const QPalette &palette)
{
    const std::optional<quint32> value = valueFromName(name);
    if (!value)
        return std::nullopt;
    return colourFromValue(*value, palette);
}

std::optional<QColor> colourFromName(const QString &name)
{
    return colourFromName(name, QGuiApplication::palette());
}

std::optional<QString> nameFromColour(const QColor &colour)
{
    const std::optional<quint32> value = valueFromColour(colour);
    if (!value)
        return std::nullopt;
    return nameFromValue(*value);
}

}  // namespace ColourNames
