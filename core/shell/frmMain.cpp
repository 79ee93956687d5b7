#include "core/shell/frmMain.h"

#include "core/render/Frame.h"
#include "core/shell/PlayerName.h"
#include "core/shell/Words.h"

#include <exception>

namespace tilzo {

frmMain::frmMain(Frontend& frontend, Random& random, HighScores::Folders folders)
    : game(random)
    , scores(std::move(folders),
             [&frontend](const std::string& message) { frontend.showError(message, words::Title); })
    , frontend_(frontend)
    , random_(random)
{
}

bool frmMain::start()
{
    try {
        Form_Load();
        return true;
    } catch (const std::exception& error) {
        // The game cannot go on without its pictures: say why.
        frontend_.showError(error.what(), words::Title);
        return false;
    }
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
    graphics.InitSurfaces([this](Bitmap bitmap) { return frontend_.bitmapBits(bitmap); });
    game.NewGame();
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
    const std::optional<CellPos> cell = pressedCell(x, y);
    if (cell && button == LeftButton && !game.GameOver) {
        if (game.Play(cell->x, cell->y))
            scores.checkpoints(PlayerName, game.Points);
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
        frontend_.showError(words::RedrawFailed, words::RedrawFailedTitle);
    }
}

} // namespace tilzo
