#pragma once

#include "core/render/Layout.h"

#include <functional>
#include <string>

namespace tilzo {

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

    // Makes the surfaces and loads the bitmaps. Throws DrawError naming the bitmap that
    // is missing or of the wrong size.
    void InitSurfaces(const BitmapLoader& load);
};

} // namespace tilzo
