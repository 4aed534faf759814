#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include "LinkedWriter.h"
#include "TestSupport.h"
#include "Requests.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Sends a request and collects reply bytes until `expect` arrived or the
// line stays quiet for quietMs.
Bytes Exchange(SerialPort& port, const Bytes& request, std::size_t expect, int quietMs = 300)
{
    port.FlushInput();
    port.Write(request.data(), request.size());
    Bytes reply;
    int64_t last = MonotonicMilliseconds();
    while (reply.size() < expect && MonotonicMilliseconds() - last < quietMs) {
        if (port.BytesWaiting(5) == 0) continue;
        uint8_t b = 0;
        while (port.BytesWaiting() && port.ReadByte(b)) reply.push_back(b);
        last = MonotonicMilliseconds();
    }
    return reply;
}

Bytes Header(uint8_t area, uint8_t op, int count)
{
    return {0xA1, 0x00, 0x00, uint8_t(count & 0xFF), uint8_t(count >> 8), area, 0x39, 0x03, 0xE0, op};
}

struct Served : LinkedWriter {
    SerialPort& Port() { return *Ws.ComHandle; }
};

std::string ExecutablePath()
{
    // The tests run from build/tests; the program is build/writer-box.
    return (std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "writer-box").string();
}

}  // namespace

TEST(Pacing, AnswerNeverComesSoonerThanRequestAndReplyTakeOnTheLine)
{
    // The terminal's hand-over delay is taken off a received byte's line
    // time, but never so much that the line would carry a byte faster than
    // 115200 baud allows.
    WriterSettings settings;
    settings.Paced = true;
    LinkedWriter w("COM1", 30, settings);
    ASSERT_TRUE(w.Ready);
    constexpr int64_t kByteNs = 10 * 1000000000LL / 115200;
    EXPECT_GE(w.Box.HandOverNs(), 0);
    EXPECT_LE(w.Box.HandOverNs(), kByteNs);
    constexpr int kRounds = 200;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) ASSERT_EQ(Exchange(*w.Ws.ComHandle, {0xA0}, 1), Bytes{0xC4});
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(ns, kRounds * 2 * kByteNs);
}

TEST(Program, ServesAPortLinkUntilTerminated)
{
    std::string link = LinkedWriter::PortsFolder() + "/COM6";
    std::string exe = ExecutablePath();
    pid_t pid = fork();
    if (pid == 0) {
        int null = ::open("/dev/null", O_WRONLY);
        dup2(null, 1);
        execl(exe.c_str(), exe.c_str(), "--link", link.c_str(), "--version", "V3.29", static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::is_symlink(link); }));
    Workspace ws;
    RecordingNotifier n;
    CheckComPort(ws, n, "Com6");
    ASSERT_FALSE(ws.LinkFailed);
    LinkContext ctx;
    ctx.TimeoutHundredths = 100;
    EXPECT_EQ(CheckWriter(ws, n, ctx), lrWriterGen2Id);
    EXPECT_EQ(ws.WriterVersion, "V3.29");
    ws.ComHandle.reset();
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST(Requests, ReplyNobodyReadsIsGivenUp)
{
    Served b;
    ASSERT_TRUE(b.Ready);
    b.Box.With([](WriterState& s) { s.Settings.RequestGapMs = 200; });
    Bytes read = Header(0, 0xA5, 0x3FFF);   // 32 KB: more than the line buffers hold
    b.Port().Write(read.data(), read.size());
    ASSERT_TRUE(WaitFor([&] { return !b.Box.Idle(); }));
    b.Ws.ComHandle->Close();
    ASSERT_TRUE(WaitFor([&] { return b.Box.Idle(); })) << "the box gave the reply up";
    CheckComPort(b.Ws, b.Notifier, "COM1");
    ASSERT_FALSE(b.Ws.LinkFailed);
    EXPECT_EQ(CheckWriter(b.Ws, b.Notifier, b.Context), lrWriterGen2Id);
    EXPECT_EQ(b.Ws.WriterId, " HRX307A V3.30");
}

