// Tile input: the selection rules and the requests they complete.
#include "client/TileInput.h"

#include "client/BoardHalf.h"
#include "client/BoardTile.h"
#include "client/ClientContext.h"
#include "net/Catalogue.h"

TileInput::TileInput(BoardHalf &board, RequestSender &sender, QObject *parent)
    : QObject(parent)
    , m_board(board)
    , m_sender(sender)
{
    for (int e = 1; e <= 6; ++e) {
        BoardTile *tile = m_board.extra(e);
        connect(tile, &BoardTile::mousePressed, this,
                [this, tile](Qt::MouseButton button) { extra1MouseDown(tile, button); });
    }
    for (int p = 1; p <= 10; ++p) {
        BoardTile *mine = m_board.myletter(p);
        connect(mine, &BoardTile::mousePressed, this,
                [this, mine](Qt::MouseButton button) { myletter1MouseDown(mine, button); });
        BoardTile *his = m_board.hisletter(p);
        connect(his, &BoardTile::clicked, this, [this, his] { hisletter1Click(his); });
    }
}

bool TileInput::inputAccepted() const
{
    const ClientContext &context = m_board.context();
    return context.turnslot == context.ownSlot && context.ownSlot != 0 && !context.justWatchChecked;
}

void TileInput::send(const QByteArray &request)
{
    if (m_board.context().loggedIn)
        m_sender.sendRequest(request);
}

void TileInput::extra1MouseDown(BoardTile *tile, Qt::MouseButton button)
{
    if (!tile || !inputAccepted())
        return;
    const int e = tile->tag();
    if (button == Qt::LeftButton) {
        if (tile->y() != BoardHalf::kExtraTop) {
            tile->move(tile->x(), BoardHalf::kExtraTop);
            m_board.selection().pickedextra = 0;
            return;
        }
        m_board.resettiles();
        m_board.selection().pickedextra = e;
        tile->move(tile->x(), BoardHalf::kExtraSelectedTop);
    } else if (button == Qt::RightButton) {
        send(net::toHost::discardextra(m_board.context().ownSlot, e));
    }
}

void TileInput::myletter1MouseDown(BoardTile *tile, Qt::MouseButton button)
{
    if (!tile || !inputAccepted())
        return;
    const int p = tile->tag();
    const int own = m_board.context().ownSlot;
    BoardSelection &picked = m_board.selection();
    if (button == Qt::RightButton) {
        send(net::toHost::discardletter(own, p));
        return;
    }
    if (button != Qt::LeftButton)
        return;
    if (picked.pickedextra != 0) {
        send(net::toHost::placemyletter(own, picked.pickedextra, p));
        if (BoardTile *selected = m_board.extra(picked.pickedextra))
            selected->move(selected->x(), BoardHalf::kExtraTop);
        picked.pickedextra = 0;
    } else if (picked.pickedmine != 0) {
        send(net::toHost::tradingmyletter(own, picked.pickedmine, p));
        picked.pickedmine = 0;
        tile->move(tile->x(), BoardHalf::kMySelectedTop);
    } else if (picked.pickedhis != 0) {
        send(net::toHost::stealinghisletter(own, picked.pickedhis, p));
        picked.pickedhis = 0;
    } else {
        picked.pickedmine = p;
        tile->move(tile->x(), BoardHalf::kMySelectedTop);
    }
}

void TileInput::hisletter1Click(BoardTile *tile)
{
    if (!tile || !inputAccepted())
        return;
    const int q = tile->tag();
    BoardSelection &picked = m_board.selection();
    if (picked.pickedhis == q) {
        tile->move(tile->x(), BoardHalf::kHisTop);
        picked.pickedhis = 0;
        return;
    }
    m_board.resettiles();
    tile->move(tile->x(), BoardHalf::kHisSelectedTop);
    picked.pickedhis = q;
}
