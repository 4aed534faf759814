#include "files/SafeFile.h"

#include <atomic>
#include <cerrno>
#include <string>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Owns one descriptor.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    void Reset(int fd)
    {
        Close();
        fd_ = fd;
    }
    bool Close()
    {
        if (fd_ < 0) return true;
        int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string DirectoryOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

} // namespace

FileBytes ReadWholeFile(const std::string& path, std::size_t maxBytes)
{
    FileBytes out;
    if (!FileExists(path)) return out;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid()) {
        out.Status = ReadStatus::CannotOpen;
        return out;
    }
    char chunk[8192];
    for (;;) {
        ssize_t n = ::read(fd.Get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            out.Status = ReadStatus::CannotOpen;
            out.Bytes.clear();
            return out;
        }
        if (n == 0) break;
        if (out.Bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            out.Status = ReadStatus::TooLarge;
            out.Bytes.clear();
            return out;
        }
        out.Bytes.append(chunk, static_cast<std::size_t>(n));
    }
    out.Status = ReadStatus::Ok;
    return out;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes)
{
    if (path.empty()) return false;
    // A fresh temporary name beside the file, created with the mode an
    // ordinary new file gets (the kernel applies the umask).
    static std::atomic<unsigned> serial{0};
    std::string temp;
    Descriptor fd(-1);
    for (int attempt = 0; attempt < 100 && !fd.Valid(); ++attempt) {
        temp = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
        fd.Reset(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!fd.Valid() && errno != EEXIST) return false;
    }
    if (!fd.Valid()) return false;
    bool ok = WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0;
    ok = fd.Close() && ok;
    if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here loses nothing already written.
    Descriptor dir(::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid()) ::fsync(dir.Get());
    return true;
}
