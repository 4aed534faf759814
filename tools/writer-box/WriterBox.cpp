#include "WriterBox.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include "PtyPair.h"
#include "RequestContext.h"
#include "Requests.h"

namespace {

// One byte on a 115200 baud 8N1 line: start bit, 8 data bits, stop bit.
constexpr int64_t kByteTimeNs = 10 * 1000000000LL / 115200;
constexpr std::size_t kRequestLogLimit = 4096;

int64_t NowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Sleeps until shortly before t and spins the rest: a wake-up from sleep
// comes tens of microseconds late, a large part of one byte time at 115200
// baud, and a UART keeps its bit clock exactly.
void SleepUntilNs(int64_t t)
{
    constexpr int64_t kSpinNs = 40000;
    if (t - kSpinNs > NowNs()) {
        const int64_t wake = t - kSpinNs;
        timespec ts{time_t(wake / 1000000000LL), long(wake % 1000000000LL)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        }
    }
    while (NowNs() < t) {
    }
}

std::string Hex(const std::vector<uint8_t>& bytes, std::size_t limit = 16)
{
    std::string out;
    char buf[4];
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        std::snprintf(buf, sizeof buf, "%02X ", bytes[i]);
        out += buf;
    }
    if (bytes.size() > limit) out += "... (" + std::to_string(bytes.size()) + " bytes)";
    return out;
}

}  // namespace

// ---- the chip --------------------------------------------------------------

SimulatedChip::SimulatedChip()
    : ProgramMemory(kProgramBytes), Eeprom(kEepromBytes)
{
    Erase();
}

void SimulatedChip::Erase()
{
    for (std::size_t i = 0; i < ProgramMemory.size(); ++i) ProgramMemory[i] = i % 2 ? BlankHigh : BlankLow;
    for (std::size_t i = 0; i < OptionWords.size(); ++i) OptionWords[i] = i % 2 ? BlankHigh : BlankLow;
    // ID and checksum words blank; the writer-information words are the box's own.
    for (std::size_t i = 0; i < 16; ++i) IdChecksum[i] = i % 2 ? BlankHigh : BlankLow;
    for (std::size_t i = 0; i < OptionArea.size(); ++i) OptionArea[i] = i % 2 ? BlankHigh : BlankLow;
    std::fill(Eeprom.begin(), Eeprom.end(), uint8_t(0xFF));
    Protected = false;
}

// ---- request context -------------------------------------------------------

bool RequestContext::Next(uint8_t& byte)
{
    int gap = box_.With([](WriterState& s) { return s.Settings.RequestGapMs; });
    if (!box_.NextByte(byte, gap)) return false;
    bytes_.push_back(byte);
    return true;
}

bool RequestContext::Gather(std::size_t total)
{
    uint8_t byte = 0;
    while (bytes_.size() < total)
        if (!Next(byte)) return false;
    return true;
}

void RequestContext::Reply(const uint8_t* data, std::size_t count)
{
    bool silent = box_.With([](WriterState& s) {
        const bool quiet = s.Faults.SilentFromByte >= 0 && s.BytesSinceFaults > uint64_t(s.Faults.SilentFromByte);
        if (!quiet) ++s.RepliesSinceFaults;
        return quiet;
    });
    if (!silent) box_.WriteReply(data, count);
}

// ---- the box ---------------------------------------------------------------

WriterBox::WriterBox(WriterSettings settings)
{
    state_.Settings = std::move(settings);
}

WriterBox::~WriterBox()
{
    Stop();
    if (!link_.empty()) ::unlink(link_.c_str());
    for (int fd : wake_)
        if (fd >= 0) ::close(fd);
}

bool WriterBox::OpenPty(std::string* error)
{
    if (pty_) return true;
    auto pty = std::make_unique<PtyPair>();
    if (!pty->Ok()) {
        if (error) *error = pty->Error();
        return false;
    }
    if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (error) *error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    pty_ = std::move(pty);
    return true;
}

void WriterBox::ClearWake()
{
    uint8_t buf[16];
    while (wake_[0] >= 0 && ::read(wake_[0], buf, sizeof buf) > 0) {
    }
}

// A UART hands the writer a byte when its stop bit ends: the byte's line
// time runs while it is on the wire. The pseudo-terminal instead hands it
// over some tens of microseconds after the program wrote it (the kernel's
// flush work and this thread's wake-up), and the line time would be charged
// only from then on. That hand-over delay is measured here, while nobody
// else uses the terminal, as the median of a few bytes written to the slave
// end while this thread waits on the master; a received byte's line time is
// then counted from its arrival less that delay, and never from before the
// line was free nor more than one byte time back.
void WriterBox::MeasureHandOver()
{
    constexpr int kSamples = 15;
    std::vector<int64_t> samples;
    for (int i = 0; i < kSamples; ++i) {
        std::atomic<int64_t> sent{0};
        std::thread writer([&] {
            usleep(200);   // long enough for the reader below to be asleep in poll()
            sent = NowNs();
            const uint8_t b = 0;
            [[maybe_unused]] ssize_t n = ::write(pty_->Slave(), &b, 1);
        });
        pollfd p{pty_->Master(), POLLIN, 0};
        const int r = poll(&p, 1, 100);
        const int64_t got = NowNs();
        writer.join();
        // Take the sample byte off the line, also one that came after the
        // wait above gave up, so that it never reaches the request loop.
        uint8_t b = 0;
        for (int tries = 0; tries < 10 && ::read(pty_->Master(), &b, 1) != 1; ++tries) {
            pollfd q{pty_->Master(), POLLIN, 0};
            poll(&q, 1, 100);
        }
        if (r == 1 && got >= sent.load()) samples.push_back(got - sent.load());
    }
    if (samples.empty()) return;
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    handOverNs_ = std::clamp<int64_t>(samples[samples.size() / 2], 0, kByteTimeNs);
}

bool WriterBox::Start(std::string* error)
{
    if (Running()) return true;
    if (!OpenPty(error)) return false;
    // A wake-up left by an earlier Stop() would end every wait at once.
    ClearWake();
    if (With([](WriterState& s) { return s.Settings.Paced; })) MeasureHandOver();
    stop_ = false;
    thread_ = std::thread([this] { ServeLoop(); });
    return true;
}

bool WriterBox::ServeHere(std::string* error)
{
    if (!OpenPty(error)) return false;
    ClearWake();
    if (With([](WriterState& s) { return s.Settings.Paced; })) MeasureHandOver();
    stop_ = false;
    ServeLoop();
    return true;
}

void WriterBox::Stop()
{
    stop_ = true;
    if (wake_[1] >= 0) {
        uint8_t b = 1;
        [[maybe_unused]] ssize_t n = ::write(wake_[1], &b, 1);
    }
    if (thread_.joinable()) thread_.join();
}

void WriterBox::HangUp()
{
    Stop();
    pty_.reset();
}

std::string WriterBox::SlavePath() const
{
    return pty_ ? pty_->SlavePath() : std::string();
}

bool WriterBox::LinkAs(const std::string& linkPath, std::string* error)
{
    if (!pty_) {
        if (error) *error = "the writer box has no pseudo-terminal yet";
        return false;
    }
    ::unlink(linkPath.c_str());
    if (::symlink(pty_->SlavePath().c_str(), linkPath.c_str()) != 0) {
        if (error) *error = linkPath + ": " + std::strerror(errno);
        return false;
    }
    link_ = linkPath;
    return true;
}

bool WriterBox::Idle() const
{
    // The line first: bytes the box takes off it clear the flag before they leave the line.
    int pending = 0;
    if (pty_ && ioctl(pty_->Master(), FIONREAD, &pending) == 0 && pending > 0) return false;
    return idle_;
}

bool WriterBox::Stalled()
{
    const bool stall = With([](WriterState& s) {
        return s.Faults.StallFromByte >= 0 && s.BytesSinceFaults > uint64_t(s.Faults.StallFromByte);
    });
    if (stall != lineStopped_) {
        // Output suspended on the slave end: the program's writes find the
        // line full, as with an adapter whose transmitter has stopped.
        tcflow(pty_->Slave(), stall ? TCOOFF : TCOON);
        lineStopped_ = stall;
    }
    return stall;
}

bool WriterBox::NextByte(uint8_t& byte, int waitMs)
{
    if (Stalled()) {
        input_.clear();
        pollfd p{wake_[0], POLLIN, 0};
        poll(&p, 1, 20);
        return false;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs < 0 ? 0 : waitMs);
    while (input_.empty()) {
        if (stop_) return false;
        int timeout = -1;
        if (waitMs >= 0) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            timeout = int(left.count());
        }
        pollfd p[2] = {{pty_->Master(), POLLIN, 0}, {wake_[0], POLLIN, 0}};
        int r = poll(p, 2, timeout);
        if (r < 0 && errno != EINTR) return false;
        if (p[1].revents) return false;
        if (p[0].revents & POLLIN) {
            idle_ = false;   // before the line looks empty again
            uint8_t buf[4096];
            ssize_t n = ::read(pty_->Master(), buf, sizeof buf);
            if (n > 0) {
                input_.insert(input_.end(), buf, buf + n);
                arrivalNs_ = NowNs();
            }
        } else if (p[0].revents & (POLLHUP | POLLERR)) {
            // Cannot happen while the box holds the slave; do not spin if it does.
            usleep(10000);
        }
    }
    byte = input_.front();
    input_.pop_front();
    bool paced = With([](WriterState& s) {
        ++s.BytesSinceFaults;
        return s.Settings.Paced;
    });
    Stalled();   // the line stops as this byte arrives; the box still answers it
    if (paced) {
        // The byte was on the line from when the program wrote it: its
        // arrival less the terminal's hand-over delay (MeasureHandOver).
        lineFreeNs_ = std::max(lineFreeNs_, arrivalNs_ - handOverNs_) + kByteTimeNs;
    }
    return true;
}

void WriterBox::WriteReply(const uint8_t* data, std::size_t count)
{
    bool paced = false;
    int gapMs = 0;
    int64_t turnaroundNs = 0;
    With([&](WriterState& s) {
        paced = s.Settings.Paced;
        gapMs = s.Settings.RequestGapMs;
        turnaroundNs = int64_t(s.Settings.TurnaroundUs) * 1000;
        return 0;
    });
    if (turnaroundNs > 0) {
        // The reply reaches the program a turnaround after the request's
        // last byte: its end on the line when paced, else its arrival here.
        const int64_t due = (paced ? lineFreeNs_ : arrivalNs_) + turnaroundNs;
        SleepUntilNs(due);
        if (paced) lineFreeNs_ = std::max(lineFreeNs_, due);
    }
    // A reply that nobody takes for a whole request gap (the program closed
    // the port and does not read) is given up rather than waited on forever.
    int64_t stalledSince = NowNs();
    std::size_t done = 0;
    while (done < count && !stop_) {
        std::size_t chunk = count - done;
        if (paced) {
            // One byte at a time, each when the line has carried the one before.
            // The bytes of one reply follow each other back to back, as the
            // writer's UART sends them, so a late wake-up of this thread is
            // made up by the next bytes instead of adding up; the first byte
            // keeps to the schedule while the line has been free for less
            // than a byte time.
            const int64_t now = NowNs();
            int64_t start = done > 0 || now - lineFreeNs_ < kByteTimeNs ? lineFreeNs_ : now;
            SleepUntilNs(start + kByteTimeNs);
            lineFreeNs_ = start + kByteTimeNs;
            chunk = 1;
        }
        ssize_t n = ::write(pty_->Master(), data + done, chunk);
        if (n > 0) {
            done += std::size_t(n);
            stalledSince = NowNs();
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return;
        if (NowNs() - stalledSince > int64_t(gapMs) * 1000000) return;
        pollfd p[2] = {{pty_->Master(), POLLOUT, 0}, {wake_[0], POLLIN, 0}};
        poll(p, 2, 100);
    }
}

void WriterBox::Record(const std::string& name, std::vector<uint8_t> bytes, std::chrono::steady_clock::time_point at)
{
    bool verbose = false;
    std::string line;
    With([&](WriterState& s) {
        verbose = s.Settings.Verbose;
        if (verbose) line = name + ": " + Hex(bytes);
        if (s.Requests.size() >= kRequestLogLimit) s.Requests.erase(s.Requests.begin(), s.Requests.begin() + kRequestLogLimit / 2);
        s.Requests.push_back({name, std::move(bytes), at});
        return 0;
    });
    if (verbose) std::fprintf(stderr, "writer-box: %s\n", line.c_str());
}

void WriterBox::ServeLoop()
{
    // Paced replies sleep for single byte times (87 us); the default timer
    // slack of 50 us would stretch every one of them.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    uint8_t first = 0;
    while (!stop_) {
        idle_ = input_.empty();
        const bool got = NextByte(first, -1);
        idle_ = false;
        if (!got) continue;
        RequestContext request(*this, first);
        if (const RequestRow* row = FindRequest(first)) {
            row->Serve(request);
        } else {
            request.Record("unknown");
        }
    }
}

// ---- thread-safe accessors -------------------------------------------------

WriterState WriterBox::Snapshot() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return state_;
}

void WriterBox::SetFaults(const WriterFaults& faults)
{
    With([&](WriterState& s) {
        s.Faults = faults;
        s.BytesSinceFaults = s.RepliesSinceFaults = s.PairAcksSinceFaults = 0;
        return 0;
    });
}

WriterFaults WriterBox::Faults() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return state_.Faults;
}

void WriterBox::SetIdentity(const std::string& model, const std::string& version)
{
    With([&](WriterState& s) {
        s.Settings.Model = model;
        s.Settings.Version = version;
        return 0;
    });
}

void WriterBox::SetTypeReply(uint8_t reply)
{
    With([&](WriterState& s) { return s.Settings.TypeReply = reply; });
}

void WriterBox::SetAcknowledge(AckMode mode)
{
    With([&](WriterState& s) { return s.Settings.Acknowledge = mode; });
}

void WriterBox::SetPaced(bool paced)
{
    With([&](WriterState& s) { return s.Settings.Paced = paced; });
}

void WriterBox::ScriptSwitch(const std::vector<uint8_t>& statusBytes)
{
    With([&](WriterState& s) {
        s.SwitchScript.assign(statusBytes.begin(), statusBytes.end());
        return 0;
    });
}

SimulatedChip WriterBox::Chip() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return state_.Chip;
}

void WriterBox::SetChip(const SimulatedChip& chip)
{
    With([&](WriterState& s) {
        s.Chip = chip;
        return 0;
    });
}

std::vector<RecordedRequest> WriterBox::Requests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return state_.Requests;
}

void WriterBox::ClearRequests()
{
    With([](WriterState& s) {
        s.Requests.clear();
        return 0;
    });
}

std::vector<std::string> WriterBox::RequestNames() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> names;
    for (const auto& r : state_.Requests) names.push_back(r.Name);
    return names;
}
