#include "platform/SerialPort.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include "platform/Clock.h"
#include "platform/ConfigFolder.h"

namespace {

std::string ErrnoText(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

std::string PortsFolder() { return UserConfigFolder() + "/ports"; }

std::string ResolvePortPath(const std::string& name)
{
    if (name.empty()) return {};
    if (name.find('/') == std::string::npos) {
        std::string link = PortsFolder() + "/" + name;
        struct stat st{};
        if (lstat(link.c_str(), &st) == 0) return link;
        if (name.size() == 4 && name.compare(0, 3, "COM") == 0 && name[3] >= '1' && name[3] <= '8')
            return "/dev/ttyS" + std::string(1, char(name[3] - 1));
        return {};
    }
    return name;
}

std::shared_ptr<SerialPort> SerialPort::Open(const std::string& name, std::string* errorText)
{
    auto fail = [&](const std::string& why) -> std::shared_ptr<SerialPort> {
        if (errorText) *errorText = why;
        return nullptr;
    };
    std::string path = ResolvePortPath(name);
    if (path.empty()) return fail("no device for port " + name);

    // Non-blocking open so a line without carrier does not hang the open.
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(ErrnoText(path.c_str()));
    std::shared_ptr<SerialPort> port(new SerialPort(fd, path));

    if (!isatty(fd)) return fail(path + " is not a serial line");
    if (ioctl(fd, TIOCEXCL) != 0) return fail(ErrnoText("TIOCEXCL"));

    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return fail(ErrnoText("tcgetattr"));
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, B115200) != 0 || cfsetospeed(&tio, B115200) != 0)
        return fail(ErrnoText("cfsetspeed"));
    if (tcsetattr(fd, TCSANOW, &tio) != 0) return fail(ErrnoText("tcsetattr"));

    // From here on writes block until the line takes the bytes; reads are
    // only made for bytes that are already waiting.
    int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return fail(ErrnoText("fcntl"));
    // A freshly opened port starts with an empty receive queue, whatever
    // arrived while nobody held it.
    tcflush(fd, TCIFLUSH);
    return port;
}

SerialPort::~SerialPort()
{
    Close();
}

void SerialPort::Close()
{
    if (fd_ < 0) return;
    // Exclusive use outlives the descriptor while another holder keeps the
    // line open; clear it so the port can be opened again.
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

void SerialPort::FlushInput()
{
    if (fd_ >= 0) tcflush(fd_, TCIFLUSH);
}

uint32_t SerialPort::BytesWaiting(int waitMs)
{
    if (fd_ < 0) {
        SleepMilliseconds(waitMs);
        return 0;
    }
    int count = 0;
    if (ioctl(fd_, FIONREAD, &count) != 0) count = 0;
    if (count > 0 || waitMs <= 0) return uint32_t(count > 0 ? count : 0);

    pollfd p{fd_, POLLIN, 0};
    int64_t start = MonotonicMilliseconds();
    int r = poll(&p, 1, waitMs);
    count = 0;
    if (ioctl(fd_, FIONREAD, &count) != 0) count = 0;
    if (count <= 0 && r > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
        // A hung-up line reports at once on every poll; wait out the slice
        // instead of spinning.
        SleepMilliseconds(waitMs - int(MonotonicMilliseconds() - start));
    }
    return uint32_t(count > 0 ? count : 0);
}

bool SerialPort::ReadByte(uint8_t& byte)
{
    return Read(&byte, 1) == 1;
}

std::size_t SerialPort::Read(uint8_t* data, std::size_t count)
{
    if (fd_ < 0 || count == 0) return 0;
    for (;;) {
        ssize_t n = ::read(fd_, data, count);
        if (n >= 0) return std::size_t(n);
        if (errno != EINTR) return 0;
    }
}

bool SerialPort::WriteByte(uint8_t byte)
{
    return Write(&byte, 1) == 1;
}

std::size_t SerialPort::Write(const uint8_t* data, std::size_t count)
{
    if (fd_ < 0) return 0;
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::write(fd_, data + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        done += std::size_t(n);
    }
    return done;
}
