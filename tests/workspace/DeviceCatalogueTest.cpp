#include "workspace/DeviceCatalogue.h"

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
    EXPECT_EQ(GetICInfo(ws, ""), -1);
    EXPECT_EQ(GetICInfo(ws, "72Q575 "), -1);
    EXPECT_EQ(GetICInfo(ws, "72Q57"), -1);
    EXPECT_EQ(DeviceMembers(ws), before);
}

TEST(WordModel, EveryFamilyPacksItsWordsIntoItsHalvesWithinProgramMemory)
{
    const WordModel m = WordModelForFamily(2);
    for (uint32_t v = 0; v <= 0x3FFF; ++v) {
        const ProgramWord w = PackWord(m, v);
        ASSERT_TRUE(w.Low <= 0x7F && w.High <= 0x7F && WordValue(m, w) == v) << v;
    }
    const struct {
        uint32_t Family, Value, Blank;
        uint8_t Low, High;   // of the packed value; bits above the word fall away
    } cases[] = {
        {2, 0xFFFF, 0x3FFF, 0x7F, 0x7F}, {0, 0x1234, 0x3FFF, 0x34, 0x24},
        {5, 0x1234, 0x7FFF, 0x34, 0x12}, {5, 0xFFFF, 0x7FFF, 0xFF, 0x7F}, {6, 0xABCD, 0xFFFF, 0xCD, 0xAB},
    };
    for (const auto& c : cases) {
        const WordModel m = WordModelForFamily(c.Family);
        EXPECT_EQ(BlankWord(m), c.Blank) << c.Family;
        EXPECT_EQ(PackWord(m, c.Value).Low, c.Low) << c.Family;
        EXPECT_EQ(PackWord(m, c.Value).High, c.High) << c.Family;
        EXPECT_EQ(WordValue(m, PackWord(m, c.Value)), c.Value & c.Blank) << c.Family;
    }
    Workspace ws;
    EXPECT_TRUE(WriteProgramWord(ws, 16383, ProgramWord{0x12, 0x34}));
    EXPECT_EQ(ReadProgramWord(ws, 16383).High, 0x34);
    EXPECT_EQ(ws.ProgramMemory[32767], 0x34);
    EXPECT_FALSE(WriteProgramWord(ws, 16384, ProgramWord{1, 1}));
    EXPECT_FALSE(WriteProgramWord(ws, 0xFFFFFFFFu, ProgramWord{1, 1}));
    EXPECT_EQ(ReadProgramWord(ws, 16384).Low + ReadProgramWord(ws, 16384).High, 0);
}
