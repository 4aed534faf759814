// The firmware-update exchanges of the simulated writer: the request 0xA4
// that switches it to its update loader, and the 7-byte frames A5h start
// (2 bytes) end (2 bytes) mode sub: control frames (mode 3: status query,
// finish, end), and block headers (mode 1 information block, mode 2 code
// frame) that write a 64-byte block (sub 1) or read it back (sub 0).
#include "Requests.h"

#include <algorithm>

#include "RequestContext.h"

namespace {

constexpr std::size_t kFrameSize = 7;
constexpr std::size_t kBlockSize = 64;
constexpr uint8_t kRunning = 0xA5;
constexpr uint8_t kLoader = 0x5A;
constexpr uint8_t kWritten = 0xB0;
constexpr uint8_t kReady = 0xB5;
constexpr uint8_t kEndOfData = 0xB8;
constexpr uint8_t kFinishQuery = 0x05;

constexpr uint8_t kModeInfo = 1;
constexpr uint8_t kModeCode = 2;
constexpr uint8_t kModeControl = 3;

// The stored block that a header names, or nothing for another mode.
uint8_t* BlockAt(FirmwareState& fw, uint8_t mode, std::size_t start)
{
    if (mode == kModeInfo) return fw.InfoBlock.data();
    if (mode != kModeCode) return nullptr;
    if (fw.Code.size() < start + kBlockSize) fw.Code.resize(start + kBlockSize, 0);
    return fw.Code.data() + start;
}

void ServeControl(RequestContext& request, uint8_t sub)
{
    switch (sub) {
    case 0: {
        request.Record("update status query");
        const bool loader = request.Locked([](WriterState& s) { return s.Firmware.UpdateMode; });
        request.Reply(std::vector<uint8_t>{loader ? kLoader : kRunning, 0x00});
        break;
    }
    case 1: {
        request.Record("update finish frame");
        const bool ask = request.Locked([](WriterState& s) {
            s.Firmware.AwaitingFinishAnswer = s.Firmware.FinishAnswers05;
            s.Firmware.Finished = !s.Firmware.FinishAnswers05;
            return s.Firmware.FinishAnswers05;
        });
        request.Reply(ask ? kFinishQuery : kWritten);
        break;
    }
    case 2:
        // The loader restarts the writer; nothing is answered.
        request.Record("update end frame");
        request.Locked([](WriterState& s) { s.Firmware.UpdateMode = false; });
        break;
    default:
        request.Record("unknown");
        break;
    }
}

void ServeBlock(RequestContext& request, uint8_t mode, std::size_t start, uint8_t sub)
{
    if (sub == 0) {
        request.Record("update read-back header");
        std::vector<uint8_t> reply = request.Locked([&](WriterState& s) {
            const uint8_t* block = BlockAt(s.Firmware, mode, start);
            std::vector<uint8_t> r(kBlockSize, 0);
            if (block) std::copy(block, block + kBlockSize, r.begin());
            if (s.Firmware.BadReadBacks > 0) {
                --s.Firmware.BadReadBacks;
                r[kBlockSize / 2] ^= 0x5A;
            }
            return r;
        });
        reply.push_back(kEndOfData);
        request.Reply(reply);
        return;
    }
    request.Record("update block header");
    request.Reply(kReady);
    std::vector<uint8_t> block;
    block.reserve(kBlockSize);
    uint8_t byte = 0;
    while (block.size() < kBlockSize) {
        if (!request.Next(byte)) return;   // the program gave up mid-block
        block.push_back(byte);
    }
    request.Locked([&](WriterState& s) {
        if (uint8_t* to = BlockAt(s.Firmware, mode, start)) std::copy(block.begin(), block.end(), to);
        ++s.Firmware.BlocksWritten;
    });
    request.Record("update block", block);
    request.Reply(kWritten);
}

}  // namespace

void ServeUpdateModeRequest(RequestContext& request)
{
    request.Record("update-mode request");
    request.Locked([](WriterState& s) { s.Firmware.UpdateMode = true; });
}

void ServeUpdateFrame(RequestContext& request)
{
    if (!request.Gather(kFrameSize)) return;
    const bool silent = request.Locked([](WriterState& s) {
        return s.Firmware.SilentFromBlock >= 0 && s.Firmware.BlocksWritten >= s.Firmware.SilentFromBlock;
    });
    if (silent) {
        request.Record("update frame unanswered");
        return;
    }
    const auto h = request.Bytes();
    const std::size_t start = std::size_t(h[1]) << 8 | h[2];
    const uint8_t mode = h[5];
    const uint8_t sub = h[6];
    if (mode == kModeControl) {
        ServeControl(request, sub);
    } else if (mode == kModeInfo || mode == kModeCode) {
        ServeBlock(request, mode, start, sub);
    } else {
        request.Record("unknown");
    }
}

void ServeFinishAnswer(RequestContext& request)
{
    request.Record("update finish answer");
    const bool awaited = request.Locked([](WriterState& s) {
        const bool was = s.Firmware.AwaitingFinishAnswer;
        s.Firmware.AwaitingFinishAnswer = false;
        if (was) s.Firmware.Finished = true;
        return was;
    });
    if (awaited) request.Reply(kWritten);
}
