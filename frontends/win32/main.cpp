#include "MainWindow.h"
#include "os/windows/Utf16.h"

#include <exception>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    tilzo::Random random;
    tilzo::MainWindow window(instance, random, tilzo::HighScores::Folders::ofThisProgram());
    try {
        window.start(show);
    } catch (const std::exception& error) {
        // Start-up cannot go on without its pictures: say why and leave.
        MessageBoxW(nullptr, tilzo::os::widen(error.what()).c_str(), L"Tilzo", MB_OK | MB_ICONERROR);
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}
