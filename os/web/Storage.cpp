#include "os/web/Storage.h"

#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>

// In storage.js.
extern "C" {
int tilzo_storage_mount(const char* folder, char* problem, int size);
int tilzo_storage_flock(int fd, bool unlock);
}

namespace tilzo::os {

Path browserStorage(std::string& problem)
{
    // The mask starts as 0777 here and the folder in memory does not apply it: a replaced
    // file would get mode 0 and never open again.
    ::umask(022);
    constexpr char folder[] = "/local storage";
    char why[256] = "";
    if (tilzo_storage_mount(folder, why, sizeof why) == 0)
        return folder;
    problem = why;
    return {};
}

} // namespace tilzo::os

// The C library's flock() only pretends to lock: this one holds against other open files in
// the page and, in the storage folder, against other tabs.
extern "C" int flock(int fd, int operation)
{
    const int error = tilzo_storage_flock(fd, (operation & LOCK_UN) != 0);
    if (error == 0)
        return 0;
    errno = error;
    return -1;
}
