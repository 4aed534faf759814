#include "workspace/BufferCommands.h"
#include "workspace/Checksum.h"
#include "workspace/DeviceCatalogue.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr uint32_t kBlankWordSum = 0x7F + 0x3F + 0x80;     // bytes 0xFF and 0x3F of 0x3FFF
constexpr uint32_t kForcedOptionSum = 0x7F + 0x2F + 0x80;  // 0x2FFF as bytes 0xFF and 0x2F

}  // namespace

TEST(Checksum, SumsTheDevicesWordsEepromAndOptions)
{
    using Change = std::function<void(Workspace&)>;
    struct Case {
        const char* Name;
        const char* Device;
        Change Setup;
        uint32_t Memory, Protect, Total;
    } const cases[] = {
        {"blank 1K", "31Q520", nullptr, 0xF800, 0xF800, 0xF800 + 128 * 0xFF + kForcedOptionSum},
        // Bytes beyond the device do not count.
        {"blank 4K", "72Q575", [](Workspace& ws) { ws.ProgramMemory[8192] = 0, ws.EepromBuffer[256] = 0; },
         4096 * kBlankWordSum, 4096 * kBlankWordSum, 4096 * kBlankWordSum + 256 * 0xFF + kForcedOptionSum},
        {"last EEPROM byte", "31Q520", [](Workspace& ws) { ws.EepromBuffer[127] = 0; }, 0xF800, 0xF800,
         0xF800 + 127 * 0xFF + kForcedOptionSum},
        // 0x1234 is the bytes 0x34 and 0x12; protected it reads 0x3F, 0x1F and bit 7.
        {"filled words", "31Q520",
         [](Workspace& ws) { ws.FillStart = 0, ws.FillEnd = 3, ws.FillValue = 0x1234, FillProgramMemory(ws, true); },
         1020 * kBlankWordSum + 4 * (0x34 + 0x12), 1020 * kBlankWordSum + 4 * (0x3F + 0x1F + 0x80),
         1020 * kBlankWordSum + 4 * (0x34 + 0x12) + 128 * 0xFF + kForcedOptionSum},
        {"zero word", "31Q520", [](Workspace& ws) { ws.ProgramMemory[0] = ws.ProgramMemory[1] = 0; },
         0xF800 - kBlankWordSum, 0xF800 - kBlankWordSum + 0xAE, 0xF800 - kBlankWordSum + 128 * 0xFF + kForcedOptionSum},
        // Sizes beyond the buffers are cut to them; an odd size takes whole words.
        {"oversized", "31Q520", [](Workspace& ws) { ws.RomBytes = 0xFFFFFFFFu, ws.EepromSize = 100000; },
         16384 * kBlankWordSum, 16384 * kBlankWordSum, 16384 * kBlankWordSum + 598 * 0xFF + kForcedOptionSum},
        {"odd size", "31Q520", [](Workspace& ws) { ws.RomBytes = 32767; }, 16384 * kBlankWordSum,
         16384 * kBlankWordSum, 16384 * kBlankWordSum + 128 * 0xFF + kForcedOptionSum},
        {"8-bit words", "31Q520", [](Workspace& ws) {
             ws.SevenBitMode = false, ws.BlankMaskLow = ws.BlankMaskHigh = 0xFF, ws.RomBytes = 4, ws.DeviceFlags = 0;
             ws.ProgramMemory[0] = ws.ProgramMemory[1] = 0x00, ws.ProgramMemory[2] = 0x12, ws.ProgramMemory[3] = 0x34;
             ws.OptionWords = {0x01, 0x80, 0x02, 0x40, 0, 0, 0, 0}, ws.OptionBlankMask1 = 0x3FFF;
         }, 0x46, (0x1F + 0x1F) + (0x1F + 0x3F), 0x46 + 0x81 + 0x42},
    };
    for (const auto& c : cases) {
        Workspace ws;
        SetCreationDefaults(ws);
        ResetData(ws, c.Device);
        if (c.Setup) c.Setup(ws);
        const Checksums sums = ComputeChecksums(ws);
        EXPECT_EQ(sums.Memory, c.Memory & 0xFFFF) << c.Name;
        EXPECT_EQ(sums.Protect, c.Protect & 0xFFFF) << c.Name;
        EXPECT_EQ(sums.Total, c.Total & 0xFFFF) << c.Name;
        CalChecksum(ws);
        EXPECT_EQ(ws.Status.ProgramChecksum, WordToHex(c.Memory)) << c.Name;
        EXPECT_EQ(ws.Status.TotalChecksum, WordToHex(c.Total)) << c.Name;
        EXPECT_EQ(ws.Status.TotalChecksumCaption, sums.WithEeprom ? "w/OPTIONs+EE:" : "w/OPTIONs:") << c.Name;
    }
}

TEST(HexToInt, ParsesUpToTheFirstBadCharacter)
{
    struct Case {
        const char* Text;
        uint32_t Result, Value;
        bool Valid;
    } const cases[] = {
        {"1a2B", 0x1A2B, 0x1A2B, true}, {"FFFFFFFF", 0xFFFFFFFF, 0xFFFFFFFF, true}, {"00ff", 0xFF, 0xFF, true},
        {"", 0, 0, true},                {"12G4", 0, 0x12, false},                    {" 1", 0, 0, false},
        {"1F ", 0, 0x1F, false},         {"123456789", 0x23456789, 0x23456789, true},   // high digits fall off
    };
    for (const auto& c : cases) {
        Workspace ws;
        ws.HexValue = 7;
        EXPECT_EQ(HexToInt(ws, c.Text), c.Result) << c.Text;
        EXPECT_EQ(ws.HexValue, c.Value) << c.Text;
        EXPECT_EQ(ws.HexDigitsValid, c.Valid) << c.Text;
    }
    EXPECT_EQ(ByteToHex(0x0A) + WordToHex(0x12345), "0A2345");
}
