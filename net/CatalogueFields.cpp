// The catalogue's field decoder and the chat line both directions share; see CatalogueFields.h.
#include "net/CatalogueFields.h"

namespace net::catalogue {

FieldDecoder::FieldDecoder(const QString &rest)
    : m_rest(rest)
{
}

std::optional<QStringView> FieldDecoder::take()
{
    if (!m_good || m_next > m_rest.size()) {
        m_good = false;
        return std::nullopt;
    }
    qsizetype end = m_rest.indexOf(QLatin1Char('+'), m_next);
    if (end < 0)
        end = m_rest.size();
    const QStringView field = QStringView(m_rest).sliced(m_next, end - m_next);
    m_next = end + 1;
    return field;
}

QString FieldDecoder::text()
{
    const std::optional<QStringView> field = take();
    return field ? field->toString() : QString();
}

int FieldDecoder::number(Range range)
{
    const std::optional<QStringView> field = take();
    const std::optional<int> value = field ? tryInt(*field) : std::nullopt;
    if (!value || *value < range.lowest || *value > range.highest) {
        m_good = false;
        return 0;
    }
    return *value;
}

QString FieldDecoder::rest()
{
    if (!m_good || m_next > m_rest.size()) {
        m_good = false;
        return QString();
    }
    const QString rest = m_rest.mid(m_next);
    m_next = m_rest.size() + 1;
    return rest;
}

std::optional<ChatLine> decodeChatLine(const QString &rest, Range speakers)
{
    FieldDecoder fields(rest);
    const int slot = fields.number(speakers);
    const QString line = fields.rest();
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return fields.result(ChatLine{slot, line, QString()});
    return fields.result(ChatLine{slot, line.left(bar), line.mid(bar + 1)});
}

}  // namespace net::catalogue
