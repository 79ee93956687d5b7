#pragma once

#include "core/render/Surface.h"

namespace tilzo {

// The window's inner area, in pixels at the desktop's usual scale, and the picture box's
// size as the window makes it, before the first resize fits it to that area.
constexpr Size WindowInnerSize{367, 423};
constexpr Size PictureBoxFirstSize{368, 424};

} // namespace tilzo
