#include "EngineFixture.h"

namespace {

class EngineVerifyRead : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        ProgramChipFromWorkspace();
    }
};

TEST_F(EngineVerifyRead, VerifyFailsAtTheFirstCorruptedWordAndContinueRunsCleanly)
{
    const auto flip = [](WriterState& s) { s.Chip.ProgramMemory[2 * 0x123] ^= 1, s.Chip.ProgramMemory[2 * 0x200] ^= 1; };
    w.Box.With(flip);
    const uint32_t buffer = RawWord(w.Ws, w.Ws.ProgramMemory[2 * 0x123], w.Ws.ProgramMemory[2 * 0x123 + 1]);
    ASSERT_EQ(Run(opVerify), RunEnd::StepFailed);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Data), "Data verify error at 0123H");
    EXPECT_EQ(reporter.Label(ProgressLabel::Data).Colour, LabelColour::Red);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Eeprom),
              "IC=" + Hex4(buffer ^ 1) + "H, Buffer=" + Hex4(buffer) + "H");

    // Continue: the surplus of the closing read is not taken as an answer.
    ASSERT_EQ(Run(opVerify), RunEnd::StepFailed);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Data), "Data verify error at 0123H");
    w.Box.With(flip);
    EXPECT_EQ(Run(opVerify), RunEnd::Completed);
}

TEST_F(EngineVerifyRead, EepromAndIdFailuresNameWhatDiffersAndLeaveOnlyExit)
{
    w.Box.With([](WriterState& s) { s.Chip.Eeprom[0x21] = 0x5A; });
    ASSERT_EQ(Run(opVerify), RunEnd::ExitOnly);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Eeprom), "EEPROM data verify error at 0021H");
    EXPECT_EQ(reporter.Caption(ProgressLabel::Option),
              "IC=5AH, Buffer=" + Hex2(w.Ws.EepromBuffer[0x21]) + "H");
    EXPECT_TRUE(reporter.ExitEnabled());
    EXPECT_FALSE(reporter.ContinueEnabled());

    w.Box.With([&](WriterState& s) { s.Chip.Eeprom[0x21] = w.Ws.EepromBuffer[0x21]; });
    w.Box.With([](WriterState& s) { s.Chip.IdChecksum[12] = '0'; s.Chip.IdChecksum[14] = '0'; });
    ASSERT_EQ(Run(opVerify), RunEnd::ExitOnly);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Id), "Checksum verify fail!!");
    w.Box.With([](WriterState& s) { s.Chip.IdChecksum[0] ^= 1; });
    ASSERT_EQ(Run(opVerify), RunEnd::ExitOnly);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Id), "ID && checksum verify fail!!");
}

TEST_F(EngineVerifyRead, BlankCheckOnAProgrammedChipNamesTheFirstWord)
{
    // The ID and option areas are blank on this chip; program word 0 is not.
    w.Box.With([](WriterState& s) {
        s.Chip.IdChecksum.fill(0x7F);
        s.Chip.OptionWords.fill(0x7F);
    });
    const uint32_t word0 = RawWord(w.Ws, w.Ws.ProgramMemory[0], w.Ws.ProgramMemory[1]);
    ASSERT_EQ(Run(opBlankCheck), RunEnd::StepFailed);
    EXPECT_EQ(reporter.Caption(ProgressLabel::BlankCheck),
              "Data ........ not blank at (0000H), Data = " + Hex4(word0) + "H !!");
    EXPECT_EQ(reporter.Label(ProgressLabel::BlankCheck).Colour, LabelColour::Red);

    // With the ID programmed, the ID test fails first.
    w.Box.With([](WriterState& s) { s.Chip.IdChecksum[4] = 0x00; });
    ASSERT_EQ(Run(opBlankCheck), RunEnd::StepFailed);
    EXPECT_EQ(reporter.Caption(ProgressLabel::BlankCheck), "ID or Checksum ...... Not Blank!!");
}

TEST_F(EngineVerifyRead, ProtectModeVerifyNeedsAProtectedChip)
{
    // Unprotected data fail the protect-mode compare at the first word.
    ASSERT_EQ(Run(opVerifyProtect), RunEnd::StepFailed);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Data), "Data verify error at 0000H");

    // Protected data with the Security option still "Disable".
    w.Box.With([](WriterState& s) { s.Chip.Protected = true; });
    ASSERT_EQ(Run(opVerifyProtect), RunEnd::ExitOnly);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Option), "IC is not protected !");

    SetOptionValue(kProtectedOptionValue);
    w.Box.With([&](WriterState& s) {
        s.Chip.Protected = true;
        s.Chip.OptionWords[0] = w.Ws.OptionWords[0];
        s.Chip.OptionWords[1] = w.Ws.OptionWords[1];
    });
    ASSERT_EQ(Run(opVerifyProtect), RunEnd::Completed) << reporter.Caption(ProgressLabel::Data);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Data), "Data verify OK");
    EXPECT_EQ(reporter.Caption(ProgressLabel::Option), "OPTION verify OK");
    // A plain verify of the protected chip sees the fill bits.
    EXPECT_EQ(Run(opVerify), RunEnd::StepFailed);
}

}  // namespace
