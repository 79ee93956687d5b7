#include "core/render/Graphics.h"

#include "core/render/Bitmap.h"

#include <string>

namespace tilzo {

namespace {

Surface loaded(const Graphics::BitmapLoader& load, Bitmap bitmap, Size size)
{
    Surface surface = decodeDib(load(bitmap));
    if (surface.size() != size)
        throw DrawError("bitmap " + std::to_string(bitmap) + " is " + std::to_string(surface.size().width)
                        + " by " + std::to_string(surface.size().height) + " pixels, not "
                        + std::to_string(size.width) + " by " + std::to_string(size.height));
    return surface;
}

} // namespace

void Graphics::InitSurfaces(const BitmapLoader& load)
{
    BackBuffer.release();
    BackgroundSurf.release();
    TileSurf.release();

    BackBuffer = Surface(FrameSize.width, FrameSize.height);
    BackBuffer.setTextColour(0xFFFFFFFF);

    BackgroundSurf = loaded(load, Background, FrameSize);
    TileSurf = loaded(load, Tiles, TilesSize);
}

} // namespace tilzo
