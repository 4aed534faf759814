// The texts and rules behind the editor windows: what each grid cell shows,
// what the word editor accepts, how an edit reaches the buffer (only when the
// cell still shows what the buffer holds), the ID editor's two entry modes
// and the pass counter's entry. The forms only draw these texts and pass the
// user's entries through.
#pragma once

#include "workspace/Checksum.h"
#include "workspace/Workspace.h"

#include <algorithm>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The grids read only these members: from the workspace, or from the copy
// a grid draws from (taken on the GUI thread, so that a repaint during a
// run never reads a workspace the engine is writing).
struct GridImage {
    std::array<uint8_t, kProgramMemorySize> ProgramMemory{};
    std::array<uint8_t, kEepromBufferSize> EepromBuffer{};
    uint8_t ProgramLastHi = 0;
    uint8_t WordShift = 7;
    uint8_t BlankMaskLow = 0x7F;
    uint8_t EepromLastHi = 0;
    uint8_t EepromLastLo = 0;
};
void TakeGridImage(GridImage& image, const Workspace& ws);

// --- Program-memory grid: eight words a row --------------------------------

constexpr int kMemoryGridColumns = 8;

// Data rows of the grid: 32 for each step of the last address's high byte.
template <class Image>
int MemoryGridRows(const Image& m)
{
    return (m.ProgramLastHi + 1) * 32;
}
// "+0/8" .. "+7/F" for columns 0..7.
std::string MemoryColumnHeader(int column);
// "0x" + the first word address of data row `row` (0-based) in four digits.
std::string MemoryRowLabel(int row);
// The word as four upper-case hex digits: (high << WordShift) + (low AND
// BlankMaskLow); a word beyond the buffer shows as "0000".
template <class Image>
std::string MemoryCellText(const Image& m, uint32_t wordIndex)
{
    if (wordIndex >= kProgramMemorySize / 2) return "0000";
    const uint8_t low = m.ProgramMemory[2 * wordIndex];
    const uint8_t high = m.ProgramMemory[2 * wordIndex + 1];
    return WordToHex((static_cast<uint32_t>(high) << m.WordShift) + (low & m.BlankMaskLow));
}

// --- EEPROM grid: sixteen bytes a row ----------------------------------------

constexpr int kEepromGridColumns = 16;

// The bytes the grid may show and edit: the device's EEPROM, bounded by the
// buffer.
template <class Image>
uint32_t EepromCellCount(const Image& m)
{
    const uint32_t device = m.EepromLastHi * 256u + m.EepromLastLo + 1u;
    return std::min<uint32_t>(device, kEepromBufferSize);
}
// Data rows: whole rows of sixteen within EepromCellCount.
template <class Image>
int EepromGridRows(const Image& m)
{
    return static_cast<int>(EepromCellCount(m) / kEepromGridColumns);
}
// "+0" .. "+F" for columns 0..15.
std::string EepromColumnHeader(int column);
// "0x" + the row's first address, at least two digits (0x00, 0x10, 0x100).
std::string EepromRowLabel(int row);
// Two upper-case hex digits of the byte; "" beyond EepromCellCount.
template <class Image>
std::string EepromCellText(const Image& m, uint32_t index)
{
    return index < EepromCellCount(m) ? ByteToHex(m.EepromBuffer[index]) : std::string();
}

// --- Word editor ---------------------------------------------------------

// The largest value the word editor takes for a device family: 0x7FFF for
// 15-bit words (5), 0xFFFF for 16-bit words (6), 0x3FFF otherwise.
uint32_t WordEditorLimit(uint32_t family);
// The largest value an EEPROM cell takes.
constexpr uint32_t kEepromByteLimit = 0xFF;

enum class WordEntryStatus { Accepted, TooLarge, NotHex };

struct WordEntry {
    WordEntryStatus Status = WordEntryStatus::NotHex;
    std::string Text;     // the entry upper-cased and padded with "0" to four places
    uint32_t Value = 0;   // valid when Accepted
};

// OK in the word editor: upper-case, pad to four digits (empty gives 0000),
// parse, check against `limit`.
WordEntry CheckWordEntry(const std::string& text, uint32_t limit);

// The message of a refused value.
inline constexpr const char* kValueTooLargeMessage = "Invalid Value,too large!";

enum class CellStore { Stored, Stale, OutOfRange };

// Stores `value` into program word `wordIndex` through the word model when
// the word still shows `shownText` (the text the editor was opened with);
// a stale cell or an index beyond the device's words changes nothing. The
// value must be one the editor accepted for the family. Checksums are the
// caller's.
CellStore StoreProgramWord(Workspace& ws, uint32_t wordIndex, const std::string& shownText, uint32_t value);
// The same for one EEPROM byte (value at most 0xFF).
CellStore StoreEepromByte(Workspace& ws, uint32_t index, const std::string& shownText, uint32_t value);

// --- ID and checksum window ----------------------------------------------

// Bytes as two-digit hex numbers joined by one blank, none at the end.
std::string HexLine(const uint8_t* bytes, std::size_t count);
// Bytes as two-digit hex numbers, each followed by one blank.
std::string HexCells(const uint8_t* bytes, std::size_t count);

// The ID editor's starting text: the ID bytes as characters up to the first
// zero byte, control characters and 0x7F included, without the blank places
// at its end that OK writes back the same (text mode); or HexLine of the
// twelve bytes (hex mode).
std::string IdEditorText(const Workspace& ws);
std::string IdEditorHex(const Workspace& ws);

using IdBytes = std::array<uint8_t, 12>;

// Text mode: one character per byte, missing ones blank (0x7F low, the
// word model's high mask high); high bytes masked with BlankMaskHigh. The
// editor's starting text, unchanged, gives the ID as it is: bytes the text
// cannot carry (those after a zero) survive an OK. More than twelve
// characters refuse the whole entry.
std::optional<IdBytes> ParseIdText(const Workspace& ws, const std::string& text);
// Hex mode, from the masked field's displayed text ("4_ __ ..."): byte k is
// the digit pair at 3k, 3k+1; any place that is not an upper-case hex digit
// or lies beyond the text counts as F; low bytes masked with 0x7F, high ones
// with BlankMaskHigh.
IdBytes ParseIdHex(const Workspace& ws, const std::string& displayText);

// --- Pass counter --------------------------------------------------------

constexpr std::size_t kPassCountDigits = 9;
// The counter dialog's entry: one to nine decimal digits, else nothing.
std::optional<uint32_t> ParsePassCount(const std::string& text);
// OK in the counter dialog: the status panel's pass count takes the text.
bool SetPassCount(Workspace& ws, const std::string& text);
