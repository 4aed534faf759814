#include "app/BufferCommands.h"
#include "app/Checksum.h"
#include "app/DeviceCatalogue.h"
#include "app/OptionModel.h"

#include <gtest/gtest.h>

namespace {

// A created workspace for the device, option words forced by UpdateOption.
void MakeBlankDevice(Workspace& ws, const char* part)
{
    SetCreationDefaults(ws);
    ResetData(ws, part);
}

constexpr uint32_t kBlankWordSum = 0x7F + 0x3F + 0x80;     // bytes 0xFF and 0x3F of 0x3FFF
constexpr uint32_t kForcedOptionSum = 0x7F + 0x2F + 0x80;  // 0x2FFF as bytes 0xFF and 0x2F

}  // namespace

TEST(Checksum, BlankSevenBitMemorySumsEachWordAsItsTwoValueBytes)
{
    Workspace ws;
    MakeBlankDevice(ws, "31Q520");
    const Checksums sums = ComputeChecksums(ws);
    EXPECT_EQ(sums.Memory, 0xF800);
    EXPECT_EQ(sums.Protect, 0xF800);
    EXPECT_TRUE(sums.WithEeprom);
    // Memory + all 128 EEPROM bytes + option word 0.
    EXPECT_EQ(sums.Total, (0xF800 + 128 * 0xFF + kForcedOptionSum) & 0xFFFF);
    EXPECT_EQ(ws.Status.ProgramChecksum, "F800");
    EXPECT_EQ(ws.Status.ProtectChecksum, "F800");
    EXPECT_EQ(ws.Status.TotalChecksum, "78AE");
    EXPECT_EQ(ws.Status.TotalChecksumCaption, "w/OPTIONs+EE:");
}

TEST(Checksum, LargerDeviceSumsOnlyItsOwnWordsAndEepromBytes)
{
    Workspace ws;
    MakeBlankDevice(ws, "72Q575");
    const Checksums sums = ComputeChecksums(ws);
    EXPECT_EQ(sums.Memory, (4096 * kBlankWordSum) & 0xFFFF);
    EXPECT_EQ(sums.Total, ((4096 * kBlankWordSum & 0xFFFF) + 256 * 0xFF + kForcedOptionSum) & 0xFFFF);
    EXPECT_EQ(ws.Status.TotalChecksum, "E02E");
    // Bytes beyond the device do not count.
    ws.ProgramMemory[8192] = 0;
    ws.EepromBuffer[256] = 0;
    const Checksums after = ComputeChecksums(ws);
    EXPECT_EQ(after.Memory, sums.Memory);
    EXPECT_EQ(after.Total, sums.Total);
}

TEST(Checksum, TheLastEepromByteOfTheDeviceCounts)
{
    Workspace ws;
    MakeBlankDevice(ws, "31Q520");
    const uint16_t before = ComputeChecksums(ws).Total;
    ws.EepromBuffer[127] = 0x00;
    EXPECT_EQ(ComputeChecksums(ws).Total, static_cast<uint16_t>(before - 0xFF));
}

TEST(Checksum, FilledWordsSumTheirValueBytes)
{
    Workspace ws;
    MakeBlankDevice(ws, "31Q520");
    ws.FillStart = 0;
    ws.FillEnd = 3;
    ws.FillValue = 0x1234;
    FillProgramMemory(ws, true);
    // 0x1234 is the bytes 0x34 and 0x12; protected it reads 0x3F, 0x1F and bit 7.
    const uint32_t memory = (1020 * kBlankWordSum + 4 * (0x34 + 0x12)) & 0xFFFF;
    const uint32_t protect = (1020 * kBlankWordSum + 4 * (0x3F + 0x1F + 0x80)) & 0xFFFF;
    EXPECT_EQ(ws.Status.ProgramChecksum, WordToHex(memory));
    EXPECT_EQ(ws.Status.ProtectChecksum, WordToHex(protect));
}

TEST(Checksum, ZeroWordAddsNothingToMemoryButTheProtectFillToProtect)
{
    Workspace ws;
    MakeBlankDevice(ws, "31Q520");
    const Checksums blank = ComputeChecksums(ws);
    ws.ProgramMemory[0] = 0;
    ws.ProgramMemory[1] = 0;
    const Checksums after = ComputeChecksums(ws);
    EXPECT_EQ(after.Memory, static_cast<uint16_t>(blank.Memory - kBlankWordSum));
    EXPECT_EQ(after.Protect, static_cast<uint16_t>(blank.Protect - kBlankWordSum + 0xAE));
}

TEST(Checksum, EightBitWordsSumTheirBytesAsTheyAre)
{
    Workspace ws;
    ws.SevenBitMode = false;
    ws.BlankMaskLow = 0xFF;
    ws.BlankMaskHigh = 0xFF;
    ws.ProtectFill = 0x1F;
    ws.RomBytes = 4;
    ws.ProgramMemory[2] = 0x12;
    ws.ProgramMemory[3] = 0x34;
    ws.OptionWords = {0x01, 0x80, 0x02, 0x40, 0, 0, 0, 0};
    ws.OptionBlankMask1 = 0x3FFF;
    const Checksums sums = ComputeChecksums(ws);
    EXPECT_EQ(sums.Memory, 0x46);
    EXPECT_EQ(sums.Protect, (0x1F + 0x1F) + (0x1F + 0x3F));
    EXPECT_FALSE(sums.WithEeprom);
    EXPECT_EQ(sums.Total, 0x46 + 0x81 + 0x42);
    CalChecksum(ws);
    EXPECT_EQ(ws.Status.TotalChecksumCaption, "w/OPTIONs:");
}

TEST(Checksum, SizesBeyondTheBuffersAreCutToTheBuffers)
{
    Workspace ws;
    MakeBlankDevice(ws, "31Q520");
    ws.RomBytes = 0xFFFFFFFFu;
    ws.EepromSize = 100000;
    const Checksums sums = ComputeChecksums(ws);
    EXPECT_EQ(sums.Memory, (16384 * kBlankWordSum) & 0xFFFF);
    EXPECT_EQ(sums.Total, ((16384 * kBlankWordSum & 0xFFFF) + 598 * 0xFF + kForcedOptionSum) & 0xFFFF);
    // An odd size still takes whole words and reads nothing past the buffer.
    ws.RomBytes = 32767;
    EXPECT_EQ(ComputeChecksums(ws).Memory, (16384 * kBlankWordSum) & 0xFFFF);
}

TEST(HexToInt, ParsesEitherCase)
{
    Workspace ws;
    EXPECT_EQ(HexToInt(ws, "1a2B"), 0x1A2Bu);
    EXPECT_TRUE(ws.HexDigitsValid);
    EXPECT_EQ(ws.HexValue, 0x1A2Bu);
    EXPECT_EQ(HexToInt(ws, "FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(HexToInt(ws, "00ff"), 0xFFu);
}

TEST(HexToInt, EmptyTextIsAValidZero)
{
    Workspace ws;
    ws.HexValue = 7;
    ws.HexDigitsValid = false;
    EXPECT_EQ(HexToInt(ws, ""), 0u);
    EXPECT_TRUE(ws.HexDigitsValid);
    EXPECT_EQ(ws.HexValue, 0u);
}

TEST(HexToInt, ABadCharacterGivesZeroAndKeepsTheDigitsBeforeIt)
{
    Workspace ws;
    EXPECT_EQ(HexToInt(ws, "12G4"), 0u);
    EXPECT_FALSE(ws.HexDigitsValid);
    EXPECT_EQ(ws.HexValue, 0x12u);
    EXPECT_EQ(HexToInt(ws, " 1"), 0u);
    EXPECT_FALSE(ws.HexDigitsValid);
    EXPECT_EQ(ws.HexValue, 0u);
    EXPECT_EQ(HexToInt(ws, "1F "), 0u);
    EXPECT_FALSE(ws.HexDigitsValid);
    EXPECT_EQ(ws.HexValue, 0x1Fu);
}

TEST(HexToInt, HighDigitsBeyondEightFallOff)
{
    Workspace ws;
    EXPECT_EQ(HexToInt(ws, "123456789"), 0x23456789u);
    EXPECT_TRUE(ws.HexDigitsValid);
}

TEST(HexFormat, UpperCaseFixedWidth)
{
    EXPECT_EQ(NibbleToHexChar(0), '0');
    EXPECT_EQ(NibbleToHexChar(9), '9');
    EXPECT_EQ(NibbleToHexChar(10), 'A');
    EXPECT_EQ(NibbleToHexChar(15), 'F');
    EXPECT_EQ(ByteToHex(0x0A), "0A");
    EXPECT_EQ(ByteToHex(0xFF), "FF");
    EXPECT_EQ(WordToHex(0x2FF), "02FF");
    EXPECT_EQ(WordToHex(0x12345), "2345");
}
