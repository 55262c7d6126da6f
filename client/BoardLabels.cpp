// The board panel's label factory; see BoardLabels.h.
#include "client/BoardLabels.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>

namespace boardlabels {

QLabel *makeLabel(QWidget *panel, const QString &name, const QString &text, const QRect &geometry, int pixelSize,
                  bool bold, Qt::Alignment alignment, const char *colour)
{
    auto *label = new QLabel(panel);
    // Names, scores and words come from the host: they are shown as typed, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setObjectName(name);
    label->setGeometry(geometry);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(QLatin1String(colour)));
    return label;
}

void fitText(QLabel *label, const QString &text, int pixelSize)
{
    constexpr int kSmallest = 7;
    QFont font = label->font();
    for (int size = pixelSize; size >= kSmallest; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= label->width() || size == kSmallest)
            break;
    }
    label->setFont(font);
    label->setText(QFontMetrics(font).elidedText(text, Qt::ElideRight, label->width()));
}

void elideText(QLabel *label, const QString &text)
{
    const QString shown = label->fontMetrics().elidedText(text, Qt::ElideRight, label->width());
    label->setText(shown);
    label->setToolTip(shown == text ? QString() : text);
}

QLabel *makePicture(QWidget *panel, const QString &name, const QPixmap &pixmap, const QPoint &at)
{
    auto *label = new QLabel(panel);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(name);
    label->setPixmap(pixmap);
    label->setGeometry(QRect(at, pixmap.deviceIndependentSize().toSize()));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

}  // namespace boardlabels
