// The chat's input box; see ChatInput.h.
#include "client/ChatInput.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr QRect kInputRect(30, 465, 451, 22);

}  // namespace

ChatInput::ChatInput(QWidget *panel, int limit, QObject *parent)
    : QObject(parent)
    , m_box(new QLineEdit(panel))
{
    m_box->setObjectName(QStringLiteral("mychat"));
    m_box->setGeometry(kInputRect);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    m_box->setFont(font);
    m_box->setMaxLength(limit);  // typing, pasting and smileys all stop there
    m_box->setText(kPlaceholder);
    // Any change after this one, by the user or the program, ends the placeholder.
    connect(m_box, &QLineEdit::textChanged, this, [this] { m_placeholderShown = false; });
    m_box->setContextMenuPolicy(Qt::CustomContextMenu);
    m_box->installEventFilter(this);
    connect(m_box, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { Q_EMIT menuRequested(m_box->mapToGlobal(pos)); });
}

QString ChatInput::text() const
{
    return m_placeholderShown ? QString() : m_box->text();
}

void ChatInput::clear()
{
    m_box->clear();
    m_placeholderShown = false;
}

void ChatInput::append(const QString &text)
{
    if (m_placeholderShown)
        clear();
    if (m_box->text().size() + text.size() > m_box->maxLength())
        return;
    m_box->setText(m_box->text() + text);
    m_box->deselect();
    m_box->setCursorPosition(int(m_box->text().size()));
    m_box->setFocus();
}

void ChatInput::paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        m_box->setText(text);
}

void ChatInput::setTextColour(const QColor &colour)
{
    QPalette palette = m_box->palette();
    palette.setColor(QPalette::Text, colour);
    m_box->setPalette(palette);
}

void ChatInput::stretch(int extra)
{
    m_box->setGeometry(kInputRect.adjusted(0, 0, extra, 0));
}

bool ChatInput::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (m_placeholderShown)
            clear();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Q_EMIT sendRequested();
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            paste();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
