// The chat's painted pictures; see SmileyPainter.h.
#include "client/SmileyPainter.h"

#include "client/ChatLineBuilder.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>

namespace {

enum class Eyes { Dots, Wink, Closed, Wide, Shades, Angry, Sleepy };
enum class Mouth { Smile, Grin, Sad, Open, Tongue, Straight, Kiss, Wavy, Laugh };
enum Extra : unsigned { None = 0, Tears = 1, Horns = 2, Halo = 4, Blush = 8, Snore = 16 };

struct Face {
    QColor skin;
    Eyes eyes;
    Mouth mouth;
    unsigned extras;
};

const QColor kYellow(255, 214, 40);

const std::array<Face, ChatLineBuilder::kSmileyCount> kFaces{{
    {kYellow, Eyes::Dots, Mouth::Smile, None},  // :)#10 smile
    {kYellow, Eyes::Dots, Mouth::Grin, None},  // big grin
    {kYellow, Eyes::Dots, Mouth::Sad, None},  // sad
    {kYellow, Eyes::Wink, Mouth::Smile, None},  // wink
    {kYellow, Eyes::Wide, Mouth::Open, None},  // surprised
    {kYellow, Eyes::Dots, Mouth::Tongue, None},  // tongue out
    {kYellow, Eyes::Shades, Mouth::Smile, None},  // cool
    {QColor(240, 90, 60), Eyes::Angry, Mouth::Sad, None},  // angry
    {kYellow, Eyes::Dots, Mouth::Sad, Tears},  // crying
    {kYellow, Eyes::Closed, Mouth::Laugh, None},  // laughing
    {kYellow, Eyes::Dots, Mouth::Straight, None},  // straight face
    {kYellow, Eyes::Dots, Mouth::Kiss, None},  // kiss
    {kYellow, Eyes::Wide, Mouth::Wavy, None},  // confused
    {kYellow, Eyes::Sleepy, Mouth::Straight, Snore},  // sleepy
    {QColor(170, 80, 200), Eyes::Angry, Mouth::Grin, Horns},  // devil
    {kYellow, Eyes::Dots, Mouth::Smile, Halo},  // angel
    {kYellow, Eyes::Closed, Mouth::Smile, Blush},  // shy
    {QColor(150, 205, 90), Eyes::Sleepy, Mouth::Wavy, None},  // sick
}};

void drawEyes(QPainter &p, Eyes eyes)
{
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::black);
    switch (eyes) {
    case Eyes::Dots:
        p.drawEllipse(QPointF(6, 6.5), 1.0, 1.4);
        p.drawEllipse(QPointF(11, 6.5), 1.0, 1.4);
        break;
    case Eyes::Wink:
        p.drawEllipse(QPointF(6, 6.5), 1.0, 1.4);
        p.drawLine(QPointF(9.8, 6.8), QPointF(12.2, 6.8));
        break;
    case Eyes::Closed:
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4.5, 5.5, 3, 3), 0, 180 * 16);
        p.drawArc(QRectF(9.5, 5.5, 3, 3), 0, 180 * 16);
        break;
    case Eyes::Wide:
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(6, 6.3), 1.8, 2.0);
        p.drawEllipse(QPointF(11, 6.3), 1.8, 2.0);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(6, 6.5), 0.6, 0.6);
        p.drawEllipse(QPointF(11, 6.5), 0.6, 0.6);
        break;
    case Eyes::Shades:
        p.drawRoundedRect(QRectF(3.5, 5, 4.5, 2.8), 1, 1);
        p.drawRoundedRect(QRectF(9, 5, 4.5, 2.8), 1, 1);
        p.drawLine(QPointF(8, 5.8), QPointF(9, 5.8));
        break;
    case Eyes::Angry:
        p.drawLine(QPointF(4.5, 4.5), QPointF(7.5, 6));
        p.drawLine(QPointF(12.5, 4.5), QPointF(9.5, 6));
        p.drawEllipse(QPointF(6.2, 7.2), 0.8, 0.8);
        p.drawEllipse(QPointF(10.8, 7.2), 0.8, 0.8);
        break;
    case Eyes::Sleepy:
        p.drawLine(QPointF(4.8, 7), QPointF(7.4, 7));
        p.drawLine(QPointF(9.6, 7), QPointF(12.2, 7));
        break;
    }
}

void drawMouth(QPainter &p, Mouth mouth)
{
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::NoBrush);
    switch (mouth) {
    case Mouth::Smile: p.drawArc(QRectF(4.5, 6, 8, 5.5), 200 * 16, 140 * 16); break;
    case Mouth::Grin: {
        QPainterPath path;
        path.moveTo(4.5, 9);
        path.lineTo(12.5, 9);
        path.quadTo(8.5, 15, 4.5, 9);
        p.setBrush(Qt::white);
        p.drawPath(path);
        break;
    }
    case Mouth::Sad: p.drawArc(QRectF(5, 10, 7, 4.5), 20 * 16, 140 * 16); break;
    case Mouth::Open:
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(8.5, 11.2), 1.6, 1.9);
        break;
    case Mouth::Tongue:
        p.drawLine(QPointF(5.5, 10), QPointF(11.5, 10));
        p.setPen(QPen(QColor(200, 40, 60), 1));
        p.setBrush(QColor(235, 80, 100));
        p.drawEllipse(QRectF(7, 10, 3.5, 3.5));
        break;
    case Mouth::Straight: p.drawLine(QPointF(5.5, 11), QPointF(11.5, 11)); break;
    case Mouth::Kiss:
        p.setPen(QPen(QColor(200, 20, 60), 1.4));
        p.setBrush(QColor(230, 40, 90));
        p.drawEllipse(QPointF(8.5, 11), 1.5, 1.2);
        break;
    case Mouth::Wavy: {
        QPainterPath path;
        path.moveTo(5, 11);
        path.quadTo(6.5, 9.5, 8, 11);
        path.quadTo(9.5, 12.5, 11.5, 11);
        p.drawPath(path);
        break;
    }
    case Mouth::Laugh: {
        QPainterPath path;
        path.moveTo(4.5, 9);
        path.lineTo(12.5, 9);
        path.quadTo(8.5, 15.5, 4.5, 9);
        p.setBrush(QColor(150, 20, 30));
        p.drawPath(path);
        break;
    }
    }
}

void drawExtras(QPainter &p, unsigned extras)
{
    if (extras & Tears) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 150, 255));
        p.drawEllipse(QPointF(4.8, 9.5), 1.0, 1.5);
        p.drawEllipse(QPointF(12.2, 9.5), 1.0, 1.5);
    }
    if (extras & Horns) {
        p.setPen(QPen(QColor(120, 0, 0), 1));
        p.setBrush(QColor(200, 20, 20));
        p.drawPolygon(QPolygonF({QPointF(2.5, 0.5), QPointF(4.5, 4), QPointF(6, 2.5)}));
        p.drawPolygon(QPolygonF({QPointF(14.5, 0.5), QPointF(12.5, 4), QPointF(11, 2.5)}));
    }
    if (extras & Halo) {
        p.setPen(QPen(QColor(255, 240, 120), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(4.5, 0.3, 8, 2.2));
    }
    if (extras & Blush) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 120, 140, 180));
        p.drawEllipse(QPointF(4.5, 9.5), 1.6, 1.1);
        p.drawEllipse(QPointF(12.5, 9.5), 1.6, 1.1);
    }
    if (extras & Snore) {
        p.setPen(QPen(QColor(40, 60, 160), 1));
        p.drawLine(QPointF(12.5, 0.8), QPointF(15.5, 0.8));
        p.drawLine(QPointF(15.5, 0.8), QPointF(12.5, 3.8));
        p.drawLine(QPointF(12.5, 3.8), QPointF(15.5, 3.8));
    }
}

}  // namespace

QString SmileyPainter::smileyName(int index)
{
    static const std::array<const char *, ChatLineBuilder::kSmileyCount> kNames = {
        "Smile",    "Big Grin",      "Sad",  "Wink",     "Surprised", "Tongue Out", "Cool",  "Angry", "Crying",
        "Laughing", "Straight Face", "Kiss", "Confused", "Sleepy",    "Devil",      "Angel", "Shy",   "Sick"};
    return QString::fromLatin1(
        kNames[static_cast<size_t>(index >= 0 && index < ChatLineBuilder::kSmileyCount ? index : 0)]);
}

QImage SmileyPainter::smiley(int index)
{
    const Face &face = kFaces[static_cast<size_t>(index >= 0 && index < ChatLineBuilder::kSmileyCount ? index : 0)];
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const bool crowned = (face.extras & (Horns | Halo)) != 0;
    const QRectF head = crowned ? QRectF(1.5, 2, 14, 13.5) : QRectF(1.5, 1, 14, 14.5);
    p.setPen(QPen(face.skin.darker(170), 1));
    QRadialGradient shade(head.center() - QPointF(2, 2), 9);
    shade.setColorAt(0, face.skin.lighter(130));
    shade.setColorAt(1, face.skin);
    p.setBrush(shade);
    p.drawEllipse(head);
    drawEyes(p, face.eyes);
    drawMouth(p, face.mouth);
    drawExtras(p, face.extras);
    return image;
}

QIcon SmileyPainter::phraseIcon(int number)
{
    QPixmap pixmap(21, 15);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(0.5, 0.5, 20, 11), 4, 4);
    bubble.moveTo(4, 11);
    bubble.lineTo(3, 14.5);
    bubble.lineTo(8, 11);
    p.setPen(QPen(QColor(70, 40, 20), 1));
    p.setBrush(QColor(255, 250, 225));
    p.drawPath(bubble.simplified());
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(120, 50, 20));
    p.drawText(QRectF(0.5, 0.5, 20, 11), Qt::AlignCenter, QString::number(number));
    p.end();
    return QIcon(pixmap);
}

QIcon SmileyPainter::soundsIcon()
{
    QPixmap pixmap(17, 15);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(90, 90, 100));
    p.drawPolygon(QPolygonF(
        {QPointF(1.5, 5), QPointF(5, 5), QPointF(9, 1.5), QPointF(9, 13.5), QPointF(5, 10), QPointF(1.5, 10)}));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(7, 4, 5, 7), -60 * 16, 120 * 16);
    p.drawArc(QRectF(7, 1.5, 9, 12), -60 * 16, 120 * 16);
    p.end();
    return QIcon(pixmap);
}
