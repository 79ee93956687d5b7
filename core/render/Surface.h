#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tilzo {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(Point, Point) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(Size, Size) = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The nearest pixel: pixel i of a side `to` pixels long shows pixel nearestPixel(i, to, from)
// of a side `from` pixels long, the one under its centre. Presenting a frame and hit-testing
// a press both go through it, so a press acts on what is drawn under it.
constexpr int nearestPixel(int i, int to, int from)
{
    return static_cast<int>((2 * static_cast<long long>(i) + 1) * from / (2 * static_cast<long long>(to)));
}

// The pixel of a picture of size `from` that is shown at device pixel `at` of the same
// picture presented at size `to`.
constexpr Point shownPixel(Point at, Size to, Size from)
{
    return {nearestPixel(at.x, to.width, from.width), nearestPixel(at.y, to.height, from.height)};
}

// A drawing step that failed; what() says which step and why.
class DrawError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An opaque off-screen picture, pixels 0xFFRRGGBB row by row from the top. Copies
// overwrite the destination pixels; text leaves the pixels between the letters alone.
// Every operation on a released surface throws DrawError.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height); // black
    // A picture of exactly size, from pixels laid out as above.
    static Surface fromPixels(Size size, std::vector<std::uint32_t> pixels);

    void release();
    bool isNull() const { return pixels_.empty(); }
    Size size() const { return size_; }
    std::uint32_t pixel(int x, int y) const { return pixels_[std::size_t(y) * size_.width + x]; }
    const std::uint32_t* pixels() const { return pixels_.data(); }
    friend bool operator==(const Surface&, const Surface&) = default;

    // The colour of every later drawText.
    void setTextColour(std::uint32_t colour) { textColour_ = colour; }

    // from of source, unscaled, with its top-left corner at to; clipped to this surface.
    void copy(Point to, const Surface& source, const Rect& from);
    // from of source, stretched or shrunk onto to, each pixel from nearestPixel.
    // Both rectangles must lie inside their surfaces.
    void copyScaled(const Rect& to, const Surface& source, const Rect& from);
    // Code-page text with the top-left corner of its line box at topLeft.
    void drawText(Point topLeft, std::string_view text);

private:
    Size size_;
    std::vector<std::uint32_t> pixels_;
    std::uint32_t textColour_ = 0xFFFFFFFF;
};

} // namespace tilzo
