// Colour naming both ways: identifiers, roles, "$" hex and decimal values, failures.
#include "client/ColourNames.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

struct NameRow {
    const char *name;
    std::optional<quint32> value;
};

void PrintTo(const NameRow &row, std::ostream *os)
{
    *os << '"' << row.name << '"';
}

class NameToValue : public ::testing::TestWithParam<NameRow> { };

// Identifiers match without regard to case; "$" hex and decimal numbers give the value;
// anything that is not a plain colour, a desktop role or clNone does not read.
TEST_P(NameToValue, ReadsTheValueOrNothing)
{
    const NameRow &row = GetParam();
    EXPECT_EQ(ColourNames::valueFromName(QString::fromUtf8(row.name)), row.value);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NameToValue,
    ::testing::Values(NameRow{"clBlack", 0x000000u}, NameRow{"CLRED", 0x0000FFu}, NameRow{"clmaroon", 0x000080u},
                      NameRow{"clBlue", 0xFF0000u}, NameRow{"clSilver", 0xC0C0C0u}, NameRow{"clAqua", 0xFFFF00u},
                      NameRow{"clScrollBar", 0x80000000u}, NameRow{"clbtnface", 0x8000000Fu},
                      NameRow{"clInfoBk", 0x80000018u}, NameRow{"cl3DDkShadow", 0x80000015u},
                      NameRow{"clNone", 0x1FFFFFFFu}, NameRow{"$00336699", 0x336699u}, NameRow{"$ff", 0xFFu},
                      NameRow{"$80000005", 0x80000005u}, NameRow{"255", 0xFFu}, NameRow{"16711680", 0xFF0000u},
                      NameRow{"-2147483643", 0x80000005u}, NameRow{"", std::nullopt}, NameRow{"clPink", std::nullopt},
                      NameRow{"$", std::nullopt}, NameRow{"$GG", std::nullopt}, NameRow{"12a", std::nullopt},
                      NameRow{"$100000000", std::nullopt}, NameRow{"$01000000", std::nullopt},
                      NameRow{"$80000019", std::nullopt}, NameRow{"99999999999", std::nullopt},
                      NameRow{"-1", std::nullopt}, NameRow{"clBlack ", std::nullopt},
                      NameRow{"clBlack|clRed", std::nullopt}));

struct ValueRow {
    quint32 value;
    const char *name;
};

void PrintTo(const ValueRow &row, std::ostream *os)
{
    *os << row.name;
}

class ValueToName : public ::testing::TestWithParam<ValueRow> { };

// A value equal to an identifier's takes that identifier, else "$" and eight upper-case digits.
TEST_P(ValueToName, NamesTheValue)
{
    const ValueRow &row = GetParam();
    EXPECT_EQ(ColourNames::nameFromValue(row.value), QString::fromLatin1(row.name));
    EXPECT_EQ(ColourNames::valueFromName(QString::fromLatin1(row.name)), row.value);
}

INSTANTIATE_TEST_SUITE_P(Rows, ValueToName,
                         ::testing::Values(ValueRow{0x000000u, "clBlack"}, ValueRow{0x0000FFu, "clRed"},
                                           ValueRow{0x808080u, "clGray"}, ValueRow{0xFFFFFFu, "clWhite"},
                                           ValueRow{0x8000000Fu, "clBtnFace"}, ValueRow{0x80000018u, "clInfoBk"},
                                           ValueRow{0x1FFFFFFFu, "clNone"}, ValueRow{0x336699u, "$00336699"},
                                           ValueRow{0xABCDEFu, "$00ABCDEF"}, ValueRow{0x000001u, "$00000001"}));

// Red sits in the low byte of the value: RGB(0x99, 0x66, 0x33) is "$00336699".
TEST(ColourNames, ColourAndNameRoundTripWithRedInTheLowByte)
{
    EXPECT_EQ(ColourNames::nameFromColour(QColor(0x99, 0x66, 0x33)), QStringLiteral("$00336699"));
    EXPECT_EQ(ColourNames::nameFromColour(QColor(255, 0, 0)), QStringLiteral("clRed"));
    EXPECT_EQ(ColourNames::nameFromColour(QColor(0, 0, 128)), QStringLiteral("clNavy"));
    EXPECT_EQ(ColourNames::colourFromName(QStringLiteral("$00336699")), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(ColourNames::colourFromName(QStringLiteral("clNavy")), QColor(0, 0, 128));
    for (const QColor colour : {QColor(27, 98, 131), QColor(1, 2, 3), QColor(254, 0, 255)})
        EXPECT_EQ(ColourNames::colourFromName(*ColourNames::nameFromColour(colour)), colour);
}

TEST(ColourNames, AnInvalidColourHasNoName)
{
    EXPECT_FALSE(ColourNames::nameFromColour(QColor()).has_value());
    EXPECT_FALSE(ColourNames::colourFromName(QStringLiteral("nonsense")).has_value());
}

// Desktop roles are drawn with the palette; clNone with the palette's text colour.
TEST(ColourNames, RolesAreDrawnWithThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Active, QPalette::ToolTipBase, QColor(40, 50, 60));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(70, 80, 90));
    EXPECT_EQ(ColourNames::colourFromName(QStringLiteral("clBtnFace"), palette), QColor(10, 20, 30));
    EXPECT_EQ(ColourNames::colourFromName(QStringLiteral("clInfoBk"), palette), QColor(40, 50, 60));
    EXPECT_EQ(ColourNames::colourFromName(QStringLiteral("clNone"), palette), QColor(70, 80, 90));
}

}  // namespace
