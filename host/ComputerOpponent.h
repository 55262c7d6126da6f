// What the rules ask of a computer opponent: one whole move for a seat it plays. The
// assembler hands the rules one; the rules never build it.
#pragma once

class ComputerOpponent {
public:
    virtual ~ComputerOpponent() = default;
    // Makes one complete move for `seat`, ending its turn.
    virtual void computerplay(int seat) = 0;
};
