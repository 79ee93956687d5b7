#pragma once

#include "core/render/ScaledScreen.h"
#include "core/shell/frmMain.h"

#include <windows.h>

namespace tilzo {

// The game's window on Win32: turns the window's messages into the game's handlers, and
// shows what they ask for. The picture box is a child window that fills it.
class MainWindow : private Frontend {
public:
    MainWindow(HINSTANCE instance, Random& random, HighScores::Folders folders);

    frmMain form;

    // Start-up, then the window; false when start-up failed and said why.
    bool start(int show);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK pictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT windowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT pictureMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void press(int button, WPARAM wParam, LPARAM lParam);
    void paint();
    void draw(HDC dc) const;
    Size pictureSize() const;

    std::string askName() override;
    void showError(const std::string& text, const std::string& title) override;
    std::string bitmapBits(Bitmap bitmap) override;
    void fitPictureBox() override;
    void present(const Surface& frame) override;
    void quit() override;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND picBox_ = nullptr;
    ScaledScreen screen_;
    bool painting_ = false; // while a paint message is being answered
};

} // namespace tilzo
