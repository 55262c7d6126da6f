// The catalogue's own tools, shared by its requests and its host messages: the composer
// that writes a message field by field, the decoder that reads a rest back, and the
// ranges the decoded numbers must lie in. Not for use outside net/Catalogue*.cpp.
#pragma once

#include "net/Catalogue.h"
#include "net/GameFacts.h"
#include "net/Message.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <climits>
#include <optional>
#include <utility>

namespace net::catalogue {

// Builds "CMD_x+f1+f2..." field by field; end() adds the terminator.
class Composer {
public:
    explicit Composer(const char *command)
        : m_bytes(command)
    {
    }
    Composer &num(int value)
    {
        m_bytes += '+';
        m_bytes += QByteArray::number(value);
        return *this;
    }
    Composer &text(const QString &value)
    {
        m_bytes += '+';
        m_bytes += encodeText(value);
        return *this;
    }
    // Ends the message with a "+" before the terminator.
    QByteArray endPlus() { return m_bytes + '+' + kTerminator; }
    // Ends the message without a trailing "+".
    QByteArray end() { return m_bytes + kTerminator; }

private:
    QByteArray m_bytes;
};

struct Range {
    int lowest;
    int highest;
};

inline constexpr Range kSlot{1, quarn::kHighestSlot};
inline constexpr Range kSpeaker{0, quarn::kHighestSlot};  // 0 = the host itself
inline constexpr Range kSeat{1, quarn::kSeats};
inline constexpr Range kCell{1, quarn::kCells};
inline constexpr Range kExtra{1, quarn::kExtras};
inline constexpr Range kLetter{1, quarn::kLetterCodes};
inline constexpr Range kLetterOrEmpty{0, quarn::kLetterCodes};
inline constexpr Range kAnyInt{INT_MIN, INT_MAX};

// Reads the fields of one rest from the front. A field is the text up to the next "+" or
// up to the end; once the end has been taken, every further field is missing. The first
// missing or bad field spoils the whole reading, and result() then gives nothing.
class FieldDecoder {
public:
    explicit FieldDecoder(const QString &rest);

    QString text();
    int number(Range range);
    // Everything not taken yet, "+" included; may be empty.
    QString rest();
    // A list runs to the end of the rest (a trailing "+" ends it too).
    bool listGoesOn() const { return m_good && m_next < m_rest.size(); }

    template <typename T> std::optional<T> result(T value) const
    {
        return m_good ? std::optional<T>(std::move(value)) : std::nullopt;
    }

private:
    std::optional<QStringView> take();

    QString m_rest;
    qsizetype m_next = 0;  // past the end once the last field is taken
    bool m_good = true;
};

// A chat line, "slot+text|colour", from one of the `speakers`.
std::optional<ChatLine> decodeChatLine(const QString &rest, Range speakers);

}  // namespace net::catalogue
