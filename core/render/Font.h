#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tilzo {

// The frame's text, drawn exactly as Qt drew it with the frame's font (see assets/glyphs.inc):
// unsmoothed glyphs, kerned, with the font's ligatures and Qt's tab stops.

// From the top of a line to its baseline, and from one line's top to the next, in pixels.
int textAscent();
int textLineHeight();

// Draws text, one Windows-1252 byte a character (zero bytes left out), with the top left of its
// line at (x, y) on 32-bit pixels 0xAARRGGBB, stride pixels a row apart. Only the glyphs' own
// pixels change, to colour made opaque; whatever falls outside the width by height buffer is
// left out.
void drawText(std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride, int x, int y,
              std::string_view codePageBytes, std::uint32_t colour);

} // namespace tilzo
