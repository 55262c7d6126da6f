// Message framing shared by host and client.
//
// Grammar of one message on the wire:
//   message  = command *( "+" field ) [ "+" ] terminator
//   command  = "CMD_" name
//   terminator = 0xFF
// Fields are read from the front: a field is the text up to the next "+", which is
// removed with it. Some messages end in free text ("the rest") that may hold "+".
// Variable-length lists are read by appending "+@" and taking fields until the rest
// is exactly "@". Texts travel as UTF-8, which never contains the byte 0xFF.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <stdexcept>

namespace net {

inline constexpr char kTerminator = static_cast<char>(0xFF);

// Raised when a field that must be a decimal integer is not one.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString &field);
};

// Strict decimal conversion: an optional "-" and one or more digits, within 32 bits.
int toInt(const QString &field);
// The same conversion without throwing: nothing when the field is not such a number.
std::optional<int> tryInt(QStringView field);

struct Message {
    QString command;
    QString rest;
};

// Splits one whole message (terminator already removed) into its command and the
// rest after the first "+". No "+" at all, or an empty command, gives nothing.
std::optional<Message> splitMessage(const QByteArray &bytes);

// Takes fields from the front of a message's rest.
class FieldReader {
public:
    explicit FieldReader(QString rest);

    // The text before the next "+", removed together with that "+". When no "+" is
    // left the field is empty and the rest stays as it is.
    QString takeField();
    // takeField() converted strictly; throws ConversionError.
    int takeInt();
    // Everything not yet taken ("the rest").
    const QString &rest() const { return m_rest; }

    // Starts reading a list of pairs or triples: appends "+@" to the rest.
    void beginList();
    // True once the rest is exactly "@".
    bool listEnded() const;

private:
    QString m_rest;
};

// The wire form of a text field.
QByteArray encodeText(const QString &text);
QString decodeText(const QByteArray &bytes);

}  // namespace net
