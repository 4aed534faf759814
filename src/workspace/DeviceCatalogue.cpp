#include "workspace/DeviceCatalogue.h"

#include "workspace/OptionTables.h"

const DeviceTableRow* DeviceRow(int32_t row)
{
    if (row < 0 || row >= DeviceCount()) return nullptr;
    return &DeviceTable[row];
}

int32_t GetICInfo(Workspace& ws, std::string_view partNumber)
{
    int32_t index = -1;
    for (int32_t i = 0; DeviceTable[i].PartNumber != nullptr; ++i) {
        if (partNumber == DeviceTable[i].PartNumber) {
            index = i;
            break;
        }
    }
    if (index < 0) return -1;

    const DeviceTableRow& row = DeviceTable[index];
    ws.DeviceName = row.PartNumber;
    ws.ProgramLastHi = row.RomLastHi;
    ws.ProgramLastLo = row.RomLastLo;
    ws.EepromLastHi = row.EepromLastHi;
    ws.EepromLastLo = row.EepromLastLo;
    ws.EepromSize = row.EepromLastHi * 256u + row.EepromLastLo + 1u;
    ws.OptionSetIndex = row.OptionSetIndex;
    ws.DeviceFamily = row.Family;
    ws.HeaderDeviceBytes = {row.HeaderByte6, row.HeaderByte8};
    ws.WriterType = row.WriterType;
    // The upper half is shifted as a signed value: a mask with bit 31 set keeps
    // its upper bits in the second option word's mask.
    ws.OptionBlankMask1 = static_cast<uint32_t>(static_cast<int32_t>(row.OptionMask) >> 16);
    ws.OptionBlankMask0 = row.OptionMask & 0xFFFFu;
    ws.OptionByteCount = ws.OptionBlankMask1 != 0 ? 4 : 2;
    ws.RomBytes = (ws.ProgramLastHi * 256u + ws.ProgramLastLo + 1u) * 2u;
    ws.DeviceFlags = DeviceFlagsOf(row);
    ws.HeaderRule = row.HeaderRule;
    ws.NeedsAdaptor = row.NeedsAdaptor;
    ws.DeviceRecordByte = row.RecordByte;
    // A row index outside the group table leaves the device without option items.
    if (const OptionSelectRow* groups = OptionGroupRow(row.OptionSetIndex))
        ws.OptionSetNo = *groups;
    else
        ws.OptionSetNo.fill(0);

    const WordModel m = WordModelForFamily(row.Family);
    ws.BlankMaskHigh = m.BlankMaskHigh;
    ws.BlankMaskLow = m.BlankMaskLow;
    ws.ProtectFill = m.ProtectFill;
    ws.SevenBitMode = m.SevenBitMode;
    ws.WordShift = m.WordShift;
    return index;
}

int32_t SelectDevice(Workspace& ws, std::string_view partNumber)
{
    ws.DeviceIndex = GetICInfo(ws, partNumber);
    return ws.DeviceIndex;
}

DeviceQuirks QuirksOf(std::string_view deviceName)
{
    DeviceQuirks quirks;
    quirks.SlowErase = deviceName == "KRV31Q566" || deviceName.substr(0, 9) == "KRV31Q520";
    if (deviceName == "KRV31R511(BA)") quirks.BlankCheckFromIdByte = 4;
    return quirks;
}

std::string GetIcName(int32_t row)
{
    const DeviceTableRow* r = DeviceRow(row);
    return r ? std::string(r->PartNumber) : std::string();
}

uint8_t GetDownload(int32_t row)
{
    const DeviceTableRow* r = DeviceRow(row);
    return r ? r->Download : 0;
}

WordModel CurrentWordModel(const Workspace& ws)
{
    return WordModel{ws.BlankMaskHigh, ws.BlankMaskLow, ws.WordShift, ws.SevenBitMode, ws.ProtectFill};
}

uint32_t WordValue(const Workspace& ws, ProgramWord w) { return WordValue(CurrentWordModel(ws), w); }

ProgramWord PackWord(const Workspace& ws, uint32_t value) { return PackWord(CurrentWordModel(ws), value); }

uint32_t BlankWord(const Workspace& ws) { return BlankWord(CurrentWordModel(ws)); }

ProgramWord ReadProgramWord(const Workspace& ws, uint32_t wordAddress)
{
    if (wordAddress >= ws.ProgramMemory.size() / 2) return ProgramWord{};
    return ProgramWord{ws.ProgramMemory[2 * wordAddress], ws.ProgramMemory[2 * wordAddress + 1]};
}

bool WriteProgramWord(Workspace& ws, uint32_t wordAddress, ProgramWord w)
{
    if (wordAddress >= ws.ProgramMemory.size() / 2) return false;
    ws.ProgramMemory[2 * wordAddress] = w.Low;
    ws.ProgramMemory[2 * wordAddress + 1] = w.High;
    return true;
}
