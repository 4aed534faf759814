// The built-in device catalogue: one record per chip the writer can program,
// the lookup that loads a record into the workspace, and the word model that
// tells how a program word is packed into its (low, high) byte pair.
#pragma once

#include "workspace/Workspace.h"

#include <cstdint>
#include <string>
#include <string_view>

// One chip the writer can program. The defaults are those of the family
// every catalogue row belongs to (14-bit words, the writer's second
// generation, EEPROM); a row names what differs. The table ends with a row
// without part number.
struct DeviceTableRow {
    const char* PartNumber = nullptr;
    uint8_t RomLastHi = 0;            // last program-memory word address, high byte
    uint8_t RomLastLo = 0xFF;         // ... low byte
    uint32_t OptionSetIndex = 47;     // row of OptionGroupTable
    uint32_t Family = 2;              // selects the word model
    uint8_t HeaderByte6 = 0x39;
    uint8_t HeaderByte8 = 0xE0;
    uint32_t WriterType = 2;          // writer generation, 1 or 2
    uint32_t OptionMask = 0x00002FFF; // used option bits: high 16 bits word 1, low 16 bits word 0
    uint32_t OptionFixed = 0;         // option bits that are always set, same halves
    bool EraseInsteadOfBlankCheck = true;   // automatic runs erase the chip instead of testing it blank
    bool HasEeprom = true;
    uint8_t EepromLastHi = 0x00;
    uint8_t EepromLastLo = 0x00;
    uint8_t HeaderRule = 0;
    uint8_t NeedsAdaptor = 0;
    uint8_t RecordByte = 0x3F;        // byte 22 of the device record
    uint8_t Download = 1;             // preselected in the device-download list
};

// The device flags byte as the workspace, the command header and the device
// record carry it.
constexpr uint8_t kFlagEraseInsteadOfBlankCheck = 0x02;
constexpr uint8_t kFlagHasEeprom = 0x04;
constexpr uint8_t DeviceFlagsOf(const DeviceTableRow& row)
{
    return static_cast<uint8_t>((row.EraseInsteadOfBlankCheck ? kFlagEraseInsteadOfBlankCheck : 0) |
                                (row.HasEeprom ? kFlagHasEeprom : 0));
}

inline constexpr DeviceTableRow DeviceTable[] = {
    {.PartNumber = "31Q520", .RomLastHi = 0x03, .EepromLastLo = 0x7F},
    {.PartNumber = "31Q566", .RomLastHi = 0x03, .EepromLastLo = 0x7F},
    {.PartNumber = "72Q520", .RomLastHi = 0x03, .EepromLastLo = 0x7F},
    {.PartNumber = "72Q566", .RomLastHi = 0x03, .EepromLastLo = 0x7F},
    {.PartNumber = "72Q574", .RomLastHi = 0x07, .EepromLastLo = 0xFF},
    {.PartNumber = "72Q5201", .RomLastHi = 0x07, .EepromLastLo = 0xFF},
    {.PartNumber = "72Q5661", .RomLastHi = 0x07, .EepromLastLo = 0xFF},
    {.PartNumber = "72Q5741", .RomLastHi = 0x07, .EepromLastLo = 0xFF},
    {.PartNumber = "72Q567", .RomLastHi = 0x07, .EepromLastLo = 0xFF},
    {.PartNumber = "72Q575", .RomLastHi = 0x0F, .EepromLastLo = 0xFF},
    {.PartNumber = "72Q580", .RomLastHi = 0x0F, .EepromLastLo = 0xFF},
    {},
};

// How a part is handled beyond its catalogue row, by the name the workspace
// carries (a name from a configuration or a device list may lie outside
// the catalogue; no catalogue row has a quirk today).
struct DeviceQuirks {
    bool SlowErase = false;                  // erase header without the access-start bit, then a 0.9 s pause
    std::size_t BlankCheckFromIdByte = 0;    // the blank check skips the ID bytes before this one
};
DeviceQuirks QuirksOf(std::string_view deviceName);

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
