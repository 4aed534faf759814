#include "platform/InstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

InstanceLock::InstanceLock(std::string path) : LockPath(std::move(path))
{
    int fd = ::open(LockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return;
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return;
    }
    Fd = fd;
}

InstanceLock::~InstanceLock()
{
    // Closing the descriptor releases the lock; the file itself stays, so a
    // copy starting at this moment never locks a file that is being removed.
    if (Fd >= 0) ::close(Fd);
}

std::string InstanceLock::DefaultPath()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (runtime && *runtime && ::stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) &&
        ::access(runtime, W_OK) == 0) {
        return std::string(runtime) + "/krv-writer.lock";
    }
    return "/tmp/krv-writer-" + std::to_string(::getuid()) + ".lock";
}
