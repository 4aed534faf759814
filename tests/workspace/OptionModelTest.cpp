#include "workspace/BufferCommands.h"
#include "workspace/DeviceCatalogue.h"
#include "workspace/OptionModel.h"

#include "RecordingNotifier.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Option words 0 for a 14-bit option value; option words 1 blank.
void SetOptionValue(Workspace& ws, uint32_t value)
{
    ws.OptionWords[0] = static_cast<uint8_t>(value & 0x7F);
    ws.OptionWords[1] = static_cast<uint8_t>((value >> 7) & 0x7F);
    ws.OptionWords[2] = ws.OptionWords[3] = 0x7F;
}

class OptionModel : public ::testing::Test {
protected:
    void SetUp() override { SelectDevice(ws, "72Q575"); }
    const OptionItemView& Item(int k) const { return ws.Status.OptionItems[static_cast<std::size_t>(k - 1)]; }
    Workspace ws;
    RecordingNotifier notifier;
};

}  // namespace

TEST_F(OptionModel, BlankWordsAreForcedToTheDeviceOnlyAndDecodeAsBlank)
{
    SetOptionValue(ws, 0x3FFF);
    UpdateOption(ws, &notifier);
    EXPECT_EQ(ComposeOptionValue(ws), 0x2FFFu);
    EXPECT_EQ(ws.OptionStatus, 1u);
    EXPECT_EQ(ws.Status.OptionValueText, "7F 5F 00 00");

    EXPECT_EQ(ws.Status.OptionSummary[0], "OSC Type: Blank");
    EXPECT_EQ(ws.Status.OptionSummary[5], "Security: Disable");
    EXPECT_TRUE(notifier.Prompts.empty());

    SelectDevice(ws, "no such part");   // without a catalogue row nothing is forced
    ASSERT_EQ(ws.DeviceIndex, -1);
    SetOptionValue(ws, 0x3FFF);
    UpdateOption(ws);
    EXPECT_EQ(ws.OptionWords[1], 0x7F);
    EXPECT_EQ(ws.OptionWords[3], 0x7F);
    EXPECT_EQ(Item(1).Value, "Blank");
}

TEST_F(OptionModel, ItemsTheDeviceLacksHideTheirCaptionAndShowADisabledBlank)
{
    UpdateOption(ws);
    for (int k : {2, 7, 8, 9, 10, 11, 12, 13}) {
        EXPECT_TRUE(!Item(k).CaptionVisible && !Item(k).CaptionEnabled && Item(k).ValueVisible && !Item(k).ValueEnabled)
            << k;
        EXPECT_EQ(Item(k).Value, "Blank") << k;
        EXPECT_EQ(ws.Status.OptionSummary[k - 1], "") << k;
    }
    for (int k : {1, 3, 4, 5, 6}) EXPECT_TRUE(Item(k).CaptionVisible && Item(k).ValueEnabled) << k;
}

TEST_F(OptionModel, ValuesDecodeToTheirChoicesAndStatus)
{
    struct Case {
        uint32_t Value;
        std::vector<std::string> Items;   // items 1, 3, 4, 5 and 6
        uint32_t Status;
        const char* Bytes;
    } const cases[] = {
        {0x0000 | 0x0500 | 0x0040 | 0x0010 | 0x0006, {"HF", "75mS", "Enable", "High level", "Enable"}, 0, "56 0A 00 00"},
        // OSC 0x3: no such choice.
        {0x2000 | 0x0A00 | 0x0080 | 0x0020 | 0x0003, {"Error", "0mS", "Disable", "Disable", "Disable"}, 2, "23 55 00 00"},
        {0x0FFF, {"Blank", "Blank", "Blank", "Blank", "Enable"}, 1, "7F 1F 00 00"},   // security bit clear
    };
    for (const auto& c : cases) {
        SetOptionValue(ws, c.Value);
        UpdateOption(ws);
        std::vector<std::string> items;
        for (int k : {1, 3, 4, 5, 6}) items.push_back(Item(k).Value);
        EXPECT_EQ(items, c.Items) << c.Value;
        EXPECT_EQ(ws.OptionStatus, c.Status) << c.Value;
        EXPECT_EQ(ws.Status.OptionValueText, c.Bytes) << c.Value;
    }
}

TEST_F(OptionModel, AMissingGroupEndsTheDecodeWithErrorInsteadOfLooping)
{
    ws.OptionSetNo[0] = 99;
    UpdateOption(ws, &notifier);
    EXPECT_EQ(Item(1).Value, "Error");
    EXPECT_NE(ws.OptionStatus & kOptionStatusNoChoice, 0u);
    EXPECT_EQ(notifier.Texts(), std::vector<std::string>{"Can not find Option item"});
}

