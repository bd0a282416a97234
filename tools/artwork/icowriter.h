#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Qt's own ICO writer stores a single image; the tray and the window want
// several sizes in one file, stored as classic 32-bit bitmaps.
bool writeIco(const QString &path, const QList<QImage> &images);
