#include "render/Graphics.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "game/Game.h"
#include "render_support.h"

using namespace tilzo;
using namespace tilzo::test;

namespace {

bool boardIsEmpty(const Game& game)
{
    for (const auto& column : game.Map)
        for (auto cell : column)
            if (cell != 0)
                return false;
    return true;
}

bool boardIsDealt(const Game& game)
{
    for (int column = 0; column < BoardSize; ++column)
        for (int row = 0; row < BoardSize; ++row)
            if (game.Map[column][row] < 1 || game.Map[column][row] > ColourCount)
                return false;
    return true;
}

struct StartUp {
    QTemporaryDir dir;
    Random random;
    Game game{random};
    QString background = writeBitmap(dir, "100.bmp", FrameSize, backgroundPixel);
    QString tiles = writeBitmap(dir, "101.bmp", TilesSize, tilePixel);
};

} // namespace

TEST(InitSurfaces, MakesTheSurfacesAndTheFontThenDealsTheBoard)
{
    StartUp setup;
    Graphics graphics({setup.background, setup.tiles});

    graphics.InitSurfaces(setup.game);

    EXPECT_EQ(graphics.BackBuffer.size(), QSize(364, 420));
    EXPECT_EQ(graphics.BackgroundSurf.size(), QSize(364, 420));
    EXPECT_EQ(graphics.TileSurf.size(), QSize(16, 80));
    EXPECT_EQ(graphics.BackgroundSurf.image().pixel(100, 200), backgroundPixel(100, 200));
    EXPECT_EQ(graphics.TileSurf.image().pixel(5, 70), tilePixel(5, 70));
    EXPECT_EQ(graphics.ScoreFont.family(), QStringLiteral("Verdana"));
    EXPECT_EQ(graphics.ScoreFont.pixelSize(), 11);
    EXPECT_FALSE(graphics.ScoreFont.bold());
    EXPECT_TRUE(boardIsDealt(setup.game));
}

TEST(InitSurfaces, AMissingBitmapIsNamedAndNoBoardIsDealt)
{
    for (const bool backgroundMissing : {true, false}) {
        StartUp setup;
        const QString missing = setup.dir.filePath("gone.bmp");
        Graphics graphics(backgroundMissing ? BitmapPaths{missing, setup.tiles}
                                            : BitmapPaths{setup.background, missing});
        try {
            graphics.InitSurfaces(setup.game);
            ADD_FAILURE() << "no error for " << missing.toStdString();
        } catch (const DrawError& error) {
            EXPECT_NE(std::string(error.what()).find(missing.toStdString()), std::string::npos)
                << error.what();
        }
        EXPECT_TRUE(boardIsEmpty(setup.game));
    }
}
