// The writer link: the port and every primitive exchange with the writer.
// Each exchange sends a request, waits for the writer's reply bytes and
// returns a LinkResult; all link state lives in the Workspace.
//
// Waiting: every expected byte gets more than LinkContext::TimeoutHundredths
// (500 = 5.00 s) measured from the last byte sent or received; a write
// the line does not take within that limit ends the exchange as a time-out. A wait polls
// the port with short sleeps in poll(), so it costs next to no CPU, and it
// checks the context's cancel flag on every pass: a cancelled wait returns
// lrTimeout at once without the side effects of a real time-out.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "workspace/Workspace.h"
#include "link/LinkResult.h"
#include "platform/Notifier.h"

// How long the link waits and whether someone wants it to stop waiting.
struct LinkContext {
    // Set from any thread to make every wait of the link return lrTimeout.
    const std::atomic<bool>* Cancel = nullptr;
    // The limit per expected byte, in hundredths of a second (tests shorten it).
    int TimeoutHundredths = 500;

    bool Cancelled() const { return Cancel && Cancel->load(std::memory_order_relaxed); }
};

// Items of the port selector and of the hidden handshake selector.
inline constexpr const char* kPortSelectorItems[] = {"Com1", "Com2", "Com3", "Com4",
                                                     "Com5", "Com6", "Com7", "Com8"};
inline constexpr const char* kHandShakeItems[] = {"Default", "CTS", "None"};

// ---- time ----------------------------------------------------------------

// True when more than limit hundredths passed from mark to now (both time
// marks within the minute; a now below the mark has wrapped once).
bool CheckTimeOut(int mark, int now, int limitHundredths = 500);
// The same against the clock, with the 5.00 s limit or the context's.
bool CheckTimeOut(int mark);
bool CheckTimeOut(int mark, const LinkContext& context);
// Waits n hundredths of a second (by time marks); returns early when cancelled.
void DelayIn10ms(int n, const LinkContext& context = {});

// ---- port ----------------------------------------------------------------

// Closes ComHandle and opens the port named portText (upper-cased into
// ComPortName), raw 115200 8N1. On failure shows "Open  " + port +
// " Port Error!!" with the system's reason on a second line, and sets
// LinkFailed. A change of port name forgets the
// cached writer identity (WriterId, WriterVersion).
void CheckComPort(Workspace& ws, Notifier& notifier, const std::string& portText);

// CheckComPort, then, when the port opened, CheckWriter and its message:
// "Connect OK!" (only when announceSuccess), "Connect " + port +
// " Timeout!!" or "Connect Fail!". The port selector's change passes true;
// the first show of the main window passes false. Returns CheckWriter's
// result, or lrTimeout when the port did not open.
LinkResult ConnectWriter(Workspace& ws, Notifier& notifier, const std::string& portText,
                         bool announceSuccess, const LinkContext& context = {});

// The change handler of the port and handshake selectors.
LinkResult ComboBox1Change(Workspace& ws, Notifier& notifier, const std::string& portText,
                           const LinkContext& context = {});

// The link's part of the workspace: the port and its name, the link-failed
// flag, what is known of the writer, and the line's scratch (CommandBuffer,
// ComStat and the counts). An exchange off the GUI thread runs on a
// workspace of its own: LendLink moves that part into it, with a copy of
// the writer generation the selected device needs (WriterType), and
// ReturnLink moves it back once the exchange has ended.
void LendLink(Workspace& ws, Workspace& link);
void ReturnLink(Workspace& link, Workspace& ws);

// ---- exchanges -----------------------------------------------------------

// Writer-type query and identification (read once, cached in WriterVersion).
// Results: lrWriterGen1, lrWriterGen2, lrWriterGen2Id, lrWrongWriter,
// lrUnexpected, lrTimeout.
LinkResult CheckWriter(Workspace& ws, Notifier& notifier, const LinkContext& context = {});

// Switch query: lrSwitchOn when the reply has a bit of mask set, else
// lrUnexpected; lrTimeout.
LinkResult CheckWriterSwitch(Workspace& ws, uint8_t mask, const LinkContext& context = {});

// Sends CommandBuffer bytes 0..n-1 (10 ms pause after byte 0) and takes one
// reply byte: lrReady, lrDone, lrBodyOptionError, lrAdapterError, lrNoChip,
// lrUnexpected, lrTimeout.
LinkResult SendHeader(Workspace& ws, int n, const LinkContext& context = {});

// Sends the 10-byte header, reads n raw bytes into TransferBuffer and the
// end marker: lrDone, lrUnexpected, lrTimeout.
LinkResult Read8BitData(Workspace& ws, int n, const LinkContext& context = {});

// Sends the 10-byte header, reads up to n bytes below 0x80 until the end
// marker: lrDone, lrNoChip, lrAdapterError, lrUnexpected, lrTimeout.
LinkResult Read7BitData(Workspace& ws, int n, const LinkContext& context = {});

// Read7BitData when SevenBitMode is set, else Read8BitData.
LinkResult ReadDataFromWriter(Workspace& ws, int n, const LinkContext& context = {});

// Sends CommandBuffer byte 0 and appends up to maxChars characters to
// WriterId until the end marker: lrDone, lrNoChip, lrAdapterError,
// lrUnexpected, lrTimeout.
LinkResult ReadWriterID(Workspace& ws, int maxChars, const LinkContext& context = {});

// Streams TransferBuffer bytes 0.. against the writer's acknowledges, one
// per byte or per pair: lrWriteOk, lrWriteFailed (FailIndex set),
// lrNoChip, lrAdapterError, lrUnexpected, lrTimeout.
LinkResult WriteData(Workspace& ws, int count, bool untilEnd, const LinkContext& context = {});

// ---- primitives for the engine's own streams and other frames ------------

// What the cached identification text (WriterId, WriterVersion) says about
// the writer: its model and what its firmware can do. Versions compare
// byte-wise ("V3.20" < "V3.26").
struct WriterIdentity {
    bool Model207 = false;    // "HRX207...": an old writer, worth a warning
    bool Model307 = false;    // " HRX307..."
    bool Model307A = false;   // " HRX307A": the model that keeps downloaded device records
    std::string Version;

    // Two data bytes per acknowledge in WriteData's streams.
    bool PairModeForLink() const { return PairFrom("V3.20", "V3.20"); }
    // ... and in the engine's program and EEPROM streams.
    bool PairModeForStream() const { return PairFrom("V3.21", "V3.26"); }
    // A 307 whose firmware the user is asked to update.
    bool FirmwareOutdated() const { return Model307 && Version <= "V3.27"; }
    // Device records can be downloaded (see DownloadFirmwareMissing).
    bool TakesDeviceDownload() const { return Model307A; }
    bool DownloadFirmwareMissing() const { return Version < "V3.09"; }

private:
    bool PairFrom(std::string_view min207, std::string_view min307) const
    {
        return (Model207 && Version >= min207) || (Model307 && Version >= min307);
    }
};
WriterIdentity IdentityOf(const Workspace& ws);

// Discards the receive queue.
void PurgeReceive(Workspace& ws);
// Writes count bytes / one byte. A line that takes no byte for the
// context's limit, or a cancel, ends the write early: false then.
bool SendBytes(Workspace& ws, const uint8_t* data, std::size_t count, const LinkContext& context = {});
bool SendByte(Workspace& ws, uint8_t byte, const LinkContext& context = {});

// One pass of a wait without a time-out of its own: asks the port how many
// bytes wait (into ComStat), sleeping up to waitMs in poll() when none do,
// and reads one byte when there is one. For callers that keep their own
// time mark over several bytes (serial-set read-back, firmware update).
bool PollByte(Workspace& ws, uint8_t& byte, int waitMs = 10);

enum class WaitResult { Byte, TimedOut, Cancelled };
// Takes a time mark and waits for one byte. Each pass handles at most one
// byte and then tests the time-out, so a time-out in the same pass wins.
WaitResult WaitForByte(Workspace& ws, uint8_t& byte, const LinkContext& context = {});

// One data stream: TransferBuffer bytes from index 0 while the index is below
// `limit`, one or (pair) two bytes per write, each write answered by one
// acknowledge that goes to onReply with the index of the last byte sent;
// onReply returns false to end the stream. Bytes past the buffer go out as 0.
// Returns Byte when the stream ran out or onReply ended it, else the wait
// that failed.
WaitResult StreamTransferBuffer(Workspace& ws, int limit, bool pair, const LinkContext& context,
                                const std::function<bool(int index, uint8_t reply)>& onReply);
