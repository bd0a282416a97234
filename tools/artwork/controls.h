#pragma once

#include <QImage>

// Buttons and small controls, each in its three looks.
namespace Controls {
enum class Look { Normal, Hover, Pressed };

QImage goldButton(int width, int height, Look look);
QImage titleBarClose(Look look);
QImage titleBarMinimise(Look look);
QImage playPause(bool showsPause, Look look);
QImage changeFolder();
QImage dialogClose(Look look);
QImage star();
QImage radio(bool checked, Look look);
QImage checkBox(bool checked, Look look);
} // namespace Controls
