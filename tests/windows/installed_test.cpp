// Where the installer put the game: an entry for the player alone counts as one for every user.
#include "os/Files.h"
#include "tests/support/ScoreFileCheck.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace tilzo {
namespace {

constexpr wchar_t Entry[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tilzo";

TEST(Installed, AnEntryForThePlayerAloneMarksOnlyItsFolder)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Entry, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        GTEST_SKIP() << "the game is installed for this user: its entry stays untouched";
    }
    support::TempFolder installed;
    support::TempFolder portable;
    const std::wstring location = installed.path.wstring();
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Entry, L"InstallLocation", REG_SZ, location.c_str(),
                              DWORD((location.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    const bool there = os::isInstalledCopy(installed.path);
    const bool elsewhere = os::isInstalledCopy(portable.path);
    RegDeleteKeyW(HKEY_CURRENT_USER, Entry);
    EXPECT_TRUE(there);
    EXPECT_FALSE(elsewhere);
}

} // namespace
} // namespace tilzo
