// A participant's name as the host keeps and repeats it: shown on one line, in its own
// reading order, and short. Used for login names and for the name in a game start.
#pragma once

#include <QString>

class ParticipantName {
public:
    static constexpr int kMaxLength = 32;

    // Control characters and line or paragraph separators become spaces, bidirectional
    // formatting characters and lone surrogate halves are removed, and the result is cut
    // to kMaxLength characters (a surrogate pair counts as one and is never split).
    static QString clean(const QString &name);
};
