#include "iap/FirmwareUpdate.h"

#include "workspace/Checksum.h"
#include "platform/Notifier.h"

#include <algorithm>
#include <vector>

namespace {

constexpr uint8_t kFrameStart = 0xA5;
constexpr uint8_t kModeRequest = 0xA4;
constexpr uint8_t kRunning = 0xA5;
constexpr uint8_t kRunningOld = 0x55;
constexpr uint8_t kLoader = 0x5A;
constexpr uint8_t kWritten = 0xB0;
constexpr uint8_t kReady = 0xB5;
constexpr uint8_t kEndOfData = 0xB8;
constexpr uint8_t kFinishQuery = 0x05;
constexpr uint8_t kFinishAnswer = 0x55;
constexpr uint8_t kModeInfo = 1;
constexpr uint8_t kModeCode = 2;
constexpr uint8_t kModeControl = 3;
constexpr uint8_t kSubStatus = 0;
constexpr uint8_t kSubFinish = 1;
constexpr uint8_t kSubEnd = 2;
constexpr uint8_t kSubWrite = 1;
constexpr uint8_t kSubReadBack = 0;
// Bytes other than the awaited ones that a wait passes over before it gives
// up: the writer keeps nothing back for that long.
constexpr int kMaxStrayBytes = 256;
// Answers 0x05 to the finish frame that are taken before giving up.
constexpr int kMaxFinishQueries = 8;

enum class Got { Byte, TimedOut, Cancelled };

class Exchange {
public:
    Exchange(Workspace& ws, FirmwareReporter& reporter, const LinkContext& context)
        : ws_(ws), reporter_(reporter), context_(context)
    {
    }

    void Send(const std::vector<uint8_t>& bytes)
    {
        PurgeReceive(ws_);
        SendBytes(ws_, bytes.data(), bytes.size(), context_);
        std::string line;
        for (uint8_t b : bytes) line += ByteToHex(b) + " ";
        reporter_.Sent(line);
    }

    // count reply bytes, each within the limit.
    Got Receive(std::vector<uint8_t>& reply, std::size_t count, int limitHundredths)
    {
        reply.clear();
        LinkContext wait = context_;
        wait.TimeoutHundredths = limitHundredths;
        while (reply.size() < count) {
            uint8_t byte = 0;
            const WaitResult w = WaitForByte(ws_, byte, wait);
            if (w == WaitResult::Cancelled) return Got::Cancelled;
            if (w == WaitResult::TimedOut) return Got::TimedOut;
            reply.push_back(byte);
        }
        std::string line;
        for (uint8_t b : reply) line += ByteToHex(b) + " ";
        reporter_.Received(line + std::to_string(reply.size()) + " ");
        return Got::Byte;
    }

    // One reply byte out of the awaited ones; others are passed over.
    Got Await(uint8_t& byte, std::initializer_list<uint8_t> awaited, int limitHundredths)
    {
        std::vector<uint8_t> reply;
        for (int stray = 0; stray <= kMaxStrayBytes; ++stray) {
            const Got g = Receive(reply, 1, limitHundredths);
            if (g != Got::Byte) return g;
            byte = reply[0];
            if (std::find(awaited.begin(), awaited.end(), byte) != awaited.end()) return Got::Byte;
        }
        return Got::TimedOut;
    }

    int BlockLimit() const { return context_.TimeoutHundredths; }
    bool Cancelled() const { return context_.Cancelled(); }

private:
    Workspace& ws_;
    FirmwareReporter& reporter_;
    const LinkContext& context_;
};

std::vector<uint8_t> Header(unsigned start, unsigned end, uint8_t mode, uint8_t sub)
{
    return {kFrameStart, uint8_t(start >> 8), uint8_t(start), uint8_t(end >> 8), uint8_t(end), mode, sub};
}

std::vector<uint8_t> Control(uint8_t sub) { return Header(0, 0, kModeControl, sub); }

// The status query on the port opened again: the first reply byte, 0 when
// none came (the message is shown here).
uint8_t QueryWriterIap(Workspace& ws, Notifier& notifier, Exchange& x, const LinkContext& context,
                       const IapTiming& timing)
{
    CheckComPort(ws, notifier, ws.ComPortName);
    DelayIn10ms(timing.ReopenPauseHundredths, context);
    x.Send(Control(kSubStatus));
    std::vector<uint8_t> reply;
    const Got g = x.Receive(reply, 2, timing.HandshakeHundredths);
    if (g == Got::Byte) return reply[0];
    if (g == Got::TimedOut) notifier.Message(IapMessages::kCheckLink);
    return 0;
}

enum class BlockEnd { Verified, ReadBackFailed, NoReply, Cancelled };

BlockEnd SendBlock(Exchange& x, const IapBlock& block, unsigned start, uint8_t mode)
{
    auto fail = [&](Got g) { return g == Got::Cancelled ? BlockEnd::Cancelled : BlockEnd::NoReply; };
    uint8_t byte = 0;
    x.Send(Header(start, start + kIapBlockSize - 1, mode, kSubWrite));
    if (Got g = x.Await(byte, {kReady}, x.BlockLimit()); g != Got::Byte) return fail(g);
    x.Send(std::vector<uint8_t>(block.begin(), block.end()));
    if (Got g = x.Await(byte, {kWritten}, x.BlockLimit()); g != Got::Byte) return fail(g);
    x.Send(Header(start, start + kIapBlockSize - 1, mode, kSubReadBack));
    std::vector<uint8_t> back;
    if (Got g = x.Receive(back, kIapBlockSize + 1, x.BlockLimit()); g != Got::Byte) return fail(g);
    const bool same = back[kIapBlockSize] == kEndOfData && std::equal(block.begin(), block.end(), back.begin());
    return same ? BlockEnd::Verified : BlockEnd::ReadBackFailed;
}

// A block written until it reads back as sent, at most kIapMaxRetries times.
BlockEnd SendVerified(Exchange& x, const IapBlock& block, unsigned start, uint8_t mode)
{
    for (int attempt = 0; attempt < kIapMaxRetries; ++attempt) {
        const BlockEnd e = SendBlock(x, block, start, mode);
        if (e != BlockEnd::ReadBackFailed) return e;
    }
    return BlockEnd::ReadBackFailed;
}

}  // namespace

UpdateEnd RunFirmwareUpdate(Workspace& ws, Notifier& notifier, const FirmwareImage& image,
                            FirmwareReporter& reporter, const LinkContext& context, const IapTiming& timing)
{
    if (!CheckFirmwareImageSize(image.Data.size()).empty()) return UpdateEnd::BlockFailed;
    Exchange x(ws, reporter, context);

    // Handshake.
    reporter.Status("Goto IAP...");
    uint8_t r = QueryWriterIap(ws, notifier, x, context, timing);
    if (r == kRunning || r == kRunningOld) {
        reporter.Status("Wait Writer To IAP ...!!  ");
        x.Send({kModeRequest});
        // A write that a cancel ended is no version error to tell.
        if (x.Cancelled()) return UpdateEnd::Cancelled;
        if (ws.BytesWritten != 1) {
            notifier.Message(IapMessages::kCheckLink);
            reporter.Status("IAP Version Error!!!");
            return UpdateEnd::VersionError;
        }
        DelayIn10ms(timing.ModePauseHundredths, context);
        r = QueryWriterIap(ws, notifier, x, context, timing);
    }
    if (x.Cancelled()) return UpdateEnd::Cancelled;
    if (r != kLoader) {
        notifier.Message(IapMessages::kCheckLink);
        return UpdateEnd::LinkError;
    }

    // The information block, then the code frames.
    reporter.Status("Catch Bin Code...");
    const int frames = image.FrameCount();
    auto failed = [&](BlockEnd e) {
        if (e == BlockEnd::Cancelled) return UpdateEnd::Cancelled;
        notifier.Message(IapMessages::kUpdateFail);
        return UpdateEnd::BlockFailed;
    };
    if (BlockEnd e = SendVerified(x, image.InfoBlock(), 0, kModeInfo); e != BlockEnd::Verified) return failed(e);
    reporter.Gauge(0);
    for (int n = 0; n < frames; ++n) {
        const unsigned start = unsigned(n) * kIapBlockSize;
        const bool partialPending = image.LastFrameBytes() != 0 && n < frames - 1;
        reporter.Status(std::to_string(n + 1) + " Frame");
        reporter.Log(std::to_string(n + 1) + " " + std::to_string(start) + " " + (partialPending ? "True" : "False"));
        if (BlockEnd e = SendVerified(x, image.CodeFrame(n), start, kModeCode); e != BlockEnd::Verified)
            return failed(e);
        reporter.Gauge((n + 1) * 100 / frames);
    }

    // Finish: the writer may first ask with 0x05, answered 0x55.
    x.Send(Control(kSubFinish));
    for (int queries = 0;; ++queries) {
        uint8_t byte = 0;
        const Got g = x.Await(byte, {kWritten, kFinishQuery}, x.BlockLimit());
        if (g == Got::Cancelled) return UpdateEnd::Cancelled;
        if (g != Got::Byte || queries >= kMaxFinishQueries) return failed(BlockEnd::NoReply);
        if (byte == kWritten) break;
        x.Send({kFinishAnswer});
    }
    x.Send(Control(kSubEnd));
    reporter.Status("Update Success!!");
    notifier.Message(IapMessages::kResetWriter);
    return UpdateEnd::Success;
}
