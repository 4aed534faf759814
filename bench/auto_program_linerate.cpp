// Auto program of the largest catalogue device (8192 program bytes, 256
// EEPROM bytes) against the simulated writer pacing its line at 115200 baud
// 8N1. Reports the wall time as a ratio to the line-rate floor of the bytes
// the run exchanges (both directions share the half-duplex line), and the
// CPU time of this process over the run. The simulated writer runs in a
// child process, so the CPU time is the programmer's alone.
//
// Then the same runs with the writer starting each reply 1 ms after the
// request's last byte, as a USB serial adapter with its latency timer at
// 1 ms hands bytes on: that ratio is against the floor of line time plus
// one millisecond per reply (target: at most 1.05), and the report says
// how many turnarounds the acknowledges per pair saved.
//
//   bench_auto_program_linerate [runs]
//
// KRV_BENCH_TRACE=1 prints every caption with a time stamp (the phases of
// the run); KRV_BENCH_UNPACED=1 lets the writer answer at once, which shows
// the round-trip cost of the pty and the two processes alone.

#include "BenchSupport.h"
#include "WriterBox.h"
#include "workspace/BufferCommands.h"
#include "workspace/Checksum.h"
#include "workspace/OptionModel.h"
#include "link/EngineReporter.h"
#include "link/Operations.h"
#include "link/ProgrammingEngine.h"
#include "link/WriterLink.h"
#include "platform/SerialPort.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double kByteSeconds = 10.0 / 115200.0;   // start + 8 data + stop bits
constexpr int kTurnaroundUs = 1000;                 // a USB adapter's latency timer at 1 ms

struct Counts {
    uint64_t Requests = 0, Replies = 0, PairAcks = 0;
};

class NullReporter : public EngineReporter {
public:
    void SetCaption(ProgressLabel label, const std::string& text) override
    {
        if (std::getenv("KRV_BENCH_TRACE"))
            std::fprintf(stderr, "%10.3f ms  %s\n",
                         std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count(),
                         text.c_str());
        if (label == ProgressLabel::Data || label == ProgressLabel::Option) last[int(label)] = text;
    }
    void SetColour(ProgressLabel, LabelColour) override {}
    void SetVisible(ProgressLabel, bool) override {}
    void EnableButton(ProgressButton, bool) override {}
    void EnTimer1(bool) override {}
    void StatusChanged(const StatusPanel&) override {}
    void QtpSimCaption(const std::string&) override {}
    std::string last[kProgressLabelCount];
};

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The simulated writer in a child process: it prints its terminal's path,
// then on each byte from the parent reports the request bytes it has
// received so far, its replies and its pair acknowledges ('r' restarts the
// counts first, 't' switches the turnaround on); end of input stops it.
pid_t StartWriter(std::string& slavePath, int& toChild, int& fromChild)
{
    int down[2], up[2];
    if (pipe(down) != 0 || pipe(up) != 0) return -1;
    pid_t pid = fork();
    if (pid == 0) {
        close(down[1]);
        close(up[0]);
        WriterSettings settings;
        settings.Paced = std::getenv("KRV_BENCH_UNPACED") == nullptr;
        WriterBox box(settings);
        if (!box.Start()) _exit(1);
        if (settings.Paced)
            std::fprintf(stderr, "writer: terminal hand-over delay %.1f us, taken off the line time of received bytes\n",
                         box.HandOverNs() / 1000.0);
        std::string path = box.SlavePath() + "\n";
        [[maybe_unused]] ssize_t n = write(up[1], path.data(), path.size());
        char c;
        while (read(down[0], &c, 1) == 1) {
            if (c == 't') box.With([](WriterState& s) { return s.Settings.TurnaroundUs = kTurnaroundUs; });
            if (c == 'r') box.SetFaults({});
            const std::string line = box.With([](WriterState& s) {
                return std::to_string(s.BytesSinceFaults) + " " + std::to_string(s.RepliesSinceFaults) + " " +
                       std::to_string(s.PairAcksSinceFaults) + "\n";
            });
            n = write(up[1], line.data(), line.size());
        }
        box.Stop();
        _exit(0);
    }
    close(down[0]);
    close(up[1]);
    toChild = down[1];
    fromChild = up[0];
    char buf[256];
    ssize_t n = read(fromChild, buf, sizeof buf - 1);
    if (n <= 0) return -1;
    buf[n] = 0;
    slavePath = std::string(buf);
    slavePath.erase(slavePath.find('\n'));
    return pid;
}

Counts AskCounts(int toChild, int fromChild, char command)
{
    [[maybe_unused]] ssize_t n = write(toChild, &command, 1);
    char buf[128];
    n = read(fromChild, buf, sizeof buf - 1);
    Counts c;
    if (n <= 0) return c;
    buf[n] = 0;
    unsigned long long a = 0, b = 0, p = 0;
    std::sscanf(buf, "%llu %llu %llu", &a, &b, &p);
    c.Requests = a, c.Replies = b, c.PairAcks = p;
    return c;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::string slave;
    int toChild = -1, fromChild = -1;
    const pid_t child = StartWriter(slave, toChild, fromChild);
    if (child < 0) {
        std::fprintf(stderr, "cannot start the simulated writer\n");
        return 1;
    }

    // The writer appears as COM1 in a private ports folder.
    const std::string home = std::filesystem::temp_directory_path().string() + "/krv-bench-" + std::to_string(getpid());
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    std::filesystem::create_directories(PortsFolder());
    std::filesystem::create_symlink(slave, PortsFolder() + "/COM1");

    Workspace ws;
    SetCreationDefaults(ws);
    QuietNotifier notifier;
    const std::string device = "72Q575";
    ResetData(ws, device);
    for (uint32_t k = 0; 2 * k < ws.RomBytes; ++k) {
        const uint32_t value = (k * 0x1D3 + 0x155) & 0x3FFF;
        ws.ProgramMemory[2 * k] = value & 0x7F;
        ws.ProgramMemory[2 * k + 1] = (value >> 7) & 0x7F;
    }
    for (uint32_t k = 0; k < ws.EepromSize; ++k) ws.EepromBuffer[k] = uint8_t(k * 7 + 3);
    ws.OptionWords[0] = 0x26;
    ws.OptionWords[1] = 0x55;
    UpdateOption(ws);
    CheckComPort(ws, notifier, "Com1");
    if (ws.LinkFailed) return 1;

    NullReporter reporter;
    ProgrammingEngine engine(ws, reporter, notifier);
    EngineControls controls;
    controls.DeviceText = device;
    ws.CommandCode = opAutoProgram;

    // A first run identifies the writer (its text is then cached) and warms up.
    if (engine.RunOnce(controls) != RunEnd::Completed) {
        std::fprintf(stderr, "warm-up run failed: %s\n", reporter.last[int(ProgressLabel::Data)].c_str());
        return 1;
    }

    // Bytes of one run: the requests as the writer counts them, and the
    // replies of an auto program of this device (type reply, erase done,
    // ID ready + 8 pair acknowledges + 32 bytes read + end, data ready +
    // 4096 pair acknowledges + 8192 bytes read + end, EEPROM ready + 256
    // acknowledges + 256 bytes read + end, option ready + 1 acknowledge +
    // 8 bytes read + end).
    const uint64_t replies = 1 + 1 + (1 + 8 + 33) + (1 + 4096 + 8193) + (1 + 256 + 257) + (1 + 1 + 9);
    // One set of runs; turnaroundMs is the writer's delay before each reply.
    auto measure = [&](const char* name, double turnaroundMs, Counts& counts) {
        double best = 1e9, totalWall = 0, totalCpu = 0;
        for (int i = 0; i < runs; ++i) {
            AskCounts(toChild, fromChild, 'r');
            const double cpu0 = CpuSeconds();
            const auto t0 = std::chrono::steady_clock::now();
            const RunEnd end = engine.RunOnce(controls);
            const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            const double cpu = CpuSeconds() - cpu0;
            counts = AskCounts(toChild, fromChild, 'c');
            if (end != RunEnd::Completed) {
                std::fprintf(stderr, "run %d failed: %s\n", i, reporter.last[int(ProgressLabel::Data)].c_str());
                return -1.0;
            }
            const double floor =
                double(counts.Requests + replies) * kByteSeconds + double(counts.Replies) * turnaroundMs / 1000.0;
            std::printf("%s run %d: %llu bytes exchanged, %llu turnarounds, floor %.3f s, wall %.3f s, ratio %.3f, "
                        "CPU %.3f s\n",
                        name, i, (unsigned long long)(counts.Requests + replies), (unsigned long long)counts.Replies,
                        floor, wall, wall / floor, cpu);
            best = std::min(best, wall / floor);
            totalWall += wall;
            totalCpu += cpu;
        }
        std::printf("auto program 72Q575, %s: best ratio %.3f, mean wall %.3f s, mean CPU %.3f s\n", name, best,
                    totalWall / runs, totalCpu / runs);
        return best;
    };
    Counts counts;
    const double lineRatio = measure("line rate", 0, counts);
    if (lineRatio < 0) return 1;
    AskCounts(toChild, fromChild, 't');
    const double turnaroundRatio = measure("1 ms turnaround", kTurnaroundUs / 1000.0, counts);
    if (turnaroundRatio < 0) return 1;
    std::printf("line rate: best ratio %.3f (target <= 1.10)\n", lineRatio);
    std::printf("1 ms turnaround: best ratio %.3f to line time plus %llu turnarounds (target <= 1.05); "
                "acknowledges per pair saved %llu turnarounds (%.3f s)\n",
                turnaroundRatio, (unsigned long long)counts.Replies, (unsigned long long)counts.PairAcks,
                double(counts.PairAcks) * kTurnaroundUs / 1e6);

    ws.ComHandle.reset();
    close(toChild);
    int status = 0;
    waitpid(child, &status, 0);
    std::filesystem::remove_all(home);
    return 0;
}
