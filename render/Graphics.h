#pragma once

#include <QFont>
#include <QSize>
#include <QString>

#include "render/Surface.h"

namespace tilzo {

class Game;

constexpr QSize FrameSize(364, 420);  // the back buffer and the background bitmap
constexpr QSize TilesSize(16, 80);    // five 16 by 16 tile images, stacked

// Where the two bitmaps are read from; tests point these at files of their own.
struct BitmapPaths {
    QString background = QStringLiteral(":/bitmaps/100");
    QString tiles = QStringLiteral(":/bitmaps/101");
};

// The surfaces every frame is drawn with, made once at start-up.
class Graphics {
public:
    explicit Graphics(BitmapPaths bitmaps = {});

    Surface BackBuffer;      // every frame is composed here
    Surface BackgroundSurf;  // bitmap "100"
    Surface TileSurf;        // bitmap "101"
    QFont ScoreFont;

    // Makes the surfaces, loads the bitmaps and, last, deals the first board.
    // Throws DrawError naming the bitmap that is missing or unreadable.
    void InitSurfaces(Game& game);

private:
    BitmapPaths bitmaps_;
};

} // namespace tilzo
