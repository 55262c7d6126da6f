// Tile input: the selection rules and the requests they complete.
#include "client/model/TileInput.h"

#include "client/model/ClientGame.h"
#include "client/model/GameServices.h"
#include "net/Catalogue.h"

namespace {

bool inRange(int position, int highest)
{
    return position >= 1 && position <= highest;
}

}  // namespace

TileInput::TileInput(ClientGame &game, RequestSender &sender)
    : m_game(game)
    , m_sender(sender)
{
}

bool TileInput::inputAccepted() const
{
    return m_game.whoseTurn() == m_game.ownSlot() && m_game.ownSlot() != 0 && !m_game.justWatchChecked();
}

void TileInput::send(const QByteArray &request)
{
    if (m_game.loggedIn())
        m_sender.sendRequest(request);
}

void TileInput::pressExtra(int extra, Qt::MouseButton button)
{
    if (!inRange(extra, quarn::kExtras) || !inputAccepted())
        return;
    if (button == Qt::LeftButton) {
        TileSelection selection = m_game.selection();
        if (selection.raised(TileKind::Extra, extra)) {
            // A second click puts the extra back.
            selection.setRaised(TileKind::Extra, extra, false);
            selection.pickedExtra = 0;
        } else {
            selection = TileSelection();
            selection.pickedExtra = extra;
            selection.setRaised(TileKind::Extra, extra, true);
        }
        m_game.setSelection(selection);
    } else if (button == Qt::RightButton) {
        send(net::toHost::discardextra(m_game.ownSlot(), extra));
    }
}

void TileInput::pressOwnCell(int position, Qt::MouseButton button)
{
    if (!inRange(position, quarn::kCells) || !inputAccepted())
        return;
    const int own = m_game.ownSlot();
    if (button == Qt::RightButton) {
        send(net::toHost::discardletter(own, position));
        return;
    }
    if (button != Qt::LeftButton)
        return;
    TileSelection selection = m_game.selection();
    if (selection.pickedExtra != 0) {
        send(net::toHost::placemyletter(own, selection.pickedExtra, position));
        selection.setRaised(TileKind::Extra, selection.pickedExtra, false);
        selection.pickedExtra = 0;
    } else if (selection.pickedOwn != 0) {
        // Both cells of the swap stay raised until the host's answer redraws the row.
        send(net::toHost::tradingmyletter(own, selection.pickedOwn, position));
        selection.pickedOwn = 0;
        selection.setRaised(TileKind::Own, position, true);
    } else if (selection.pickedOpponent != 0) {
        // The stolen cell stays raised until the host answers.
        send(net::toHost::stealinghisletter(own, selection.pickedOpponent, position));
        selection.pickedOpponent = 0;
    } else {
        selection.pickedOwn = position;
        selection.setRaised(TileKind::Own, position, true);
    }
    m_game.setSelection(selection);
}

void TileInput::pickOpponentCell(int position)
{
    if (!inRange(position, quarn::kCells) || !inputAccepted())
        return;
    TileSelection selection = m_game.selection();
    if (selection.pickedOpponent == position) {
        selection.setRaised(TileKind::Opponent, position, false);
        selection.pickedOpponent = 0;
    } else {
        selection = TileSelection();
        selection.setRaised(TileKind::Opponent, position, true);
        selection.pickedOpponent = position;
    }
    m_game.setSelection(selection);
}
