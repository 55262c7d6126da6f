// The text form of colours used in chat messages and the settings file, both ways.
//
// A colour is carried as a 32-bit value: 0x00BBGGRR for a plain colour (red in the low
// byte), 0x80000000 + n for the n-th desktop colour role, 0x1FFFFFFF for "clNone". Its
// name is one of sixteen identifiers ("clBlack", "clMaroon", ...) when the value equals
// one of them, the role's identifier for a role value, else "$" and eight upper-case
// hexadecimal digits of the value.
//
// This desktop has no such colour roles of its own, so each role is drawn with the
// nearest entry of the application palette (for example "clBtnFace" is the palette's
// Button colour, "clWindow" its Base colour, "clInfoBk" its ToolTipBase colour); see
// the table in ColourNames.cpp. "clNone" is drawn in the palette's Text colour, since a
// line "without a colour" should still be readable.
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

#include <optional>

namespace ColourNames {

inline constexpr quint32 kRoleBase = 0x80000000u;
inline constexpr quint32 kRoleCount = 25;  // 0x80000000 .. 0x80000018
inline constexpr quint32 kNone = 0x1FFFFFFFu;

// The value of a name: an identifier (matched without regard to case), "$" and up to
// eight hexadecimal digits, or a decimal number within 32 bits (negative numbers are
// taken as their two's complement, so "-2147483643" is a role value). Values that are
// neither a plain colour, a role nor clNone do not read. Empty on failure.
std::optional<quint32> valueFromName(const QString &name);

// The name of a value: its identifier when it has one, else "$" + eight hex digits.
QString nameFromValue(quint32 value);

// What a value looks like on this desktop. Empty for a value that does not read.
std::optional<QColor> colourFromValue(quint32 value, const QPalette &palette);

// The plain value 0x00BBGGRR of a colour (alpha ignored); empty for an invalid colour.
std::optional<quint32> valueFromColour(const QColor &colour);

// Name -> colour, drawing roles with `palette`. Empty when the name does not read.
std::optional<QColor> colourFromName(const QString &name, const QPalette &palette);
// Same, with the application's palette.
std::optional<QColor> colourFromName(const QString &name);

// Colour -> name ("clRed", "$00336699"); empty for an invalid colour.
std::optional<QString> nameFromColour(const QColor &colour);

}  // namespace ColourNames
