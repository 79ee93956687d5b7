#include "core/render/Bitmap.h"

#include <cstdint>
#include <cstdlib>

namespace tilzo {

namespace {

std::int32_t field(std::string_view bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return size == 2 ? static_cast<std::int16_t>(value) : static_cast<std::int32_t>(value);
}

} // namespace

Surface decodeDib(std::string_view dib)
{
    constexpr std::size_t InfoHeaderSize = 40;
    if (dib.size() < InfoHeaderSize || field(dib, 0, 4) < int(InfoHeaderSize))
        throw DrawError("a bitmap without its header");
    const int width = field(dib, 4, 4);
    const int rawHeight = field(dib, 8, 4);
    const int bits = field(dib, 14, 2);
    const int compression = field(dib, 16, 4);
    const int height = std::abs(rawHeight);
    if ((bits != 24 && bits != 32) || compression != 0 || width <= 0 || width > 65536 || height == 0
        || height > 65536)
        throw DrawError("a bitmap of a kind the game does not draw");
    const std::size_t stride = (std::size_t(width) * bits / 8 + 3) / 4 * 4;
    const std::size_t start = field(dib, 0, 4);
    if (dib.size() < start + stride * height)
        throw DrawError("a bitmap cut short");
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        // Rows go bottom-up unless the height is negative.
        const std::size_t row = start + stride * std::size_t(rawHeight > 0 ? height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            const std::size_t at = row + std::size_t(x) * bits / 8;
            pixels[std::size_t(y) * width + x] = std::uint32_t(field(dib, at, 3));
        }
    }
    return Surface::fromPixels({width, height}, std::move(pixels));
}

} // namespace tilzo
