// The serial-set exchange with the writer: the 25-byte frame that hands the
// whole serial-number setup to the writer for its off-line operation
// ("Download Serial Num Set"), and the 2-byte request whose 33-byte reply
// reads that setup back ("Read Serial Num Set").
//
// The frame is built only from setup texts that describe a complete, sound
// setup; the reply is stored only when all 33 bytes arrived and its fields
// are in range. Anything else changes nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

struct Workspace;
class Notifier;

constexpr std::size_t kSerialSetFrameSize = 25;
constexpr std::size_t kSerialSetReplySize = 33;
constexpr uint8_t kSerialSetCommand = 0xA3;
constexpr uint8_t kSerialSetReadByte = 0x01;
constexpr uint8_t kSerialSetAccepted = 0xB0;

using SerialSetFrame = std::array<uint8_t, kSerialSetFrameSize>;
using SerialSetReply = std::array<uint8_t, kSerialSetReplySize>;

// Offsets of the reply's fields.
enum SerialSetReplyOffset : std::size_t {
    ssrStartValue = 0,
    ssrEndValue = 8,
    ssrAddressHigh = 16,
    ssrAddressLow = 17,
    ssrByteCount = 18,
    ssrIncrement = 19,
    ssrTarget = 20,
    ssrOrder = 21,
    ssrSavedSerial = 22,
    ssrMode = 32,
};

// Indices of `SerialSetupTexts` (the settings dialog's texts at its last OK).
enum SerialSetupTextIndex : std::size_t {
    sstStartAddress = 0,
    sstByteCount = 1,
    sstStartValue = 2,
    sstEndValue = 3,
    sstIncrement = 4,
    sstTarget = 5,
    sstOrder = 6,
    sstMode = 7,
};

// Indices of `SerialSetTexts` (a serial set read back from the writer).
enum SerialSetTextIndex : std::size_t {
    ssStartAddress = 0,
    ssByteCount = 1,
    ssIncrement = 2,
    ssStartValue = 3,
    ssEndValue = 4,
    ssTarget = 5,
    ssSavedSerial = 6,
};

// The frame of `SerialSetupTexts`, or nullopt when the texts do not describe
// a complete setup: a four-digit hex address inside the device, 1 to 8 bytes,
// start and end values of exactly that many hex pairs (ASCII mode: that many
// characters 0-9, A-Z), an increment of 1 to 255 (1 to 35 in ASCII mode),
// target, order and mode indices in range.
std::optional<SerialSetFrame> BuildSerialSetFrame(const Workspace& ws);

// Stores a complete reply as texts for the settings dialog and sets
// `SerialSetLoaded`. Returns false and changes nothing when the byte count
// is not 1 to 8, the mode above 2, the target or order above 1, or an ASCII
// character out of 0 to 35.
bool StoreSerialSetReply(Workspace& ws, const SerialSetReply& reply);

// "Download Serial Num Set": refuses with "Please Setup Serial No !!" unless
// serial mode is set up ("Enable") and the setup texts make a frame; else
// sets `CommandCode` to 12 and returns true: the caller runs the dispatcher.
bool DownloadSerialSet1Click(Workspace& ws, Notifier& notifier);
