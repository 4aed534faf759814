#include "link/ChipData.h"
#include "workspace/Checksum.h"

#include <algorithm>
#include <cstdio>

namespace {

// The four checksum characters; a shorter text is padded with NULs, which
// never match a read byte's masked value for a real checksum.
char ChecksumChar(const std::string& text, std::size_t i)
{
    return i < text.size() ? text[i] : '\0';
}

int HexCharValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

}  // namespace

std::string Hex4(uint32_t value)
{
    return WordToHex(value);
}

std::string Hex2(uint32_t value)
{
    return ByteToHex(static_cast<uint8_t>(value));
}

uint32_t RawWord(const Workspace& ws, uint8_t low, uint8_t high)
{
    return (uint32_t(high) << ws.WordShift) + low;
}

void GetIdChecksum(Workspace& ws, const std::string& checksumText)
{
    const bool family5 = ws.DeviceFamily == 5;
    for (std::size_t k = 0; k < 32; k += 2) {
        ws.TransferBuffer[k] = ws.IdWords[k];
        ws.TransferBuffer[k + 1] = ws.IdWords[k + 1] | (family5 ? 0x40 : 0x00);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        uint8_t c = static_cast<uint8_t>(ChecksumChar(checksumText, i));
        if (family5 && (i == 1 || i == 3)) c |= 0x40;
        ws.TransferBuffer[12 + i] = c;
    }
}

int VerifyIdChecksum(const Workspace& ws, const std::string& checksumText)
{
    int result = 0;
    const auto& read = ws.TransferBuffer;
    for (std::size_t k = 0; k <= 10; k += 2) {
        if (ws.IdWords[k] != read[k] || (read[k + 1] & ws.BlankMaskHigh) != ws.IdWords[k + 1])
            result |= 1;
    }
    const char c1 = ChecksumChar(checksumText, 0), c2 = ChecksumChar(checksumText, 1);
    const char c3 = ChecksumChar(checksumText, 2), c4 = ChecksumChar(checksumText, 3);
    if (uint8_t(c1) != (read[12] & ws.BlankMaskLow) || uint8_t(c3) != (read[14] & ws.BlankMaskLow))
        result |= 2;
    const int r13 = read[13] & ws.BlankMaskHigh;
    const int r15 = read[15] & ws.BlankMaskHigh;
    if (ws.DeviceFamily == 4) {
        if (HexCharValue(c2) != r13 || HexCharValue(c4) != r15) result |= 2;
    } else {
        if (uint8_t(c2) != r13 || uint8_t(c4) != r15) result |= 2;
    }
    return result;
}

void GetRomData(Workspace& ws)
{
    const uint32_t n = std::min<uint32_t>(ws.RomBytes, kTransferBufferSize);
    uint8_t fill = 0;
    if (ws.DeviceFamily == 5) fill = 0x70;
    if (ws.DeviceFamily == 6) fill = 0x80;
    for (uint32_t k = 0; k + 1 < n; k += 2) {
        ws.TransferBuffer[k] = ws.ProgramMemory[k];
        ws.TransferBuffer[k + 1] = ws.ProgramMemory[k + 1] | fill;
    }
}
