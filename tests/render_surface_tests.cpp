#include "render/Surface.h"

#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "render_support.h"

using namespace tilzo;
using namespace tilzo::test;

namespace {

class SurfaceTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    int written = 0;

    Surface loaded(QSize size, QRgb (*pixel)(int, int))
    {
        const QString name = QString::number(++written) + ".bmp";
        return Surface::fromBitmap(writeBitmap(dir, name, size, pixel), size);
    }
};

QRgb at(const Surface& surface, int x, int y)
{
    return surface.image().pixel(x, y);
}

} // namespace

TEST_F(SurfaceTest, CopiesAreOpaqueAndUnscaled)
{
    Surface dest = loaded(QSize(60, 50), backgroundPixel);
    dest.copy(QPoint(20, 10), loaded(QSize(16, 80), tilePixel), QRect(0, 32, 16, 16));

    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 60; ++x) {
            const bool inside = x >= 20 && x < 36 && y >= 10 && y < 26;
            ASSERT_EQ(at(dest, x, y), inside ? tilePixel(x - 20, y - 10 + 32) : backgroundPixel(x, y))
                << x << "," << y;
        }
    }

    QImage clear(4, 4, QImage::Format_ARGB32);
    clear.fill(qRgba(10, 20, 30, 0));
    ASSERT_TRUE(clear.save(dir.filePath("clear.png")));
    dest.copy(QPoint(2, 2), Surface::fromBitmap(dir.filePath("clear.png"), QSize(4, 4)), QRect(0, 0, 4, 4));
    EXPECT_EQ(at(dest, 3, 3), qRgb(10, 20, 30)) << "a transparent pixel let the destination through";
}

TEST_F(SurfaceTest, ScaledCopiesRepeatPixelsWithoutBlending)
{
    Surface dest(50, 70);
    dest.copyScaled(QRect(5, 5, 40, 60), loaded(QSize(20, 30), backgroundPixel), QRect(0, 0, 20, 30));

    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(at(dest, 5 + x, 5 + y), backgroundPixel(x / 2, y / 2)) << x << "," << y;
    EXPECT_EQ(at(dest, 4, 4), qRgb(0, 0, 0));
    EXPECT_EQ(at(dest, 45, 65), qRgb(0, 0, 0));
}

TEST_F(SurfaceTest, TextHangsBelowItsTopLeftCornerInItsOwnColourOnly)
{
    Surface surface = loaded(QSize(120, 60), backgroundPixel);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(11);
    const QColor colour(250, 240, 10);
    surface.setTextStyle(font, colour);

    surface.drawText(QPoint(30, 20), QStringLiteral("Hq"));

    QRect ink;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 120; ++x) {
            const QRgb pixel = at(surface, x, y);
            if (pixel == backgroundPixel(x, y))
                continue;
            ASSERT_EQ(pixel, colour.rgb()) << "blended or boxed text at " << x << "," << y;
            ink |= QRect(x, y, 1, 1);
        }
    }
    const QFontMetrics metrics(font);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 30);
    EXPECT_LE(ink.left(), 32);
    // The line box starts at y: the cap of the H sits inside it, not above it.
    EXPECT_GE(ink.top(), 20);
    EXPECT_LE(ink.top(), 20 + metrics.ascent() - metrics.capHeight() + 1);
    EXPECT_GT(ink.bottom(), 20 + metrics.ascent());  // the tail of the q
    EXPECT_LT(ink.bottom(), 20 + metrics.height());
}

TEST_F(SurfaceTest, ReleasedSurfacesAndUnusableBitmapsThrow)
{
    const Surface source = loaded(QSize(16, 16), tilePixel);
    Surface released = loaded(QSize(16, 16), tilePixel);
    released.release();
    Surface dest(16, 16);
    EXPECT_THROW(released.copy(QPoint(0, 0), source, QRect(0, 0, 16, 16)), DrawError);
    EXPECT_THROW(released.drawText(QPoint(0, 0), QStringLiteral("x")), DrawError);
    EXPECT_THROW(dest.copy(QPoint(0, 0), released, QRect(0, 0, 16, 16)), DrawError);
    EXPECT_THROW(dest.copyScaled(QRect(0, 0, 8, 8), released, QRect(0, 0, 16, 16)), DrawError);

    const QString garbage = dir.filePath("garbage.bmp");
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BM not really a bitmap");
    file.close();
    const QString wrongSize = writeBitmap(dir, "small.bmp", QSize(16, 79), tilePixel);
    for (const QString& path : {dir.filePath("nowhere.bmp"), wrongSize, garbage}) {
        try {
            Surface::fromBitmap(path, QSize(16, 80));
            ADD_FAILURE() << path.toStdString() << " was accepted";
        } catch (const DrawError& error) {
            EXPECT_NE(std::string(error.what()).find(path.toStdString()), std::string::npos) << error.what();
        }
    }
}
