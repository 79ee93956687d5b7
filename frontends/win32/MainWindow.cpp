#include "MainWindow.h"

#include "Text.h"
#include "core/Version.h"
#include "resource.h"

#include <windowsx.h>

namespace tilzo {

namespace {

constexpr wchar_t WindowClass[] = L"TilzoWindow";
constexpr wchar_t PictureClass[] = L"TilzoPictureBox";
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; // a fixed border
constexpr int InnerWidth = 367;
constexpr int InnerHeight = 423;

int modifiers()
{
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0)
           | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

// The object a window belongs to, set when it is made.
template <typename Owner>
Owner* ownerOf(HWND window, UINT message, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

INT_PTR CALLBACK namePrompt(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TILZO));
        SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SetDlgItemTextW(dialog, IDC_NAME, L"Tilzo");
        SendDlgItemMessageW(dialog, IDC_NAME, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dialog, IDC_NAME));
        return FALSE; // the focus is set
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        if (LOWORD(wParam) == IDOK) {
            const HWND field = GetDlgItem(dialog, IDC_NAME);
            std::wstring text(GetWindowTextLengthW(field) + 1, L'\0');
            text.resize(GetWindowTextW(field, text.data(), int(text.size())));
            *reinterpret_cast<std::string*>(GetWindowLongPtrW(dialog, DWLP_USER)) = narrow(text);
        }
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

MainWindow::MainWindow(HINSTANCE instance, Random& random, HighScores::Folders folders)
    : form(*this, random, std::move(folders))
    , instance_(instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon
        = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TILZO), IMAGE_ICON, 32, 32, 0));
    windowClass.hIconSm
        = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TILZO), IMAGE_ICON, 16, 16, 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = WindowClass;
    RegisterClassExW(&windowClass);
    WNDCLASSEXW pictureClass{};
    pictureClass.cbSize = sizeof pictureClass;
    pictureClass.lpfnWndProc = pictureProc;
    pictureClass.hInstance = instance;
    pictureClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    pictureClass.lpszClassName = PictureClass;
    RegisterClassExW(&pictureClass);

    // The inner size in pixels of the screen's scale, centred on its work area.
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    RECT frame{0, 0, MulDiv(InnerWidth, dpi, 96), MulDiv(InnerHeight, dpi, 96)};
    AdjustWindowRectEx(&frame, WindowStyle, FALSE, 0);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    CreateWindowExW(
        0, WindowClass, L"Tilzo v" TILZO_VERSION, WindowStyle, work.left + (work.right - work.left - width) / 2,
        work.top + (work.bottom - work.top - height) / 2, width, height, nullptr, nullptr, instance, this);
}

void MainWindow::start(int show)
{
    form.Form_Load();
    ShowWindow(window_, show);
    UpdateWindow(window_);
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MainWindow* owner = ownerOf<MainWindow>(window, message, lParam);
    if (message == WM_NCCREATE)
        owner->window_ = window;
    return owner ? owner->windowMessage(window, message, wParam, lParam)
                 : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::pictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MainWindow* owner = ownerOf<MainWindow>(window, message, lParam);
    if (message == WM_NCCREATE)
        owner->picBox_ = window;
    return owner ? owner->pictureMessage(window, message, wParam, lParam)
                 : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::windowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateWindowExW(0, PictureClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 368, 424, window, nullptr,
                        instance_, this);
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
        form.Form_KeyUp(int(wParam), modifiers());
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
    const int shift
        = (wParam & MK_SHIFT ? 1 : 0) | (wParam & MK_CONTROL ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
    const Point at = shownPixel({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, pictureSize(), FrameSize);
    form.picBox_MouseDown(button, shift, at.x, at.y);
}

void MainWindow::paint()
{
    PAINTSTRUCT paint;
    paintDc_ = BeginPaint(picBox_, &paint);
    form.picBox_Paint();
    // Still set when the handler drew nothing: before start-up ends, or when the frame
    // failed and the last picture stays.
    if (paintDc_ && screen_.isNull())
        FillRect(paintDc_, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    else if (paintDc_)
        draw(paintDc_);
    paintDc_ = nullptr;
    EndPaint(picBox_, &paint);
}

void MainWindow::draw(HDC dc) const
{
    const Size size = screen_.size();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height; // top-down, as the surface holds its rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    if (SetDIBitsToDevice(dc, 0, 0, size.width, size.height, 0, 0, 0, size.height, screen_.pixels(), &info,
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
    std::string reply;
    DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_NAME), nullptr, namePrompt,
                    reinterpret_cast<LPARAM>(&reply));
    return reply;
}

void MainWindow::showError(const std::string& text, const std::string& title)
{
    MessageBoxW(IsWindowVisible(window_) ? window_ : nullptr, widen(text).c_str(), widen(title).c_str(),
                MB_OK | MB_ICONERROR);
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
    if (screen_.size() != size)
        screen_ = Surface(size.width, size.height);
    screen_.copyScaled({0, 0, size.width, size.height}, frame,
                       {0, 0, frame.size().width, frame.size().height});
    if (paintDc_) {
        draw(paintDc_);
        paintDc_ = nullptr;
        return;
    }
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
