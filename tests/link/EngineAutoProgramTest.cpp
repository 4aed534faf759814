#include "EngineFixture.h"

#include <functional>

namespace {

class EngineAutoProgram : public EngineTest {};

TEST_F(EngineAutoProgram, LeavesChipEqualToWorkspaceOnADeviceOfEachMemorySize)
{
    for (const char* device : {"31Q520", "72Q574", "72Q575"}) {
        SCOPED_TRACE(device);
        PrepareDevice(device);
        w.Box.With([](WriterState& s) { s.Chip = SimulatedChip(); });
        ASSERT_EQ(Run(opAutoProgram), RunEnd::Completed) << reporter.Caption(ProgressLabel::Data);
        ExpectChipEqualsWorkspace();
        EXPECT_EQ(reporter.Caption(ProgressLabel::Data), "Data program && verify OK");
        EXPECT_TRUE(reporter.ContinueEnabled());
    }
}

// The number is placed when the run starts, so the ID step must write the
// checksum of the buffer as programmed, and verify against that.
TEST_F(EngineAutoProgram, CountsThePassAdvancesTheSerialNumberAndWritesTheProgrammedChecksum)
{
    Workspace& ws = w.Ws;
    PrepareSerialRun();
    const std::string before = ws.Status.ProgramChecksum;
    ASSERT_EQ(Run(opAutoProgram), RunEnd::Completed) << reporter.Caption(ProgressLabel::Data);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Id), "ID && checksum program and verify OK");
    const SimulatedChip chip = w.Box.Chip();
    EXPECT_EQ(chip.ProgramMemory[2 * 0x10], 0x12);
    EXPECT_EQ(chip.ProgramMemory[2 * 0x11], 0x34);
    EXPECT_EQ(ws.ProgramMemory[2 * 0x11], 0x35) << "the next number is placed for the next chip";
    EXPECT_EQ(reporter.LastStatus().PassCountText, "1");
    EXPECT_EQ(reporter.LastStatus().SerialText, " 1235");
    const auto next = ws.ProgramMemory;
    std::copy_n(chip.ProgramMemory.begin(), ws.RomBytes, ws.ProgramMemory.begin());
    const std::string programmed = WordToHex(ComputeChecksums(ws).Memory);
    ws.ProgramMemory = next;
    ASSERT_NE(programmed, before) << "the placed number changes the checksum";
    EXPECT_EQ(std::string(chip.IdChecksum.begin() + 12, chip.IdChecksum.begin() + 16), programmed);

    ASSERT_EQ(Run(opAutoProgram), RunEnd::Completed);
    EXPECT_EQ(w.Box.Chip().ProgramMemory[2 * 0x11], 0x35);
    EXPECT_EQ(ws.Status.PassCountText, "2");
    ws.Status.PassCountText = "999999999";   // the counter stops at its limit
    ASSERT_EQ(Run(opAutoProgram), RunEnd::Completed);
    EXPECT_EQ(ws.Status.PassCountText, "999999999");
}

TEST_F(EngineAutoProgram, PreChecksStopBeforeAnyWriterTraffic)
{
    auto serial = [](uint32_t target, uint32_t address, uint32_t count, uint8_t high) {
        return [=](Workspace& ws) {
            ws.SerialModeOn = true, ws.SerialTarget = target, ws.SerialStartAddress = address;
            ws.SerialByteCount = count, ws.ProgramMemory[2 * address + 1] = high;
        };
    };
    struct Case {
        uint32_t OptionValue;   // 0x3FFF: every item "Blank"; OSC bits 3: no such choice
        std::function<void(Workspace&)> Setup;
        const char* Text;
    } const cases[] = {
        {0x3FFF, nullptr, "Some options are blank!"},
        {(kGoodOptionValue & ~0xFu) | 0x3, nullptr, "Some options are error!"},
        {0x3FF3, nullptr, "Some options are blank or error!"},
        {kGoodOptionValue, [](Workspace& ws) { ws.ProgramMemory.fill(0x7F); }, "Data memory are blank or error"},
        {kGoodOptionValue, serial(0, 0x20, 1, 0x70), "The Instr is not 'RTWI'or "},
        // An EEPROM target past the EEPROM, as a hand-edited configuration can
        // leave it: the chip must not go out without its number.
        {kGoodOptionValue, serial(1, 0xFF, 4, 0x62), "Please Setup Serial No !!"},
    };
    for (const auto& c : cases) {
        PrepareDevice(deviceText);
        SetOptionValue(c.OptionValue);
        if (c.Setup) c.Setup(w.Ws);
        const auto eeprom = w.Ws.EepromBuffer;
        w.Box.ClearRequests();
        EXPECT_EQ(Run(opAutoProgram), RunEnd::ExitOnly) << c.Text;
        EXPECT_EQ(reporter.Caption(ProgressLabel::Data), c.Text);
        EXPECT_EQ(reporter.Label(ProgressLabel::Data).Colour, LabelColour::Red);
        EXPECT_FALSE(reporter.ContinueEnabled());
        EXPECT_EQ(reporter.EnTimer1Calls(), 0);
        EXPECT_TRUE(w.Box.RequestNames().empty());
        EXPECT_TRUE(w.Ws.EepromBuffer == eeprom);
    }
}

}  // namespace

namespace {

class EngineQtp : public EngineTest {};

TEST_F(EngineQtp, ExhaustedFileEndsQtpModeWithoutTotalTime)
{
    TempDir dir;
    const std::string path = dir.File("qtp-end.txt");
    WriteBytes(path, ":00000001FF");
    Workspace& ws = w.Ws;
    ws.QtpInputHandle = std::fopen(path.c_str(), "rb");
    ASSERT_NE(ws.QtpInputHandle, nullptr);
    ws.QtpMode = ws.SerialModeOn = ws.ShowProgramTime = true;
    ws.Status.SerialModeText = "Enable", ws.Status.QtpText = "qtp-end.txt";
    ws.SerialTarget = 1, ws.SerialStartAddress = 0x10, ws.SerialByteCount = 1;

    ASSERT_EQ(Run(opAutoProgram), RunEnd::QtpFinished);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Qtp), "QTP programming finished!");
    EXPECT_EQ(reporter.Caption(ProgressLabel::TotalTime), "");
    EXPECT_TRUE(!ws.SerialModeOn && !ws.QtpMode && !ws.QtpInputHandle);
    EXPECT_EQ(ws.AutoPassCount, 0);
    EXPECT_EQ(reporter.LastStatus().QtpText, "Disable");
    EXPECT_EQ(reporter.LastQtpSimCaption(), "Enable");
}

}  // namespace
