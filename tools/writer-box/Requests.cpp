#include "Requests.h"

#include <algorithm>
#include <string_view>

#include "RequestContext.h"

namespace {

constexpr uint8_t kWriteComplete = 0xB0;
constexpr uint8_t kWriteFailed = 0xB1;
constexpr uint8_t kReady = 0xB5;
constexpr uint8_t kEndOfData = 0xB8;
constexpr uint8_t kBodyOptionError = 0xB9;
constexpr uint8_t kWriterType1 = 0xC2;
constexpr uint8_t kAdapterError = 0xFD;
constexpr uint8_t kNoChip = 0xFE;

// Operations of header byte 9, without the access-start bit.
constexpr uint8_t kOpRead = 0xA5;
constexpr uint8_t kOpProgram = 0xA6;
constexpr uint8_t kOpOverWrite = 0xA7;
constexpr uint8_t kOpErase = 0xA8;
constexpr uint8_t kOpDownload = 0xA9;

// The reply that a header-level fault puts in place of the normal answer,
// or -1 when none is switched on.
int HeaderFaultReply(const WriterFaults& f, int area)
{
    const bool here = f.HeaderFaultArea < 0 || f.HeaderFaultArea == area;
    if (!here) return f.UnexpectedReply >= 0 && f.UnexpectedAtByte < 0 ? f.UnexpectedReply & 0xFF : -1;
    if (f.NoChip) return kNoChip;
    if (f.AdapterError) return kAdapterError;
    if (f.BodyOptionError) return kBodyOptionError;
    if (f.UnexpectedReply >= 0 && f.UnexpectedAtByte < 0) return f.UnexpectedReply & 0xFF;
    return -1;
}

// Whether the program streams two bytes per acknowledge to this area. The
// program decides it from the identification text alone, with thresholds
// that differ between its program/EEPROM streams and its other writes.
bool PairsFor(const WriterSettings& s, int area)
{
    if (s.Acknowledge == AckMode::PerByte) return false;
    if (s.Acknowledge == AckMode::PerPair) return true;
    if (s.TypeReply != 0xC4) return false;
    std::string id = s.IdText().substr(0, 15);
    auto v = id.find('V');
    std::string version = v == std::string::npos ? id : id.substr(v);
    bool engineStream = area == 0 || area == 3;
    if (id.compare(0, 6, "HRX207") == 0) return version >= (engineStream ? "V3.21" : "V3.20");
    if (id.compare(0, 7, " HRX307") == 0) return version >= (engineStream ? "V3.26" : "V3.20");
    return false;
}

// The bytes a read of the area sends before its end marker.
std::vector<uint8_t> ReadArea(const SimulatedChip& chip, int area, int count)
{
    std::vector<uint8_t> out;
    auto copy = [&](const uint8_t* src, std::size_t available, std::size_t wanted, uint8_t lo, uint8_t hi) {
        for (std::size_t i = 0; i < wanted; ++i) out.push_back(i < available ? src[i] : (i % 2 ? hi : lo));
    };
    std::size_t words = std::size_t(count) + 1;
    switch (area) {
    case 0:
        copy(chip.ProgramMemory.data(), chip.ProgramMemory.size(), words * 2, chip.BlankLow, chip.BlankHigh);
        if (chip.Protected)
            for (auto& b : out) b |= chip.ProtectFill;
        break;
    case 1: copy(chip.OptionWords.data(), chip.OptionWords.size(), words * 2, chip.BlankLow, chip.BlankHigh); break;
    case 2: copy(chip.IdChecksum.data(), chip.IdChecksum.size(), words * 2, chip.BlankLow, chip.BlankHigh); break;
    case 3: copy(chip.Eeprom.data(), chip.Eeprom.size(), words, 0xFF, 0xFF); break;
    case 5: copy(chip.OptionArea.data(), chip.OptionArea.size(), words * 2, chip.BlankLow, chip.BlankHigh); break;
    default: copy(nullptr, 0, words * 2, 0, 0); break;
    }
    return out;
}

// Stores stream byte i of the area in the chip.
void StoreStreamByte(SimulatedChip& chip, int area, std::size_t i, uint8_t byte)
{
    switch (area) {
    case 0: if (i < chip.ProgramMemory.size()) chip.ProgramMemory[i] = byte; break;
    case 1: if (i < chip.OptionWords.size()) chip.OptionWords[i] = byte; break;
    case 2: if (i < chip.IdChecksum.size()) chip.IdChecksum[i] = byte; break;
    case 3: if (i % 2 == 0 && i / 2 < chip.Eeprom.size()) chip.Eeprom[i / 2] = byte; break;  // (data, address)
    case 5:   // the chip keeps only the bits its words have
        if (i < chip.OptionArea.size()) chip.OptionArea[i] = byte & (i % 2 ? chip.BlankHigh : chip.BlankLow);
        break;
    default: break;
    }
}

bool InRange(int index, std::size_t first, std::size_t n)
{
    return index >= 0 && std::size_t(index) >= first && std::size_t(index) < first + n;
}

// The data stream after a program or over-write header was answered 0xB5.
void ServeDataStream(RequestContext& request, int area, std::size_t total)
{
    bool pairs = false;
    WriterFaults faults;
    request.Locked([&](WriterState& s) {
        pairs = PairsFor(s.Settings, area);
        faults = s.Faults;
    });
    // The stream is logged as it arrives, so that a stream the program
    // leaves unfinished can be inspected at once.
    request.Record("data stream", {});
    std::size_t i = 0;
    while (i < total) {
        std::size_t n = pairs ? 2 : 1;
        uint8_t got[2] = {};
        bool complete = true;
        for (std::size_t k = 0; k < n; ++k) {
            if (!request.Next(got[k])) { complete = false; break; }
        }
        if (!complete) break;   // the program gave up; back to waiting for requests
        request.Locked([&](WriterState& s) {
            for (std::size_t k = 0; k < n; ++k) StoreStreamByte(s.Chip, area, i + k, got[k]);
            if (n == 2) ++s.PairAcksSinceFaults;
            if (!s.Requests.empty() && s.Requests.back().Name == "data stream")
                s.Requests.back().Bytes.insert(s.Requests.back().Bytes.end(), got, got + n);
        });
        uint8_t ack = kReady;
        if (InRange(faults.ProgramFailAt, i, n)) ack = kWriteFailed;
        else if (InRange(faults.EarlyCompleteAt, i, n)) ack = kWriteComplete;
        else if (InRange(faults.UnexpectedAtByte, i, n) && faults.UnexpectedReply >= 0)
            ack = uint8_t(faults.UnexpectedReply);
        else if (i + n >= total) ack = kWriteComplete;
        request.Reply(ack);
        i += n;
        if (ack != kReady) break;
    }
}

}  // namespace

void ServeWriterType(RequestContext& request)
{
    request.Record("writer-type query");
    uint8_t reply = request.Locked([](WriterState& s) -> uint8_t {
        if (s.Faults.WrongGeneration) return kWriterType1;
        if (s.Faults.UnexpectedReply >= 0 && s.Faults.UnexpectedAtByte < 0) return uint8_t(s.Faults.UnexpectedReply);
        return s.Settings.TypeReply;
    });
    request.Reply(reply);
}

void ServeWriterId(RequestContext& request)
{
    request.Record("identification request");
    std::string text = request.Locked([](WriterState& s) { return s.Settings.IdText(); });
    std::vector<uint8_t> reply(text.begin(), text.end());
    reply.push_back(kEndOfData);
    request.Reply(reply);
}

void ServeSwitchQuery(RequestContext& request)
{
    request.Record("switch query");
    uint8_t status = request.Locked([](WriterState& s) {
        if (s.SwitchScript.empty()) return s.Settings.SwitchIdle;
        uint8_t b = s.SwitchScript.front();
        s.SwitchScript.pop_front();
        return b;
    });
    request.Reply(status);
}

void ServeHandlerSignal(RequestContext& request)
{
    if (!request.Gather(2)) return;
    request.Record("handler signal");
    request.Reply(request.Locked([](WriterState& s) { return s.Settings.HandlerReply; }));
}

void ServeCommandHeader(RequestContext& request)
{
    if (!request.Gather(10)) return;
    request.Record("command header");
    const auto& h = request.Bytes();
    int area = h[5] & 0x1F;
    int count = h[3] + h[4] * 256;
    uint8_t op = h[9] & uint8_t(~0x40);

    WriterFaults faults = request.Locked([](WriterState& s) { return s.Faults; });
    int fault = HeaderFaultReply(faults, area);
    if (fault >= 0) {
        request.Reply(uint8_t(fault));
        return;
    }
    switch (op) {
    case kOpRead:
    case kOpDownload: {
        std::vector<uint8_t> data = request.Locked([&](WriterState& s) {
            std::vector<uint8_t> bytes = ReadArea(s.Chip, area, count);
            CorruptOptionAreaRead(s, area, bytes);
            return bytes;
        });
        if (faults.ReadLengthDelta < 0)
            data.resize(std::size_t(std::max<int>(0, int(data.size()) + faults.ReadLengthDelta)));
        else
            data.insert(data.end(), std::size_t(faults.ReadLengthDelta), uint8_t(0x00));
        data.push_back(kEndOfData);
        request.Reply(data);
        break;
    }
    case kOpErase:
        request.Locked([](WriterState& s) { s.Chip.Erase(); });
        request.Reply(kEndOfData);
        break;
    case kOpProgram:
    case kOpOverWrite:
        request.Reply(kReady);
        ServeDataStream(request, area, std::size_t(count + 1) * 2);
        break;
    default:
        request.Reply(kEndOfData);
        break;
    }
}
