#pragma once

#include <QColor>
#include <QImage>

// One palette for every picture: night blue for the world, gold for what
// the player can press, warm parchment for the dialogs.
namespace Palette {
inline const QColor skyTop{6, 9, 28};
inline const QColor skyMiddle{18, 28, 78};
inline const QColor skyHorizon{58, 66, 128};
inline const QColor horizonGlow{224, 170, 96};
inline const QColor moonLight{255, 246, 214};
inline const QColor gold{255, 216, 70};
inline const QColor goldLight{255, 238, 150};
inline const QColor goldDeep{214, 152, 48};
inline const QColor goldShadow{150, 98, 30};
inline const QColor goldText{112, 74, 29};
inline const QColor parchmentTop{253, 250, 242};
inline const QColor parchmentBottom{244, 237, 221};
inline const QColor parchmentEdge{214, 190, 140};
inline const QColor ink{57, 59, 64};
inline const QColor inkSoft{138, 140, 147};
inline const QColor controlEdge{190, 184, 170};
} // namespace Palette

namespace Paint {
// A clear picture to draw on.
inline QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

inline QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}
} // namespace Paint
