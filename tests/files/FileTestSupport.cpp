#include "FileTestSupport.h"

#include "workspace/Checksum.h"

namespace {

template <typename Range>
std::string Hex(const Range& bytes)
{
    std::string out;
    for (auto b : bytes) out += WordToHex(static_cast<uint32_t>(b)) + ",";
    return out;
}

} // namespace

Snapshot TakeSnapshot(const Workspace& ws)
{
    Snapshot s;
    auto add = [&s](const char* name, std::string value) { s.emplace_back(name, std::move(value)); };
    auto num = [](auto v) { return std::to_string(v); };
    add("ProgramMemory", Hex(ws.ProgramMemory));
    add("EepromBuffer", Hex(ws.EepromBuffer));
    add("OptionWords", Hex(ws.OptionWords));
    add("IdWords", Hex(ws.IdWords));
    add("ProgramFileName", ws.ProgramFileName);
    add("ConfigPath", ws.ConfigPath);
    add("DeviceName", ws.DeviceName);
    add("DeviceIndex", num(ws.DeviceIndex));
    add("RomBytes", num(ws.RomBytes));
    add("EepromSize", num(ws.EepromSize));
    add("DeviceFamily", num(ws.DeviceFamily));
    add("DeviceFlags", num(ws.DeviceFlags));
    add("BlankMasks", num(ws.BlankMaskHigh) + "/" + num(ws.BlankMaskLow) + "/" + num(ws.SevenBitMode));
    add("FileBytesRead", num(ws.FileBytesRead));
    add("FileSize", num(ws.FileSize));
    add("HexLimits", num(ws.CodeHexLimit) + "/" + num(ws.EepromHexBase));
    add("HexParser", num(ws.HexValue) + "/" + num(ws.HexDigitsValid));
    add("Serial", num(ws.SerialModeOn) + "/" + num(ws.SerialStartAddress) + "/" + num(ws.SerialByteCount) + "/" +
                      Hex(ws.SerialValue) + "/" + num(ws.SerialIncrement) + "/" + num(ws.SerialMode) + "/" +
                      num(ws.SerialOrder));
    add("Flags", num(ws.KeepOption) + "/" + num(ws.WriteEEinAuto) + "/" + num(ws.BypassIcCheck) + "/" +
                     num(ws.SaveEEData));
    add("Customer", ws.CustomerName + "|" + ws.CustomerProject + "|" + ws.OperatingFrequency + "|" +
                        ws.OperatingVoltageLow + "|" + ws.OperatingVoltageHigh + "|" + ws.OperatingCurrent + "|" +
                        ws.SleepCurrent);
    add("QtpMode", num(ws.QtpMode));
    add("DisasmWindowOpen", num(ws.DisasmWindowOpen));
    add("OptionStatus", num(ws.OptionStatus));
    const StatusPanel& p = ws.Status;
    add("StatusTexts", p.OptionValueText + "|" + p.IdText + "|" + p.ProgramChecksum + "|" + p.ProtectChecksum +
                           "|" + p.TotalChecksum + "|" + p.PassCountText + "|" + p.SerialModeText + "|" +
                           p.SerialText + "|" + p.QtpText);
    return s;
}

void ExpectSameSnapshot(const Snapshot& before, const Snapshot& after)
{
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_TRUE(before[i].second == after[i].second) << "member changed: " << before[i].first;
    }
}

FileCommandResult Load(Workspace& ws, const std::string& path, RecordingNotifier& n)
{
    return LoadDataFile(ws, path, CfgSelection{0, ws.DeviceName}, n);
}

uint32_t WordAt(const Workspace& ws, uint32_t w)
{
    return WordValue(ws, ReadProgramWord(ws, w));
}

void SetWord(Workspace& ws, uint32_t w, uint32_t value)
{
    WriteProgramWord(ws, w, PackWord(ws, value));
}

std::string Record(uint16_t address, const std::vector<uint8_t>& data, uint8_t type)
{
    unsigned sum = static_cast<unsigned>(data.size()) + (address >> 8) + (address & 0xFF) + type;
    std::string out = ":" + ByteToHex(static_cast<uint8_t>(data.size())) + WordToHex(address) + ByteToHex(type);
    for (uint8_t b : data) out += ByteToHex(b), sum += b;
    return out + ByteToHex(static_cast<uint8_t>((256 - sum % 256) % 256)) + "\r\n";
}
