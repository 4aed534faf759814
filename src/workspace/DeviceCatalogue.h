// The built-in device catalogue: one record per chip the writer can program,
// the lookup that loads a record into the workspace, and the word model that
// tells how a program word is packed into its (low, high) byte pair.
#pragma once

#include "workspace/Workspace.h"

#include <cstdint>
#include <string>
#include <string_view>

struct DeviceTableRow {
    const char* PartNumber;   // null ends the table
    uint8_t RomLastHi;        // last program-memory word address, high byte
    uint8_t RomLastLo;        // ... low byte
    uint32_t OptionSetIndex;  // row of OptionGroupTable
    uint32_t Family;          // selects the word model
    uint8_t HeaderByte6;
    uint8_t HeaderByte8;
    uint32_t WriterType;      // writer generation, 1 or 2
    uint32_t OptionMask;      // used option bits: high 16 bits word 1, low 16 bits word 0
    uint32_t OptionFixed;     // option bits that are always set, same halves
    uint8_t Flags;            // 2: erase instead of blank check; 4: has EEPROM
    uint8_t EepromLastHi;
    uint8_t EepromLastLo;
    uint8_t HeaderRule;
    uint8_t NeedsAdaptor;
    uint8_t RecordByte;       // byte 22 of the device record
    uint8_t Download;         // preselected in the device-download list
};

constexpr uint8_t kFlagEraseInsteadOfBlankCheck = 0x02;
constexpr uint8_t kFlagHasEeprom = 0x04;

namespace device_rows {
constexpr DeviceTableRow Row(const char* name, uint8_t romLastHi, uint8_t eepromLastLo)
{
    return DeviceTableRow{name, romLastHi, 0xFF, 47, 2, 0x39, 0xE0, 2, 0x00002FFF, 0,
                          0x06, 0x00, eepromLastLo, 0, 0, 0x3F, 1};
}
}  // namespace device_rows

inline constexpr DeviceTableRow DeviceTable[] = {
    device_rows::Row("31Q520", 0x03, 0x7F),
    device_rows::Row("31Q566", 0x03, 0x7F),
    device_rows::Row("72Q520", 0x03, 0x7F),
    device_rows::Row("72Q566", 0x03, 0x7F),
    device_rows::Row("72Q574", 0x07, 0xFF),
    device_rows::Row("72Q5201", 0x07, 0xFF),
    device_rows::Row("72Q5661", 0x07, 0xFF),
    device_rows::Row("72Q5741", 0x07, 0xFF),
    device_rows::Row("72Q567", 0x07, 0xFF),
    device_rows::Row("72Q575", 0x0F, 0xFF),
    device_rows::Row("72Q580", 0x0F, 0xFF),
    DeviceTableRow{nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};

// Number of devices, i.e. the index of the terminating row.
constexpr int32_t DeviceCount()
{
    int32_t n = 0;
    while (DeviceTable[n].PartNumber != nullptr) ++n;
    return n;
}

// The catalogue row of a device, or null for a row outside 0..DeviceCount()-1.
const DeviceTableRow* DeviceRow(int32_t row);

// Looks the part number up (exact, case-sensitive). On success copies the row
// into the device members of the workspace, sets the word model and returns
// the row index; returns -1 and changes nothing when no row carries the name.
// The caller stores the result in DeviceIndex (see SelectDevice).
int32_t GetICInfo(Workspace& ws, std::string_view partNumber);

// GetICInfo and store the result in DeviceIndex; returns it.
int32_t SelectDevice(Workspace& ws, std::string_view partNumber);

// The part number of a row; empty for the terminator or any row outside the table.
std::string GetIcName(int32_t row);

// The Download byte of a row; 0 for any row outside the table.
uint8_t GetDownload(int32_t row);

// --- Word model ---------------------------------------------------------

struct WordModel {
    uint8_t BlankMaskHigh;
    uint8_t BlankMaskLow;
    uint8_t WordShift;
    bool SevenBitMode;
    uint8_t ProtectFill;
};

// The word model of a device family: 5 = 15-bit words, 6 = 16-bit words,
// any other = 14-bit words kept as two 7-bit halves.
constexpr WordModel WordModelForFamily(uint32_t family)
{
    switch (family) {
    case 5: return WordModel{0x7F, 0xFF, 8, false, 0x1F};
    case 6: return WordModel{0xFF, 0xFF, 8, false, 0x1F};
    default: return WordModel{0x7F, 0x7F, 7, true, 0x1F};
    }
}

// The workspace's current word model.
WordModel CurrentWordModel(const Workspace& ws);

// value = (high << WordShift) + (low AND BlankMaskLow)
constexpr uint32_t WordValue(const WordModel& m, ProgramWord w)
{
    return (static_cast<uint32_t>(w.High) << m.WordShift) + (w.Low & m.BlankMaskLow);
}

// low = value AND BlankMaskLow; high = (value >> WordShift) AND BlankMaskHigh
constexpr ProgramWord PackWord(const WordModel& m, uint32_t value)
{
    return ProgramWord{static_cast<uint8_t>(value & m.BlankMaskLow),
                       static_cast<uint8_t>((value >> m.WordShift) & m.BlankMaskHigh)};
}

// The value of an erased cell: 0x3FFF, 0x7FFF or 0xFFFF.
constexpr uint32_t BlankWord(const WordModel& m)
{
    return (static_cast<uint32_t>(m.BlankMaskHigh) << m.WordShift) + m.BlankMaskLow;
}

constexpr ProgramWord BlankPair(const WordModel& m) { return ProgramWord{m.BlankMaskLow, m.BlankMaskHigh}; }

// The same against the workspace's word model.
uint32_t WordValue(const Workspace& ws, ProgramWord w);
ProgramWord PackWord(const Workspace& ws, uint32_t value);
uint32_t BlankWord(const Workspace& ws);

// The program word at a word address. An address outside ProgramMemory reads
// as (0, 0), and a write there is refused (returns false).
ProgramWord ReadProgramWord(const Workspace& ws, uint32_t wordAddress);
bool WriteProgramWord(Workspace& ws, uint32_t wordAddress, ProgramWord w);
