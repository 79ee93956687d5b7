#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <stdexcept>

namespace tilzo {

// The nearest pixel: pixel i of a side `to` pixels long shows pixel nearestPixel(i, to, from)
// of a side `from` pixels long, the one under its centre. Presenting a frame and hit-testing
// a press both go through it, so a press acts on what is drawn under it.
constexpr int nearestPixel(int i, int to, int from)
{
    return static_cast<int>((2 * static_cast<long long>(i) + 1) * from / (2 * static_cast<long long>(to)));
}

// A drawing step that failed; what() says which step and why.
class DrawError : public std::runtime_error {
public:
    explicit DrawError(const QString& message);
};

// An opaque off-screen picture. Copies overwrite the destination pixels;
// text leaves the pixels between the letters alone.
// Every operation on a released surface throws DrawError.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height);

    // The bitmap at path (a file or a ":/" resource), which must be exactly size.
    static Surface fromBitmap(const QString& path, QSize size);

    void release();
    bool isNull() const { return image_.isNull(); }
    QSize size() const { return image_.size(); }
    const QImage& image() const { return image_; }

    // The font and colour of every later drawText.
    void setTextStyle(const QFont& font, const QColor& colour);

    // from of source, unscaled, with its top-left corner at to.
    void copy(QPoint to, const Surface& source, const QRect& from);
    // from of source, stretched or shrunk onto to, each pixel from nearestPixel.
    // Both rectangles must lie inside their surfaces.
    void copyScaled(const QRect& to, const Surface& source, const QRect& from);
    // text with the top-left corner of its line box at topLeft.
    void drawText(QPoint topLeft, const QString& text);

private:
    QImage image_;
    QFont font_;
    QColor textColour_ = Qt::white;
};

} // namespace tilzo
