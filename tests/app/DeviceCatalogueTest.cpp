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

TEST(DeviceCatalogue, HoldsElevenDevicesInOrderThenTheTerminator)
{
    const char* expected[] = {"31Q520", "31Q566", "72Q520", "72Q566", "72Q574", "72Q5201",
                              "72Q5661", "72Q5741", "72Q567", "72Q575", "72Q580"};
    ASSERT_EQ(DeviceCount(), 11);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(GetIcName(i), expected[i]);
        EXPECT_EQ(GetDownload(i), 1);
        EXPECT_EQ(DeviceTable[i].NeedsAdaptor, 0) << "no catalogue device asks for the adaptor";
    }
    EXPECT_EQ(DeviceTable[11].PartNumber, nullptr);
}

TEST(DeviceCatalogue, EveryRowCarriesItsAddressesAndTheSharedFields)
{
    const struct {
        uint8_t RomLastHi;
        uint8_t EepromLastLo;
    } rows[] = {{0x03, 0x7F}, {0x03, 0x7F}, {0x03, 0x7F}, {0x03, 0x7F}, {0x07, 0xFF}, {0x07, 0xFF},
                {0x07, 0xFF}, {0x07, 0xFF}, {0x07, 0xFF}, {0x0F, 0xFF}, {0x0F, 0xFF}};
    ASSERT_EQ(std::size(rows), std::size_t(DeviceCount()));
    for (int i = 0; i < DeviceCount(); ++i) {
        const DeviceTableRow& r = DeviceTable[i];
        SCOPED_TRACE(r.PartNumber);
        EXPECT_EQ(r.RomLastHi, rows[i].RomLastHi);
        EXPECT_EQ(r.RomLastLo, 0xFF);
        EXPECT_EQ(r.EepromLastHi, 0);
        EXPECT_EQ(r.EepromLastLo, rows[i].EepromLastLo);
        EXPECT_EQ(r.OptionSetIndex, 47u);
        EXPECT_EQ(r.Family, 2u);
        EXPECT_EQ(r.HeaderByte6, 0x39);
        EXPECT_EQ(r.HeaderByte8, 0xE0);
        EXPECT_EQ(r.WriterType, 2u);
        EXPECT_EQ(r.OptionMask, 0x00002FFFu);
        EXPECT_EQ(r.OptionFixed, 0u);
        EXPECT_EQ(r.Flags, 0x06);
        EXPECT_EQ(r.HeaderRule, 0);
        EXPECT_EQ(r.NeedsAdaptor, 0);
        EXPECT_EQ(r.RecordByte, 0x3F);
        EXPECT_EQ(r.Download, 1);
    }
}

TEST(DeviceCatalogue, RowsOutsideTheTableGiveNoNameAndNoDownload)
{
    EXPECT_EQ(GetIcName(11), "");
    EXPECT_EQ(GetIcName(-1), "");
    EXPECT_EQ(GetIcName(1000), "");
    EXPECT_EQ(GetDownload(11), 0);
    EXPECT_EQ(GetDownload(-5), 0);
    EXPECT_EQ(DeviceRow(11), nullptr);
}

TEST(DeviceCatalogue, SelectingThe72Q575LoadsItsRow)
{
    Workspace ws;
    EXPECT_EQ(SelectDevice(ws, "72Q575"), 9);
    EXPECT_EQ(ws.DeviceIndex, 9);
    EXPECT_EQ(ws.DeviceName, "72Q575");
    EXPECT_EQ(ws.ProgramLastHi, 0x0F);
    EXPECT_EQ(ws.ProgramLastLo, 0xFF);
    EXPECT_EQ(ws.RomBytes, 8192u);
    EXPECT_EQ(ws.EepromLastHi, 0);
    EXPECT_EQ(ws.EepromLastLo, 0xFF);
    EXPECT_EQ(ws.EepromSize, 256u);
    EXPECT_EQ(ws.OptionByteCount, 2u);
    EXPECT_EQ(ws.OptionBlankMask0, 0x2FFFu);
    EXPECT_EQ(ws.OptionBlankMask1, 0u);
    EXPECT_EQ(ws.OptionSetIndex, 47u);
    EXPECT_EQ(ws.DeviceFamily, 2u);
    EXPECT_EQ(ws.HeaderDeviceBytes[0], 0x39);
    EXPECT_EQ(ws.HeaderDeviceBytes[1], 0xE0);
    EXPECT_EQ(ws.WriterType, 2u);
    EXPECT_EQ(ws.DeviceFlags, 0x06);
    EXPECT_EQ(ws.HeaderRule, 0);
    EXPECT_EQ(ws.DeviceRecordByte, 0x3F);
    const std::array<uint8_t, 13> groups{20, 0, 17, 10, 14, 2, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(ws.OptionSetNo, groups);
    EXPECT_EQ(ws.BlankMaskHigh, 0x7F);
    EXPECT_EQ(ws.BlankMaskLow, 0x7F);
    EXPECT_EQ(ws.WordShift, 7);
    EXPECT_TRUE(ws.SevenBitMode);
    EXPECT_EQ(ws.ProtectFill, 0x1F);
}

TEST(DeviceCatalogue, SizesFollowTheLastAddressesOfEachRow)
{
    Workspace ws;
    for (int i = 0; i < DeviceCount(); ++i) {
        ASSERT_EQ(GetICInfo(ws, GetIcName(i)), i);
        const uint32_t rom = i < 4 ? 2048 : i < 9 ? 4096 : 8192;
        const uint32_t eeprom = i < 4 ? 128 : 256;
        EXPECT_EQ(ws.RomBytes, rom) << GetIcName(i);
        EXPECT_EQ(ws.EepromSize, eeprom) << GetIcName(i);
        EXPECT_EQ(BlankWord(ws), 0x3FFFu) << GetIcName(i);
        EXPECT_LE(ws.RomBytes, ws.ProgramMemory.size());
        EXPECT_LE(ws.EepromSize, ws.EepromBuffer.size());
    }
}

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

TEST(DeviceCatalogue, SelectingASmallerEepromNeverResizesTheBuffer)
{
    Workspace ws;
    SelectDevice(ws, "72Q580");
    SelectDevice(ws, "31Q520");
    EXPECT_EQ(ws.EepromSize, 128u);
    EXPECT_EQ(ws.EepromBuffer.size(), 598u);
}

TEST(WordModel, CatalogueWordsAreTwoSevenBitHalves)
{
    Workspace ws;
    SelectDevice(ws, "31Q520");
    EXPECT_EQ(BlankWord(ws), 0x3FFFu);
    EXPECT_EQ(WordValue(ws, ProgramWord{0x7F, 0x7F}), 0x3FFFu);
    const ProgramWord w = PackWord(ws, 0x1234);
    EXPECT_EQ(w.Low, 0x34);
    EXPECT_EQ(w.High, 0x24);
    EXPECT_EQ(WordValue(ws, w), 0x1234u);
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
