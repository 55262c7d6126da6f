// The ranges the numbers of the host's messages lie in, and the check every message
// handler of the client makes before it changes anything: a message with a number
// outside its range is ignored whole, with a warning on the handler's logging category.
#pragma once

#include <QLoggingCategory>

#include <initializer_list>

struct FieldRange {
    const char *field;
    int lowest;
    int highest;

    bool contains(int value) const { return value >= lowest && value <= highest; }
};

namespace hostfield {
inline constexpr FieldRange kSeat{"seat", 1, 2};          // a player's seat
inline constexpr FieldRange kSlot{"slot", 1, 9};          // any participant
inline constexpr FieldRange kWordPosition{"word position", 1, 10};
inline constexpr FieldRange kExtraPosition{"extra position", 1, 6};
inline constexpr FieldRange kLetterCode{"letter code", 0, 26};  // 0 = no letter
} // namespace hostfield

struct CheckedField {
    int value;
    FieldRange range;
};

// True when every value lies in its range; otherwise warns on `category` that `command`
// is ignored, naming the first field outside its range.
bool fieldsInRange(const QLoggingCategory &category, const char *command, std::initializer_list<CheckedField> fields);
