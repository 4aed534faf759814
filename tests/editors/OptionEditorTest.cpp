// The OPTION editor's rules on a catalogue device: the items it shows, the
// choice a value names, a choice changing only its item's bits, and the
// words written back.
#include "workspace/DeviceCatalogue.h"
#include "workspace/OptionModel.h"
#include "editors/OptionEditor.h"

#include <gtest/gtest.h>

TEST(OptionEditor, SevenBitWordsRoundTripUnchangedAndOtherWordsStay)
{
    Workspace ws;
    SelectDevice(ws, "72Q575");
    const std::array<uint8_t, 5> words{0x7F, 0x1F, 0x7F, 0x7F, 0x12};   // option word 2 after the two
    std::copy(words.begin(), words.end(), ws.OptionWords.begin());
    const uint32_t value = ComposeOptionValue(ws);
    EXPECT_EQ(value, 0x3FFF0FFFu);
    ws.OptionWords.fill(0);
    ws.OptionWords[4] = 0x12;
    StoreOptionValue(ws, value);
    EXPECT_TRUE(std::equal(words.begin(), words.end(), ws.OptionWords.begin()));
    EXPECT_TRUE(ws.OptionChanged);
}

TEST(OptionEditor, ItemsChoicesAndSelectionFollowTheValue)
{
    Workspace ws;
    SelectDevice(ws, "72Q575");
    // OSC bits 0x3 name no choice; PUT 0x20 is "0mS"; security bit clear is "Enable".
    const uint32_t value = 0x0F00 | 0x00C0 | 0x0020 | 0x0003;
    const OptionEditorItems items = LoadOptionEditorItems(ws, value);
    const struct {
        bool Present;
        const char* Title;
        int Selected;
    } rows[] = {{true, "OSC Type:", -1}, {false, "", -1}, {true, "PUT:", 1}, {true, "WDT:", 0},
                {true, "PED:", 0},        {true, "Security:", 1}, {false, "", -1}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(items[i].Present, rows[i].Present) << i;
        EXPECT_EQ(items[i].Title, rows[i].Title) << i;
        EXPECT_EQ(items[i].Selected, rows[i].Selected) << i;
    }
    const OptionEditorItem& osc = items[0];
    ASSERT_EQ(osc.Choices.size(), 5u);
    // A choice changes only its item's bits; no choice leaves the value.
    EXPECT_EQ(ChooseOption(value | 0x30000, osc, 1), (value & ~0xFu) | 0x6u | 0x30000u);
    EXPECT_EQ(ChooseOption(value, osc, -1), value);
    EXPECT_EQ(ChooseOption(value, osc, 5), value);
}
