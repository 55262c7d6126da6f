// Keyboard input: which tile a key names, and the click it stands for; see KeyboardInput.h.
#include "client/model/KeyboardInput.h"

#include "client/model/ClientGame.h"
#include "client/model/TileInput.h"
#include "net/GameFacts.h"

#include <QList>

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

// What the digit row gives with Shift on a US keyboard, from 1 to 0. Other layouts are
// recognised by the scan code instead, where the platform reports it.
constexpr QLatin1StringView kShiftedDigits("!@#$%^&*()");

// The digit key's cell: 1..9 are cells 1..9, 0 is cell 10.
int cellOfDigit(QChar digit)
{
    const int value = digit.digitValue();
    return value == 0 ? quarn::kCells : value;
}

// The character a key stands for: its text when it has one, else the key code when that
// is a printable ASCII character (Qt's codes for those are the characters themselves).
QChar symbolOf(const KeyboardInput::KeyPress &press)
{
    if (press.text.size() == 1 && press.text.at(0).isPrint())
        return press.text.at(0);
    if (press.key > 0x20 && press.key < 0x7f)
        return QChar(press.key);
    return QChar();
}

int cellsIn(TileKind kind)
{
    return kind == TileKind::Extra ? quarn::kExtras : quarn::kCells;
}

// Rows from top to bottom as the board shows them.
constexpr std::array<TileKind, 3> kRowsDown{TileKind::Opponent, TileKind::Own, TileKind::Extra};

}  // namespace

KeyboardInput::KeyboardInput(ClientGame &game, TileInput &input, QObject *parent)
    : QObject(parent)
    , m_game(game)
    , m_input(input)
{
}

int KeyboardInput::digitRowCell(quint32 nativeScanCode)
{
#if defined(Q_OS_WIN)
    // Set 1 scan codes: 0x02 is the key of 1, 0x0B that of 0.
    constexpr quint32 first = 0x02;
#elif defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // X11 and Wayland report XKB key codes: 10 is the key of 1, 19 that of 0.
    constexpr quint32 first = 10;
#else
    constexpr quint32 first = 0;
#endif
    if (first == 0 || nativeScanCode < first || nativeScanCode >= first + quarn::kCells)
        return 0;
    return static_cast<int>(nativeScanCode - first) + 1;
}

bool KeyboardInput::keyPress(const KeyPress &press)
{
    // Keys with Ctrl, Alt or Meta belong to the menus.
    if (press.modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const bool shift = press.modifiers.testFlag(Qt::ShiftModifier);
    switch (press.key) {
    case Qt::Key_Escape: m_game.resettiles(); return true;
    case Qt::Key_Delete: discardPick(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: actAtCursor(); return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: step(press.key); return true;
    default: break;
    }
    if (const int cell = digitRowCell(press.nativeScanCode)) {
        pressCell(cell, shift);
        return true;
    }
    const QChar symbol = symbolOf(press);
    if (symbol.isNull())
        return false;
    if (symbol >= QLatin1Char('0') && symbol <= QLatin1Char('9')) {
        pressCell(cellOfDigit(symbol), shift);
        return true;
    }
    if (const qsizetype shifted = kShiftedDigits.indexOf(symbol); shifted >= 0) {
        pressCell(static_cast<int>(shifted) + 1, true);
        return true;
    }
    if (const int code = quarn::codeOf(symbol)) {
        pressLetter(code);
        return true;
    }
    return false;
}

void KeyboardInput::moveCursor(TileKind kind, int position)
{
    const Cursor moved{kind, std::clamp(position, 1, cellsIn(kind))};
    if (moved == m_cursor)
        return;
    m_cursor = moved;
    Q_EMIT cursorChanged();
}

void KeyboardInput::step(int key)
{
    const int position = m_cursor.position;
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        moveCursor(m_cursor.kind, position + (key == Qt::Key_Right ? 1 : -1));
        return;
    }
    const auto row = std::find(kRowsDown.begin(), kRowsDown.end(), m_cursor.kind) - kRowsDown.begin();
    const auto next = std::clamp<std::ptrdiff_t>(row + (key == Qt::Key_Down ? 1 : -1), 0,
                                                 static_cast<std::ptrdiff_t>(kRowsDown.size()) - 1);
    const TileKind kind = kRowsDown[static_cast<std::size_t>(next)];
    if (kind == m_cursor.kind)
        return;
    // The extras lie under cells 3 to 8.
    if (kind == TileKind::Extra)
        moveCursor(kind, position - 2);
    else if (m_cursor.kind == TileKind::Extra)
        moveCursor(kind, position + 2);
    else
        moveCursor(kind, position);
}

void KeyboardInput::pressCell(int position, bool opponent)
{
    moveCursor(opponent ? TileKind::Opponent : TileKind::Own, position);
    if (opponent)
        m_input.pickOpponentCell(position);
    else
        m_input.pressOwnCell(position, Qt::LeftButton);
}

void KeyboardInput::pressLetter(int code)
{
    QList<int> holding;
    for (int e = 1; e <= quarn::kExtras; ++e) {
        if (m_game.extra(e) == code)
            holding.append(e);
    }
    if (holding.isEmpty())
        return;
    // With one of the letter's extras picked, the key moves on to the next one holding
    // it; a letter held once is put back, as a second click on it would.
    int target = holding.first();
    if (const qsizetype picked = holding.indexOf(m_game.selection().pickedExtra); picked >= 0)
        target = holding.at((picked + 1) % holding.size());
    moveCursor(TileKind::Extra, target);
    m_input.pressExtra(target, Qt::LeftButton);
}

void KeyboardInput::discardPick()
{
    // Only what was picked on purpose is discarded: a discard ends the turn.
    const TileSelection &selection = m_game.selection();
    if (selection.pickedExtra != 0)
        m_input.pressExtra(selection.pickedExtra, Qt::RightButton);
    else if (selection.pickedOwn != 0)
        m_input.pressOwnCell(selection.pickedOwn, Qt::RightButton);
}

void KeyboardInput::actAtCursor()
{
    switch (m_cursor.kind) {
    case TileKind::Extra: m_input.pressExtra(m_cursor.position, Qt::LeftButton); break;
    case TileKind::Own: m_input.pressOwnCell(m_cursor.position, Qt::LeftButton); break;
    case TileKind::Opponent: m_input.pickOpponentCell(m_cursor.position); break;
    }
}
