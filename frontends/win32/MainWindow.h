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
    using Answer = LRESULT (MainWindow::*)(HWND, UINT, WPARAM, LPARAM);
    // A window's messages, answered by the object it belongs to (given when it is made)
    // once it knows it as its handle.
    template <HWND MainWindow::*handle, Answer answer>
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto* made = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made->lpCreateParams));
            static_cast<MainWindow*>(made->lpCreateParams)->*handle = window;
        }
        auto* owner = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        return owner ? (owner->*answer)(window, message, wParam, lParam)
                     : DefWindowProcW(window, message, wParam, lParam);
    }
    // The main window: the handlers' keys, its size and its end.
    LRESULT windowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void fitPictureBox() override;
    void quit() override;

    // The picture box: presses and paints.
    LRESULT pictureMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void press(int button, WPARAM wParam, LPARAM lParam);
    void paint();
    std::string bitmapBits(Bitmap bitmap) override;
    void present(const Surface& frame) override;
    void draw(HDC dc) const;
    Size pictureSize() const;

    // The dialogs.
    std::string askName() override;
    void showError(const std::string& text, const std::string& title) override;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND picBox_ = nullptr;
    ScaledScreen screen_;
    bool painting_ = false; // while a paint message is being answered
};

} // namespace tilzo
