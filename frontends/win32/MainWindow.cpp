#include "MainWindow.h"

#include "NamePrompt.h"
#include "core/shell/Window.h"
#include "core/shell/Words.h"
#include "os/windows/Utf16.h"
#include "resource.h"

#include <windowsx.h>

namespace tilzo {

namespace {

constexpr wchar_t WindowClass[] = L"TilzoWindow";
constexpr wchar_t PictureClass[] = L"TilzoPictureBox";
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; // a fixed border

void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, bool withIcon)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    if (withIcon) {
        windowClass.hIcon
            = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TILZO), IMAGE_ICON, 32, 32, 0));
        windowClass.hIconSm
            = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TILZO), IMAGE_ICON, 16, 16, 0));
    }
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

} // namespace

MainWindow::MainWindow(HINSTANCE instance, Random& random, HighScores::Folders folders)
    : form(*this, random, std::move(folders))
    , instance_(instance)
{
    registerClass(instance, WindowClass, procedure<&MainWindow::window_, &MainWindow::windowMessage>, true);
    registerClass(instance, PictureClass, procedure<&MainWindow::picBox_, &MainWindow::pictureMessage>,
                  false);

    // The inner size in pixels of the screen's scale, centred on its work area.
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    RECT frame{0, 0, MulDiv(WindowInnerSize.width, dpi, 96), MulDiv(WindowInnerSize.height, dpi, 96)};
    AdjustWindowRectEx(&frame, WindowStyle, FALSE, 0);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    CreateWindowExW(0, WindowClass, os::widen(words::WindowTitle).c_str(), WindowStyle,
                    work.left + (work.right - work.left - width) / 2,
                    work.top + (work.bottom - work.top - height) / 2, width, height, nullptr, nullptr,
                    instance, this);
}

bool MainWindow::start(int show)
{
    if (!form.start())
        return false;
    ShowWindow(window_, show);
    UpdateWindow(window_);
    return true;
}

LRESULT MainWindow::windowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateWindowExW(0, PictureClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, PictureBoxFirstSize.width,
                        PictureBoxFirstSize.height, window, nullptr, instance_, this);
        return 0;
    case WM_SIZE:
        form.Form_Resize();
        return 0;
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    // Keys with Alt (WM_SYSKEY*) stay the system's: Alt+Space opens the window menu, Alt+F4 closes.
    case WM_KEYDOWN:
        if (!(lParam & (1 << 30))) // not a repeat of a key held down
            form.Form_KeyDown(int(wParam));
        break;
    case WM_KEYUP:
        form.Form_KeyUp(int(wParam), modifierMask(GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                                                  GetKeyState(VK_MENU) < 0));
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return message == WM_KEYDOWN || message == WM_KEYUP ? 0 : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::pictureMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        press(LeftButton, wParam, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        press(RightButton, wParam, lParam);
        return 0;
    case WM_MBUTTONDOWN:
        press(MiddleButton, wParam, lParam);
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // every pixel comes from the frame
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void MainWindow::press(int button, WPARAM wParam, LPARAM lParam)
{
    const Point at = screen_.framePixel(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    form.picBox_MouseDown(
        button, modifierMask(wParam & MK_SHIFT, wParam & MK_CONTROL, GetKeyState(VK_MENU) < 0), at.x, at.y);
}

void MainWindow::paint()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(picBox_, &paint);
    painting_ = true;
    form.picBox_Paint();
    painting_ = false;
    // Before start-up ends nothing has been presented yet.
    if (screen_.picture().isNull())
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    else
        draw(dc);
    EndPaint(picBox_, &paint);
}

void MainWindow::draw(HDC dc) const
{
    const Surface& picture = screen_.picture();
    const Size size = picture.size();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height; // top-down, as the surface holds its rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    if (SetDIBitsToDevice(dc, 0, 0, size.width, size.height, 0, 0, 0, size.height, picture.pixels(), &info,
                          DIB_RGB_COLORS)
        == 0)
        throw DrawError("the picture cannot be copied to the screen");
}

Size MainWindow::pictureSize() const
{
    RECT client{};
    GetClientRect(picBox_, &client);
    return {client.right, client.bottom};
}

std::string MainWindow::askName()
{
    return askPlayerName(instance_);
}

void MainWindow::showError(const std::string& text, const std::string& title)
{
    MessageBoxW(IsWindowVisible(window_) ? window_ : nullptr, os::widen(text).c_str(),
                os::widen(title).c_str(), MB_OK | MB_ICONERROR);
}

std::string MainWindow::bitmapBits(Bitmap bitmap)
{
    const std::wstring name = std::to_wstring(int(bitmap));
    const HRSRC resource = FindResourceW(instance_, name.c_str(), MAKEINTRESOURCEW(2)); // RT_BITMAP
    const HGLOBAL loaded = resource ? LoadResource(instance_, resource) : nullptr;
    const void* bits = loaded ? LockResource(loaded) : nullptr;
    if (!bits)
        throw DrawError("bitmap " + std::to_string(int(bitmap)) + " is not in the program");
    return std::string(static_cast<const char*>(bits), SizeofResource(instance_, resource));
}

void MainWindow::fitPictureBox()
{
    RECT client{};
    GetClientRect(window_, &client);
    MoveWindow(picBox_, 0, 0, client.right, client.bottom, TRUE);
}

void MainWindow::present(const Surface& frame)
{
    const Size size = pictureSize();
    if (size.width <= 0 || size.height <= 0)
        return; // minimised: nothing to show
    screen_.show(frame, size);
    // A paint shows the new picture when its handler is done.
    if (painting_)
        return;
    const HDC dc = GetDC(picBox_);
    try {
        draw(dc);
    } catch (...) {
        ReleaseDC(picBox_, dc);
        throw;
    }
    ReleaseDC(picBox_, dc);
}

void MainWindow::quit()
{
    DestroyWindow(window_);
}

} // namespace tilzo
