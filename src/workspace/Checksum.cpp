#include "workspace/Checksum.h"

#include "workspace/DeviceCatalogue.h"

#include <algorithm>

namespace {

// One option word as the chip sums it: the low byte plus the high half
// placed back at its bit position (7-bit halves put bit 7 of the value into
// bit 0 of the high byte).
uint32_t OptionWordSum(const Workspace& ws, uint8_t low, uint8_t high)
{
    uint32_t sum = low & ws.BlankMaskLow;
    if (ws.SevenBitMode)
        sum += (high >> 1) + ((high & 1u) ? 128u : 0u);
    else
        sum += high;
    return sum;
}

}  // namespace

Checksums ComputeChecksums(const Workspace& ws)
{
    Checksums result;
    uint32_t memory = 0;
    uint32_t protect = 0;
    // The buffer's size is even, so the high byte of every word read lies inside it.
    const std::size_t romBytes = std::min<std::size_t>(ws.RomBytes, ws.ProgramMemory.size());
    const uint32_t fill = ws.ProtectFill;
    const uint32_t fillHigh = ws.ProtectFill & ws.BlankMaskHigh;
    for (std::size_t i = 0; i < romBytes; i += 2) {
        const uint32_t low = ws.ProgramMemory[i];
        const uint32_t high = ws.ProgramMemory[i + 1];
        if (ws.SevenBitMode) {
            memory += low + (high >> 1) + ((high & 1u) ? 128u : 0u);
            protect += (low | fill) + ((fillHigh | high) >> 1) + 128u;
        } else {
            memory += low + high;
            protect += (low | fill) + (fillHigh | high);
        }
    }
    result.Memory = static_cast<uint16_t>(memory & 0xFFFFu);
    result.Protect = static_cast<uint16_t>(protect & 0xFFFFu);

    uint32_t option = OptionWordSum(ws, ws.OptionWords[0], ws.OptionWords[1]);
    if (ws.OptionBlankMask1 != 0) option += OptionWordSum(ws, ws.OptionWords[2], ws.OptionWords[3]);

    uint32_t total = result.Memory;
    if (ws.DeviceFlags & kFlagHasEeprom) {
        result.WithEeprom = true;
        // Every byte the device has, clamped to the buffer.
        const std::size_t size = std::min<std::size_t>(ws.EepromSize, ws.EepromBuffer.size());
        for (std::size_t i = 0; i < size; ++i) total += ws.EepromBuffer[i];
    }
    result.Total = static_cast<uint16_t>((total + option) & 0xFFFFu);
    return result;
}

void CalChecksum(Workspace& ws)
{
    const Checksums sums = ComputeChecksums(ws);
    ws.Status.ProgramChecksum = WordToHex(sums.Memory);
    ws.Status.ProtectChecksum = WordToHex(sums.Protect);
    ws.Status.TotalChecksum = WordToHex(sums.Total);
    ws.Status.TotalChecksumCaption = sums.WithEeprom ? "w/OPTIONs+EE:" : "w/OPTIONs:";
}

uint32_t HexToInt(Workspace& ws, std::string_view text)
{
    ws.HexValue = 0;
    ws.HexDigitsValid = false;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return 0;
        ws.HexValue = ws.HexValue * 16u + static_cast<uint32_t>(digit);
    }
    ws.HexDigitsValid = true;
    return ws.HexValue;
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

char NibbleToHexChar(unsigned value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return kDigits[value & 0xFu];
}

std::string ByteToHex(uint8_t value)
{
    return std::string{NibbleToHexChar(value >> 4), NibbleToHexChar(value)};
}

std::string WordToHex(uint32_t value)
{
    return std::string{NibbleToHexChar(value >> 12), NibbleToHexChar(value >> 8), NibbleToHexChar(value >> 4),
                       NibbleToHexChar(value)};
}
