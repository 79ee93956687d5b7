#pragma once

#include "core/game/Game.h"
#include "core/render/Graphics.h"
#include "core/scores/HighScores.h"
#include "core/shell/Frontend.h"

#include <array>
#include <string>

namespace tilzo {

// Key codes the handlers take, as Windows numbers its virtual keys.
enum Key { Escape = 27, Space = 32, Home = 36 };
enum Button { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
// The modifier mask: the keys held, added together.
enum Modifier { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };
constexpr int modifierMask(bool shift, bool ctrl, bool alt)
{
    return (shift ? ShiftMask : 0) | (ctrl ? CtrlMask : 0) | (alt ? AltMask : 0);
}

// The game's one window, whatever toolkit shows it: all game state, and the handlers
// the front end calls for the window's events, each running to completion.
class frmMain {
public:
    frmMain(Frontend& frontend, Random& random, HighScores::Folders folders);

    // Form_Load, saying in a box why when start-up fails: false then, and the program
    // ends with status 1.
    bool start();
    // Start-up; throws DrawError when the pictures cannot be made.
    void Form_Load();
    void Form_Resize();
    void Form_KeyDown(int keyCode);
    void Form_KeyUp(int keyCode, int shift);
    // x and y are pixels of the frame, whatever size it is shown at.
    void picBox_MouseDown(int button, int shift, double x, double y);
    void picBox_Paint();
    void blt();

    Game game;
    HighScores scores;
    Graphics graphics;
    std::u32string PlayerName = std::u32string(NameLength, U'\0');
    bool Initialized = false;

private:
    void init();

    Frontend& frontend_;
    Random& random_;
    // A release acts only on a key this window saw go down: the release of the key
    // that closed a dialog belongs to that dialog.
    std::array<bool, 256> keysDown_{};
    bool ending_ = false;
};

} // namespace tilzo
