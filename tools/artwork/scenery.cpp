#include "scenery.h"

#include "palette.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QVector>
#include <QtMath>

namespace {

// Midpoint displacement gives ridges that look like mountains, and a fixed
// seed keeps every run of the generator identical.
QVector<qreal> ridgeHeights(int points, qreal roughness, quint32 seed)
{
    int size = 1;
    while (size < points)
        size *= 2;
    QVector<qreal> heights(size + 1, 0.0);
    QRandomGenerator random(seed);
    heights[0] = random.bounded(1.0) - 0.5;
    heights[size] = random.bounded(1.0) - 0.5;
    qreal spread = 1.0;
    for (int step = size; step > 1; step /= 2) {
        for (int i = step / 2; i < size; i += step) {
            const qreal middle = (heights[i - step / 2] + heights[i + step / 2]) / 2;
            heights[i] = middle + (random.bounded(2.0) - 1.0) * spread;
        }
        spread *= roughness;
    }
    return heights;
}

// valleyX/valleyWidth/valleyDepth lower the ridge around one place, so the
// lake can show between the near hills.
struct Valley
{
    qreal x = 0;
    qreal width = 1;
    qreal depth = 0;
};

QPainterPath ridgePath(const QRectF &area, qreal baseY, qreal amplitude, qreal roughness, quint32 seed,
                       const Valley &valley = {})
{
    const QVector<qreal> heights = ridgeHeights(256, roughness, seed);
    const int count = heights.size();
    QPainterPath path(QPointF(area.left(), area.bottom()));
    for (int i = 0; i < count; ++i) {
        const qreal x = area.left() + area.width() * i / (count - 1);
        const qreal dip = (x - valley.x) / valley.width;
        path.lineTo(x, baseY - heights[i] * amplitude + valley.depth * qExp(-dip * dip));
    }
    path.lineTo(area.right(), area.bottom());
    path.closeSubpath();
    return path;
}

void paintSky(QPainter &painter, const QRectF &area)
{
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, Palette::skyTop);
    sky.setColorAt(0.45, Palette::skyMiddle);
    sky.setColorAt(0.78, Palette::skyHorizon);
    sky.setColorAt(1.0, Palette::skyHorizon.lighter(115));
    painter.fillRect(area, sky);

    QRadialGradient glow(QPointF(area.left() + area.width() * 0.62, area.top() + area.height() * 0.78),
                         area.width() * 0.55);
    glow.setColorAt(0.0, Paint::withAlpha(Palette::horizonGlow, 110));
    glow.setColorAt(0.5, Paint::withAlpha(Palette::horizonGlow, 30));
    glow.setColorAt(1.0, Paint::withAlpha(Palette::horizonGlow, 0));
    painter.fillRect(area, glow);

    // Faint veils of colour, like an aurora over the peaks.
    const QColor veils[] = {QColor(70, 200, 190, 34), QColor(140, 90, 220, 30), QColor(60, 120, 230, 28)};
    const QPointF centres[] = {{0.22, 0.28}, {0.48, 0.18}, {0.82, 0.35}};
    for (int i = 0; i < 3; ++i) {
        const QPointF centre(area.left() + area.width() * centres[i].x(), area.top() + area.height() * centres[i].y());
        QRadialGradient veil(centre, area.width() * 0.28);
        veil.setColorAt(0.0, veils[i]);
        veil.setColorAt(1.0, Paint::withAlpha(veils[i], 0));
        painter.save();
        painter.translate(centre);
        painter.scale(1.6, 0.5);
        painter.translate(-centre);
        painter.fillRect(area.adjusted(-area.width(), -area.height(), area.width(), area.height()), veil);
        painter.restore();
    }
}

void paintStars(QPainter &painter, const QRectF &area, int count, quint32 seed)
{
    QRandomGenerator random(seed);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const qreal x = area.left() + random.bounded(area.width());
        // More stars high up, fewer near the glowing horizon.
        const qreal depth = random.bounded(1.0);
        const qreal y = area.top() + area.height() * depth * depth * 0.75;
        const qreal radius = 0.4 + random.bounded(1.0) * random.bounded(1.0) * 1.4;
        const int alpha = 90 + random.bounded(165);
        const QColor tint = random.bounded(5) == 0 ? QColor(255, 226, 170) : QColor(220, 230, 255);
        if (radius > 1.3) {
            QRadialGradient halo(QPointF(x, y), radius * 4);
            halo.setColorAt(0.0, Paint::withAlpha(tint, alpha / 2));
            halo.setColorAt(1.0, Paint::withAlpha(tint, 0));
            painter.setBrush(halo);
            painter.drawEllipse(QPointF(x, y), radius * 4, radius * 4);
        }
        painter.setBrush(Paint::withAlpha(tint, alpha));
        painter.drawEllipse(QPointF(x, y), radius, radius);
    }
}

void paintMoon(QPainter &painter, const QPointF &centre, qreal radius)
{
    painter.setPen(Qt::NoPen);
    QRadialGradient halo(centre, radius * 4.5);
    halo.setColorAt(0.0, Paint::withAlpha(Palette::moonLight, 120));
    halo.setColorAt(0.25, Paint::withAlpha(Palette::moonLight, 45));
    halo.setColorAt(1.0, Paint::withAlpha(Palette::moonLight, 0));
    painter.setBrush(halo);
    painter.drawEllipse(centre, radius * 4.5, radius * 4.5);

    QRadialGradient disc(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.3);
    disc.setColorAt(0.0, QColor(255, 252, 236));
    disc.setColorAt(0.7, QColor(250, 232, 186));
    disc.setColorAt(1.0, QColor(232, 196, 132));
    painter.setBrush(disc);
    painter.drawEllipse(centre, radius, radius);

    const struct
    {
        qreal dx, dy, r;
    } craters[] = {{-0.35, -0.2, 0.18}, {0.25, 0.3, 0.22}, {0.3, -0.35, 0.1}, {-0.15, 0.45, 0.09}};
    for (const auto &crater : craters) {
        painter.setBrush(QColor(214, 180, 120, 70));
        painter.drawEllipse(centre + QPointF(crater.dx, crater.dy) * radius, crater.r * radius, crater.r * radius);
    }
}

void paintMist(QPainter &painter, const QRectF &area, qreal y, qreal thickness, int alpha)
{
    QLinearGradient mist(QPointF(0, y - thickness), QPointF(0, y + thickness));
    mist.setColorAt(0.0, QColor(190, 200, 255, 0));
    mist.setColorAt(0.5, QColor(190, 200, 255, alpha));
    mist.setColorAt(1.0, QColor(190, 200, 255, 0));
    painter.fillRect(QRectF(area.left(), y - thickness, area.width(), thickness * 2), mist);
}

void paintRidge(QPainter &painter, const QRectF &area, qreal baseY, qreal amplitude, qreal roughness, quint32 seed,
                const QColor &top, const QColor &bottom, const Valley &valley = {})
{
    QLinearGradient fill(QPointF(0, baseY - amplitude), QPointF(0, area.bottom()));
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, bottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(ridgePath(area, baseY, amplitude, roughness, seed, valley));
}

// A keep with towers on a crag; lit windows give the night a warm point.
void paintCastle(QPainter &painter, const QPointF &base, qreal scale)
{
    const QColor stone(16, 20, 48);
    painter.setPen(Qt::NoPen);
    painter.setBrush(stone);

    QPainterPath crag;
    crag.moveTo(base + QPointF(-190, 130) * scale);
    crag.cubicTo(base + QPointF(-110, 40) * scale, base + QPointF(-70, 0) * scale, base + QPointF(-40, 0) * scale);
    crag.lineTo(base + QPointF(70, 0) * scale);
    crag.cubicTo(base + QPointF(110, 0) * scale, base + QPointF(160, 50) * scale, base + QPointF(230, 130) * scale);
    crag.closeSubpath();
    painter.drawPath(crag);

    const struct
    {
        qreal x, width, height;
    } towers[] = {{-38, 22, 70}, {-14, 40, 46}, {24, 18, 96}, {40, 30, 52}, {68, 16, 64}};
    for (const auto &tower : towers) {
        const QRectF body(base.x() + tower.x * scale, base.y() - tower.height * scale, tower.width * scale,
                          tower.height * scale + 1);
        painter.drawRect(body);
        QPainterPath roof;
        roof.moveTo(body.left() - 3 * scale, body.top());
        roof.lineTo(body.center().x(), body.top() - tower.width * 1.1 * scale);
        roof.lineTo(body.right() + 3 * scale, body.top());
        roof.closeSubpath();
        painter.drawPath(roof);
    }
    // Banner on the highest spire.
    painter.setBrush(Paint::withAlpha(Palette::gold, 220));
    const QPointF spire(base.x() + 33 * scale, base.y() - (96 + 19.8) * scale);
    QPainterPath flag;
    flag.moveTo(spire);
    flag.lineTo(spire + QPointF(14, 4) * scale);
    flag.lineTo(spire + QPointF(0, 8) * scale);
    flag.closeSubpath();
    painter.drawPath(flag);

    const QPointF windows[] = {{-30, -50}, {-2, -30}, {30, -78}, {30, -60}, {52, -36}, {74, -46}, {8, -30}};
    for (const QPointF &window : windows) {
        const QPointF centre = base + window * scale;
        QRadialGradient light(centre, 9 * scale);
        light.setColorAt(0.0, Paint::withAlpha(Palette::gold, 150));
        light.setColorAt(1.0, Paint::withAlpha(Palette::gold, 0));
        painter.setBrush(light);
        painter.drawEllipse(centre, 9 * scale, 9 * scale);
        painter.setBrush(QColor(255, 214, 120));
        painter.drawRoundedRect(QRectF(centre - QPointF(1.6, 3) * scale, QSizeF(3.2, 6) * scale), 1.2 * scale,
                                1.2 * scale);
    }
}

void paintLake(QPainter &painter, const QRectF &water, qreal moonX)
{
    QLinearGradient surface(water.topLeft(), water.bottomLeft());
    surface.setColorAt(0.0, QColor(40, 48, 104));
    surface.setColorAt(1.0, QColor(10, 14, 38));
    painter.fillRect(water, surface);
    // The moon's path on the water: short bright strokes, narrowing downwards.
    QRandomGenerator random(77);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 140; ++i) {
        const qreal depth = random.bounded(1.0);
        const qreal y = water.top() + 3 + depth * (water.height() - 6);
        const qreal spread = 20 + depth * 70;
        const qreal x = moonX + (random.bounded(2.0) - 1.0) * spread;
        const qreal length = 10 + random.bounded(30.0) * (1.0 - depth * 0.5);
        painter.setBrush(Paint::withAlpha(Palette::moonLight, int(90 * (1.0 - depth * 0.8))));
        painter.drawRoundedRect(QRectF(x - length / 2, y, length, 1.2), 0.6, 0.6);
    }
}

void paintVignette(QPainter &painter, const QRectF &area)
{
    QRadialGradient vignette(area.center(), area.width() * 0.75);
    vignette.setColorAt(0.55, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 10, 150));
    painter.fillRect(area, vignette);
}

void paintLandscape(QPainter &painter, const QRectF &area, qreal scale, const QPointF &moon, const QPointF &castle)
{
    paintSky(painter, area);
    paintStars(painter, area, int(area.width() * area.height() / 2400), 11);
    paintMoon(painter, moon, 62 * scale);

    const qreal h = area.height();
    const qreal top = area.top();
    paintRidge(painter, area, top + h * 0.58, 300 * scale, 0.48, 5, QColor(72, 82, 152), QColor(52, 60, 120));
    paintMist(painter, area, top + h * 0.63, 44 * scale, 70);
    paintRidge(painter, area, top + h * 0.68, 170 * scale, 0.5, 8, QColor(44, 52, 112), QColor(30, 36, 84));
    paintCastle(painter, castle, scale);
    paintMist(painter, area, top + h * 0.755, 26 * scale, 55);
    paintLake(painter, QRectF(area.left(), top + h * 0.76, area.width(), h * 0.24), moon.x());
    paintMist(painter, area, top + h * 0.765, 10 * scale, 60);
    const Valley lakeView{moon.x() - area.width() * 0.05, area.width() * 0.16, 110 * scale};
    paintRidge(painter, area, top + h * 0.87, 110 * scale, 0.5, 21, QColor(22, 26, 62), QColor(8, 10, 26), lakeView);
    paintVignette(painter, area);
}

QPainterPath roundedRect(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

void paintParchment(QPainter &painter, const QRectF &rect, qreal radius)
{
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0.0, Palette::parchmentTop);
    fill.setColorAt(1.0, Palette::parchmentBottom);
    painter.setPen(QPen(Palette::parchmentEdge, 1.2));
    painter.setBrush(fill);
    painter.drawPath(roundedRect(rect.adjusted(0.6, 0.6, -0.6, -0.6), radius));
    // A thin gold frame inside the edge.
    painter.setPen(QPen(Paint::withAlpha(Palette::goldDeep, 90), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(roundedRect(rect.adjusted(6.5, 6.5, -6.5, -6.5), radius - 5));
}

void paintCornerGem(QPainter &painter, const QPointF &centre, qreal size)
{
    QPainterPath gem;
    gem.moveTo(centre + QPointF(0, -size));
    gem.lineTo(centre + QPointF(size, 0));
    gem.lineTo(centre + QPointF(0, size));
    gem.lineTo(centre + QPointF(-size, 0));
    gem.closeSubpath();
    QLinearGradient fill(centre - QPointF(size, size), centre + QPointF(size, size));
    fill.setColorAt(0.0, Palette::goldLight);
    fill.setColorAt(1.0, Palette::goldDeep);
    painter.setPen(QPen(Palette::goldShadow, 0.8));
    painter.setBrush(fill);
    painter.drawPath(gem);
}

void paintWordmark(QPainter &painter, const QRectF &box)
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(30);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    QPainterPath text;
    const QString name = QStringLiteral("AURELITH");
    const qreal width = QFontMetricsF(font).horizontalAdvance(name);
    text.addText(box.center().x() - width / 2, box.center().y() + 10, font, name);

    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0.2, Palette::goldLight);
    fill.setColorAt(0.8, Palette::goldDeep);
    painter.setPen(QPen(QColor(40, 24, 6, 160), 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(text.translated(0, 1.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(text);

    painter.setPen(QPen(Paint::withAlpha(Palette::gold, 170), 1.0));
    const qreal lineY = box.bottom() + 4;
    painter.drawLine(QPointF(box.center().x() - 80, lineY), QPointF(box.center().x() - 12, lineY));
    painter.drawLine(QPointF(box.center().x() + 12, lineY), QPointF(box.center().x() + 80, lineY));
    paintCornerGem(painter, QPointF(box.center().x(), lineY), 5);
}

} // namespace

namespace Scenery {

QImage background(int width, int height)
{
    QImage image = Paint::transparentImage(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = height / 730.0;
    paintLandscape(painter, QRectF(0, 0, width, height), scale, QPointF(width * 0.74, height * 0.24),
                   QPointF(width * 0.79, height * 0.62));
    return image;
}

QImage bottomMask(int width, int height)
{
    QImage image = Paint::transparentImage(width, height);
    QPainter painter(&image);
    QLinearGradient shade(QPointF(0, 0), QPointF(0, height));
    shade.setColorAt(0.0, QColor(4, 6, 20, 0));
    shade.setColorAt(0.35, QColor(4, 6, 20, 120));
    shade.setColorAt(1.0, QColor(4, 6, 20, 225));
    painter.fillRect(image.rect(), shade);
    return image;
}

QImage dialogBackground(int width, int height)
{
    QImage image = Paint::transparentImage(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card(0, 0, width, height);
    paintParchment(painter, card, 12);
    // Gems sit inside the 50 x 50 corners, which keep their size when the
    // dialog stretches the picture.
    const qreal inset = 6.5;
    paintCornerGem(painter, card.topLeft() + QPointF(inset, inset), 3.5);
    paintCornerGem(painter, QPointF(card.right() - inset, card.top() + inset), 3.5);
    paintCornerGem(painter, QPointF(card.left() + inset, card.bottom() - inset), 3.5);
    paintCornerGem(painter, QPointF(card.right() - inset, card.bottom() - inset), 3.5);
    return image;
}

QImage installDialog(int width, int height)
{
    QImage image = Paint::transparentImage(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF card(24, 92, width - 40, 396);
    paintParchment(painter, card, 14);

    // The key-art panel rises above the card on the left.
    const QRectF panel(36, 28, 244, 484);
    painter.save();
    painter.setClipPath(roundedRect(card, 14));
    QLinearGradient shadow(QPointF(panel.right() - 4, 0), QPointF(panel.right() + 22, 0));
    shadow.setColorAt(0.0, QColor(60, 40, 10, 70));
    shadow.setColorAt(1.0, QColor(60, 40, 10, 0));
    painter.fillRect(QRectF(panel.right() - 4, card.top(), 26, card.height()), shadow);
    painter.restore();

    painter.save();
    painter.setClipPath(roundedRect(panel, 16));
    paintLandscape(painter, panel, 0.5, QPointF(panel.left() + 168, panel.top() + 92),
                   QPointF(panel.left() + 96, panel.top() + 318));
    QLinearGradient foot(QPointF(0, panel.bottom() - 170), QPointF(0, panel.bottom()));
    foot.setColorAt(0.0, QColor(6, 8, 24, 0));
    foot.setColorAt(1.0, QColor(6, 8, 24, 210));
    painter.fillRect(panel, foot);
    painter.restore();
    paintWordmark(painter, QRectF(panel.left(), panel.bottom() - 92, panel.width(), 40));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Palette::goldDeep, 2.0));
    painter.drawPath(roundedRect(panel.adjusted(1, 1, -1, -1), 15));
    painter.setPen(QPen(Paint::withAlpha(Palette::goldLight, 120), 1.0));
    painter.drawPath(roundedRect(panel.adjusted(5.5, 5.5, -5.5, -5.5), 11));
    paintCornerGem(painter, QPointF(panel.center().x(), panel.top() + 1), 6);
    paintCornerGem(painter, QPointF(panel.center().x(), panel.bottom() - 1), 6);
    return image;
}

QImage emblem(int side)
{
    QImage image = Paint::transparentImage(side, side);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 256.0, side / 256.0);

    const QPointF centre(128, 128);
    QRadialGradient disc(QPointF(110, 90), 170);
    disc.setColorAt(0.0, QColor(52, 70, 160));
    disc.setColorAt(0.6, Palette::skyMiddle);
    disc.setColorAt(1.0, Palette::skyTop);
    QLinearGradient ring(QPointF(0, 0), QPointF(0, 256));
    ring.setColorAt(0.0, Palette::goldLight);
    ring.setColorAt(0.5, Palette::gold);
    ring.setColorAt(1.0, Palette::goldDeep);
    painter.setPen(QPen(QBrush(ring), 14));
    painter.setBrush(disc);
    painter.drawEllipse(centre, 114, 114);

    // Crescent moon.
    QPainterPath moon;
    moon.addEllipse(QPointF(150, 84), 40, 40);
    QPainterPath bite;
    bite.addEllipse(QPointF(168, 70), 36, 36);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::moonLight);
    painter.drawPath(moon.subtracted(bite));

    // Twin peaks shaped like an "A".
    QPainterPath peaks;
    peaks.moveTo(40, 196);
    peaks.lineTo(104, 86);
    peaks.lineTo(132, 134);
    peaks.lineTo(152, 110);
    peaks.lineTo(216, 196);
    peaks.closeSubpath();
    QPainterPath disk;
    disk.addEllipse(centre, 107, 107);
    painter.setBrush(QBrush(ring));
    painter.drawPath(peaks.intersected(disk));
    QPainterPath snow;
    snow.moveTo(104, 86);
    snow.lineTo(122, 117);
    snow.lineTo(110, 110);
    snow.lineTo(100, 120);
    snow.lineTo(90, 110);
    snow.closeSubpath();
    painter.setBrush(QColor(255, 250, 230));
    painter.drawPath(snow);
    return image;
}

} // namespace Scenery
