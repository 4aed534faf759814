#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "app/DeviceCatalogue.h"
#include "app/Workspace.h"
#include "link/CommandHeader.h"
#include "LinkTestSupport.h"

namespace {

using Frame = std::array<uint8_t, 10>;

Frame Build(Workspace& ws, int area, int command, const EngineeringValues& eng = {})
{
    GetHeader(ws, static_cast<MemoryArea>(area), static_cast<HeaderCommand>(command), eng);
    Frame f{};
    std::copy_n(ws.CommandBuffer.begin(), 10, f.begin());
    return f;
}

std::string HexText(const Frame& f)
{
    std::string out;
    char buf[4];
    for (uint8_t b : f) {
        std::snprintf(buf, sizeof buf, "%02X ", b);
        out += buf;
    }
    out.pop_back();
    return out;
}

struct HeaderCase {
    int Area;
    int Command;
    const char* Bytes;
};

// Every area with every command, catalogue device, engineering panel hidden.
constexpr HeaderCase kHeaderTable[] = {
    {areaProgram, hcProgram, "A1 00 00 FF 07 00 39 03 E0 A6"},
    {areaProgram, hcRead, "A1 00 00 FF 07 00 39 03 E0 A5"},
    {areaProgram, hcErase, "A1 00 00 FF 07 00 39 F0 E0 A8"},
    {areaProgram, hcOverWrite, "A1 00 00 FF 07 00 39 05 E0 A7"},
    {areaProgram, hcDownload, "A1 00 00 FF 07 00 39 03 E0 A9"},
    {areaOption, hcProgram, "A1 00 00 00 00 01 39 30 E0 A6"},
    {areaOption, hcRead, "A1 00 00 03 00 01 39 30 E0 A5"},
    {areaOption, hcErase, "A1 00 00 00 00 01 39 F0 E0 A8"},
    {areaOption, hcOverWrite, "A1 00 00 00 00 01 39 05 E0 A7"},
    {areaIdChecksum, hcProgram, "A1 00 00 07 00 02 39 03 E0 A6"},
    {areaIdChecksum, hcRead, "A1 00 00 0F 00 02 39 03 E0 A5"},
    {areaIdChecksum, hcErase, "A1 00 00 07 00 02 39 F0 E0 A8"},
    {areaIdChecksum, hcOverWrite, "A1 00 00 07 00 02 39 05 E0 A7"},
    {areaEeprom, hcProgram, "A1 00 00 7F 00 03 B9 14 E0 A6"},
    {areaEeprom, hcRead, "A1 00 00 7F 00 03 B9 14 E0 A5"},
    {areaEeprom, hcErase, "A1 00 00 7F 00 03 B9 F0 E0 A8"},
    {areaEeprom, hcOverWrite, "A1 00 00 7F 00 03 B9 05 E0 A7"},
    {areaBodyOption, hcProgram, "A1 00 00 13 00 05 39 30 E0 A6"},
    {areaBodyOption, hcRead, "A1 00 00 13 00 05 39 30 E0 A5"},
    {areaBodyOption, hcErase, "A1 00 00 13 00 05 39 F0 E0 A8"},
    {areaBodyOption, hcOverWrite, "A1 00 00 13 00 05 39 05 E0 A7"},
    {4, hcRead, "A1 00 00 00 00 02 39 03 E0 A5"},
    {6, hcProgram, "A1 00 00 00 00 02 39 03 E0 A6"},
    {areaProgram, 5, "A1 00 00 FF 07 00 39 03 E0 A5"},
    {areaProgram, 9, "A1 00 00 FF 07 00 39 03 E0 A5"},
};

}  // namespace

TEST(CommandHeader, EveryAreaAndCommandGivesTheTabledBytes)
{
    for (const auto& c : kHeaderTable) {
        Workspace ws;
        SelectTestDevice(ws);
        EXPECT_EQ(HexText(Build(ws, c.Area, c.Command)), c.Bytes) << "area " << c.Area << " command " << c.Command;
    }
}

TEST(CommandHeader, BypassIcCheckSetsBitSevenOfByteEight)
{
    Workspace ws;
    SelectTestDevice(ws);
    ws.BypassIcCheck = true;
    EXPECT_EQ(Build(ws, areaProgram, hcRead)[8], 0xE0);   // already set
    ws.HeaderDeviceBytes[1] = 0x60;
    EXPECT_EQ(Build(ws, areaProgram, hcRead)[8], 0xE0);
    ws.BypassIcCheck = false;
    EXPECT_EQ(Build(ws, areaProgram, hcRead)[8], 0x60);
}

TEST(CommandHeader, EepromReadAddsBitSevenToByteEightOnlyForReads)
{
    Workspace ws;
    SelectTestDevice(ws);
    ws.HeaderDeviceBytes[1] = 0x60;
    EXPECT_EQ(Build(ws, areaEeprom, hcRead)[8], 0xE0);
    EXPECT_EQ(Build(ws, areaEeprom, hcOverWrite)[8], 0x60);
}

TEST(CommandHeader, OptionCountFollowsTheNumberOfOptionWords)
{
    Workspace ws;
    SelectTestDevice(ws);
    EXPECT_EQ(Build(ws, areaOption, hcProgram)[3], 0);
    ws.OptionByteCount = 4;
    EXPECT_EQ(Build(ws, areaOption, hcProgram)[3], 1);
    EXPECT_EQ(Build(ws, areaOption, hcRead)[3], 3);
}

TEST(CommandHeader, Mode65AddsBitsFiveAndSixOfTheAreaByte)
{
    Workspace ws;
    SelectTestDevice(ws);
    EngineeringValues eng;
    const uint8_t expected[] = {0x00, 0x20, 0x40, 0x60};
    for (int item = 0; item < 4; ++item) {
        eng.Mode65 = item;
        EXPECT_EQ(Build(ws, areaProgram, hcProgram, eng)[5], expected[item]);
        EXPECT_EQ(Build(ws, areaEeprom, hcRead, eng)[5], expected[item] | 3);
    }
}

TEST(CommandHeader, EngineeringPanelSetsEraseAndWritePulseWidths)
{
    Workspace ws;
    SelectTestDevice(ws);
    EngineeringValues eng;
    eng.PanelVisible = true;
    EXPECT_EQ(Build(ws, areaProgram, hcErase, eng)[7], 180);
    eng.EraseWidth = "255";
    EXPECT_EQ(Build(ws, areaProgram, hcErase, eng)[7], 255);
    EXPECT_EQ(Build(ws, areaProgram, hcOverWrite, eng)[7], 12);   // 2 x "6"
    eng.PulseWidth = "127";
    EXPECT_EQ(Build(ws, areaEeprom, hcOverWrite, eng)[7], 254);
    eng.PanelVisible = false;
    EXPECT_EQ(Build(ws, areaProgram, hcErase, eng)[7], 240);
    EXPECT_EQ(Build(ws, areaEeprom, hcOverWrite, eng)[7], 5);
}

TEST(CommandHeader, OverWriteOfOldDevicesRaisesThePulseToTwelve)
{
    Workspace ws;
    SelectTestDevice(ws);
    ws.DeviceFlags = 1;
    EXPECT_EQ(Build(ws, areaProgram, hcOverWrite)[7], 12);
    EXPECT_EQ(Build(ws, areaOption, hcOverWrite)[7], 0x30);
    EXPECT_EQ(Build(ws, areaEeprom, hcOverWrite)[7], 20);
}

TEST(CommandHeader, RcDevicesClearBitsFourAndFiveOfByteEightInReads)
{
    Workspace ws;
    SelectTestDevice(ws);
    ws.HeaderDeviceBytes[1] = 0xF0;
    ws.DeviceName = "KRV31P210-RC";
    EXPECT_EQ(Build(ws, areaProgram, hcRead)[8], 0xC0);
    EXPECT_EQ(Build(ws, areaProgram, hcDownload)[8], 0xC0);
    EXPECT_EQ(Build(ws, areaProgram, hcProgram)[8], 0xF0);
    ws.DeviceName = "KRV31-RC-A";      // the last "-" is what counts
    EXPECT_EQ(Build(ws, areaProgram, hcRead)[8], 0xF0);
    ws.DeviceName = "KRV31RC";         // no "-" never matches
    EXPECT_EQ(Build(ws, areaProgram, hcRead)[8], 0xF0);
    ws.DeviceName = "KRV31-R";
    EXPECT_EQ(Build(ws, areaProgram, hcRead)[8], 0xF0);
}

TEST(CommandHeader, HeaderRulesTakeBitSevenFromOptionWordZeroInReads)
{
    struct RuleCase {
        uint8_t Rule, B0, B1;
        bool Set;
    };
    const RuleCase cases[] = {
        {0, 0x0A, 0x00, false}, {1, 0x0A, 0x00, true},  {1, 0x0B, 0x00, false},
        {2, 0x0A, 0x00, true},  {2, 0x2A, 0x00, false}, {2, 0x1A, 0x00, true},
        {3, 0x0A, 0x00, true},  {3, 0x0A, 0x10, false}, {3, 0x0A, 0x18, true},
        {4, 0x0A, 0x00, false},
    };
    for (const auto& c : cases) {
        Workspace ws;
        SelectTestDevice(ws);
        ws.HeaderDeviceBytes[1] = 0x60;
        ws.HeaderRule = c.Rule;
        ws.OptionWords[0] = c.B0;
        ws.OptionWords[1] = c.B1;
        EXPECT_EQ(Build(ws, areaProgram, hcRead)[8], c.Set ? 0xE0 : 0x60)
            << "rule " << int(c.Rule) << " b0 " << int(c.B0) << " b1 " << int(c.B1);
        EXPECT_EQ(Build(ws, areaProgram, hcProgram)[8], 0x60);
    }
}

TEST(CommandHeader, DataLengthIsTwoBytesPerWord)
{
    Workspace ws;
    SelectTestDevice(ws);
    GetHeader(ws, areaProgram, hcRead);
    EXPECT_EQ(HeaderDataLength(ws), 4096);
    GetHeader(ws, areaIdChecksum, hcRead);
    EXPECT_EQ(HeaderDataLength(ws), 32);
    GetHeader(ws, areaBodyOption, hcRead);
    EXPECT_EQ(HeaderDataLength(ws), 40);
}


TEST(CommandHeaderCatalogue, TwoKWordDeviceReadHeader)
{
    Workspace ws;
    ASSERT_GE(SelectDevice(ws, "72Q574"), 0);   // last word address 0x07FF
    EXPECT_EQ(HexText(Build(ws, areaProgram, hcRead)), "A1 00 00 FF 07 00 39 03 E0 A5");
}

TEST(CommandHeaderCatalogue, EepromOf128BytesReadHeader)
{
    Workspace ws;
    ASSERT_GE(SelectDevice(ws, "31Q520"), 0);
    ASSERT_EQ(ws.EepromSize, 128u);
    Frame f = Build(ws, areaEeprom, hcRead);
    EXPECT_EQ(HexText(f).substr(9), "7F 00 03 B9 14 E0 A5");
}

TEST(CommandHeaderCatalogue, EveryCatalogueDeviceGetsItsSizesAndCatalogueBytes)
{
    for (int32_t row = 0; row < DeviceCount(); ++row) {
        Workspace ws;
        ASSERT_GE(SelectDevice(ws, GetIcName(row)), 0);
        const DeviceTableRow& r = *DeviceRow(row);
        Frame program = Build(ws, areaProgram, hcProgram);
        EXPECT_EQ(program[3], r.RomLastLo);
        EXPECT_EQ(program[4], r.RomLastHi);
        EXPECT_EQ(program[6], r.HeaderByte6);
        EXPECT_EQ(program[8], r.HeaderByte8);
        EXPECT_EQ(HeaderDataLength(ws), int(ws.RomBytes));
        Frame eeprom = Build(ws, areaEeprom, hcOverWrite);
        EXPECT_EQ(eeprom[3] + eeprom[4] * 256 + 1, int(ws.EepromSize));
        EXPECT_EQ(eeprom[7], 5);   // DeviceFlags 0x06, panel hidden
        EXPECT_EQ(Build(ws, areaOption, hcProgram)[3], 0);
    }
}
