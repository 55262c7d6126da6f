// Escape and Enter for the plain windows; see DialogKeys.h.
#include "windows/DialogKeys.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

namespace {

// Escape for a window that holds no focus: the key then goes to the window itself, where
// no shortcut sees it.
class EscapeFilter : public QObject {
public:
    EscapeFilter(QWidget *window, QAbstractButton *close)
        : QObject(window)
        , m_close(close)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            m_close->click();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractButton *m_close;
};

}  // namespace

namespace dialogkeys {

void install(QWidget *window, QAbstractButton *close, QPushButton *defaultButton)
{
    if (close) {
        auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
        escape->setContext(Qt::WindowShortcut);
        QObject::connect(escape, &QShortcut::activated, close, &QAbstractButton::click);
        window->installEventFilter(new EscapeFilter(window, close));
    }
    if (!defaultButton)
        return;
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *enter = new QShortcut(QKeySequence(key), window);
        enter->setContext(Qt::WindowShortcut);
        QObject::connect(enter, &QShortcut::activated, defaultButton, [window, defaultButton] {
            auto *focused = qobject_cast<QPushButton *>(window->focusWidget());
            QPushButton *target = focused && focused->isEnabled() ? focused : defaultButton;
            if (target->isEnabled())
                target->click();
        });
    }
}

}  // namespace dialogkeys
