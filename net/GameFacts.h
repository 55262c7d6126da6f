// Facts of the game that host, client and messages share: how many slots, seats, cells
// and extras there are, the port, fixed names, the letter codes (1..26 = a..z,
// 0 = no letter) with each letter's points, what a word's length multiplies, and the
// weights of the letter draw.
#pragma once

#include <QChar>
#include <QLatin1StringView>
#include <QtGlobal>

#include <array>
#include <cstddef>

namespace quarn {

inline constexpr int kHighestSlot = 9;  // participants are slots 1..9
inline constexpr int kSeats = 2;  // slots 1 and 2 play; the others watch
inline constexpr int kCells = 10;  // cells of a seat's board, 1..10
inline constexpr int kExtras = 6;  // a seat's private letters, 1..6
inline constexpr int kLetterCodes = 26;  // a..z
constexpr bool isSeat(int slot)
{
    return slot >= 1 && slot <= kSeats;
}

// The steals setting that means "no limit".
inline constexpr int kUnlimitedSteals = 10000;
inline constexpr quint16 kPort = 7772;

// A new game's settings until the player chooses others: the game start dialog's first
// values and the board's captions before any game agree through these.
inline constexpr int kDefaultPlayToScore = 200;
inline constexpr int kDefaultTimePerTurn = 30;
inline constexpr int kDefaultSteals = 5;

// The computer opponent's name, and the label of a seat nobody holds.
inline constexpr QLatin1StringView kComputerName("Vumi");
inline constexpr QLatin1StringView kWaitingLabel("<Waiting>");

// Cells, extras and seats count from 1; this is the 0-based index of `position` in an array of them.
constexpr std::size_t positionIndex(int position)
{
    return static_cast<std::size_t>(position - 1);
}

constexpr bool isLetterCode(int code)
{
    return code >= 1 && code <= kLetterCodes;
}

// The lower-case letter of a code; a space for 0 or anything else that is no letter.
constexpr QChar letterOf(int code)
{
    return isLetterCode(code) ? QChar(u'a' + (code - 1)) : QChar(u' ');
}

// The code of a letter, either case; 0 for anything but a..z and A..Z.
constexpr int codeOf(QChar letter)
{
    const char16_t c = letter.unicode();
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 1;
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 1;
    return 0;
}

// The points a letter adds to a word's sum; 0 for no letter.
constexpr int letterPoints(int code)
{
    constexpr std::array<int, kLetterCodes> kPoints{1, 3, 3, 1,  1, 5, 3, 3, 1, 5, 5,  1, 3,
                                                    1, 1, 3, 10, 1, 1, 1, 1, 7, 5, 10, 3, 10};
    return isLetterCode(code) ? kPoints[static_cast<size_t>(code - 1)] : 0;
}

// What a word's letter sum is multiplied by: 1 up to five letters, then 2 for six up to 6
// for a full board of ten.
constexpr int wordFactor(int letters)
{
    return letters <= 5 ? 1 : letters - 4;
}

// The letter draw starts from one of these faces, drawn uniformly: every letter once, and
// a, e, i and o a second time.
inline constexpr std::array<int, kLetterCodes + 4> kDrawFaces = [] {
    std::array<int, kLetterCodes + 4> faces{};
    for (int code = 1; code <= kLetterCodes; ++code)
        faces[positionIndex(code)] = code;
    int next = kLetterCodes;
    for (const char16_t vowel : {u'a', u'e', u'i', u'o'})
        faces[static_cast<std::size_t>(next++)] = codeOf(QChar(vowel));
    return faces;
}();

// The rare letters j, q, x and z stay only half of the times their face comes up; the other
// half a letter drawn uniformly takes their place.
constexpr bool isHalfKept(int code)
{
    return code == codeOf(QChar(u'j')) || code == codeOf(QChar(u'q')) || code == codeOf(QChar(u'x'))
        || code == codeOf(QChar(u'z'));
}

// The chance that a draw from the faces yields `code`, before the draw makes letters the
// seat already holds less likely; 0 for anything that is no letter.
constexpr double drawChance(int code)
{
    if (!isLetterCode(code))
        return 0.0;
    const double perFace = 1.0 / static_cast<double>(kDrawFaces.size());
    double chance = 0.0;
    double replaced = 0.0;
    for (const int face : kDrawFaces) {
        const double kept = isHalfKept(face) ? perFace / 2.0 : perFace;
        chance += face == code ? kept : 0.0;
        replaced += perFace - kept;
    }
    return chance + replaced / kLetterCodes;
}

}  // namespace quarn
