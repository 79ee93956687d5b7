#include "os/Files.h"

#include "os/System.h"

#include <chrono>
#include <thread>
#include <utility>

namespace tilzo::os {

File::File(File&& other) noexcept
    : handle_(std::exchange(other.handle_, sys::Closed))
{
}

File& File::operator=(File&& other) noexcept
{
    std::swap(handle_, other.handle_);
    return *this;
}

File::~File()
{
    if (handle_ != sys::Closed)
        sys::close(handle_);
}

Replacement::Replacement(std::intptr_t handle, Path path, Path target)
    : handle_(handle)
    , path_(std::move(path))
    , target_(std::move(target))
{
}

Replacement::Replacement(Replacement&& other) noexcept
    : handle_(std::exchange(other.handle_, sys::Closed))
    , path_(std::move(other.path_))
    , target_(std::move(other.target_))
{
}

Replacement::~Replacement()
{
    if (handle_ == sys::Closed)
        return;
    sys::close(handle_);
    sys::remove(path_);
}

std::optional<Lock> Lock::acquire(const Path& path, int waitMs, std::string& problem)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        std::intptr_t handle = sys::Closed;
        std::string why;
        switch (sys::tryLock(path, handle, why)) {
        case sys::Try::Held:
            return Lock(handle, path);
        case sys::Try::Again:
            continue;
        case sys::Try::Failed:
            problem = why;
            return std::nullopt;
        case sys::Try::Busy:
            break;
        }
        if (std::chrono::steady_clock::now() >= giveUp) {
            problem = why;
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

Lock::Lock(Lock&& other) noexcept
    : handle_(std::exchange(other.handle_, sys::Closed))
    , path_(std::move(other.path_))
{
}

Lock::~Lock()
{
    if (handle_ != sys::Closed)
        sys::unlock(handle_, path_);
}

namespace says {

std::string notRegular(const Path& path)
{
    return sys::shown(path) + " is not a regular file";
}

std::string notLockFile(const Path& path)
{
    return sys::shown(path) + " is not a lock file";
}

std::string lockNotMade(const Path& path, const std::string& why)
{
    return "its lock file " + sys::shown(path) + " cannot be made: " + why;
}

std::string lockNotTaken(const Path& path, const std::string& why)
{
    return "its lock file " + sys::shown(path) + " cannot be locked: " + why;
}

std::string keptLocked()
{
    return "another copy of the game keeps it locked";
}

} // namespace says

} // namespace tilzo::os
