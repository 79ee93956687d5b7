#include "render_support.h"

#include "render/Frame.h"

#include <QFontMetrics>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace tilzo::test {

namespace {

// Fonts need a running application; the tests run on the offscreen platform.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "render_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] const auto* const guiEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace

QRgb backgroundPixel(int x, int y)
{
    return qRgb(x % 251, y % 241, (7 * x + 13 * y) % 256);
}

QRgb tilePixel(int x, int y)
{
    return qRgb(200 - 2 * y, 10 + 10 * x, 50 + 2 * y);
}

QRgb blackPixel(int, int)
{
    return qRgb(0, 0, 0);
}

QString writeBitmap(const QTemporaryDir& dir, const QString& name, QSize size, QRgb (*pixel)(int, int))
{
    QImage image(size, QImage::Format_RGB888);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, pixel(x, y));
    const QString path = dir.filePath(name);
    if (!image.save(path, "BMP"))
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

Scene::Scene(QRgb (*background)(int, int))
    : graphics(BitmapPaths{writeBitmap(dir, "100.bmp", FrameSize, background),
                           writeBitmap(dir, "101.bmp", TilesSize, tilePixel)})
{
    graphics.InitSurfaces(game);
}

Scene::Scene(ShippedArtwork)
{
    graphics.InitSurfaces(game);
}

void Scene::clearBoard()
{
    for (auto& column : game.Map)
        for (auto& cell : column)
            cell = 0;
}

const QImage& Scene::compose()
{
    ComposeFrame(graphics, game, scores);
    return graphics.BackBuffer.image();
}

QImage region(const QImage& image, const QRect& rect)
{
    return image.copy(rect).convertToFormat(QImage::Format_RGB32);
}

::testing::AssertionResult samePixels(const QImage& actual, const QImage& expected, QRect area)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "sizes differ";
    if (area.isEmpty())
        area = actual.rect();
    const auto rgb = [](QRgb pixel) {
        return QStringLiteral("(%1,%2,%3)").arg(qRed(pixel)).arg(qGreen(pixel)).arg(qBlue(pixel)).toStdString();
    };
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << rgb(actual.pixel(x, y))
                                                     << ", expected " << rgb(expected.pixel(x, y));
        }
    }
    return ::testing::AssertionSuccess();
}

QImage textsOnBlack(const QFont& font, const std::vector<PlacedText>& texts)
{
    Surface surface(FrameSize.width(), FrameSize.height());
    surface.setTextStyle(font, Qt::white);
    for (const auto& [pos, text] : texts)
        surface.drawText(pos, text);
    return surface.image();
}

QRect textBox(const QFont& font, const PlacedText& text)
{
    const QFontMetrics metrics(font);
    const QRect box(text.first, QSize(metrics.horizontalAdvance(text.second), metrics.height()));
    return box.adjusted(-1, -1, 1, 1);
}

} // namespace tilzo::test
