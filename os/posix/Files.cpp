#include "os/Files.h"

#include "os/System.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace tilzo::os {

namespace {

std::string errorText(int error)
{
    return std::generic_category().message(error);
}

std::string lastError()
{
    return errorText(errno);
}

bool isRegular(int fd)
{
    struct stat info { };
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

bool writeAll(int fd, const char* bytes, long long size, std::string& problem)
{
    while (size > 0) {
        const ssize_t step = ::write(fd, bytes, size);
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0) {
            problem = step < 0 ? lastError() : "nothing could be written";
            return false;
        }
        bytes += step;
        size -= step;
    }
    return true;
}

} // namespace

void sys::close(std::intptr_t handle)
{
    ::close(static_cast<int>(handle));
}

void sys::remove(const Path& path)
{
    ::unlink(path.c_str());
}

std::string sys::shown(const Path& path)
{
    return path.string();
}

sys::Try sys::tryLock(const Path& path, std::intptr_t& handle, std::string& problem)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        problem = errno == EISDIR ? says::notLockFile(path) : says::lockNotMade(path, lastError());
        return Try::Failed;
    }
    if (!isRegular(fd)) {
        ::close(fd);
        problem = says::notLockFile(path);
        return Try::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        // The holder before us removes the file as it lets go: a lock on a file no
        // longer at path would lock nothing.
        struct stat held {
        }, named{};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino
            && held.st_dev == named.st_dev) {
            handle = fd;
            return Try::Held;
        }
        ::close(fd);
        return Try::Again;
    }
    const int error = errno;
    ::close(fd);
    if (error != EWOULDBLOCK) {
        problem = says::lockNotTaken(path, errorText(error));
        return Try::Failed;
    }
    problem = says::keptLocked();
    return Try::Busy;
}

void sys::unlock(std::intptr_t handle, const Path& path)
{
    ::unlink(path.c_str());
    ::close(static_cast<int>(handle));
}

std::optional<File> File::open(const Path& path, Mode mode, std::string& problem)
{
    // O_NONBLOCK: opening a FIFO must not wait for a writer. The type is checked on the
    // descriptor, so a path swapped in between cannot slip past.
    const int flags = mode == Mode::Read ? O_RDONLY : O_RDWR | O_CREAT;
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        if (!(mode == Mode::Read && errno == ENOENT))
            problem = errno == EISDIR ? says::notRegular(path) : lastError();
        return std::nullopt;
    }
    if (!isRegular(fd)) {
        ::close(fd);
        problem = says::notRegular(path);
        return std::nullopt;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return File(fd);
}

long long File::read(char* bytes, long long size, std::string& problem)
{
    ssize_t got;
    do
        got = ::read(static_cast<int>(handle_), bytes, size);
    while (got < 0 && errno == EINTR);
    if (got < 0)
        problem = lastError();
    return got;
}

bool File::seek(long long offset, std::string& problem)
{
    if (::lseek(static_cast<int>(handle_), offset, SEEK_SET) >= 0)
        return true;
    problem = lastError();
    return false;
}

std::optional<Replacement> Replacement::begin(const Path& target, std::string& problem)
{
    std::string name = target.string() + ".XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        problem = lastError();
        return std::nullopt;
    }
    // The mode a new file of the player's would get.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    return Replacement(fd, name, target);
}

bool Replacement::write(const char* bytes, long long size, std::string& problem)
{
    return writeAll(static_cast<int>(handle_), bytes, size, problem);
}

bool Replacement::commit(std::string& problem)
{
    const int fd = static_cast<int>(handle_);
    if (::fsync(fd) != 0 || ::rename(path_.c_str(), target_.c_str()) != 0) {
        problem = lastError();
        return false;
    }
    handle_ = sys::Closed;
    ::close(fd);
    // The rename itself must reach the disk too.
    const int folder = ::open(target_.parent_path().empty() ? "." : target_.parent_path().c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

Path programDir()
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
}

// The XDG rules: an XDG_DATA_HOME that is not absolute is ignored; without it the
// data live under the home folder, and without a home there is no such folder.
Path userDataDir(std::string& problem)
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && Path(data).is_absolute())
        return Path(data) / "tilzo";
    const char* home = std::getenv("HOME");
    if (home && Path(home).is_absolute())
        return Path(home) / ".local/share/tilzo";
    problem = "there is no home folder (HOME is not set to an absolute path)";
    return {};
}

bool isInstalledCopy(const Path& programDir)
{
    const Path name = programDir.filename();
    std::error_code error;
    return (name == "bin" || name == "games")
           && std::filesystem::exists(programDir.parent_path() / "share/applications/org.tilzo.Tilzo.desktop",
                                      error);
}

} // namespace tilzo::os
