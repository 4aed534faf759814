#include "files/ProgramImage.h"

#include <algorithm>

DeviceWords DeviceWords::Of(const Workspace& ws)
{
    DeviceWords d;
    d.RomBytes = ws.RomBytes;
    d.EepromSize = ws.EepromSize;
    d.DeviceFamily = ws.DeviceFamily;
    d.DeviceFlags = ws.DeviceFlags;
    d.BlankMaskHigh = ws.BlankMaskHigh;
    d.BlankMaskLow = ws.BlankMaskLow;
    d.SevenBitMode = ws.SevenBitMode;
    d.MemoryWindowOpen = ws.MemoryWindowOpen;
    return d;
}

uint32_t DeviceWords::UsedRomBytes() const
{
    return std::min<uint32_t>(RomBytes & ~1u, kProgramMemorySize);
}

uint32_t DeviceWords::UsedEepromBytes() const
{
    return std::min<uint32_t>(EepromSize, kEepromBufferSize);
}

void DeviceWordToFile(const DeviceWords& dev, uint8_t low, uint8_t high, uint8_t& fileLow, uint8_t& fileHigh)
{
    if (dev.SevenBitMode) {
        fileLow = static_cast<uint8_t>(low + ((high & 1) ? 0x80 : 0));
        fileHigh = static_cast<uint8_t>(high >> 1);
    } else {
        fileLow = low;
        fileHigh = high;
    }
}

void ProgramToFileLayout(const DeviceWords& dev, const std::array<uint8_t, kProgramMemorySize>& memory,
                         std::array<uint8_t, kProgramMemorySize>& out)
{
    out = memory;
    const uint32_t used = dev.UsedRomBytes();
    for (uint32_t i = 0; i + 1 < used; i += 2) {
        if (memory[i] == dev.BlankMaskLow && memory[i + 1] == dev.BlankMaskHigh) {
            out[i] = 0xFF;
            out[i + 1] = 0xFF;
        } else {
            DeviceWordToFile(dev, memory[i], memory[i + 1], out[i], out[i + 1]);
        }
    }
}
