#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "LinkedWriter.h"
#include "TestSupport.h"
#include "workspace/DeviceCatalogue.h"
#include "link/CommandHeader.h"
#include "platform/SerialPort.h"

namespace {

// The program is build/writer-box; the tests run from build/tests.
std::string ExecutablePath()
{
    return (std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "writer-box").string();
}

}  // namespace

TEST(Pacing, RepliesKeepToTheLineRateOf115200Baud)
{
    // The terminal's hand-over delay is taken off a received byte's line
    // time, but never so much that the line would carry a byte faster than
    // 115200 baud allows.
    LinkedWriter w("COM1", 30, WriterSettings{.Paced = true});
    ASSERT_TRUE(w.Ready);
    constexpr int64_t kByteNs = 10 * 1000000000LL / 115200;
    EXPECT_GE(w.Box.HandOverNs(), 0);
    EXPECT_LE(w.Box.HandOverNs(), kByteNs);
    constexpr int kRounds = 200;
    const auto start = std::chrono::steady_clock::now();
    uint8_t reply = 0;
    for (int i = 0; i < kRounds; ++i) {
        SendByte(w.Ws, WriterTypeQuery);
        ASSERT_EQ(WaitForByte(w.Ws, reply, w.Context), WaitResult::Byte);
    }
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(ns, kRounds * 2 * kByteNs);

    // A block of 4096 data bytes and its end marker takes their line time too.
    SelectDevice(w.Ws, "72Q574");
    GetHeader(w.Ws, areaProgram, hcRead);
    const auto blockStart = std::chrono::steady_clock::now();
    EXPECT_EQ(Read7BitData(w.Ws, 4096, w.Context), lrDone);
    EXPECT_GE(std::chrono::steady_clock::now() - blockStart, std::chrono::nanoseconds(4097 * kByteNs));
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

TEST(Program, PresetOptionAreaTakesHexBytesAndRefusesAnythingElse)
{
    SimulatedChip chip;
    EXPECT_TRUE(PresetOptionArea(chip, "10,2a 3F"));
    EXPECT_EQ(std::vector<uint8_t>(chip.OptionArea.begin(), chip.OptionArea.begin() + 4),
              (std::vector<uint8_t>{0x10, 0x2A, 0x3F, chip.BlankHigh}));
    for (const char* bad : {"1G", "123", "10;11"}) EXPECT_FALSE(PresetOptionArea(chip, bad)) << bad;
    const int status = std::system((ExecutablePath() + " --option-area zz >/dev/null 2>&1").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
}
