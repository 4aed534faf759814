#include "link/SecondOption.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

ChipOptions ReadChip()
{
    ChipOptions chip;
    chip.IcBodyData0 = {0x11, 0x01, 0x22, 0x02, 0x33, 0x03, 0x44, 0x04};
    chip.IcBodyData1 = {0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F};
    chip.Read = true;
    return chip;
}

// Choices with the select bits left out, so each row sees its own rule.
OptionChoices Plain()
{
    OptionChoices c;
    c.NewOptionValue = 0x3FFF;   // word 0 = 7F 7F, word 1 = 00 00
    c.Select.Address = -1;
    return c;
}

}  // namespace

TEST(OptionComposition, WordsTenToThirteenFollowTheirSources)
{
    struct Row {
        const char* Case;
        std::function<void(OptionChoices&)> Choose;
        OptionWordBytes BodyData1;
    };
    const Row rows[] = {
        {"new options, words copied from the chip", [](OptionChoices&) {},
         {0x7F, 0x7F, 0x22, 0x02, 0x33, 0x03, 0x44, 0x04}},
        {"keep user options takes the chip's word 00h", [](OptionChoices& c) { c.A10h = kKeepOrCopy; },
         {0x11, 0x01, 0x22, 0x02, 0x33, 0x03, 0x44, 0x04}},
        {"typed words: two tokens, one token, none, blanks and a third token",
         [](OptionChoices& c) {
             c.A1xh = {kWriteNew, kWriteNew, kWriteNew};
             c.EditText = {"3F 2A", "3F", "  3f   2a 11"};
         },
         {0x7F, 0x7F, 0x3F, 0x2A, 0x3F, 0x7F, 0x3F, 0x2A}},
        {"an empty typed word is blank", [](OptionChoices& c) { c.A1xh[0] = kWriteNew; },
         {0x7F, 0x7F, 0x7F, 0x7F, 0x33, 0x03, 0x44, 0x04}},
        {"no entry selected reads the edit",
         [](OptionChoices& c) { c.A1xh[2] = kNoEntry; c.EditText[2] = "05 06"; },
         {0x7F, 0x7F, 0x22, 0x02, 0x33, 0x03, 0x05, 0x06}},
        {"select bits (13,12) = (1,0) in 12h go over the copied word",
         [](OptionChoices& c) { c.Select = {1, 6, 0}; },
         {0x7F, 0x7F, 0x22, 0x02, 0x33, 0x43, 0x44, 0x04}},
        {"select bits (1,0) = (0,1) in 13h touch only the low byte's two bits",
         [](OptionChoices& c) { c.A1xh[2] = kWriteNew; c.EditText[2] = "7E 7F"; c.Select = {2, 0, 1}; },
         {0x7F, 0x7F, 0x22, 0x02, 0x33, 0x03, 0x7D, 0x7F}},
        {"select bits (7,6) = (1,0) in 11h straddle the halves",
         [](OptionChoices& c) { c.Select = {0, 3, 0}; },
         {0x7F, 0x7F, 0x22 & 0x3F, 0x03, 0x33, 0x03, 0x44, 0x04}},
    };
    const OptionLayout layout;
    for (const Row& row : rows) {
        OptionChoices choices = Plain();
        row.Choose(choices);
        const OptionComposition c = ComposeOptionArea(layout, choices, ReadChip());
        EXPECT_EQ(c.BodyData1, row.BodyData1) << row.Case;
        // Words 00h..03h are written back as read, 04h..0Fh blank.
        for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(c.Image[i], ReadChip().IcBodyData0[i]) << row.Case;
        for (std::size_t i = 8; i < 32; ++i) EXPECT_EQ(c.Image[i], 0xFF) << row.Case;
        for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(c.Image[32 + i], c.BodyData1[i]) << row.Case;
    }
}

TEST(OptionComposition, FamilyThreeSetsTheHighBitsOfTheWrittenWordsOnly)
{
    OptionLayout layout;
    layout.DeviceFamily = 3;
    const OptionComposition c = ComposeOptionArea(layout, Plain(), ReadChip());
    EXPECT_EQ(c.Image[1], 0x71);
    EXPECT_EQ(c.Image[33], 0x7F);
    EXPECT_EQ(c.Image[35], 0x72);
    EXPECT_EQ(c.BodyData1[3], 0x02);
}

TEST(OptionComposition, OptionValueSplitsIntoBytesAndBack)
{
    const OptionLayout layout;
    EXPECT_EQ(SplitOptionValue(layout, 0xFFFFFFFFu), (std::array<uint8_t, 4>{0x7F, 0x7F, 0x7F, 0x7F}));
    const OptionWordBytes words{0x0A, 0x3F, 0x01, 0x02, 0, 0, 0, 0};
    EXPECT_EQ(JoinOptionValue(layout, words), 0x0A + (0x3Fu << 7) + ((0x01u + (0x02u << 7)) << 16));
    ChipOptions chip;
    EXPECT_EQ(IcOptionValue(layout, chip), 0xFFFFFFFFu);
    chip.IcUserData = words;
    chip.Read = true;
    EXPECT_EQ(IcOptionValue(layout, chip), JoinOptionValue(layout, words));
}

TEST(OptionComposition, UsedCheckLooksAtTheChosenPairOfTheChosenWord)
{
    struct Row {
        SelectBits Select;
        OptionWordBytes Chip;
        bool Used;
    };
    const Row rows[] = {
        {{1, 6, 0}, {0x7F, 0x7F, 0x7F, 0x7F, 0x00, 0x40, 0x7F, 0x7F}, true},
        {{1, 6, 0}, {0x7F, 0x7F, 0x7F, 0x7F, 0x00, 0x60, 0x7F, 0x7F}, false},   // blank pair (1,1)
        {{1, 6, 1}, {0x7F, 0x7F, 0x7F, 0x7F, 0x00, 0x20, 0x7F, 0x7F}, true},
        {{2, 0, 0}, {0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x02, 0x00}, true},
        {{-1, 6, 0}, {0x7F, 0x7F, 0x7F, 0x7F, 0x00, 0x40, 0x7F, 0x7F}, false},
    };
    const OptionLayout layout;
    for (const Row& row : rows)
        EXPECT_EQ(SelectBitsUsed(layout, row.Select, row.Chip), row.Used)
            << row.Select.Address << " " << row.Select.Bit << " " << row.Select.Value;
}

TEST(OptionComposition, VerifyComparesEveryComposedWordUnderItsMask)
{
    OptionAreaBytes written;
    written.fill(0x7F);
    written[32] = 0x15;
    written[33] = 0x5F;
    struct Row {
        std::size_t Byte;
        uint8_t ReadAs;
        bool Good;
    };
    const Row rows[] = {
        {33, 0x7F, true},    // bit 5 of word 10h's high byte is not used (mask 0x2FFF)
        {33, 0x5E, false},
        {32, 0x14, false},
        {37, 0x3F, false},   // a select bit of word 12h did not take
        {39, 0x7E, false},
        {2, 0x00, true},     // words 00h..03h are not the dialog's
    };
    const OptionLayout layout;
    for (const Row& row : rows) {
        OptionAreaBytes readBack = written;
        readBack[row.Byte] = row.ReadAs;
        EXPECT_EQ(VerifyOptionArea(layout, written, readBack), row.Good) << row.Byte;
    }
}
