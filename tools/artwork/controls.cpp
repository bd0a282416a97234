#include "controls.h"

#include "palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace Controls {
namespace {

void paintGem(QPainter &painter, const QPointF &centre, qreal size, const QColor &fill)
{
    QPainterPath gem;
    gem.moveTo(centre + QPointF(0, -size));
    gem.lineTo(centre + QPointF(size, 0));
    gem.lineTo(centre + QPointF(0, size));
    gem.lineTo(centre + QPointF(-size, 0));
    gem.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(gem);
}

// Light glyphs on the dark title bar; gold when the pointer rests on them.
QColor titleGlyphColour(Look look)
{
    switch (look) {
    case Look::Normal:
        return QColor(200, 204, 216);
    case Look::Hover:
        return Palette::gold;
    case Look::Pressed:
        return Palette::goldDeep;
    }
    return Qt::white;
}

void paintTitleBarPlate(QPainter &painter, Look look)
{
    if (look == Look::Normal)
        return;
    painter.setPen(Qt::NoPen);
    painter.setBrush(look == Look::Hover ? QColor(255, 216, 70, 38) : QColor(255, 216, 70, 22));
    painter.drawRoundedRect(QRectF(3, 3, 24, 24), 5, 5);
}

QColor controlEdge(bool checked, Look look)
{
    if (checked)
        return look == Look::Pressed ? Palette::goldShadow : Palette::goldDeep;
    switch (look) {
    case Look::Normal:
        return Palette::controlEdge;
    case Look::Hover:
        return Palette::goldDeep;
    case Look::Pressed:
        return Palette::goldShadow;
    }
    return Palette::controlEdge;
}

QBrush controlFill(bool checked, Look look, const QRectF &box)
{
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    if (!checked) {
        fill.setColorAt(0.0, look == Look::Pressed ? QColor(240, 232, 214) : Qt::white);
        fill.setColorAt(1.0, look == Look::Hover ? QColor(255, 248, 228) : QColor(246, 243, 236));
        return fill;
    }
    const QColor top = look == Look::Hover ? Palette::goldLight : Palette::gold;
    const QColor bottom = look == Look::Pressed ? Palette::goldShadow : Palette::goldDeep;
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, bottom);
    return fill;
}

} // namespace

QImage goldButton(int width, int height, Look look)
{
    QImage image = Paint::transparentImage(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body(1, 1, width - 2, height - 3);
    const qreal radius = 10;

    // A darker lip under the button makes it stand off the picture.
    painter.setPen(Qt::NoPen);
    painter.setBrush(look == Look::Pressed ? QColor(120, 76, 20, 120) : QColor(90, 56, 14, 170));
    painter.drawRoundedRect(body.translated(0, look == Look::Pressed ? 1 : 2), radius, radius);

    const QRectF face = look == Look::Pressed ? body.translated(0, 1) : body;
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    switch (look) {
    case Look::Normal:
        fill.setColorAt(0.0, QColor(255, 236, 140));
        fill.setColorAt(0.48, Palette::gold);
        fill.setColorAt(0.52, QColor(250, 204, 58));
        fill.setColorAt(1.0, QColor(236, 170, 44));
        break;
    case Look::Hover:
        fill.setColorAt(0.0, QColor(255, 246, 186));
        fill.setColorAt(0.48, QColor(255, 228, 110));
        fill.setColorAt(0.52, QColor(255, 218, 86));
        fill.setColorAt(1.0, QColor(246, 186, 62));
        break;
    case Look::Pressed:
        fill.setColorAt(0.0, QColor(232, 176, 48));
        fill.setColorAt(0.5, QColor(242, 196, 60));
        fill.setColorAt(1.0, QColor(250, 212, 84));
        break;
    }
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(176, 118, 36), 1.0));
    painter.drawRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    // Inner highlight and a gem at each end.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 250, 220, look == Look::Pressed ? 60 : 150), 1.0));
    painter.drawRoundedRect(face.adjusted(3.5, 3.5, -3.5, -3.5), radius - 3, radius - 3);
    const qreal middle = face.center().y();
    const QColor gem = look == Look::Pressed ? QColor(150, 98, 30, 160) : QColor(150, 98, 30, 120);
    paintGem(painter, QPointF(face.left() + 14, middle), 4, gem);
    paintGem(painter, QPointF(face.right() - 14, middle), 4, gem);
    return image;
}

QImage titleBarClose(Look look)
{
    QImage image = Paint::transparentImage(30, 30);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintTitleBarPlate(painter, look);
    painter.setPen(QPen(titleGlyphColour(look), 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10, 10), QPointF(20, 20));
    painter.drawLine(QPointF(20, 10), QPointF(10, 20));
    return image;
}

QImage titleBarMinimise(Look look)
{
    QImage image = Paint::transparentImage(30, 30);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintTitleBarPlate(painter, look);
    painter.setPen(QPen(titleGlyphColour(look), 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(9.5, 15.5), QPointF(20.5, 15.5));
    return image;
}

QImage playPause(bool showsPause, Look look)
{
    QImage image = Paint::transparentImage(30, 30);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(15, 15);
    QColor ring = look == Look::Normal ? QColor(255, 255, 255, 190) : Palette::gold;
    QColor glyph = look == Look::Normal ? Qt::white : Palette::gold;
    QColor fill = look == Look::Hover ? QColor(255, 216, 70, 40) : QColor(0, 0, 0, 60);
    if (look == Look::Pressed) {
        fill = Palette::goldDeep;
        glyph = QColor(40, 26, 8);
    }
    painter.setPen(QPen(ring, 1.5));
    painter.setBrush(fill);
    painter.drawEllipse(centre, 13, 13);

    painter.setPen(Qt::NoPen);
    painter.setBrush(glyph);
    if (showsPause) {
        painter.drawRoundedRect(QRectF(10.5, 9.5, 3.2, 11), 1, 1);
        painter.drawRoundedRect(QRectF(16.3, 9.5, 3.2, 11), 1, 1);
    } else {
        QPainterPath triangle;
        triangle.moveTo(12, 9);
        triangle.lineTo(21, 15);
        triangle.lineTo(12, 21);
        triangle.closeSubpath();
        painter.drawPath(triangle);
    }
    return image;
}

QImage changeFolder()
{
    QImage image = Paint::transparentImage(18, 18);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath folder;
    folder.moveTo(2, 4.5);
    folder.lineTo(7, 4.5);
    folder.lineTo(8.5, 6);
    folder.lineTo(16, 6);
    folder.lineTo(16, 14.5);
    folder.lineTo(2, 14.5);
    folder.closeSubpath();
    painter.setPen(QPen(Palette::gold, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(255, 216, 70, 50));
    painter.drawPath(folder);
    painter.drawLine(QPointF(2, 8), QPointF(16, 8));
    return image;
}

QImage dialogClose(Look look)
{
    QImage image = Paint::transparentImage(20, 20);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor glyph = Palette::inkSoft;
    if (look != Look::Normal) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(look == Look::Hover ? QColor(214, 152, 48, 40) : QColor(214, 152, 48, 80));
        painter.drawEllipse(QPointF(10, 10), 9.5, 9.5);
        glyph = look == Look::Hover ? Palette::goldDeep : Palette::goldShadow;
    }
    painter.setPen(QPen(glyph, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(6.5, 6.5), QPointF(13.5, 13.5));
    painter.drawLine(QPointF(13.5, 6.5), QPointF(6.5, 13.5));
    return image;
}

QImage star()
{
    QImage image = Paint::transparentImage(20, 20);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(10, 10);
    QPainterPath shape;
    for (int i = 0; i < 8; ++i) {
        const qreal angle = M_PI / 4 * i - M_PI / 2;
        const qreal radius = i % 2 == 0 ? 9.5 : 3.2;
        const QPointF point = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
        if (i == 0)
            shape.moveTo(point);
        else
            shape.lineTo(point);
    }
    shape.closeSubpath();
    QRadialGradient fill(centre, 9.5);
    fill.setColorAt(0.0, Palette::goldLight);
    fill.setColorAt(1.0, Palette::goldDeep);
    painter.setPen(QPen(Palette::goldShadow, 0.7));
    painter.setBrush(fill);
    painter.drawPath(shape);
    return image;
}

QImage radio(bool checked, Look look)
{
    QImage image = Paint::transparentImage(24, 24);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(3, 3, 18, 18);
    painter.setPen(QPen(controlEdge(checked, look), 1.4));
    painter.setBrush(checked ? QBrush(Qt::white) : controlFill(false, look, box));
    painter.drawEllipse(box);
    if (checked) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(controlFill(true, look, box.adjusted(5, 5, -5, -5)));
        painter.drawEllipse(box.center(), 5, 5);
    } else if (look == Look::Hover) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Paint::withAlpha(Palette::gold, 70));
        painter.drawEllipse(box.center(), 4, 4);
    }
    return image;
}

QImage checkBox(bool checked, Look look)
{
    QImage image = Paint::transparentImage(24, 24);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(3.5, 3.5, 17, 17);
    painter.setPen(QPen(controlEdge(checked, look), 1.4));
    painter.setBrush(controlFill(checked, look, box));
    painter.drawRoundedRect(box, 3.5, 3.5);
    if (checked) {
        QPainterPath tick;
        tick.moveTo(7.5, 12.2);
        tick.lineTo(10.6, 15.3);
        tick.lineTo(16.6, 8.8);
        painter.setPen(QPen(look == Look::Pressed ? QColor(255, 246, 220) : Palette::goldText, 2.0, Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    }
    return image;
}

} // namespace Controls
