// The per-seat controls of the board (name label, just-watching marker and the seat
// swap) as the connection half sees them. The board half owns the widgets; the main
// window hands them over through this interface so the connection half stays testable.
#pragma once

#include <QString>

class SeatControls {
public:
    virtual ~SeatControls() = default;
    // Text of seat `seat`'s name label ("<Waiting>" until somebody logs in).
    virtual QString seatName(int seat) const = 0;
    // Puts `name` into seat `seat`'s name label and shows that label and its score label.
    virtual void setSeatName(int seat, const QString &name) = 0;
    virtual void setEyesVisible(int seat, bool visible) = 0;
    // A player in seat 2 sees its own seat at the bottom: the two control sets swap names.
    virtual void switchlabels() = 0;
};
