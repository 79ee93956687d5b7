#include "core/render/Font.h"

#include <algorithm>
#include <cstdint>

namespace tilzo {

namespace {

struct GlyphShape {
    std::int16_t advance; // in 64ths of a pixel
    std::int8_t left, top; // of the ink, from the pen on the baseline
    std::uint8_t width, height;
    std::uint16_t firstRow;
};

struct LigatureRule {
    std::uint8_t length;
    std::int16_t parts[4];
    std::int16_t glyph;
};

struct KerningPair {
    std::int16_t first, second;
    std::int16_t delta; // in 64ths, added to the first glyph's advance
};

constexpr std::int16_t Skip = -1;
constexpr std::int16_t Tab = -2;

#include "assets/glyphs.inc"

constexpr int Subpixels = 64;

// The glyphs of a text in order, without the bytes that draw as nothing.
class GlyphReader {
public:
    explicit GlyphReader(std::string_view bytes)
        : bytes_(bytes)
    {
    }

    // The next glyph or Tab from `at` on, and where the one after it starts; Skip at the end.
    std::int16_t peek(std::size_t at, std::size_t* after) const
    {
        for (; at < bytes_.size(); ++at) {
            const std::int16_t glyph = ByteGlyphs[static_cast<unsigned char>(bytes_[at])];
            if (glyph != Skip) {
                *after = at + 1;
                return glyph;
            }
        }
        *after = at;
        return Skip;
    }

private:
    std::string_view bytes_;
};

// The ligature that starts at `at`, if any, and where the text after it starts.
std::int16_t ligatureAt(const GlyphReader& reader, std::int16_t first, std::size_t* after)
{
    for (const LigatureRule& rule : Ligatures) {
        if (rule.parts[0] != first)
            continue;
        std::size_t next = *after;
        int matched = 1;
        while (matched < rule.length && reader.peek(next, &next) == rule.parts[matched])
            ++matched;
        if (matched == rule.length) {
            *after = next;
            return rule.glyph;
        }
    }
    return first;
}

int kerning(std::int16_t first, std::int16_t second)
{
    const KerningPair key{first, second, 0};
    const auto before = [](const KerningPair& a, const KerningPair& b) {
        return a.first != b.first ? a.first < b.first : a.second < b.second;
    };
    const auto* found = std::lower_bound(std::begin(Kerning), std::end(Kerning), key, before);
    return found != std::end(Kerning) && !before(key, *found) ? found->delta : 0;
}

// Where a tab takes the pen: the next tab stop, found as Qt finds it, by a quotient rounded
// to 64ths first, so a pen within half a 64th of a stop's width (0.625 pixels) short of it
// already counts as there.
std::int64_t afterTab(std::int64_t pen)
{
    const std::int64_t stops = (pen * Subpixels + TabStop / 2) / TabStop;
    return ((stops >> 6) + 1) * TabStop;
}

// Division rounding down, for pens left of the start.
std::int64_t floorDivide(std::int64_t value, std::int64_t by)
{
    return value / by - (value % by < 0 ? 1 : 0);
}

void drawGlyph(std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride, std::int64_t penX,
               std::int64_t baseline, const GlyphShape& shape, std::uint32_t colour)
{
    for (int row = 0; row < shape.height; ++row) {
        const std::int64_t y = baseline + shape.top + row;
        if (y < 0 || y >= height)
            continue;
        const std::uint16_t mask = GlyphRows[shape.firstRow + row];
        for (int column = 0; column < shape.width; ++column) {
            const std::int64_t x = penX + shape.left + column;
            if ((mask >> column & 1) != 0 && x >= 0 && x < width)
                pixels[y * stride + x] = colour;
        }
    }
}

} // namespace

int textAscent()
{
    return TextAscent;
}

int textLineHeight()
{
    return TextLineHeight;
}

void drawText(std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride, int x, int y,
              std::string_view codePageBytes, std::uint32_t colour)
{
    // RGB32 pixels are always opaque.
    colour |= 0xff000000u;
    const GlyphReader reader(codePageBytes);
    const std::int64_t baseline = std::int64_t(y) + TextAscent;
    std::int64_t pen = 0; // 64ths of a pixel from x
    std::int16_t previous = Skip; // kerning and ligatures stop at tabs
    std::size_t at = 0;
    while (true) {
        std::int16_t glyph = reader.peek(at, &at);
        if (glyph == Skip)
            break;
        if (glyph == Tab) {
            pen = afterTab(pen);
            previous = Skip;
            continue;
        }
        glyph = ligatureAt(reader, glyph, &at);
        if (previous != Skip)
            pen += kerning(previous, glyph);
        const GlyphShape& shape = GlyphShapes[glyph];
        drawGlyph(pixels, width, height, stride, x + floorDivide(pen, Subpixels), baseline, shape, colour);
        pen += shape.advance;
        previous = glyph;
    }
}

} // namespace tilzo
