#pragma once

#include "os/Files.h"

#include <cstdint>
#include <string>

// Between os/Files.cpp, which is the same on every system, and the one file per system
// that makes the system calls.
namespace tilzo::os {

// Defined by each system.
namespace sys {

// Neither a descriptor nor a Windows file handle.
constexpr std::intptr_t Closed = -1;

void close(std::intptr_t handle);
// Quietly: what cannot be removed stays.
void remove(const Path& path);
// A path as the player reads it, in UTF-8.
std::string shown(const Path& path);

enum class Try {
    Held, // handle is the lock's
    Busy, // another copy holds it; problem is what to say if the wait ends here
    Again, // at once: what was locked is no longer the file at path
    Failed, // for good, with problem
};
Try tryLock(const Path& path, std::intptr_t& handle, std::string& problem);
// Lets go of a held lock; its file goes with it.
void unlock(std::intptr_t handle, const Path& path);

} // namespace sys

// The player's sentences, the same on every system.
namespace says {

std::string notRegular(const Path& path);
std::string notLockFile(const Path& path);
std::string lockNotMade(const Path& path, const std::string& why);
std::string lockNotTaken(const Path& path, const std::string& why);
std::string keptLocked();

} // namespace says

} // namespace tilzo::os
