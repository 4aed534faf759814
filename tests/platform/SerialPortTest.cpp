#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "LinkedWriter.h"
#include "platform/SerialPort.h"

namespace {

std::string Link(const std::string& name)
{
    return LinkedWriter::PortsFolder() + "/" + name;
}

// Whether exclusive use is set on the terminal at path (asked through a
// descriptor of our own; root may open it even while it is exclusive).
int ExclusiveFlag(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return -1;
    int flag = -1;
    if (ioctl(fd, TIOCGEXCL, &flag) != 0) flag = -1;
    ::close(fd);
    return flag;
}


}  // namespace

TEST(PortNames, ComNamesResolveToPortsFolderLinksFirst)
{
    ::unlink(Link("COM8").c_str());
    EXPECT_EQ(ResolvePortPath("COM3"), "/dev/ttyS2");
    EXPECT_EQ(ResolvePortPath("COM8"), "/dev/ttyS7");
    ASSERT_EQ(::symlink("/dev/ttyUSB0", Link("COM8").c_str()), 0);
    EXPECT_EQ(ResolvePortPath("COM8"), Link("COM8"));   // even when the target is missing
    ::unlink(Link("COM8").c_str());
    EXPECT_EQ(ResolvePortPath("COM9"), "");
    EXPECT_EQ(ResolvePortPath("LPT1"), "");
    EXPECT_EQ(ResolvePortPath("/dev/ttyUSB3"), "/dev/ttyUSB3");
}

TEST(SerialPortIo, WaitingForBytesSleepsInsteadOfSpinning)
{
    LinkedWriter quiet("COM1");
    ASSERT_TRUE(quiet.Ready);
    auto box = std::make_unique<WriterBox>();
    ASSERT_TRUE(box->Start());
    auto hungUp = SerialPort::Open(box->SlavePath());
    ASSERT_NE(hungUp, nullptr);
    box.reset();   // the writer goes away: the line hangs up
    for (SerialPort* port : {quiet.Ws.ComHandle.get(), hungUp.get()}) {
        const std::clock_t cpu = std::clock();
        const auto wall = std::chrono::steady_clock::now();
        for (int i = 0; i < 10; ++i) EXPECT_EQ(port->BytesWaiting(20), 0u);
        const double cpuMs = 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC;
        const double wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall).count();
        EXPECT_GE(wallMs, 10 * 10.0) << "each wait lasts";
        EXPECT_LT(cpuMs, wallMs / 4) << "the wait burns the processor";
    }
}

TEST(SerialPortClose, ExclusiveUseEndsWithThePort)
{
    LinkedWriter w("COM1");
    ASSERT_TRUE(w.Ready);
    std::string slave = w.Box.SlavePath();
    EXPECT_EQ(ExclusiveFlag(slave), 1);
    w.Ws.ComHandle->Close();
    EXPECT_EQ(ExclusiveFlag(slave), 0);   // the writer still holds the line
}

