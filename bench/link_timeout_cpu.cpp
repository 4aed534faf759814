// How much CPU the link burns while it waits out a writer time-out.
// A silent simulated writer is attached to a pseudo-terminal, the writer
// check waits its full 5 s for a reply, and the process's CPU time during
// that wait is compared with the wall time. Target: at most 2 %.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "BenchSupport.h"
#include "WriterBox.h"
#include "workspace/Workspace.h"
#include "link/WriterLink.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

namespace {

double ProcessCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

}  // namespace

int main()
{
    WriterBox box;
    std::string error;
    if (!box.Start(&error)) {
        std::fprintf(stderr, "writer box: %s\n", error.c_str());
        return 1;
    }
    WriterFaults silent;
    silent.SilentFromByte = 0;
    box.SetFaults(silent);

    Workspace ws;
    ws.ComHandle = SerialPort::Open(box.SlavePath(), &error);
    if (!ws.ComHandle) {
        std::fprintf(stderr, "port: %s\n", error.c_str());
        return 1;
    }
    QuietNotifier notifier;

    double cpuStart = ProcessCpuSeconds();
    int64_t wallStart = MonotonicMilliseconds();
    LinkResult r = CheckWriter(ws, notifier);
    double wall = double(MonotonicMilliseconds() - wallStart) / 1000.0;
    double cpu = ProcessCpuSeconds() - cpuStart;

    double ratio = cpu / wall;
    std::printf("result %s, wall %.3f s, cpu %.4f s, cpu/wall %.2f %% (target <= 2 %%)\n",
                LinkResultName(r), wall, cpu, ratio * 100.0);
    return r == lrTimeout && ratio <= 0.02 ? 0 : 1;
}
