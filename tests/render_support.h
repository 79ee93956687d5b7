#pragma once

#include <QImage>
#include <QString>
#include <QTemporaryDir>

namespace tilzo::test {

// Colours of the test bitmaps: every pixel tells where it came from.
QRgb backgroundPixel(int x, int y);
QRgb tilePixel(int x, int y);

// Writes a test bitmap of the given size into dir; pixel(x, y) gives its colours.
QString writeBitmap(const QTemporaryDir& dir, const QString& name, QSize size, QRgb (*pixel)(int, int));

} // namespace tilzo::test
