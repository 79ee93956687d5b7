// The name prompt from the program's resources, answered by a timer on the prompt's own thread.
#include "frontends/win32/NamePrompt.h"
#include "frontends/win32/resource.h"

#include <gtest/gtest.h>

namespace tilzo {
namespace {

WPARAM button;
bool answered = false;

void CALLBACK answer(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND dialog = FindWindowW(L"#32770", nullptr);
    if (dialog == nullptr)
        return; // not open yet
    KillTimer(nullptr, timer);
    SetDlgItemTextW(dialog, IDC_NAME, L"Zo\u00eb Ann");
    PostMessageW(dialog, WM_COMMAND, button, 0);
    answered = true;
}

std::string ask(WPARAM pressed)
{
    button = pressed;
    SetTimer(nullptr, 0, 50, answer);
    return askPlayerName(GetModuleHandleW(nullptr));
}

TEST(NamePrompt, OkGivesTheWholeTextAndCancelNone)
{
    EXPECT_EQ(ask(IDOK), "Zo\xc3\xab Ann");
    answered = false;
    EXPECT_EQ(ask(IDCANCEL), "");
    EXPECT_TRUE(answered);
}

} // namespace
} // namespace tilzo
