#include "net/Message.h"

namespace net {

ConversionError::ConversionError(const QString &field)
    : std::runtime_error(QStringLiteral("'%1' is not a valid integer value").arg(field).toStdString())
{
}

int toInt(const QString &field)
{
    const std::optional<int> value = tryInt(field);
    if (!value)
        throw ConversionError(field);
    return *value;
}

std::optional<int> tryInt(QStringView field)
{
    const qsizetype start = field.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (field.size() <= start || field.size() > start + 10)
        return std::nullopt;
    qint64 value = 0;
    for (qsizetype i = start; i < field.size(); ++i) {
        const QChar c = field.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (start == 1)
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<Message> splitMessage(const QByteArray &bytes)
{
    const QString text = decodeText(bytes);
    const qsizetype plus = text.indexOf(QLatin1Char('+'));
    if (plus <= 0)
        return std::nullopt;
    return Message{text.left(plus), text.mid(plus + 1)};
}

FieldReader::FieldReader(QString rest)
    : m_rest(std::move(rest))
{
}

QString FieldReader::takeField()
{
    const qsizetype plus = m_rest.indexOf(QLatin1Char('+'));
    if (plus < 0)
        return QString();
    QString field = m_rest.left(plus);
    m_rest.remove(0, plus + 1);
    return field;
}

int FieldReader::takeInt()
{
    return toInt(takeField());
}

void FieldReader::beginList()
{
    m_rest += QStringLiteral("+@");
}

bool FieldReader::listEnded() const
{
    return m_rest == QLatin1String("@");
}

QByteArray encodeText(const QString &text)
{
    return text.toUtf8();
}

QString decodeText(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes);
}

}  // namespace net
