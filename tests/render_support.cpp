#include "render_support.h"

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

} // namespace tilzo::test
