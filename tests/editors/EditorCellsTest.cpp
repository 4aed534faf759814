#include "workspace/Checksum.h"
#include "workspace/DeviceCatalogue.h"
#include "editors/EditorCells.h"

#include <gtest/gtest.h>

namespace {

// A workspace holding a catalogue device with its word model.
struct Device : Workspace {
    explicit Device(const char* part) { SelectDevice(*this, part); }
};

}  // namespace

TEST(EditorCells, GridSizesLabelsAndCellTextsFollowTheDevice)
{
    Device small("31Q520");     // 1K words, 128 EEPROM bytes
    Workspace claimed;                    // 1K EEPROM bytes claimed, 598 held
    claimed.EepromLastHi = 0x03;
    claimed.EepromLastLo = 0xFF;
    EXPECT_EQ(MemoryGridRows(small), 128);
    EXPECT_EQ(MemoryGridRows(Device("72Q580")), 512);
    EXPECT_EQ(MemoryRowLabel(127), "0x03F8");
    EXPECT_EQ(EepromGridRows(small), 8);
    EXPECT_EQ(EepromGridRows(claimed), 37);
    EXPECT_EQ(EepromRowLabel(16), "0x100");
    EXPECT_EQ(StoreEepromByte(claimed, 600, "", 1), CellStore::OutOfRange);

    // Blank 7-bit halves show as 3FFF; the low half is masked, the high one is not.
    small.ProgramMemory[0] = small.ProgramMemory[1] = 0x7F;
    small.ProgramMemory[2] = 0xB4;
    small.ProgramMemory[3] = 0x24;
    EXPECT_EQ(MemoryCellText(small, 0), "3FFF");
    EXPECT_EQ(MemoryCellText(small, 1), "1234");
    EXPECT_EQ(EepromCellText(small, 128), "") << "beyond the device's EEPROM";
}

TEST(EditorCells, WordEditorPadsUpperCasesAndRefusesValuesAboveTheFamilysLargest)
{
    const struct {
        const char* Text;
        uint32_t Limit;
        WordEntryStatus Status;
        const char* Shown;
    } cases[] = {
        {"", WordEditorLimit(2), WordEntryStatus::Accepted, "0000"},
        {"abc", WordEditorLimit(2), WordEntryStatus::Accepted, "0ABC"},
        {"3fff", WordEditorLimit(2), WordEntryStatus::Accepted, "3FFF"},
        {"4000", WordEditorLimit(2), WordEntryStatus::TooLarge, "4000"},
        {"7FFF", WordEditorLimit(5), WordEntryStatus::Accepted, "7FFF"},
        {"8000", WordEditorLimit(5), WordEntryStatus::TooLarge, "8000"},
        {"FFFF", WordEditorLimit(6), WordEntryStatus::Accepted, "FFFF"},
        {"1FF", kEepromByteLimit, WordEntryStatus::TooLarge, "01FF"},
        {"1G", WordEditorLimit(2), WordEntryStatus::NotHex, "001G"},
    };
    for (const auto& c : cases) {
        const WordEntry e = CheckWordEntry(c.Text, c.Limit);
        EXPECT_EQ(e.Status, c.Status) << c.Text;
        EXPECT_EQ(e.Text, c.Shown) << c.Text;
        if (c.Status == WordEntryStatus::Accepted) {
            EXPECT_EQ(WordToHex(e.Value), c.Shown) << c.Text;
        }
    }
}

TEST(EditorCells, AnEditReachesOnlyACellThatStillShowsWhatTheBufferHolds)
{
    Device ws("31Q520");
    ws.ProgramMemory[6] = ws.ProgramMemory[7] = 0x7F;
    ws.EepromBuffer[9] = 0xFF;
    // Stale: the word changed after the editor was opened on another text.
    EXPECT_EQ(StoreProgramWord(ws, 3, "0000", 0x1234), CellStore::Stale);
    EXPECT_EQ(StoreEepromByte(ws, 9, "00", 0x12), CellStore::Stale);
    EXPECT_EQ(MemoryCellText(ws, 3) + EepromCellText(ws, 9), "3FFFFF");
    EXPECT_EQ(StoreProgramWord(ws, 3, "3FFF", 0x1234), CellStore::Stored);
    EXPECT_EQ(StoreEepromByte(ws, 9, "FF", 0x12), CellStore::Stored);
    EXPECT_EQ(ws.ProgramMemory[6], 0x34);
    EXPECT_EQ(ws.ProgramMemory[7], 0x24);
    EXPECT_EQ(ws.EepromBuffer[9], 0x12);
    EXPECT_EQ(StoreProgramWord(ws, 0x400, MemoryCellText(ws, 0x400), 1), CellStore::OutOfRange);
    EXPECT_EQ(StoreEepromByte(ws, 128, "FF", 0x12), CellStore::OutOfRange) << "a 128-byte EEPROM";
}

TEST(EditorCells, IdTextModeTakesEveryCharacterAndAnUnchangedTextKeepsTheId)
{
    Device ws("31Q520");
    ws.BlankMaskHigh = 0x3F;   // a high mask narrower than the characters shows the masking
    EXPECT_EQ(ParseIdText(ws, "ABC"),
              (IdBytes{0x41, 0x42 & 0x3F, 0x43, 0x3F, 0x7F, 0x3F, 0x7F, 0x3F, 0x7F, 0x3F, 0x7F, 0x3F}));
    EXPECT_EQ(ParseIdText(ws, "\x01\xC3")->at(0), 0x01);
    EXPECT_FALSE(ParseIdText(ws, "ABCDEFGHIJKLM"));

    // The editor starts with the bytes up to the first zero, less the blank
    // places OK writes back; OK on that text leaves every byte as it was.
    const struct {
        IdBytes Id;
        std::string Text;
    } cases[] = {
        {{'O', 'K', 0, 'X', 1, 2, 3, 4, 5, 6, 7, 8}, "OK"},
        {{'K', 'R', 'V', '-', 'I', 'D', 1, 2, 3, 4, 5, 6}, "KRV-ID\x01\x02\x03\x04\x05\x06"},
        {{'A', 0x3F, 0x7F, 0x3F, 0x7F, 0x3F, 0x7F, 0x3F, 0x7F, 0x3F, 0x7F, 0x3F}, "A"},
    };
    for (const auto& c : cases) {
        std::copy(c.Id.begin(), c.Id.end(), ws.IdWords.begin());
        EXPECT_EQ(IdEditorText(ws), c.Text);
        EXPECT_EQ(ParseIdText(ws, c.Text), c.Id) << c.Text;
    }
}

TEST(EditorCells, IdHexModeReadsTheDisplayedMaskAndCountsEmptyPlacesAsF)
{
    const Device ws("31Q520");
    const struct {
        std::string Display;
        IdBytes Id;
    } cases[] = {
        {"4_ __ __ __ __ __ __ __ __ __ __ __", {0x4F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F}},
        {"41 42 C3 FF 00 01 02 03 04 05 06 07", {0x41, 0x42, 0x43, 0x7F, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07}},
        {"12 34", {0x12, 0x34, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIdHex(ws, c.Display), c.Id) << c.Display;
}

TEST(EditorCells, PassCountTakesOneToNineDigits)
{
    const std::pair<const char*, std::optional<uint32_t>> cases[] = {
        {"", std::nullopt},        {"0", 0u},  {"007", 7u},  {"999999999", 999999999u},
        {"1234567890", std::nullopt}, {"12a", std::nullopt}, {"-1", std::nullopt},
    };
    for (const auto& [text, count] : cases) EXPECT_EQ(ParsePassCount(text), count) << text;

    Workspace ws;
    EXPECT_TRUE(!SetPassCount(ws, "") && SetPassCount(ws, "41") && ws.Status.PassCount == 41u);
}
