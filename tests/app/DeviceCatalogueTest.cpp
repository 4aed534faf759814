#include "app/DeviceCatalogue.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The device members GetICInfo writes, for comparing before and after.
auto DeviceMembers(const Workspace& ws)
{
    return std::make_tuple(ws.DeviceName, ws.ProgramLastHi, ws.ProgramLastLo, ws.EepromLastHi, ws.EepromLastLo,
                           ws.EepromSize, ws.OptionSetIndex, ws.DeviceFamily, ws.HeaderDeviceBytes, ws.WriterType,
                           ws.OptionBlankMask1, ws.OptionBlankMask0, ws.OptionByteCount, ws.RomBytes,
                           ws.DeviceFlags, ws.HeaderRule, ws.NeedsAdaptor, ws.DeviceRecordByte, ws.OptionSetNo,
                           ws.BlankMaskHigh, ws.BlankMaskLow, ws.ProtectFill, ws.SevenBitMode, ws.WordShift);
}

}  // namespace

TEST(DeviceCatalogue, ANameThatDiffersInCaseIsNotFoundAndChangesNothingElse)
{
    Workspace ws;
    SelectDevice(ws, "72Q575");
    const auto before = DeviceMembers(ws);
    EXPECT_EQ(SelectDevice(ws, "72q575"), -1);
    EXPECT_EQ(ws.DeviceIndex, -1);
    EXPECT_EQ(DeviceMembers(ws), before);
    EXPECT_EQ(GetICInfo(ws, ""), -1);
    EXPECT_EQ(GetICInfo(ws, "72Q575 "), -1);
    EXPECT_EQ(GetICInfo(ws, "72Q57"), -1);
    EXPECT_EQ(DeviceMembers(ws), before);
}

TEST(WordModel, EveryFourteenBitValueSurvivesPackingAndUnpacking)
{
    const WordModel m = WordModelForFamily(2);
    for (uint32_t v = 0; v <= 0x3FFF; ++v) {
        const ProgramWord w = PackWord(m, v);
        ASSERT_LE(w.Low, 0x7F);
        ASSERT_LE(w.High, 0x7F);
        ASSERT_EQ(WordValue(m, w), v);
    }
    // Bits above the word fall away when packing.
    EXPECT_EQ(WordValue(m, PackWord(m, 0xFFFF)), 0x3FFFu);
}

TEST(WordModel, FamiliesFiveAndSixUseEightBitLowBytes)
{
    const WordModel f5 = WordModelForFamily(5);
    EXPECT_EQ(BlankWord(f5), 0x7FFFu);
    EXPECT_FALSE(f5.SevenBitMode);
    EXPECT_EQ(PackWord(f5, 0x1234).Low, 0x34);
    EXPECT_EQ(PackWord(f5, 0x1234).High, 0x12);
    EXPECT_EQ(PackWord(f5, 0xFFFF).High, 0x7F);
    const WordModel f6 = WordModelForFamily(6);
    EXPECT_EQ(BlankWord(f6), 0xFFFFu);
    EXPECT_EQ(WordValue(f6, ProgramWord{0xCD, 0xAB}), 0xABCDu);
    EXPECT_EQ(BlankWord(WordModelForFamily(0)), 0x3FFFu);
}

TEST(WordModel, WordAccessOutsideProgramMemoryIsRefused)
{
    Workspace ws;
    EXPECT_TRUE(WriteProgramWord(ws, 16383, ProgramWord{0x12, 0x34}));
    EXPECT_EQ(ws.ProgramMemory[32766], 0x12);
    EXPECT_EQ(ws.ProgramMemory[32767], 0x34);
    EXPECT_FALSE(WriteProgramWord(ws, 16384, ProgramWord{1, 1}));
    EXPECT_FALSE(WriteProgramWord(ws, 0xFFFFFFFFu, ProgramWord{1, 1}));
    EXPECT_EQ(ReadProgramWord(ws, 16383).High, 0x34);
    EXPECT_EQ(ReadProgramWord(ws, 16384).Low, 0);
    EXPECT_EQ(ReadProgramWord(ws, 16384).High, 0);
}
