// The chat's input box `mychat`: one line under the view, showing the placeholder
// "<Enter Chat Here>" until its text first changes. Whether the placeholder shows is a
// state of its own, so a typed or pasted text that happens to read the same is kept.
// Enter asks for the line to be sent; Ctrl+V replaces the line with the clipboard's text.
#pragma once

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QString>

class QLineEdit;
class QWidget;

class ChatInput : public QObject {
    Q_OBJECT
public:
    static inline const QString kPlaceholder = QStringLiteral("<Enter Chat Here>");

    // Places the box at its designed place on `panel`, which owns it; it takes at most
    // `limit` characters, however they come.
    ChatInput(QWidget *panel, int limit, QObject *parent = nullptr);

    // The box's text; empty while the placeholder shows.
    QString text() const;
    void clear();
    // Appends `text` after emptying the placeholder, unless the whole of it no longer
    // fits; puts the caret at the end with nothing selected and focuses the box.
    void append(const QString &text);
    // Replaces the text with the clipboard's text, if it holds any.
    void paste();
    void setTextColour(const QColor &colour);
    // Widens the box by `extra` pixels beyond its designed width.
    void stretch(int extra);

    bool showsPlaceholder() const { return m_placeholderShown; }
    QLineEdit *box() const { return m_box; }

Q_SIGNALS:
    void sendRequested();
    // The box's pop-up menu is asked for at this global position.
    void menuRequested(const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_box = nullptr;
    bool m_placeholderShown = true;
};
