#pragma once

#include <QImage>

// The larger pictures: the night landscape behind the main window, the
// dialog backgrounds and the emblem used for the program's icon.
namespace Scenery {
QImage background(int width, int height);
QImage bottomMask(int width, int height);
QImage dialogBackground(int width, int height);
QImage installDialog(int width, int height);
QImage emblem(int side);
} // namespace Scenery
