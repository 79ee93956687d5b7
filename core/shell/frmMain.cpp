#include "core/shell/frmMain.h"

#include "core/render/Frame.h"
#include "core/shell/PlayerName.h"

namespace tilzo {

frmMain::frmMain(Frontend& frontend, Random& random, HighScores::Folders folders)
    : game(random)
    , scores(std::move(folders),
             [&frontend](const std::string& message) { frontend.showError(message, "Tilzo"); })
    , frontend_(frontend)
    , random_(random)
{
}

void frmMain::Form_Load()
{
    random_.seedFromClock();
    init();
}

void frmMain::init()
{
    PlayerName = playerNameFrom(frontend_.askName());
    scores.GetPoints();
    game.GameOver = false;
    game.Bonus = 0;
    graphics.InitSurfaces(game, [this](Bitmap bitmap) { return frontend_.bitmapBits(bitmap); });
    Initialized = true;
    RenderBackGround(graphics.BackgroundSurf, graphics.BackBuffer);
    RenderTiles(game, graphics.TileSurf, graphics.BackBuffer);
    blt();
}

void frmMain::Form_Resize()
{
    if (ending_)
        return;
    frontend_.fitPictureBox();
    blt();
}

void frmMain::Form_KeyDown(int keyCode)
{
    if (keyCode >= 0 && keyCode < int(keysDown_.size()))
        keysDown_[keyCode] = true;
}

void frmMain::Form_KeyUp(int keyCode, int shift)
{
    if (ending_ || keyCode < 0 || keyCode >= int(keysDown_.size()) || !keysDown_[keyCode])
        return;
    keysDown_[keyCode] = false;
    if (keyCode == Escape) {
        // Nothing more may act, even events already queued behind this one.
        ending_ = true;
        frontend_.quit();
    } else if (keyCode == Space) {
        game.NewGame();
        blt();
    } else if (keyCode == Home && shift == ShiftMask) {
        scores.resetpoints();
        blt();
    }
}

void frmMain::picBox_MouseDown(int button, int, double x, double y)
{
    if (ending_)
        return;
    if (x > 54 && x < 308 && y > 54 && y < 307 && button == LeftButton && !game.GameOver) {
        const int column = static_cast<int>((x - 54) / 16);
        const int row = static_cast<int>((y - 54) / 16);
        if (game.Map[column][row] != 0) {
            game.RemoveBlocks(column, row);
            game.DropBlocks();
            if (!game.checkmoves()) {
                game.GameOver = true;
                scores.checkpoints(PlayerName, game.Points);
            }
        }
    } else if (button == RightButton && !game.GameOver) {
        game.RestoreUndo();
    }
    blt();
}

void frmMain::picBox_Paint()
{
    if (!ending_)
        blt();
}

void frmMain::blt()
{
    if (!Initialized)
        return;
    try {
        ComposeFrame(graphics, game, scores);
        frontend_.present(graphics.BackBuffer);
    } catch (const DrawError&) {
        frontend_.showError("There was an error while redrawing the screen.", "error");
    }
}

} // namespace tilzo
