#include "app/DeviceCatalogue.h"
#include "editors/EditorCells.h"

#include <gtest/gtest.h>

namespace {

// A workspace holding a catalogue device with its word model.
struct Device {
    Workspace Ws;
    explicit Device(const char* part) { SelectDevice(Ws, part); }
};

}  // namespace

TEST(EditorCells, GridSizesLabelsAndCellTextsFollowTheDevice)
{
    Device small("31Q520");   // 1K words, 128 EEPROM bytes
    Device large("72Q580");   // 4K words, 256 EEPROM bytes
    EXPECT_EQ(MemoryGridRows(small.Ws), 128);
    EXPECT_EQ(MemoryGridRows(large.Ws), 512);
    EXPECT_EQ(MemoryRowLabel(127), "0x03F8");
    EXPECT_EQ(MemoryColumnHeader(7), "+7/F");
    EXPECT_EQ(EepromGridRows(small.Ws), 8);
    EXPECT_EQ(EepromGridRows(large.Ws), 16);
    EXPECT_EQ(EepromRowLabel(7), "0x70");
    EXPECT_EQ(EepromRowLabel(16), "0x100");
    EXPECT_EQ(EepromColumnHeader(10), "+A");

    // Blank 7-bit halves show as 3FFF; the low half is masked, the high one is not.
    small.Ws.ProgramMemory[0] = 0x7F;
    small.Ws.ProgramMemory[1] = 0x7F;
    small.Ws.ProgramMemory[2] = 0xB4;
    small.Ws.ProgramMemory[3] = 0x24;
    EXPECT_EQ(MemoryCellText(small.Ws, 0), "3FFF");
    EXPECT_EQ(MemoryCellText(small.Ws, 1), "1234");
    small.Ws.EepromBuffer[5] = 0xA;
    EXPECT_EQ(EepromCellText(small.Ws, 5), "0A");
    EXPECT_EQ(EepromCellText(small.Ws, 128), "") << "beyond the device's EEPROM";
}

TEST(EditorCells, EepromCellsStayInsideTheBufferWhateverTheDeviceSays)
{
    Workspace ws;
    ws.EepromLastHi = 0x03;   // 1K EEPROM bytes claimed, 598 held
    ws.EepromLastLo = 0xFF;
    EXPECT_EQ(EepromCellCount(ws), kEepromBufferSize);
    EXPECT_EQ(EepromGridRows(ws), 37);
    EXPECT_EQ(EepromCellText(ws, 600), "");
    EXPECT_EQ(StoreEepromByte(ws, 600, "", 1), CellStore::OutOfRange);
}

TEST(EditorCells, WordEditorPadsUpperCasesAndRefusesValuesAboveTheFamilysLargest)
{
    EXPECT_EQ(WordEditorLimit(2), 0x3FFFu);
    EXPECT_EQ(WordEditorLimit(5), 0x7FFFu);
    EXPECT_EQ(WordEditorLimit(6), 0xFFFFu);
    const struct {
        const char* Text;
        uint32_t Limit;
        WordEntryStatus Status;
        const char* Shown;
        uint32_t Value;
    } cases[] = {
        {"", 0x3FFF, WordEntryStatus::Accepted, "0000", 0},
        {"abc", 0x3FFF, WordEntryStatus::Accepted, "0ABC", 0xABC},
        {"3fff", 0x3FFF, WordEntryStatus::Accepted, "3FFF", 0x3FFF},
        {"4000", 0x3FFF, WordEntryStatus::TooLarge, "4000", 0},
        {"7FFF", 0x7FFF, WordEntryStatus::Accepted, "7FFF", 0x7FFF},
        {"8000", 0x7FFF, WordEntryStatus::TooLarge, "8000", 0},
        {"FFFF", 0xFFFF, WordEntryStatus::Accepted, "FFFF", 0xFFFF},
        {"12", kEepromByteLimit, WordEntryStatus::Accepted, "0012", 0x12},
        {"1FF", kEepromByteLimit, WordEntryStatus::TooLarge, "01FF", 0},
        {"1G", 0x3FFF, WordEntryStatus::NotHex, "001G", 0},
    };
    for (const auto& c : cases) {
        const WordEntry e = CheckWordEntry(c.Text, c.Limit);
        EXPECT_EQ(e.Status, c.Status) << c.Text;
        EXPECT_EQ(e.Text, c.Shown) << c.Text;
        if (c.Status == WordEntryStatus::Accepted) {
            EXPECT_EQ(e.Value, c.Value) << c.Text;
        }
    }
}

TEST(EditorCells, AnEditReachesOnlyACellThatStillShowsWhatTheBufferHolds)
{
    Device d("31Q520");
    Workspace& ws = d.Ws;
    ws.ProgramMemory[6] = 0x7F;
    ws.ProgramMemory[7] = 0x7F;
    // Stale: the word changed after the editor was opened on "3FFF".
    EXPECT_EQ(StoreProgramWord(ws, 3, "0000", 0x1234), CellStore::Stale);
    EXPECT_EQ(ws.ProgramMemory[6], 0x7F);
    EXPECT_EQ(StoreProgramWord(ws, 3, "3FFF", 0x1234), CellStore::Stored);
    EXPECT_EQ(ws.ProgramMemory[6], 0x34);
    EXPECT_EQ(ws.ProgramMemory[7], 0x24);
    EXPECT_EQ(StoreProgramWord(ws, 0x400, MemoryCellText(ws, 0x400), 1), CellStore::OutOfRange);

    ws.EepromBuffer[9] = 0xFF;
    EXPECT_EQ(StoreEepromByte(ws, 9, "00", 0x12), CellStore::Stale);
    EXPECT_EQ(StoreEepromByte(ws, 9, "FF", 0x12), CellStore::Stored);
    EXPECT_EQ(ws.EepromBuffer[9], 0x12);
    EXPECT_EQ(StoreEepromByte(ws, 128, "FF", 0x12), CellStore::OutOfRange) << "a 128-byte EEPROM";
}

TEST(EditorCells, IdTextModeTakesPrintableCharactersAndBlanksTheRest)
{
    Device d("31Q520");
    Workspace& ws = d.Ws;
    ws.BlankMaskHigh = 0x3F;   // a high mask narrower than the characters shows the masking
    const std::optional<IdBytes> abc = ParseIdText(ws, "ABC");
    ASSERT_TRUE(abc);
    EXPECT_EQ(*abc, (IdBytes{0x41, 0x42 & 0x3F, 0x43, 0x3F, 0x7F, 0x3F, 0x7F, 0x3F, 0x7F, 0x3F, 0x7F, 0x3F}));
    for (const char* refused : {"A\x01", "\x7F", "\x80", "A\xC3", "ABCDEFGHIJKLM"})
        EXPECT_FALSE(ParseIdText(ws, refused)) << refused;

    // The editor's text stops where the field could not take the byte back.
    ws.IdWords = {};
    ws.IdWords[0] = 'O';
    ws.IdWords[1] = 'K';
    ws.IdWords[2] = 0;
    ws.IdWords[3] = 'X';
    EXPECT_EQ(IdEditorText(ws), "OK");
    ws.IdWords[2] = 0x7F;
    EXPECT_EQ(IdEditorText(ws), "OK");
}

TEST(EditorCells, IdHexModeReadsTheDisplayedMaskAndCountsEmptyPlacesAsF)
{
    Device d("31Q520");
    Workspace& ws = d.Ws;
    const struct {
        std::string Display;
        IdBytes Id;
    } cases[] = {
        {"4_ __ __ __ __ __ __ __ __ __ __ __", {0x4F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F}},
        {"41 42 C3 FF 00 01 02 03 04 05 06 07", {0x41, 0x42, 0x43, 0x7F, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07}},
        {"12 34", {0x12, 0x34, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIdHex(ws, c.Display), c.Id) << c.Display;
    ws.IdWords.fill(0x7F);
    EXPECT_EQ(IdEditorHex(ws), "7F 7F 7F 7F 7F 7F 7F 7F 7F 7F 7F 7F");
}

TEST(EditorCells, PassCountTakesOneToNineDigits)
{
    const struct {
        const char* Text;
        std::optional<uint32_t> Count;
    } cases[] = {
        {"", std::nullopt},       {"0", 0u},         {"5", 5u}, {"007", 7u},
        {"999999999", 999999999u}, {"1234567890", std::nullopt}, {"12a", std::nullopt}, {"-1", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParsePassCount(c.Text), c.Count) << c.Text;

    Workspace ws;
    EXPECT_FALSE(SetPassCount(ws, ""));
    EXPECT_EQ(ws.Status.PassCountText, "0");
    EXPECT_TRUE(SetPassCount(ws, "41"));
    EXPECT_EQ(ws.Status.PassCountText, "41");
    EXPECT_EQ(ws.Status.PassCount, 41u);
}
