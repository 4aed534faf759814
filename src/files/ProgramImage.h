// The scratch image a program file is read into before it replaces the
// workspace's buffers, and what the readers need to know of the device.
#pragma once

#include "workspace/DeviceCatalogue.h"
#include "workspace/Workspace.h"

#include <array>
#include <cstdint>

// The selected device as the program-file readers see it.
struct DeviceWords {
    uint32_t RomBytes = 0;
    uint32_t EepromSize = 0;
    uint32_t DeviceFamily = 0;
    uint8_t DeviceFlags = 0;
    uint8_t BlankMaskHigh = 0x7F;
    uint8_t BlankMaskLow = 0x7F;
    bool SevenBitMode = true;
    bool MemoryWindowOpen = false;   // the 12/14-bit warnings show only with the memory window

    static DeviceWords Of(const Workspace& ws);
    bool HasEeprom() const { return (DeviceFlags & kFlagHasEeprom) != 0; }
    // The used part of program memory, never more than the buffer.
    uint32_t UsedRomBytes() const;
    uint32_t UsedEepromBytes() const;
};

// Program memory and EEPROM as a file fills them. Program bytes are in file
// layout (low byte, high byte of the file word) until PackWords has run.
struct ProgramImage {
    std::array<uint8_t, kProgramMemorySize> Program{};
    std::array<uint8_t, kEepromBufferSize> Eeprom{};
    bool EepromLoaded = false;     // the file carried the EEPROM (Eeprom replaces the buffer)
    int32_t FileBytesRead = 0;
    uint32_t FileSize = 0;
    int32_t CodeHexLimit = 0;      // set by the HEX formats only
    int32_t EepromHexBase = 0;
};

// The file word of a device-layout word, as the saver writes it: with
// 7-bit halves low + 0x80 when bit 0 of high is set, and high >> 1.
void DeviceWordToFile(const DeviceWords& dev, uint8_t low, uint8_t high, uint8_t& fileLow, uint8_t& fileHigh);

// Program memory converted back to file layout, so that the parts of a short
// file that keep the previous contents are packed exactly once. Blank words
// become FF FF, as if no file had touched them.
void ProgramToFileLayout(const DeviceWords& dev, const std::array<uint8_t, kProgramMemorySize>& memory,
                         std::array<uint8_t, kProgramMemorySize>& out);
