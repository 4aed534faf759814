// The OPTION editor's rules on a catalogue device: the items it shows, the
// choice a value names, a choice changing only its item's bits, and the
// words written back.
#include "app/DeviceCatalogue.h"
#include "app/OptionModel.h"
#include "editors/OptionEditor.h"

#include <gtest/gtest.h>

namespace {

void SetWords(Workspace& ws, uint8_t a, uint8_t b, uint8_t c, uint8_t d)
{
    ws.OptionWords[0] = a;
    ws.OptionWords[1] = b;
    ws.OptionWords[2] = c;
    ws.OptionWords[3] = d;
}

}  // namespace

TEST(OptionEditor, SevenBitWordsRoundTripUnchangedAndOtherWordsStay)
{
    Workspace ws;
    SelectDevice(ws, "72Q575");
    SetWords(ws, 0x7F, 0x1F, 0x7F, 0x7F);
    ws.OptionWords[4] = 0x12;
    const uint32_t value = ComposeOptionValue(ws);
    EXPECT_EQ(value, 0x3FFF0FFFu);
    StoreOptionValue(ws, value);
    EXPECT_EQ(ws.OptionWords[0], 0x7F);
    EXPECT_EQ(ws.OptionWords[1], 0x1F);
    EXPECT_EQ(ws.OptionWords[2], 0x7F);
    EXPECT_EQ(ws.OptionWords[3], 0x7F);
    EXPECT_EQ(ws.OptionWords[4], 0x12);
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
        int Item;
        bool Present;
        const char* Title;
        int Selected;
    } rows[] = {
        {1, true, "OSC Type:", -1}, {2, false, "", -1}, {3, true, "PUT:", 1},
        {4, true, "WDT:", 0},       {5, true, "PED:", 0}, {6, true, "Security:", 1},
        {7, false, "", -1},
    };
    for (const auto& r : rows) {
        const OptionEditorItem& item = items[static_cast<std::size_t>(r.Item - 1)];
        EXPECT_EQ(item.Present, r.Present) << r.Item;
        EXPECT_EQ(item.Title, r.Title) << r.Item;
        EXPECT_EQ(item.Selected, r.Selected) << r.Item;
    }
    const OptionEditorItem& osc = items[0];
    ASSERT_EQ(osc.Choices.size(), 5u);
    // A choice changes only its item's bits; no choice leaves the value.
    EXPECT_EQ(ChooseOption(value | 0x30000, osc, 1), (value & ~0xFu) | 0x6u | 0x30000u);
    EXPECT_EQ(ChooseOption(value, osc, -1), value);
    EXPECT_EQ(ChooseOption(value, osc, 5), value);
}
