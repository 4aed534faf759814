// The 10-byte command header that opens every memory operation on a chip:
// which area, how many words, what to do and how (device bytes, pulse
// timing, mode bits). Built from the workspace into CommandBuffer[0..9].
#pragma once

#include <cstdint>
#include <string>

#include "workspace/EngineeringValues.h"
#include "workspace/Workspace.h"

enum MemoryArea : int {
    areaProgram = 0,     // program memory
    areaOption = 1,      // option words 00h..03h
    areaIdChecksum = 2,  // ID words and checksum
    areaEeprom = 3,      // data EEPROM
    areaBodyOption = 5,  // option area 00h..13h (20 words)
};

enum HeaderCommand : int {
    hcProgram = 0,    // 0xA6
    hcRead = 1,       // 0xA5
    hcErase = 2,      // 0xA8
    hcOverWrite = 3,  // 0xA7
    hcDownload = 4,   // 0xA9
};

// Bit 6 of header byte 9, set or cleared per step by the engine.
constexpr uint8_t AccessStartBit = 0x40;
constexpr int kCommandHeaderSize = 10;

// Fills CommandBuffer bytes 0..9 from the device members of the workspace
// (HeaderDeviceBytes, ProgramLast*, EepromLast*, OptionByteCount,
// DeviceFlags, HeaderRule, DeviceName, OptionWords, BypassIcCheck) and the
// engineering values. Area values 4 and 6 and above give area code 2 with
// count 0. The caller reloads the selected device's catalogue fields first
// (GetICInfo) when they may have changed.
void GetHeader(Workspace& ws, MemoryArea area, HeaderCommand command,
               const EngineeringValues& engineering = {});

// Data length of the area in the header just built, in bytes:
// (CountLo + CountHi x 256 + 1) x 2.
int HeaderDataLength(const Workspace& ws);
