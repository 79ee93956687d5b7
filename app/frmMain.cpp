#include "frmMain.h"

#include "InputCodes.h"
#include "InstalledCopy.h"
#include "PictureBox.h"
#include "PlayerName.h"
#include "render/Frame.h"

#include <QIcon>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>

namespace tilzo {

namespace {
constexpr int InnerWidth = 367;
constexpr int InnerHeight = 423;
} // namespace

frmMain::frmMain(Random& random, Dialogs& dialogs, const QString& programDir, const QString& userDir)
    : game(random)
    , scores(programDir, userDir, [this](const QString& message) {
          dialogs_.showError(this, message, QStringLiteral("Tilzo"));
      }, !isInstalledCopy(programDir))
    , picBox(new PictureBox(this))
    , random_(random)
    , dialogs_(dialogs)
{
    setWindowTitle(QStringLiteral("Tilzo v1.02"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tilzo.png")));
    setFixedSize(InnerWidth, InnerHeight);
    picBox->setGeometry(0, 0, 368, 424);
    connect(picBox, &PictureBox::pressed, this, &frmMain::picBox_MouseDown);
    centreOnScreen();
}

void frmMain::centreOnScreen()
{
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                    screen()->availableGeometry()));
}

void frmMain::Form_Load()
{
    random_.seedFromClock();
    init();
}

void frmMain::init()
{
    PlayerName = playerNameFrom(dialogs_.askName(nullptr));
    scores.GetPoints();
    game.GameOver = false;
    game.Bonus = 0;
    graphics.InitSurfaces(game);  // deals the first board last
    Initialized = true;
    RenderBackGround(graphics.BackgroundSurf, graphics.BackBuffer);
    RenderTiles(game, graphics.TileSurf, graphics.BackBuffer);
    blt();
}

void frmMain::resizeEvent(QResizeEvent*)
{
    Form_Resize();
}

void frmMain::Form_Resize()
{
    picBox->setGeometry(0, 0, width(), height());
    blt();
}

void frmMain::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats its release; only the real one acts.
    if (event->isAutoRepeat())
        return;
    Form_KeyUp(event->key(), shiftMask(event->modifiers()));
}

void frmMain::Form_KeyUp(int keyCode, int shift)
{
    if (keyCode == Qt::Key_Escape) {
        // Nothing more may act, even events already queued behind this one.
        setEnabled(false);
        emit quitRequested();
    } else if (keyCode == Qt::Key_Space) {
        game.NewGame();
        blt();
    } else if (keyCode == Qt::Key_Home && shift == 1) {
        scores.resetpoints();
        blt();
    }
}

// x and y are pixels of the frame, whichever size the picture box shows it at.
void frmMain::picBox_MouseDown(int button, int, double x, double y)
{
    if (x > 54 && x < 308 && y > 54 && y < 307 && button == 1 && !game.GameOver) {
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
    } else if (button == 2 && !game.GameOver) {
        game.RestoreUndo();
    }
    blt();
}

void frmMain::blt()
{
    if (!Initialized)
        return;
    try {
        ComposeFrame(graphics, game, scores);
        picBox->present(graphics.BackBuffer);
    } catch (const std::exception&) {
        dialogs_.showError(this, QStringLiteral("There was an error while redrawing the screen."),
                           QStringLiteral("error"));
    }
}

} // namespace tilzo
