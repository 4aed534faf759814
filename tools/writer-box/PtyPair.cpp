#include "PtyPair.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error_ = std::string("pseudo-terminal: ") + std::strerror(errno);
        return;
    }
    char name[256] = {};
    if (ptsname_r(master_, name, sizeof name) != 0) {
        error_ = std::string("ptsname: ") + std::strerror(errno);
        return;
    }
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        error_ = slavePath_ + ": " + std::strerror(errno);
        return;
    }
    // Raw from the start: no echo, no line editing, 8 bits through.
    termios tio{};
    if (tcgetattr(slave_, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B115200);
        cfsetospeed(&tio, B115200);
        tcsetattr(slave_, TCSANOW, &tio);
    }
    // The master never blocks the simulated writer: reads and writes wait
    // in poll() where a stop request can be noticed.
    int flags = fcntl(master_, F_GETFL);
    if (flags >= 0) fcntl(master_, F_SETFL, flags | O_NONBLOCK);
}

PtyPair::~PtyPair()
{
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}
