#include "core/render/Surface.h"

#include "core/render/Font.h"

#include <algorithm>

namespace tilzo {

namespace {

void require(const Surface& surface, const char* role)
{
    if (surface.isNull())
        throw DrawError(std::string("the ") + role + " surface has been released");
}

bool inside(const Rect& rect, Size size)
{
    return rect.x >= 0 && rect.y >= 0 && rect.width > 0 && rect.height > 0
           && rect.x + rect.width <= size.width && rect.y + rect.height <= size.height;
}

} // namespace

Surface::Surface(int width, int height)
{
    if (width <= 0 || height <= 0)
        throw DrawError("cannot make a " + std::to_string(width) + " by " + std::to_string(height)
                        + " surface");
    size_ = {width, height};
    pixels_.assign(std::size_t(width) * height, 0xFF000000);
}

Surface Surface::fromPixels(Size size, std::vector<std::uint32_t> pixels)
{
    Surface surface(size.width, size.height);
    if (pixels.size() != surface.pixels_.size())
        throw DrawError("a picture's pixels do not fill its size");
    // Opaque, whatever the source said of alpha.
    for (std::uint32_t& pixel : pixels)
        pixel |= 0xFF000000;
    surface.pixels_ = std::move(pixels);
    return surface;
}

void Surface::release()
{
    pixels_ = {};
    size_ = {};
}

void Surface::copy(Point to, const Surface& source, const Rect& from)
{
    require(source, "source");
    require(*this, "destination");
    if (!inside(from, source.size_))
        throw DrawError("cannot copy from outside a surface");
    const int left = std::max(0, -to.x);
    const int right = std::min(from.width, size_.width - to.x);
    for (int y = std::max(0, -to.y); left < right && y < std::min(from.height, size_.height - to.y); ++y) {
        const std::uint32_t* in = &source.pixels_[std::size_t(from.y + y) * source.size_.width + from.x];
        std::copy(in + left, in + right, &pixels_[std::size_t(to.y + y) * size_.width + to.x + left]);
    }
}

void Surface::copyScaled(const Rect& to, const Surface& source, const Rect& from)
{
    require(source, "source");
    require(*this, "destination");
    if (!inside(to, size_) || !inside(from, source.size_))
        throw DrawError("cannot scale a copy to or from outside a surface");
    std::vector<int> columns(to.width);
    for (int x = 0; x < to.width; ++x)
        columns[x] = from.x + nearestPixel(x, to.width, from.width);
    int lastRow = -1;
    for (int y = 0; y < to.height; ++y) {
        const int sourceRow = from.y + nearestPixel(y, to.height, from.height);
        std::uint32_t* out = &pixels_[std::size_t(to.y + y) * size_.width + to.x];
        // Enlarged, a source row shows on several rows running: sample it once.
        if (sourceRow == lastRow) {
            std::copy(out - size_.width, out - size_.width + to.width, out);
            continue;
        }
        const std::uint32_t* in = &source.pixels_[std::size_t(sourceRow) * source.size_.width];
        for (int x = 0; x < to.width; ++x)
            out[x] = in[columns[x]];
        lastRow = sourceRow;
    }
}

void Surface::drawText(Point topLeft, std::string_view text)
{
    require(*this, "destination");
    tilzo::drawText(pixels_.data(), size_.width, size_.height, size_.width, topLeft.x, topLeft.y, text,
                    textColour_);
}

} // namespace tilzo
