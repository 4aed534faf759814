#include "serialno/SerialNumber.h"

#include "workspace/Checksum.h"
#include "workspace/Workspace.h"
#include "serialno/ShiftRegisterTaps.h"

#include <algorithm>

namespace {

uint32_t CellBit(const SerialCells& cells, uint32_t bit)
{
    return (cells[bit / 8] >> (bit % 8)) & 1u;
}

// The cell that stands at position i of the placed bytes.
uint32_t PlacedCell(uint32_t i, uint32_t byteCount, uint32_t order)
{
    return order == soMsbFirst ? byteCount - 1 - i : i;
}

}  // namespace

bool SerialLocationInside(const Workspace& ws, uint64_t target, uint64_t startAddress,
                          uint64_t byteCount)
{
    if (!SerialByteCountValid(byteCount)) return false;
    const uint64_t end = startAddress + byteCount;  // one past the last byte or word
    if (target == stProgramMemory) {
        const uint64_t words = std::min<uint64_t>(ws.RomBytes, kProgramMemorySize) / 2;
        return end <= words;
    }
    if (target == stEeprom) {
        const uint64_t bytes = std::min<uint64_t>(ws.EepromSize, kEepromBufferSize);
        return end <= bytes;
    }
    return false;
}

bool SerialPlacementValid(const Workspace& ws)
{
    return SerialByteCountValid(ws.SerialByteCount) && ws.SerialOrder <= soLsbFirst &&
           SerialLocationInside(ws, ws.SerialTarget, ws.SerialStartAddress, ws.SerialByteCount);
}

bool SerialAdvanceValid(const Workspace& ws)
{
    if (!SerialByteCountValid(ws.SerialByteCount) || ws.SerialMode > smAscii) return false;
    if (ws.SerialMode == smSequential)
        return ws.SerialIncrement >= 1 && ws.SerialIncrement <= 255;
    return true;
}

void SequentialStep(SerialCells& value, const SerialCells& start, const SerialCells& end,
                    uint32_t byteCount, uint32_t increment)
{
    if (!SerialByteCountValid(byteCount)) return;
    // Add with carry from the least significant cell up; a carry out of the
    // most significant cell is dropped, so the number wraps modulo 2^(8n).
    uint32_t carry = increment;
    for (uint32_t k = 0; k < byteCount; ++k) {
        const uint32_t sum = (value[k] & 0xFF) + carry;
        value[k] = sum & 0xFF;
        carry = sum >> 8;
    }
    // Past the end value (the most significant differing cell decides) the
    // start value is reloaded; the end value itself is still used.
    for (uint32_t k = byteCount; k-- > 0;) {
        const uint32_t limit = end[k] & 0xFF;
        if (value[k] == limit) continue;
        if (value[k] > limit)
            for (uint32_t i = 0; i < byteCount; ++i) value[i] = start[i] & 0xFF;
        break;
    }
}

void ShiftRegisterStep(SerialCells& value, uint32_t byteCount)
{
    if (!SerialByteCountValid(byteCount)) return;
    for (uint32_t k = 0; k < byteCount; ++k) value[k] &= 0xFF;
    // Feedback from the taps of the value before the shift, inverted (XNOR).
    uint32_t feedback = 1;
    if (const ShiftRegisterTapRow* row = FindShiftRegisterTaps(byteCount))
        for (uint32_t t = 0; t < row->TapCount; ++t) feedback ^= CellBit(value, row->Taps[t]);
    for (uint32_t k = byteCount - 1; k >= 1; --k)
        value[k] = ((value[k] << 1) & 0xFF) | (value[k - 1] >> 7);
    value[0] = ((value[0] << 1) & 0xFF) | feedback;
}

bool SerialNoNext(Workspace& ws)
{
    if (!SerialAdvanceValid(ws)) return false;
    if (ws.SerialMode == smSequential)
        SequentialStep(ws.SerialValue, ws.SerialStartValue, ws.SerialEndValue, ws.SerialByteCount,
                       ws.SerialIncrement);
    else
        // The pseudo-random mode, and the ASCII mode too: its own numbering is
        // done by the writer off line; the PC side keeps bytes and shifts them.
        ShiftRegisterStep(ws.SerialValue, ws.SerialByteCount);
    return true;
}

bool SerialCellsFromHexText(SerialCells& cells, std::string_view text, uint32_t byteCount)
{
    if (!SerialByteCountValid(byteCount) || text.size() != 2 * byteCount) return false;
    SerialCells parsed = cells;
    for (uint32_t i = 0; i < byteCount; ++i) {
        uint32_t value = 0;
        for (char c : text.substr(text.size() - 2 * (i + 1), 2)) {
            uint32_t digit;
            if (c >= '0' && c <= '9') digit = uint32_t(c - '0');
            else if (c >= 'A' && c <= 'F') digit = uint32_t(c - 'A' + 10);
            else if (c >= 'a' && c <= 'f') digit = uint32_t(c - 'a' + 10);
            else return false;
            value = value * 16 + digit;
        }
        parsed[i] = value;
    }
    cells = parsed;
    return true;
}

bool SerialNo2Memory(Workspace& ws)
{
    if (!ws.SerialModeOn) return false;
    if (!SerialPlacementValid(ws)) return false;
    const uint32_t n = ws.SerialByteCount;
    for (uint32_t i = 0; i < n; ++i) {
        const uint8_t byte = static_cast<uint8_t>(ws.SerialValue[PlacedCell(i, n, ws.SerialOrder)]);
        if (ws.SerialTarget == stEeprom) {
            ws.EepromBuffer[ws.SerialStartAddress + i] = byte;
            continue;
        }
        const std::size_t low = 2 * (std::size_t{ws.SerialStartAddress} + i);
        if (ws.SevenBitMode) {
            // Bit 7 of the byte goes to bit 0 of the high half; the rest of the
            // high half is the instruction's operation code and stays.
            ws.ProgramMemory[low] = byte & 0x7F;
            ws.ProgramMemory[low + 1] =
                static_cast<uint8_t>((ws.ProgramMemory[low + 1] & ~1u) | (byte >> 7));
        } else {
            ws.ProgramMemory[low] = byte;
        }
    }
    // The checksums cover program memory only as shown; an EEPROM placement
    // leaves them until the next recomputation.
    if (ws.SerialTarget == stProgramMemory) CalChecksum(ws);
    ws.Status.SerialText = SerialNumberText(ws.SerialValue, n);
    return true;
}

bool SerialWordsHoldRtwi(const Workspace& ws, uint8_t mask)
{
    if (!SerialLocationInside(ws, stProgramMemory, ws.SerialStartAddress, ws.SerialByteCount))
        return false;
    for (uint32_t i = 0; i < ws.SerialByteCount; ++i) {
        const uint8_t high = ws.ProgramMemory[2 * (std::size_t{ws.SerialStartAddress} + i) + 1];
        const uint8_t code = high & mask;
        if (code != 0x62 && code != 0x6E) return false;
    }
    return true;
}

std::optional<uint32_t> DecimalValueOf(std::string_view text, std::size_t maxDigits)
{
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    return value;
}
