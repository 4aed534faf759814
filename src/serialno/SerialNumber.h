// The serial number of production: its advance from one chip to the next
// (sequential with carry inside a start/end range, or an inverted-feedback
// shift register) and its placement into the program-memory or EEPROM image.
//
// The number lives in the workspace as byte cells (`SerialValue`, cell 0 the
// least significant), `SerialByteCount` of them in use. Every function here
// checks the settings it relies on before it touches a cell or a buffer, so a
// byte count, address or mode that came from a file or a writer reply and
// does not fit is refused rather than followed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "workspace/SerialState.h"

struct Workspace;

enum SerialModeValue : uint32_t { smSequential = 0, smPseudoRandom = 1, smAscii = 2 };
enum SerialOrderValue : uint32_t { soMsbFirst = 0, soLsbFirst = 1 };
enum SerialTargetValue : uint32_t { stProgramMemory = 0, stEeprom = 1 };

// High-byte masks for the test that a serial word holds the RTWI instruction:
// the run and the QTP loader ignore bit 0, the settings dialog bits 0 and 7.
constexpr uint8_t kRtwiMaskRun = 0xFE;
constexpr uint8_t kRtwiMaskDialog = 0x7E;


// The n serial bytes from startAddress lie inside the selected device:
// whole program words below `RomBytes` / 2, or EEPROM bytes below `EepromSize`
// (and never past the fixed buffers whatever the device members say).
bool SerialLocationInside(const Workspace& ws, uint64_t target, uint64_t startAddress,
                          uint64_t byteCount);

// The workspace's placement settings (byte count, order, target, location)
// can be followed without leaving the cells or the buffers.
bool SerialPlacementValid(const Workspace& ws);

// The workspace's advance settings (byte count, mode, and for the sequential
// mode an increment of 1 to 255) can be followed.
bool SerialAdvanceValid(const Workspace& ws);

// Advances `SerialValue` by one step of `SerialMode`. Returns false and
// changes nothing when the advance settings are out of bounds.
bool SerialNoNext(Workspace& ws);

// Places the current number into the image chosen by `SerialTarget` and
// shows it in `Status.SerialText`. Does nothing (and returns false) while
// `SerialModeOn` is 0 or when the placement settings are out of bounds.
// After a program-memory placement the checksums are recomputed.
bool SerialNo2Memory(Workspace& ws);

// The words for the n serial bytes from `SerialStartAddress` all hold the
// RTWI instruction (high byte AND mask is 62h or 6Eh). False when the
// placement settings are out of bounds.
bool SerialWordsHoldRtwi(const Workspace& ws, uint8_t mask = kRtwiMaskRun);

// Fills cells 0 to n-1 from a value text of exactly 2n hex digits, most
// significant pair first (cell 0 from the last two characters), as the
// settings dialog takes its start and end values. Returns false and changes
// nothing for a byte count outside 1 to 8 or a text of another length or
// with a character that is not a hex digit.
bool SerialCellsFromHexText(SerialCells& cells, std::string_view text, uint32_t byteCount);

// A decimal text of at most `maxDigits` digits, else nullopt.
std::optional<uint32_t> DecimalValueOf(std::string_view text, std::size_t maxDigits = 6);

// One step of each generator on bare cells, for callers that advance a copy.
void SequentialStep(SerialCells& value, const SerialCells& start, const SerialCells& end,
                    uint32_t byteCount, uint32_t increment);
void ShiftRegisterStep(SerialCells& value, uint32_t byteCount);
