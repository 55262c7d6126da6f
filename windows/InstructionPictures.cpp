// The six instruction pictures. Each is a scene in board pixels: the board's artwork
// from just left of the own word row down to the hand, the game's tiles at their places,
// and gold arrows, highlights and a mouse on top; the scene is scaled into the target.
#include "windows/InstructionPictures.h"

#include "client/BoardHalf.h"
#include "client/TilePainter.h"

#include <QLinearGradient>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <QtMath>

#include <initializer_list>
#include <utility>

namespace {

// The scene's top left corner on the board.
constexpr qreal kOriginX = 36.0;
constexpr qreal kOriginY = 94.0;
constexpr qreal kTile = TilePainter::kSize;

const QColor kGold(255, 213, 106);
const QColor kInk(52, 30, 10);

// The board's own layout: own word cells from 44 every 40 pixels, the hand from 104
// every 48 pixels.
QRectF cell(int position, bool lowered = false)
{
    const qreal top = lowered ? BoardHalf::kOwnSelectedTop : BoardHalf::kOwnTop;
    return QRectF(44.0 + 40.0 * (position - 1) - kOriginX, top - kOriginY, kTile, kTile);
}

QRectF handSpot(int position, bool raised = false)
{
    const qreal top = raised ? BoardHalf::kExtraSelectedTop : BoardHalf::kExtraTop;
    return QRectF(104.0 + 48.0 * (position - 1) - kOriginX, top - kOriginY, kTile, kTile);
}

int codeOf(char letter)
{
    return letter - 'A' + 1;
}

QPointF unit(QPointF vector)
{
    const qreal length = qSqrt(QPointF::dotProduct(vector, vector));
    return length > 0.0 ? vector / length : QPointF(0.0, 0.0);
}

class Scene {
public:
    explicit Scene(QPainter &painter, qreal tileRatio)
        : m_painter(painter)
        , m_tileRatio(tileRatio)
    {
    }

    void background()
    {
        const QRectF scene(QPointF(0.0, 0.0), InstructionPictures::kSceneSize);
        const QPixmap board(QStringLiteral(":/pictures/board.jpg"));
        m_painter.drawPixmap(scene, board, scene.translated(kOriginX, kOriginY));
        // The word row's wooden strip sits at (41, 100) on the board.
        const QPixmap strip(QStringLiteral(":/pictures/wordback.jpg"));
        m_painter.drawPixmap(QPointF(41.0 - kOriginX, 100.0 - kOriginY), strip);
    }

    void tile(char letter, const QRectF &at)
    {
        m_painter.drawPixmap(at.topLeft(), TilePainter::picture(codeOf(letter), m_tileRatio));
    }

    void word(const char *letters, int lowered = 0)
    {
        for (int p = 1; letters[p - 1] != '\0'; ++p) {
            if (letters[p - 1] != ' ')
                tile(letters[p - 1], cell(p, p == lowered));
        }
    }

    void hand(const char *letters, int raised = 0)
    {
        for (int e = 1; letters[e - 1] != '\0'; ++e)
            tile(letters[e - 1], handSpot(e, e == raised));
    }

    // A soft gold light behind a tile that is picked.
    void halo(const QRectF &at)
    {
        QRadialGradient light(at.center(), kTile * 0.85);
        light.setColorAt(0.55, QColor(255, 213, 106, 190));
        light.setColorAt(1.0, QColor(255, 213, 106, 0));
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(light);
        m_painter.drawEllipse(at.center(), kTile * 0.85, kTile * 0.85);
    }

    // A gold frame round a tile that is picked.
    void frame(const QRectF &at)
    {
        m_painter.setBrush(Qt::NoBrush);
        m_painter.setPen(QPen(kGold, 2.5));
        m_painter.drawRoundedRect(at.adjusted(-2.5, -2.5, 1.0, 0.5), 7.0, 7.0);
    }

    // The empty square a letter is about to go to.
    void target(const QRectF &at)
    {
        QPen dashes(kGold, 2.0, Qt::DashLine);
        dashes.setDashPattern({3.0, 2.0});
        m_painter.setPen(dashes);
        m_painter.setBrush(QColor(255, 213, 106, 55));
        m_painter.drawRoundedRect(at.adjusted(2.0, 2.0, -3.0, -3.0), 6.0, 6.0);
    }

    // A curved arrow from `from` to `to`; `bend` pushes its middle sideways (to the left
    // of the direction of travel when positive). Returns the curve's middle.
    QPointF arrow(QPointF from, QPointF to, qreal bend, bool bothEnds = false)
    {
        const QPointF direction = unit(to - from);
        const QPointF control = (from + to) / 2.0 + QPointF(direction.y(), -direction.x()) * bend;
        const QPointF endDirection = unit(to - control);
        const QPointF startDirection = unit(from - control);
        const qreal headLength = 10.0;
        const QPointF lineEnd = to - endDirection * (headLength - 2.0);
        const QPointF lineStart = bothEnds ? from - startDirection * (headLength - 2.0) : from;

        QPainterPath path;
        path.moveTo(lineStart);
        path.quadTo(control, lineEnd);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.setPen(QPen(kInk, 6.5, Qt::SolidLine, Qt::RoundCap));
        m_painter.drawPath(path);
        m_painter.setPen(QPen(kGold, 3.6, Qt::SolidLine, Qt::RoundCap));
        m_painter.drawPath(path);
        head(to, endDirection, headLength);
        if (bothEnds)
            head(from, startDirection, headLength);
        return from * 0.25 + control * 0.5 + to * 0.25;
    }

    // A numbered gold disc: the order of two moves.
    void badge(QPointF centre, const QString &number)
    {
        m_painter.setPen(QPen(kInk, 1.5));
        m_painter.setBrush(kGold);
        m_painter.drawEllipse(centre, 9.0, 9.0);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        font.setBold(true);
        m_painter.setFont(font);
        m_painter.setPen(kInk);
        m_painter.drawText(QRectF(centre.x() - 9.0, centre.y() - 9.0, 18.0, 18.0), Qt::AlignCenter, number);
    }

    // A green tick: the word is checked and scores.
    void tick(QPointF centre)
    {
        m_painter.setPen(QPen(QColor(20, 70, 30), 1.5));
        m_painter.setBrush(QColor(60, 170, 80));
        m_painter.drawEllipse(centre, 10.0, 10.0);
        QPainterPath mark;
        mark.moveTo(centre + QPointF(-5.0, 0.5));
        mark.lineTo(centre + QPointF(-1.5, 4.5));
        mark.lineTo(centre + QPointF(5.5, -4.5));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.setPen(QPen(Qt::white, 2.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_painter.drawPath(mark);
    }

    // A red cross over a tile that goes.
    void cross(const QRectF &at)
    {
        const QRectF inner = at.adjusted(9.0, 9.0, -10.0, -10.0);
        for (const auto &[colour, width] : {std::pair{QColor(60, 10, 5), 7.5}, std::pair{QColor(226, 52, 36), 4.5}}) {
            m_painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
            m_painter.drawLine(inner.topLeft(), inner.bottomRight());
            m_painter.drawLine(inner.topRight(), inner.bottomLeft());
        }
    }

    // A mouse in the hand's free corner, the button to press lit.
    void mouse(Qt::MouseButton button)
    {
        const QRectF body(216.0, 80.0, 26.0, 38.0);
        QPainterPath cord;
        cord.moveTo(body.center().x(), body.top());
        cord.cubicTo(body.center().x(), body.top() - 6.0, body.right() + 4.0, body.top() - 4.0, body.right() + 6.0,
                     body.top() - 12.0);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.setPen(QPen(QColor(30, 30, 30), 2.0));
        m_painter.drawPath(cord);

        QPainterPath shell;
        shell.addRoundedRect(body, 12.0, 13.0);
        QLinearGradient plastic(body.topLeft(), body.bottomRight());
        plastic.setColorAt(0.0, QColor(250, 250, 246));
        plastic.setColorAt(1.0, QColor(186, 186, 180));
        m_painter.fillPath(shell, plastic);

        const qreal split = body.top() + 15.0;
        QPainterPath left;
        left.addRect(QRectF(body.left(), body.top(), body.width() / 2.0, split - body.top()));
        QPainterPath right;
        right.addRect(QRectF(body.center().x(), body.top(), body.width() / 2.0, split - body.top()));
        const QPainterPath lit = shell.intersected(button == Qt::RightButton ? right : left);
        m_painter.fillPath(lit, button == Qt::RightButton ? QColor(226, 52, 36) : kGold);

        m_painter.setPen(QPen(QColor(40, 40, 40), 1.3));
        m_painter.drawPath(shell);
        m_painter.drawLine(QPointF(body.left() + 1.0, split), QPointF(body.right() - 1.0, split));
        m_painter.drawLine(QPointF(body.center().x(), body.top()), QPointF(body.center().x(), split));
    }

private:
    void head(QPointF tip, QPointF direction, qreal length)
    {
        const QPointF side(-direction.y(), direction.x());
        const QPolygonF shape{tip, tip - direction * length + side * 6.5, tip - direction * length - side * 6.5};
        m_painter.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        m_painter.setBrush(kGold);
        m_painter.drawPolygon(shape);
    }

    QPainter &m_painter;
    qreal m_tileRatio;
};

QPointF topMiddle(const QRectF &r)
{
    return QPointF(r.center().x(), r.top());
}

QPointF bottomMiddle(const QRectF &r)
{
    return QPointF(r.center().x(), r.bottom());
}

void drawStep(Scene &scene, int step)
{
    switch (step) {
    case 1:  // a letter from the hand starts the word
        scene.halo(handSpot(1, true));
        scene.hand("CAT", 1);
        scene.frame(handSpot(1, true));
        scene.target(cell(1));
        scene.arrow(topMiddle(handSpot(1, true)), bottomMiddle(cell(1)) + QPointF(0.0, 2.0), 14.0);
        scene.mouse(Qt::LeftButton);
        break;
    case 2:  // more letters, each new word checked
        scene.word("CAT");
        scene.tick(QPointF(cell(3).right() - 4.0, cell(3).top() - 2.0));
        scene.halo(handSpot(1, true));
        scene.hand("SER", 1);
        scene.frame(handSpot(1, true));
        scene.target(cell(4));
        scene.arrow(topMiddle(handSpot(1, true)), bottomMiddle(cell(4)) + QPointF(0.0, 2.0), -14.0);
        scene.mouse(Qt::LeftButton);
        break;
    case 3:  // a letter moved to another spot: EAT becomes ATE
        scene.halo(cell(1, true));
        scene.word("EAT", 1);
        scene.frame(cell(1, true));
        scene.target(cell(4));
        scene.arrow(topMiddle(cell(1, true)), topMiddle(cell(4)), 26.0);
        scene.hand("MON");
        scene.mouse(Qt::LeftButton);
        break;
    case 4: {  // first rearrange (TAE to EAT), then add (EATS)
        scene.word("TAE");
        const QPointF swapMiddle = scene.arrow(topMiddle(cell(1)), topMiddle(cell(3)), 24.0, true);
        scene.badge(swapMiddle + QPointF(0.0, -1.0), QStringLiteral("1"));
        scene.halo(handSpot(1, true));
        scene.hand("SLO", 1);
        scene.frame(handSpot(1, true));
        scene.target(cell(4));
        const QPointF addMiddle =
            scene.arrow(topMiddle(handSpot(1, true)), bottomMiddle(cell(4)) + QPointF(0.0, 2.0), -14.0);
        scene.badge(addMiddle + QPointF(10.0, 0.0), QStringLiteral("2"));
        scene.mouse(Qt::LeftButton);
        break;
    }
    case 5:  // two letters swapped: TAC becomes CAT
        scene.halo(cell(1, true));
        scene.halo(cell(3));
        scene.word("TAC", 1);
        scene.frame(cell(1, true));
        scene.frame(cell(3));
        scene.arrow(topMiddle(cell(1, true)), topMiddle(cell(3)), 24.0, true);
        scene.hand("ERS");
        scene.mouse(Qt::LeftButton);
        break;
    case 6:  // a right click removes a letter: CATS becomes CAT
        scene.word("CATS");
        scene.cross(cell(4));
        scene.hand("MOE");
        scene.mouse(Qt::RightButton);
        break;
    default: break;
    }
}

}  // namespace

void InstructionPictures::draw(QPainter &painter, int step, const QRectF &target)
{
    const qreal scale = qMin(target.width() / kSceneSize.width(), target.height() / kSceneSize.height());
    if (scale <= 0.0)
        return;
    const QSizeF drawn = kSceneSize * scale;
    const QPointF corner(target.left() + (target.width() - drawn.width()) / 2.0,
                         target.top() + (target.height() - drawn.height()) / 2.0);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(corner);
    painter.scale(scale, scale);
    painter.setClipRect(QRectF(QPointF(0.0, 0.0), kSceneSize), Qt::IntersectClip);

    // Tiles at the output's own resolution where it is finer than their design size.
    const qreal deviceRatio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    Scene scene(painter, qMax(1.0, deviceRatio * scale));
    scene.background();
    drawStep(scene, step);
    painter.restore();
}

QImage InstructionPictures::render(int step, const QSize &size, qreal devicePixelRatio)
{
    QImage image(qCeil(size.width() * devicePixelRatio), qCeil(size.height() * devicePixelRatio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    draw(painter, step, QRectF(QPointF(0.0, 0.0), QSizeF(size)));
    return image;
}
