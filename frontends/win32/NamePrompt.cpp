#include "NamePrompt.h"

#include "core/shell/Words.h"
#include "os/windows/Utf16.h"
#include "resource.h"

namespace tilzo {

namespace {

INT_PTR CALLBACK namePrompt(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TILZO));
        SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SetWindowTextW(dialog, os::widen(words::Title).c_str());
        SetDlgItemTextW(dialog, IDC_QUESTION, os::widen(words::NameQuestion).c_str());
        SetDlgItemTextW(dialog, IDC_NAME, os::widen(words::DefaultName).c_str());
        SendDlgItemMessageW(dialog, IDC_NAME, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dialog, IDC_NAME));
        return FALSE; // the focus is set
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        if (LOWORD(wParam) == IDOK) {
            const HWND field = GetDlgItem(dialog, IDC_NAME);
            std::wstring text(GetWindowTextLengthW(field) + 1, L'\0');
            text.resize(GetWindowTextW(field, text.data(), int(text.size())));
            *reinterpret_cast<std::string*>(GetWindowLongPtrW(dialog, DWLP_USER)) = os::narrow(text);
        }
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

std::string askPlayerName(HINSTANCE instance)
{
    std::string reply;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_NAME), nullptr, namePrompt,
                    reinterpret_cast<LPARAM>(&reply));
    return reply;
}

} // namespace tilzo
