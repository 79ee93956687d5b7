#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// What the game needs from the operating system's files and folders, one implementation
// per system. Each call that fails says why in the system's own words.
namespace tilzo::os {

using Path = std::filesystem::path;

// A file opened only when it is a regular file: a FIFO would block the game, and a
// device or a folder holds no table.
class File {
public:
    enum class Mode { Read, ReadWriteCreate };

    // Nothing when the file cannot be opened; problem stays empty when Read finds none.
    static std::optional<File> open(const Path& path, Mode mode, std::string& problem);
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    ~File();

    // Up to size bytes from the current position, 0 at the end, -1 with problem on an error.
    long long read(char* bytes, long long size, std::string& problem);
    bool seek(long long offset, std::string& problem);

private:
    explicit File(std::intptr_t handle)
        : handle_(handle)
    {
    }
    std::intptr_t handle_;
};

// A new file written beside target that takes its place whole, or not at all.
class Replacement {
public:
    static std::optional<Replacement> begin(const Path& target, std::string& problem);
    Replacement(Replacement&& other) noexcept;
    ~Replacement(); // an uncommitted new file is removed

    bool write(const char* bytes, long long size, std::string& problem);
    // On the disk first, then in target's place.
    bool commit(std::string& problem);

private:
    Replacement(std::intptr_t handle, Path path, Path target);
    std::intptr_t handle_;
    Path path_;
    Path target_;
};

// Held, against every other copy of the game, from acquire until it is destroyed; the
// system drops it when a copy dies holding it.
class Lock {
public:
    // Waits up to waitMs for another copy to let go. A path that can never be locked
    // (a folder, say) fails at once.
    static std::optional<Lock> acquire(const Path& path, int waitMs, std::string& problem);
    Lock(Lock&& other) noexcept;
    ~Lock();

private:
    Lock(std::intptr_t handle, Path path)
        : handle_(handle)
        , path_(std::move(path))
    {
    }
    std::intptr_t handle_;
    Path path_;
};

// The folder that holds the running program.
Path programDir();
// The player's own folder for the game's data; empty with problem when there is none.
Path userDataDir(std::string& problem);
// True for a copy that an installation put in place: it keeps nothing beside itself.
bool isInstalledCopy(const Path& programDir);

} // namespace tilzo::os
