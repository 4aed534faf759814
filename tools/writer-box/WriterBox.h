// The simulated writer: a programming box behind a pseudo-terminal that
// answers every request of the writer protocol from a simulated chip, with
// switchable faults. Used in-process by the tests (a thread serves the pty)
// and as the program writer-box for run.sh and benchmarks.
//
// Everything the serving thread uses lives in one WriterState behind a
// mutex; tests read and change it with With(), Snapshot() and the setters.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "DeviceListState.h"
#include "FirmwareState.h"
#include "OptionAreaState.h"
#include "SerialSetState.h"

class PtyPair;

// The chip in the socket: memory images as they travel on the line.
struct SimulatedChip {
    static constexpr std::size_t kProgramBytes = 32768;   // 16384 words, low byte first
    static constexpr std::size_t kEepromBytes = 1024;

    SimulatedChip();
    // Chip erase: every area blank, protection off.
    void Erase();

    uint8_t BlankLow = 0x7F;    // a blank word is (BlankLow, BlankHigh)
    uint8_t BlankHigh = 0x7F;
    std::vector<uint8_t> ProgramMemory;       // area 0
    std::array<uint8_t, 8> OptionWords{};     // area 1: option words 0..3
    std::array<uint8_t, 32> IdChecksum{};     // area 2: 6 ID words, 2 checksum words, 8 writer-info words
    std::vector<uint8_t> Eeprom;              // area 3, one byte per address
    std::array<uint8_t, 40> OptionArea{};     // area 5: option area words 00h..13h
    // A protected chip reads program words back with these bits set in both halves.
    bool Protected = false;
    uint8_t ProtectFill = 0x1F;
};

// Faults the protocol can report; each one is off by default. Byte indexes
// of data streams count from 0 at the first byte after the header's 0xB5.
struct WriterFaults {
    bool NoChip = false;            // 0xFE to every command header
    bool AdapterError = false;      // 0xFD to every command header
    bool BodyOptionError = false;   // 0xB9 to every command header
    int HeaderFaultArea = -1;       // >= 0: the three above answer only headers of this area
    int ProgramFailAt = -1;         // 0xB1 to stream byte N (or the pair holding it)
    int EarlyCompleteAt = -1;       // 0xB0 to stream byte N, before the data are complete
    int SilentFromByte = -1;        // no reply at all once request byte N (counted from
                                    // when the faults were set, from 0) has arrived
    int StallFromByte = -1;         // once request byte N has arrived the box takes no
                                    // more bytes off the line, which stops taking them
    bool WrongGeneration = false;   // 0xC2 to the writer-type query
    int UnexpectedReply = -1;       // this byte replaces the reply to the type query and to
                                    // command headers (or, see below, one acknowledge)
    int UnexpectedAtByte = -1;      // >= 0: replace only the acknowledge of stream byte N
    int ReadLengthDelta = 0;        // read replies carry this many data bytes more (or fewer)
};

enum class AckMode {
    Auto,      // per pair when the identification text asks the program for pair mode
    PerByte,
    PerPair,
};

struct WriterSettings {
    std::string Model = " HRX307A";   // identification text = Model + " " + Version
    std::string Version = "V3.30";
    uint8_t TypeReply = 0xC4;          // 0xC2, 0xC3 or 0xC4
    AckMode Acknowledge = AckMode::Auto;
    bool Paced = false;                // replies at the real line rate, 115200 baud 8N1
    int TurnaroundUs = 0;              // each reply starts this long after the request's
                                       // last byte, as behind a USB adapter's latency timer
    uint8_t SwitchIdle = 0x01;         // switch status once the script is used up
    uint8_t HandlerReply = 0xB8;       // reply to a handler signal
    int RequestGapMs = 1000;           // a request whose next byte takes longer is dropped
    bool Verbose = false;              // log each request on stderr

    std::string IdText() const { return Model + " " + Version; }
};

// One request as the box saw it.
struct RecordedRequest {
    std::string Name;              // the dispatch table's name, or "unknown"
    std::vector<uint8_t> Bytes;    // the request's bytes (for a data stream: the data)
    std::chrono::steady_clock::time_point At{};   // when the box took its first byte
};

struct WriterState {
    SimulatedChip Chip;
    WriterSettings Settings;
    WriterFaults Faults;
    std::deque<uint8_t> SwitchScript;        // status bytes for the next switch queries
    std::vector<RecordedRequest> Requests;   // the latest requests, oldest first
    uint64_t BytesSinceFaults = 0;           // request bytes received since SetFaults
    uint64_t RepliesSinceFaults = 0;         // replies sent since then (each one turnaround)
    uint64_t PairAcksSinceFaults = 0;        // of them, acknowledges of two stream bytes
    SerialSetState SerialSet;                // the serial-number set for off-line operation
    FirmwareState Firmware;                  // the firmware update in progress
    OptionAreaFaults OptionArea;             // faults of the option-area read-back
    DeviceListState DeviceList;              // the downloaded device records
};

class WriterBox {
public:
    explicit WriterBox(WriterSettings settings = {});
    ~WriterBox();   // stops serving, removes the link
    WriterBox(const WriterBox&) = delete;
    WriterBox& operator=(const WriterBox&) = delete;

    // Opens the pseudo-terminal and starts the serving thread.
    bool Start(std::string* error = nullptr);
    // Stops and joins the serving thread; the pty stays until destruction.
    void Stop();
    // Stops serving and closes the terminal: the line hangs up, as when the
    // writer's cable is pulled.
    void HangUp();
    bool Running() const { return thread_.joinable(); }
    // Waiting for the first byte of a new request with nothing unread, on
    // the line or in the box.
    bool Idle() const;

    // The slave end the program opens, e.g. /dev/pts/4.
    std::string SlavePath() const;
    // Makes linkPath a symbolic link to the slave (replacing an old link);
    // the link is removed when the box is destroyed.
    bool LinkAs(const std::string& linkPath, std::string* error = nullptr);

    // Thread-safe access to the whole state.
    template <class F>
    auto With(F&& f)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return f(state_);
    }
    WriterState Snapshot() const;

    // Convenience setters and readers, each thread-safe.
    void SetFaults(const WriterFaults& faults);   // also restarts the byte count
    WriterFaults Faults() const;
    void SetIdentity(const std::string& model, const std::string& version);
    void SetTypeReply(uint8_t reply);
    void SetAcknowledge(AckMode mode);
    void SetPaced(bool paced);
    // Paced mode: the terminal's measured hand-over delay that a received
    // byte's line time already covers (0 until measured at Start()).
    int64_t HandOverNs() const { return handOverNs_; }
    void ScriptSwitch(const std::vector<uint8_t>& statusBytes);
    SimulatedChip Chip() const;
    void SetChip(const SimulatedChip& chip);
    std::vector<RecordedRequest> Requests() const;
    void ClearRequests();
    // Names of the requests seen, in order (handy in tests).
    std::vector<std::string> RequestNames() const;

    // Runs the serving loop on the calling thread until Stop() (the
    // writer-box program uses this; Start() runs it on its own thread).
    bool ServeHere(std::string* error = nullptr);

private:
    friend class RequestContext;
    bool OpenPty(std::string* error);
    void ClearWake();
    void ServeLoop();
    // Next request byte within waitMs (-1: until stopped); false otherwise.
    bool NextByte(uint8_t& byte, int waitMs);
    // The stall fault: stops or restarts the line as the faults say; true
    // while it is stopped.
    bool Stalled();
    void WriteReply(const uint8_t* data, std::size_t count);
    void MeasureHandOver();
    void Record(const std::string& name, std::vector<uint8_t> bytes, std::chrono::steady_clock::time_point at);

    mutable std::mutex mutex_;
    WriterState state_;
    std::unique_ptr<PtyPair> pty_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> idle_{false};
    int wake_[2] = {-1, -1};   // self-pipe that interrupts a wait on Stop()
    std::deque<uint8_t> input_;
    std::string link_;
    int64_t lineFreeNs_ = 0;   // paced mode: when the line is free for the next byte
    int64_t arrivalNs_ = 0;    // when the bytes in input_ were taken from the terminal
    int64_t handOverNs_ = 0;   // paced mode: the terminal's delay from a write to our read
    bool lineStopped_ = false; // the stall fault holds the line
};
