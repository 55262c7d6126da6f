// Escape and Enter for the plain windows; see DialogKeys.h.
#include "windows/DialogKeys.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

namespace dialogkeys {

void install(QWidget *window, QAbstractButton *close, QPushButton *defaultButton)
{
    if (close) {
        auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
        escape->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(escape, &QShortcut::activated, close, &QAbstractButton::click);
    }
    if (!defaultButton)
        return;
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *enter = new QShortcut(QKeySequence(key), window);
        enter->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(enter, &QShortcut::activated, defaultButton, [window, defaultButton] {
            auto *focused = qobject_cast<QPushButton *>(window->focusWidget());
            QPushButton *target = focused && focused->isEnabled() ? focused : defaultButton;
            if (target->isEnabled())
                target->click();
        });
    }
}

}  // namespace dialogkeys
