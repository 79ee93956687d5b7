#include "render/Graphics.h"

#include "game/Game.h"

#include <utility>

namespace tilzo {

Graphics::Graphics(BitmapPaths bitmaps) : bitmaps_(std::move(bitmaps)) {}

void Graphics::InitSurfaces(Game& game)
{
    BackBuffer.release();
    BackgroundSurf.release();
    TileSurf.release();

    BackBuffer = Surface(FrameSize.width(), FrameSize.height());
    ScoreFont.setBold(false);
    // 8 points as at 96 dpi, fixed in pixels so the layout never follows the screen's DPI.
    ScoreFont.setPixelSize(11);
    ScoreFont.setFamily(QStringLiteral("Verdana"));
    BackBuffer.setTextStyle(ScoreFont, Qt::white);

    BackgroundSurf = Surface::fromBitmap(bitmaps_.background, FrameSize);
    TileSurf = Surface::fromBitmap(bitmaps_.tiles, TilesSize);

    game.CreateRndMap();
}

} // namespace tilzo
