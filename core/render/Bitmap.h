#pragma once

#include "core/render/Surface.h"

#include <string_view>

namespace tilzo {

// A device-independent bitmap as a .bmp file holds it after its 14-byte file header, and
// as Windows keeps a BITMAP resource: an info header, then the rows. Uncompressed 24 or
// 32 bits a pixel, bottom-up or top-down. Throws DrawError for anything else.
Surface decodeDib(std::string_view dib);

} // namespace tilzo
