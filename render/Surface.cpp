#include "render/Surface.h"

#include <QImageReader>
#include <QPainter>

#include <vector>

namespace tilzo {

namespace {

// One format for every surface, so copies between them are plain pixel moves.
constexpr QImage::Format SurfaceFormat = QImage::Format_RGB32;

void requireImage(const QImage& image, const char* role)
{
    if (image.isNull())
        throw DrawError(QStringLiteral("the %1 surface has been released").arg(QLatin1String(role)));
}

template <typename Draw>
void paintOn(QImage& image, Draw draw)
{
    requireImage(image, "destination");
    QPainter painter;
    if (!painter.begin(&image))
        throw DrawError(QStringLiteral("cannot paint on a %1 by %2 surface")
                            .arg(image.width())
                            .arg(image.height()));
    draw(painter);
}

} // namespace

DrawError::DrawError(const QString& message) : std::runtime_error(message.toStdString()) {}

Surface::Surface(int width, int height) : image_(width, height, SurfaceFormat)
{
    if (image_.isNull())
        throw DrawError(QStringLiteral("cannot make a %1 by %2 surface").arg(width).arg(height));
    image_.fill(Qt::black);
}

Surface Surface::fromBitmap(const QString& path, QSize size)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        throw DrawError(QStringLiteral("bitmap %1 cannot be loaded: %2").arg(path, reader.errorString()));
    if (image.size() != size)
        throw DrawError(QStringLiteral("bitmap %1 is %2 by %3 pixels, not %4 by %5")
                            .arg(path)
                            .arg(image.width())
                            .arg(image.height())
                            .arg(size.width())
                            .arg(size.height()));
    Surface surface;
    // Dropping any alpha channel keeps the copies opaque.
    surface.image_ = image.convertToFormat(SurfaceFormat);
    return surface;
}

void Surface::release()
{
    image_ = QImage();
}

void Surface::setTextStyle(const QFont& font, const QColor& colour)
{
    font_ = font;
    textColour_ = colour;
}

void Surface::copy(QPoint to, const Surface& source, const QRect& from)
{
    requireImage(source.image_, "source");
    paintOn(image_, [&](QPainter& painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(to, source.image_, from);
    });
}

void Surface::copyScaled(const QRect& to, const Surface& source, const QRect& from)
{
    requireImage(source.image_, "source");
    requireImage(image_, "destination");
    if (!image_.rect().contains(to) || !source.image_.rect().contains(from) || to.isEmpty() || from.isEmpty())
        throw DrawError(QStringLiteral("cannot scale a copy to or from outside a surface"));
    std::vector<int> columns(to.width());
    for (int x = 0; x < to.width(); ++x)
        columns[x] = from.x() + nearestPixel(x, to.width(), from.width());
    for (int y = 0; y < to.height(); ++y) {
        const int sourceRow = from.y() + nearestPixel(y, to.height(), from.height());
        const auto* in = reinterpret_cast<const QRgb*>(source.image_.constScanLine(sourceRow));
        auto* out = reinterpret_cast<QRgb*>(image_.scanLine(to.y() + y)) + to.x();
        for (int x = 0; x < to.width(); ++x)
            out[x] = in[columns[x]];
    }
}

void Surface::drawText(QPoint topLeft, const QString& text)
{
    paintOn(image_, [&](QPainter& painter) {
        // Unblended glyphs: every text pixel is exactly the text colour,
        // and the letters stay crisp when the frame is scaled up.
        QFont font = font_;
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        painter.setPen(textColour_);
        painter.drawText(topLeft + QPoint(0, painter.fontMetrics().ascent()), text);
    });
}

} // namespace tilzo
