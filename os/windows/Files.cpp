#include "os/Files.h"

#include "os/System.h"
#include "os/windows/Utf16.h"

#include <windows.h>

#include <shlobj.h> // needs windows.h first

namespace tilzo::os {

namespace {

// The system's own words for an error, without the full stop and line break it ends with.
std::string errorText(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words = length ? std::wstring(text, length) : L"error " + std::to_wstring(error);
    LocalFree(text);
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L'.'))
        words.pop_back();
    return narrow(words);
}

std::string lastError()
{
    return errorText(GetLastError());
}

bool isFolder(const Path& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HANDLE handleOf(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

void sys::close(std::intptr_t handle)
{
    CloseHandle(handleOf(handle));
}

void sys::remove(const Path& path)
{
    DeleteFileW(path.c_str());
}

std::string sys::shown(const Path& path)
{
    return narrow(Path(path).make_preferred().wstring());
}

sys::Try sys::tryLock(const Path& path, std::intptr_t& handle, std::string& problem)
{
    if (isFolder(path)) {
        problem = says::notLockFile(path);
        return Try::Failed;
    }
    // Opened by one copy at a time, and gone when it is closed, also by a copy that dies.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        handle = reinterpret_cast<std::intptr_t>(file);
        return Try::Held;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION) {
        problem = says::keptLocked();
        return Try::Busy;
    }
    problem = says::lockNotMade(path, errorText(error));
    // Access is denied too while the file of a copy that just let go is still being deleted.
    return error == ERROR_ACCESS_DENIED ? Try::Busy : Try::Failed;
}

void sys::unlock(std::intptr_t handle, const Path&)
{
    CloseHandle(handleOf(handle));
}

std::optional<File> File::open(const Path& path, Mode mode, std::string& problem)
{
    if (isFolder(path)) {
        problem = says::notRegular(path);
        return std::nullopt;
    }
    const DWORD access = mode == Mode::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    // Others may read, write, replace and delete it meanwhile, as on any other system.
    const HANDLE file
        = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      mode == Mode::Read ? OPEN_EXISTING : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (!(mode == Mode::Read && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)))
            problem = errorText(error);
        return std::nullopt;
    }
    // A device or a pipe holds no table.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        problem = says::notRegular(path);
        return std::nullopt;
    }
    return File(reinterpret_cast<std::intptr_t>(file));
}

long long File::read(char* bytes, long long size, std::string& problem)
{
    DWORD got = 0;
    if (!ReadFile(handleOf(handle_), bytes, DWORD(std::min<long long>(size, 1 << 30)), &got, nullptr)) {
        problem = lastError();
        return -1;
    }
    return got;
}

bool File::seek(long long offset, std::string& problem)
{
    LARGE_INTEGER at;
    at.QuadPart = offset;
    if (SetFilePointerEx(handleOf(handle_), at, nullptr, FILE_BEGIN))
        return true;
    problem = lastError();
    return false;
}

std::optional<Replacement> Replacement::begin(const Path& target, std::string& problem)
{
    for (unsigned attempt = 0;; ++attempt) {
        wchar_t suffix[16];
        swprintf(suffix, 16, L".%06x",
                 (GetTickCount() * 2654435761u + GetCurrentProcessId() + attempt) & 0xFFFFFF);
        Path path = target;
        path += suffix;
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return Replacement(reinterpret_cast<std::intptr_t>(file), path, target);
        if (GetLastError() != ERROR_FILE_EXISTS || attempt == 100) {
            problem = lastError();
            return std::nullopt;
        }
    }
}

bool Replacement::write(const char* bytes, long long size, std::string& problem)
{
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(handleOf(handle_), bytes, DWORD(std::min<long long>(size, 1 << 30)), &written,
                       nullptr)) {
            problem = lastError();
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

bool Replacement::commit(std::string& problem)
{
    const HANDLE file = handleOf(handle_);
    if (!FlushFileBuffers(file)) {
        problem = lastError();
        return false;
    }
    CloseHandle(file);
    handle_ = sys::Closed;
    if (MoveFileExW(path_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    problem = lastError();
    DeleteFileW(path_.c_str());
    return false;
}

Path programDir()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return Path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

Path userDataDir(std::string& problem)
{
    wchar_t* folder = nullptr;
    Path path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder)))
        path = Path(folder) / L"Tilzo";
    else
        problem = "the folder for application data is not known";
    CoTaskMemFree(folder);
    return path;
}

// The installer records where it put the game among the installed programs: for every user
// under HKLM, for the player alone under HKCU.
bool isInstalledCopy(const Path& programDir)
{
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        wchar_t location[MAX_PATH * 2] = {};
        DWORD size = sizeof location;
        const LSTATUS status = RegGetValueW(
            root, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tilzo", L"InstallLocation",
            RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY, nullptr, location, &size);
        std::error_code error;
        if (status == ERROR_SUCCESS && std::filesystem::equivalent(Path(location), programDir, error))
            return true;
    }
    return false;
}

} // namespace tilzo::os
