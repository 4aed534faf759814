#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "LinkTestSupport.h"
#include "link/ChipData.h"

namespace {

std::string Build(Workspace& ws, int area, int command, const EngineeringValues& eng = {})
{
    GetHeader(ws, static_cast<MemoryArea>(area), static_cast<HeaderCommand>(command), eng);
    std::string out = Hex2(ws.CommandBuffer[0]);
    for (int i = 1; i < 10; ++i) out += " " + Hex2(ws.CommandBuffer[i]);
    return out;
}

}  // namespace

TEST(CommandHeader, EveryAreaAndCommandGivesItsBytes)
{
    struct Case {
        int Area, Command;
        const char* Bytes;
    } const cases[] = {
        {areaProgram, hcProgram, "A1 00 00 FF 07 00 39 03 E0 A6"},
        {areaProgram, hcRead, "A1 00 00 FF 07 00 39 03 E0 A5"},
        {areaProgram, hcErase, "A1 00 00 FF 07 00 39 F0 E0 A8"},
        {areaProgram, hcOverWrite, "A1 00 00 FF 07 00 39 05 E0 A7"},
        {areaOption, hcRead, "A1 00 00 03 00 01 39 30 E0 A5"},
        {areaIdChecksum, hcRead, "A1 00 00 0F 00 02 39 03 E0 A5"},
        {areaEeprom, hcRead, "A1 00 00 7F 00 03 B9 14 E0 A5"},
        {areaEeprom, hcOverWrite, "A1 00 00 7F 00 03 B9 05 E0 A7"},
        {areaBodyOption, hcRead, "A1 00 00 13 00 05 39 30 E0 A5"},
        {areaBodyOption, hcErase, "A1 00 00 13 00 05 39 F0 E0 A8"},
        {4, hcRead, "A1 00 00 00 00 02 39 03 E0 A5"},
        {areaProgram, 9, "A1 00 00 FF 07 00 39 03 E0 A5"},
    };
    Workspace ws;
    SelectTestDevice(ws);
    for (const auto& c : cases) EXPECT_EQ(Build(ws, c.Area, c.Command), c.Bytes) << c.Area << " " << c.Command;
    for (auto [area, bytes] : {std::pair{areaProgram, 4096}, {areaIdChecksum, 32}, {areaBodyOption, 40}}) {
        GetHeader(ws, area, hcRead);
        EXPECT_EQ(HeaderDataLength(ws), bytes);
    }
}

TEST(CommandHeader, DeviceOptionsAndEngineeringPanelChangeTheirBytes)
{
    using Change = std::function<void(Workspace&, EngineeringValues&)>;
    auto byte8 = [](uint8_t v) { return [v](Workspace& ws, EngineeringValues&) { ws.HeaderDeviceBytes[1] = v; }; };
    auto rule = [](uint8_t r, uint8_t b0, uint8_t b1) {
        return [=](Workspace& ws, EngineeringValues&) {
            ws.HeaderDeviceBytes[1] = 0x60, ws.HeaderRule = r, ws.OptionWords[0] = b0, ws.OptionWords[1] = b1;
        };
    };
    auto named = [](const char* name) {
        return [name](Workspace& ws, EngineeringValues&) { ws.HeaderDeviceBytes[1] = 0xF0, ws.DeviceName = name; };
    };
    auto panel = [](const char* erase, const char* pulse) {
        return [=](Workspace&, EngineeringValues& e) { e.PanelVisible = true, e.EraseWidth = erase, e.PulseWidth = pulse; };
    };
    struct Case {
        const char* Name;
        Change Setup;
        int Area, Command, Byte, Value;
    } const cases[] = {
        {"bypass", [](Workspace& ws, EngineeringValues&) { ws.HeaderDeviceBytes[1] = 0x60, ws.BypassIcCheck = true; },
         areaProgram, hcRead, 8, 0xE0},
        {"EEPROM read", byte8(0x60), areaEeprom, hcRead, 8, 0xE0},
        {"EEPROM write", byte8(0x60), areaEeprom, hcOverWrite, 8, 0x60},
        {"4 option bytes, program", [](Workspace& ws, EngineeringValues&) { ws.OptionByteCount = 4; }, areaOption,
         hcProgram, 3, 1},
        {"mode 65", [](Workspace&, EngineeringValues& e) { e.Mode65 = 3; }, areaEeprom, hcRead, 5, 0x63},
        {"panel erase", panel("180", "6"), areaProgram, hcErase, 7, 180},
        {"panel overwrite", panel("180", "6"), areaProgram, hcOverWrite, 7, 12},
        {"panel EEPROM", panel("180", "127"), areaEeprom, hcOverWrite, 7, 254},
        {"old device", [](Workspace& ws, EngineeringValues&) { ws.DeviceFlags = 1; }, areaProgram, hcOverWrite, 7, 12},
        {"old device EEPROM", [](Workspace& ws, EngineeringValues&) { ws.DeviceFlags = 1; }, areaEeprom, hcOverWrite,
         7, 20},
        {"RC read", named("KRV31P210-RC"), areaProgram, hcRead, 8, 0xC0},
        {"RC program", named("KRV31P210-RC"), areaProgram, hcProgram, 8, 0xF0},
        {"RC not last", named("KRV31-RC-A"), areaProgram, hcRead, 8, 0xF0},
        {"RC without dash", named("KRV31RC"), areaProgram, hcRead, 8, 0xF0},
        {"rule 0", rule(0, 0x0A, 0), areaProgram, hcRead, 8, 0x60},
        {"rule 1", rule(1, 0x0A, 0), areaProgram, hcRead, 8, 0xE0},
        {"rule 1 program", rule(1, 0x0A, 0), areaProgram, hcProgram, 8, 0x60},
        {"rule 2", rule(2, 0x1A, 0), areaProgram, hcRead, 8, 0xE0},
        {"rule 3", rule(3, 0x0A, 0x18), areaProgram, hcRead, 8, 0xE0},
        {"rule 3 other", rule(3, 0x0A, 0x10), areaProgram, hcRead, 8, 0x60},
        {"rule 4", rule(4, 0x0A, 0), areaProgram, hcRead, 8, 0x60},
    };
    for (const auto& c : cases) {
        Workspace ws;
        SelectTestDevice(ws);
        EngineeringValues eng;
        c.Setup(ws, eng);
        GetHeader(ws, static_cast<MemoryArea>(c.Area), static_cast<HeaderCommand>(c.Command), eng);
        EXPECT_EQ(ws.CommandBuffer[c.Byte], c.Value) << c.Name;
    }
}
