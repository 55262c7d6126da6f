// The rest of a host message as the connection hands it to a game handler, composed by
// the catalogue, for the recorder's and the replay's tests.
#pragma once

#include "net/Catalogue.h"
#include "net/Message.h"

#include <QByteArray>
#include <QString>

inline QString rest(QByteArray message)
{
    if (message.endsWith(net::kTerminator))
        message.chop(1);
    const auto split = net::splitMessage(message);
    return split ? split->rest : QString();
}
