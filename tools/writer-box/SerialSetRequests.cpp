// The serial-set exchanges of the simulated writer: the 25-byte frame A3h
// 00h ... that hands it a serial-number setup, and the request A3h 01h that
// reads the setup back as 33 bytes.
#include "Requests.h"

#include <algorithm>

#include "RequestContext.h"

namespace {

constexpr uint8_t kAccepted = 0xB0;
constexpr uint8_t kRefused = 0xB1;
constexpr std::size_t kFrameSize = 25;
constexpr std::size_t kReplySize = 33;
constexpr uint8_t kFrameByte = 0x00;
constexpr uint8_t kReadByte = 0x01;

// The box's own checks: fields in range and nothing left of the n value
// bytes but zeros.
bool FrameSound(const std::vector<uint8_t>& f)
{
    const uint8_t n = f[4];
    if (n < 1 || n > 8 || f[5] == 0 || f[22] > 1 || f[23] > 1 || f[24] > 2) return false;
    for (std::size_t i = 0; i < std::size_t(8 - n); ++i)
        if (f[6 + i] != 0 || f[14 + i] != 0) return false;
    if (f[24] == 2) {  // ASCII: each byte one character 0..35
        for (std::size_t i = 6; i < 22; ++i)
            if (f[i] > 35) return false;
        if (f[5] > 35) return false;
    }
    return true;
}

void Accept(SerialSetState& set, const std::vector<uint8_t>& f)
{
    set.StartAddress = uint16_t(f[2] << 8 | f[3]);
    set.ByteCount = f[4];
    set.Increment = f[5];
    std::copy(f.begin() + 6, f.begin() + 14, set.StartValue.begin());
    std::copy(f.begin() + 14, f.begin() + 22, set.EndValue.begin());
    set.Target = f[22];
    set.Order = f[23];
    set.Mode = f[24];
    set.SavedSerial = set.StartValue;
    ++set.FramesAccepted;
}

std::vector<uint8_t> BuildReply(const SerialSetState& set)
{
    std::vector<uint8_t> r(kReplySize, 0);
    std::copy(set.StartValue.begin(), set.StartValue.end(), r.begin() + 0);
    std::copy(set.EndValue.begin(), set.EndValue.end(), r.begin() + 8);
    r[16] = uint8_t(set.StartAddress >> 8);
    r[17] = uint8_t(set.StartAddress & 0xFF);
    r[18] = set.ByteCount;
    r[19] = set.Increment;
    r[20] = set.Target;
    r[21] = set.Order;
    std::copy(set.SavedSerial.begin(), set.SavedSerial.end(), r.begin() + 22);
    r[32] = set.Mode;
    for (const auto& [offset, value] : set.Faults.ReplyPatches)
        if (offset < r.size()) r[offset] = value;
    if (set.Faults.ReplyLength >= 0) r.resize(std::min<std::size_t>(r.size(), set.Faults.ReplyLength));
    return r;
}

}  // namespace

void ServeSerialSet(RequestContext& request)
{
    uint8_t second = 0;
    if (!request.Next(second)) return;
    if (second == kReadByte) {
        std::vector<uint8_t> reply = request.Locked([](WriterState& s) { return BuildReply(s.SerialSet); });
        request.Record("serial-set request");
        request.Reply(reply);
        return;
    }
    if (second != kFrameByte) {
        request.Record("unknown");
        return;
    }
    if (!request.Gather(kFrameSize)) return;  // the program gave up mid-frame
    const std::vector<uint8_t>& frame = request.Bytes();
    const uint8_t answer = request.Locked([&](WriterState& s) {
        s.SerialSet.LastFrame = frame;
        if (s.SerialSet.Faults.FrameReply >= 0) return uint8_t(s.SerialSet.Faults.FrameReply);
        if (!FrameSound(frame)) return kRefused;
        Accept(s.SerialSet, frame);
        return kAccepted;
    });
    request.Record("serial-set frame");
    request.Reply(answer);
}
