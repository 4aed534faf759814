#include "workspace/BufferCommands.h"
#include "workspace/DeviceCatalogue.h"

#include "RecordingNotifier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

bool AllWords(const Workspace& ws, std::size_t fromWord, std::size_t toWord, uint8_t low, uint8_t high)
{
    for (std::size_t w = fromWord; w <= toWord; ++w) {
        if (ws.ProgramMemory[2 * w] != low || ws.ProgramMemory[2 * w + 1] != high) return false;
    }
    return true;
}

bool AllBytes(const Workspace& ws, std::size_t from, std::size_t to, uint8_t value)
{
    return std::all_of(ws.EepromBuffer.begin() + static_cast<std::ptrdiff_t>(from),
                       ws.EepromBuffer.begin() + static_cast<std::ptrdiff_t>(to) + 1,
                       [&](uint8_t b) { return b == value; });
}

class BufferCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCreationDefaults(ws);
        ResetData(ws, "31Q520");
    }
    Workspace ws;
    RecordingNotifier notifier;
};

}  // namespace

TEST_F(BufferCommands, FillsStoreThePackedValueWithinTheDevice)
{
    struct Case {
        const char* Name;
        bool Eeprom, Confirmed;
        int32_t Start, End;
        uint32_t Value;
        std::size_t FilledTo;   // last filled word or byte; 0 with nothing filled
        uint8_t Low, High;      // the filled word's halves, or the filled byte
    } const cases[] = {
        {"words", false, true, 0, 3, 0x1234, 3, 0x34, 0x24},
        {"cancelled", false, false, 0, 3, 0, 0, 0x7F, 0x7F},
        // A start typed as eight hex digits arrives negative; an end past the device is cut.
        {"clamped words", false, true, int32_t(0xFFFFFFF0), 0x7FFFFFFF, 0, 1023, 0, 0},
        {"past the device", false, true, 5000, 6000, 0, 0, 0x7F, 0x7F},
        {"clamped bytes", true, true, -100, 100000, 0, 127, 0, 0},
    };
    for (const auto& c : cases) {
        SetUp();
        ws.FillStart = c.Start, ws.FillEnd = c.End, ws.FillValue = c.Value;
        ws.DisasmWindowOpen = true;
        const GuiActions actions = c.Eeprom ? FillEeprom(ws, c.Confirmed) : FillProgramMemory(ws, c.Confirmed);
        if (c.Eeprom) {
            EXPECT_TRUE(AllBytes(ws, 0, c.FilledTo, c.Low) && AllBytes(ws, c.FilledTo + 1, 597, 0xFF)) << c.Name;
            continue;
        }
        const bool filled = c.Low != 0x7F;
        EXPECT_TRUE(AllWords(ws, 0, c.FilledTo, c.Low, c.High)) << c.Name;
        EXPECT_TRUE(AllWords(ws, filled ? c.FilledTo + 1 : 0, 16383, 0x7F, 0x7F)) << c.Name;
        EXPECT_TRUE(!c.Confirmed || actions.CloseDisasmWindow) << c.Name;
    }
}

TEST_F(BufferCommands, ClearBufferBlanksMemoryAndForgetsTheFile)
{
    ws.ProgramMemory.fill(0), ws.ProgramFileName = "/tmp/a.chx";
    ws.DisasmWindowOpen = true, ws.StartupDone = false;
    GuiActions actions = ClearBuffer(ws);
    EXPECT_TRUE(AllWords(ws, 0, 16383, 0x7F, 0x7F));
    EXPECT_EQ(ws.ProgramFileName, "");
    EXPECT_EQ(ws.Status.ProgramChecksum, "F800");
    EXPECT_TRUE(actions.CloseDisasmWindow);
    EXPECT_FALSE(ws.DisasmWindowOpen);
    EXPECT_FALSE(actions.RecreateMemoryWindow) << "no window work before the first show";

    ws.StartupDone = true;
    actions = ClearBuffer(ws);
    EXPECT_TRUE(actions.RecreateMemoryWindow);
    EXPECT_TRUE(ws.MemoryWindowOpen);
    EXPECT_FALSE(actions.CloseDisasmWindow);
}

TEST_F(BufferCommands, ResetDataGivesTheNewDeviceACleanWorkspace)
{
    ws.ProgramMemory.fill(0), ws.EepromBuffer.fill(0), ws.IdWords.fill(0), ws.OptionWords.fill(0);
    ws.SerialModeOn = ws.StartupDone = ws.QtpMode = true;
    ws.Status.PassCountText = "12", ws.Status.SerialModeText = "Enable";
    ws.CustomerName = "Name", ws.CustomerProject = "Project", ws.SleepCurrent = "1uA";
    ws.QtpInputHandle = std::tmpfile();

    const GuiActions actions = ResetData(ws, "72Q575", &notifier);
    EXPECT_TRUE(AllWords(ws, 0, 16383, 0x7F, 0x7F));
    EXPECT_TRUE(AllBytes(ws, 0, 597, 0xFF));
    EXPECT_EQ(ws.IdWords[31], 0x7F);
    EXPECT_EQ(ws.Status.OptionValueText, "7F 5F 00 00");
    EXPECT_FALSE(ws.SerialModeOn);
    EXPECT_EQ(ws.Status.PassCountText, "0");
    EXPECT_EQ(ws.CustomerName + "|" + ws.CustomerProject + "|" + ws.SleepCurrent, "Name||");
    EXPECT_EQ(ws.Status.TotalChecksum, "E02E");
    EXPECT_TRUE(actions.RecreateIdWindow && actions.RecreateMemoryWindow && actions.RecreateEepromWindow);
    EXPECT_EQ(actions.EepromControlsEnabled, std::optional<bool>(true));
    EXPECT_TRUE(notifier.Prompts.empty());
    EXPECT_FALSE(ws.QtpMode);
    EXPECT_EQ(ws.QtpInputHandle, nullptr) << "a closed handle must not stay behind to be closed again";

    ws.OptionWords[0] = 0x56, ws.OptionWords[1] = 0x0A, ws.KeepOption = true;
    ResetData(ws, "31Q520");
    EXPECT_EQ(ws.Status.OptionValueText, "56 0A 00 00");
}

TEST_F(BufferCommands, UpdateScreenDestroysTheEepromWindowOfADeviceWithoutEeprom)
{
    // No catalogue device lacks EEPROM; take the flag away by hand.
    ws.DeviceFlags = kFlagEraseInsteadOfBlankCheck, ws.EepromWindowOpen = true;
    GuiActions actions = UpdateScreen(ws);
    EXPECT_TRUE(actions.DestroyEepromWindow);
    EXPECT_FALSE(actions.RecreateEepromWindow);
    EXPECT_FALSE(ws.EepromWindowOpen);
    EXPECT_EQ(ws.Status.TotalChecksumCaption, "w/OPTIONs:");
}

TEST_F(BufferCommands, UpdateScreenBringsBackTheIdAndMemoryWindowsTheUserClosed)
{
    ws.IDFormOpen = false;
    ws.MemoryWindowOpen = false;
    const GuiActions actions = UpdateScreen(ws);
    EXPECT_TRUE(actions.RecreateIdWindow && actions.RecreateMemoryWindow);
    EXPECT_TRUE(ws.IDFormOpen && ws.MemoryWindowOpen);
}

