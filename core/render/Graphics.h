#pragma once

#include "core/render/Surface.h"

#include <functional>
#include <string>

namespace tilzo {

class Game;

constexpr Size FrameSize{364, 420}; // the back buffer and the background bitmap
constexpr Size TilesSize{16, 80}; // five 16 by 16 tile images, stacked

enum Bitmap { Background = 100, Tiles = 101 };

// The surfaces every frame is drawn with, made once at start-up.
class Graphics {
public:
    // The front end's way to the bitmaps the program carries, as device-independent
    // bitmaps (see decodeDib); throws DrawError when it cannot.
    using BitmapLoader = std::function<std::string(Bitmap)>;

    Surface BackBuffer; // every frame is composed here
    Surface BackgroundSurf; // bitmap "100"
    Surface TileSurf; // bitmap "101"

    // Makes the surfaces, loads the bitmaps and, last, deals the first board. Throws
    // DrawError naming the bitmap that is missing or of the wrong size.
    void InitSurfaces(Game& game, const BitmapLoader& load);
};

} // namespace tilzo
