#include "link/WriterLink.h"

#include <algorithm>

#include <cctype>
#include <optional>
#include <utility>

#include "link/LinkMessages.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

namespace {

// Longest sleep of one waiting pass: short enough to notice a cancel or the
// time-out promptly, long enough to cost nearly no CPU.
constexpr int kPollSliceMs = 10;

// After a read that stops before the end marker, the rest of that reply is
// drained so that it is not taken as the answer to the next request. The
// drain ends at the end marker or after this long without a byte.
constexpr int kDrainQuietHundredths = 20;

bool PortOpen(const Workspace& ws)
{
    return ws.ComHandle && ws.ComHandle->IsOpen();
}

// One pass of a wait: at most one byte, taken when the port reports one.
bool TakeByte(Workspace& ws, uint8_t& byte, int waitMs)
{
    if (!PortOpen(ws)) {
        SleepMilliseconds(waitMs);
        ws.ComStat.InQueue = 0;
        return false;
    }
    ws.ComStat.InQueue = ws.ComHandle->BytesWaiting(waitMs);
    ws.ComErrors = 0;
    if (ws.ComStat.InQueue == 0) return false;
    bool got = ws.ComHandle->ReadByte(byte);
    ws.BytesRead = got ? 1 : 0;
    return got;
}

// Milliseconds of the next poll slice: no longer than the time left before
// the time-out is due, so a byte is not held back past it.
int SliceMs(int mark, int limitHundredths)
{
    int left = (limitHundredths + 1 - MarkDistance(mark, ClockMark())) * 10;
    return std::clamp(left, 1, kPollSliceMs);
}

// Reads and drops the rest of a reply up to its end marker.
void DrainReply(Workspace& ws, const LinkContext& context)
{
    LinkContext quiet = context;
    quiet.TimeoutHundredths = std::min(context.TimeoutHundredths, kDrainQuietHundredths);
    uint8_t byte = 0;
    while (WaitForByte(ws, byte, quiet) == WaitResult::Byte) {
        if (byte == wrEndOfData) return;
    }
}

std::string UpperCase(std::string text)
{
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The firmware version: WriterId from its first "V" to its end, the whole
// text when it holds no "V".
std::string VersionOf(const std::string& id)
{
    auto v = id.find('V');
    return v == std::string::npos ? id : id.substr(v);
}

void ForgetWriter(Workspace& ws)
{
    ws.WriterId.clear();
    ws.WriterVersion.clear();
}

}  // namespace

// ---- time ----------------------------------------------------------------

bool CheckTimeOut(int mark, int now, int limitHundredths)
{
    if (now < mark) now += 6000;
    return mark + limitHundredths < now;
}

bool CheckTimeOut(int mark)
{
    return CheckTimeOut(mark, ClockMark());
}

bool CheckTimeOut(int mark, const LinkContext& context)
{
    return CheckTimeOut(mark, ClockMark(), context.TimeoutHundredths);
}

void DelayIn10ms(int n, const LinkContext& context)
{
    // The delay ends when the hundredths clock has counted n ticks, so it
    // sleeps up to that tick and not a whole 10 ms per tick: the first tick
    // may come at once.
    const int64_t end = (MonotonicMilliseconds() / 10 + n) * 10;
    while (!context.Cancelled()) {
        const int64_t left = end - MonotonicMilliseconds();
        if (left <= 0) return;
        SleepMilliseconds(int(std::min<int64_t>(kPollSliceMs, left)));
    }
}

// ---- primitives ----------------------------------------------------------

void PurgeReceive(Workspace& ws)
{
    if (PortOpen(ws)) ws.ComHandle->FlushInput();
}

bool SendBytes(Workspace& ws, const uint8_t* data, std::size_t count, const LinkContext& context)
{
    ws.BytesWritten =
        PortOpen(ws) ? uint32_t(ws.ComHandle->Write(data, count, context.TimeoutHundredths * 10, context.Cancel))
                     : 0;
    return ws.BytesWritten == count;
}

bool SendByte(Workspace& ws, uint8_t byte, const LinkContext& context)
{
    return SendBytes(ws, &byte, 1, context);
}

bool PollByte(Workspace& ws, uint8_t& byte, int waitMs)
{
    return TakeByte(ws, byte, waitMs);
}

WaitResult WaitForByte(Workspace& ws, uint8_t& byte, const LinkContext& context)
{
    int mark = ClockMark();
    for (;;) {
        if (context.Cancelled()) return WaitResult::Cancelled;
        // A byte taken off the line is the answer, also when this thread
        // was held up past the limit while it waited: dropping it would
        // lose the reply and call a writer that answered silent.
        if (TakeByte(ws, byte, SliceMs(mark, context.TimeoutHundredths))) return WaitResult::Byte;
        if (CheckTimeOut(mark, context)) return WaitResult::TimedOut;
    }
}

WriterIdentity IdentityOf(const Workspace& ws)
{
    const std::string_view id = ws.WriterId;
    WriterIdentity w;
    w.Model207 = id.substr(0, 6) == "HRX207";
    w.Model307 = id.substr(0, 7) == " HRX307";
    w.Model307A = id.substr(0, 8) == " HRX307A";
    w.Version = ws.WriterVersion;
    return w;
}

WaitResult StreamTransferBuffer(Workspace& ws, int limit, bool pair, const LinkContext& context,
                                const std::function<bool(int index, uint8_t reply)>& onReply)
{
    auto byteAt = [&](int i) -> uint8_t {
        return i >= 0 && std::size_t(i) < ws.TransferBuffer.size() ? ws.TransferBuffer[i] : 0;
    };
    for (int i = 0; i < limit; ++i) {
        uint8_t out[2] = {byteAt(i), 0};
        std::size_t count = 1;
        if (pair) {
            ++i;
            out[1] = byteAt(i);
            count = 2;
        }
        uint8_t reply = 0;
        const WaitResult waited = !SendBytes(ws, out, count, context)
                                      ? (context.Cancelled() ? WaitResult::Cancelled : WaitResult::TimedOut)
                                      : WaitForByte(ws, reply, context);
        if (waited != WaitResult::Byte) return waited;
        if (!onReply(i, reply)) break;
    }
    return WaitResult::Byte;
}

// ---- port ----------------------------------------------------------------

void CheckComPort(Workspace& ws, Notifier& notifier, const std::string& portText)
{
    if (ws.ComHandle) ws.ComHandle->Close();
    ws.ComHandle.reset();
    ws.LinkFailed = false;

    std::string name = UpperCase(portText);
    // Another port may hold another writer: what was learnt of the old one
    // must not decide pair mode or firmware checks for the new one.
    if (name != ws.ComPortName) ForgetWriter(ws);
    ws.ComPortName = name;

    std::string reason;
    ws.ComHandle = SerialPort::Open(name, &reason);
    if (!ws.ComHandle) {
        notifier.Message(LinkMessages::PortError(name) + "\n" + reason);
        ws.LinkFailed = true;
    }
}

LinkResult ConnectWriter(Workspace& ws, Notifier& notifier, const std::string& portText,
                         bool announceSuccess, const LinkContext& context)
{
    CheckComPort(ws, notifier, portText);
    if (ws.LinkFailed) return lrTimeout;
    LinkResult r = CheckWriter(ws, notifier, context);
    if (r == lrWriterGen1 || r == lrWriterGen2 || r == lrWriterGen2Id) {
        if (announceSuccess) notifier.Message(LinkMessages::kConnectOk);
    } else if (r == lrTimeout) {
        notifier.Message(LinkMessages::ConnectTimeout(ws.ComPortName));
    } else {
        notifier.Message(LinkMessages::kConnectFail);
    }
    return r;
}

LinkResult ComboBox1Change(Workspace& ws, Notifier& notifier, const std::string& portText,
                           const LinkContext& context)
{
    return ConnectWriter(ws, notifier, portText, true, context);
}

namespace {

void MoveLink(Workspace& from, Workspace& to)
{
    to.ComHandle = std::exchange(from.ComHandle, nullptr);
    to.ComPortName = std::exchange(from.ComPortName, {});
    to.WriterId = std::exchange(from.WriterId, {});
    to.WriterVersion = std::exchange(from.WriterVersion, {});
    to.LinkFailed = from.LinkFailed;
    to.CommandBuffer = from.CommandBuffer;
    to.ComStat = from.ComStat;
    to.ComErrors = from.ComErrors;
    to.BytesRead = from.BytesRead;
    to.BytesWritten = from.BytesWritten;
}

}  // namespace

void LendLink(Workspace& ws, Workspace& link)
{
    MoveLink(ws, link);
    link.WriterType = ws.WriterType;
}

void ReturnLink(Workspace& link, Workspace& ws) { MoveLink(link, ws); }

// ---- exchanges -----------------------------------------------------------

namespace {

// Sends a one-byte query and waits for its one-byte answer. A time-out marks
// the link failed and forgets the writer's version; a cancelled wait leaves
// both alone. False when no answer came.
bool QueryByte(Workspace& ws, uint8_t query, uint8_t& reply, const LinkContext& context)
{
    const WaitResult w =
        SendByte(ws, query, context) ? WaitForByte(ws, reply, context) : WaitResult::TimedOut;
    if (w == WaitResult::TimedOut) {
        ws.WriterVersion.clear();
        ws.LinkFailed = true;
    }
    return w == WaitResult::Byte;
}

}  // namespace

LinkResult CheckWriter(Workspace& ws, Notifier& notifier, const LinkContext& context)
{
    if (!PortOpen(ws)) {
        notifier.Message(LinkMessages::kPortNotOpen);
        return lrTimeout;
    }
    uint8_t reply = 0;
    if (!QueryByte(ws, WriterTypeQuery, reply, context)) return lrTimeout;
    switch (reply) {
    case wrWriterType1:
    case wrWriterType2:
        // A writer without identification text: nothing cached may stay
        // from a writer that had one.
        ForgetWriter(ws);
        if (reply == wrWriterType1) return ws.WriterType == 1 ? lrWriterGen1 : lrWrongWriter;
        return ws.WriterType == 2 ? lrWriterGen2 : lrWrongWriter;
    case wrWriterType3:
        if (ws.WriterVersion.empty()) {
            ws.WriterId.clear();
            ws.CommandBuffer[0] = WriterIdRequest;
            ReadWriterID(ws, 15, context);
            ws.WriterVersion = VersionOf(ws.WriterId);
            const WriterIdentity identity = IdentityOf(ws);
            if (identity.Model207) notifier.Message(LinkMessages::kOldWriter);
            if (identity.FirmwareOutdated()) notifier.Message(LinkMessages::kUpdateFirmware);
        }
        return lrWriterGen2Id;
    default:
        ws.WriterVersion.clear();
        return lrUnexpected;
    }
}

LinkResult CheckWriterSwitch(Workspace& ws, uint8_t mask, const LinkContext& context)
{
    PurgeReceive(ws);
    uint8_t reply = 0;
    if (!QueryByte(ws, SwitchQuery, reply, context)) return lrTimeout;
    return (reply & mask) != 0 ? lrSwitchOn : lrUnexpected;
}

LinkResult SendHeader(Workspace& ws, int n, const LinkContext& context)
{
    n = std::clamp(n, 0, int(kCommandBufferSize));
    for (int i = 0; i < n; ++i) {
        if (!SendByte(ws, ws.CommandBuffer[i], context)) return lrTimeout;
        if (i == 0 && n > 1) DelayIn10ms(1, context);
    }
    uint8_t reply = 0;
    if (WaitForByte(ws, reply, context) != WaitResult::Byte) return lrTimeout;
    switch (reply) {
    case wrReady: return lrReady;
    case wrEndOfData: return lrDone;
    case wrBodyOptionError: return lrBodyOptionError;
    case wrAdapterError: return lrAdapterError;
    case wrNoChip: return lrNoChip;
    default: return lrUnexpected;
    }
}

namespace {

// A read exchange: the ten header bytes go out, then each reply byte goes to
// `take` until it gives the result; a byte that does not come gives lrTimeout.
LinkResult ReadReply(Workspace& ws, const LinkContext& context,
                     const std::function<std::optional<LinkResult>(uint8_t byte)>& take)
{
    PurgeReceive(ws);
    if (!SendBytes(ws, ws.CommandBuffer.data(), 10, context)) return lrTimeout;
    for (;;) {
        uint8_t byte = 0;
        if (WaitForByte(ws, byte, context) != WaitResult::Byte) return lrTimeout;
        if (const std::optional<LinkResult> result = take(byte)) return *result;
    }
}

// Data bytes beyond the buffer are taken from the line and dropped.
void KeepReadByte(Workspace& ws, int index, uint8_t byte)
{
    if (std::size_t(index) < ws.TransferBuffer.size()) ws.TransferBuffer[index] = byte;
}

}  // namespace

LinkResult Read8BitData(Workspace& ws, int n, const LinkContext& context)
{
    int count = 0;
    return ReadReply(ws, context, [&](uint8_t byte) -> std::optional<LinkResult> {
        if (count >= n) return byte == wrEndOfData ? lrDone : lrUnexpected;
        KeepReadByte(ws, count++, byte);
        return std::nullopt;
    });
}

LinkResult Read7BitData(Workspace& ws, int n, const LinkContext& context)
{
    int count = 0;
    return ReadReply(ws, context, [&](uint8_t byte) -> std::optional<LinkResult> {
        if (byte == wrEndOfData) return count < n - 1 ? lrUnexpected : lrDone;
        if (byte == wrAdapterError) return lrAdapterError;
        if (byte == wrNoChip) return lrNoChip;
        if (count >= n) {
            DrainReply(ws, context);
            return lrDone;
        }
        if (byte & 0x80) return lrUnexpected;
        KeepReadByte(ws, count++, byte);
        return std::nullopt;
    });
}

LinkResult ReadDataFromWriter(Workspace& ws, int n, const LinkContext& context)
{
    return ws.SevenBitMode ? Read7BitData(ws, n, context) : Read8BitData(ws, n, context);
}

LinkResult ReadWriterID(Workspace& ws, int maxChars, const LinkContext& context)
{
    PurgeReceive(ws);
    if (!SendByte(ws, ws.CommandBuffer[0], context)) return lrTimeout;
    int count = 0;
    for (;;) {
        uint8_t byte = 0;
        if (WaitForByte(ws, byte, context) != WaitResult::Byte) return lrTimeout;
        if (byte == wrEndOfData) return lrDone;
        if (byte == wrAdapterError) return lrAdapterError;
        if (byte == wrNoChip) return lrNoChip;
        if (byte & 0x80) return lrUnexpected;
        if (count >= maxChars) {
            DrainReply(ws, context);
            return lrDone;
        }
        ws.WriterId.push_back(char(byte));
        ++count;
    }
}

LinkResult WriteData(Workspace& ws, int count, bool untilEnd, const LinkContext& context)
{
    PurgeReceive(ws);
    LinkResult result = lrWriteOk;
    auto onReply = [&](int i, uint8_t reply) {
        switch (reply) {
        case wrReady:
            return untilEnd || i < count;
        case wrWriteComplete:
            if (i < count - 1) result = lrUnexpected;
            return false;
        case wrWriteFailed:
            ws.FailIndex = i;
            result = lrWriteFailed;
            return false;
        case wrAdapterError:
            result = lrAdapterError;
            return false;
        case wrNoChip:
            result = lrNoChip;
            return false;
        default:
            result = lrUnexpected;
            return false;
        }
    };
    const bool pair = IdentityOf(ws).PairModeForLink();
    return StreamTransferBuffer(ws, count + 5, pair, context, onReply) == WaitResult::Byte ? result : lrTimeout;
}
