#include "EngineFixture.h"

namespace {

class EngineFaults : public EngineTest {
protected:
    // Runs auto program with the fault switched on; the workspace must come
    // out as it went in and the run must end with Continue and Exit.
    void RunWithFault(const WriterFaults& faults, RunEnd expected = RunEnd::StepFailed)
    {
        const WorkspaceImage before = Image();
        w.Box.SetFaults(faults);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Run(opAutoProgram), expected);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_TRUE(Image() == before) << "the workspace is unchanged";
        w.Box.SetFaults({});
    }
    void ExpectRed(ProgressLabel label, const std::string& text)
    {
        EXPECT_EQ(reporter.Caption(label), text);
        EXPECT_EQ(reporter.Label(label).Colour, LabelColour::Red);
        EXPECT_TRUE(reporter.Label(label).Visible);
    }
};

TEST_F(EngineFaults, NoChipAdapterAndBodyOptionErrorsEndAtTheErase)
{
    WriterFaults f;
    f.NoChip = true;
    RunWithFault(f);
    ExpectRed(ProgressLabel::Erase, "Nothing in socket or type error!!");
    EXPECT_TRUE(reporter.ContinueEnabled());

    f = {};
    f.AdapterError = true;
    RunWithFault(f);
    ExpectRed(ProgressLabel::Erase, "IC adapter board error!!");

    f = {};
    f.BodyOptionError = true;
    RunWithFault(f);
    ExpectRed(ProgressLabel::Erase, "IC Bodyoption Error!!");
}

TEST_F(EngineFaults, ProgrammingFailureInPairModeNamesTheWord)
{
    // Program byte 300 is in word 150 (0096h); in pairs the pair 300/301
    // is rejected.
    WriterFaults f;
    f.ProgramFailAt = 300;
    RunWithFault(f);
    ExpectRed(ProgressLabel::Data, "Data program fail !!");
    EXPECT_EQ(reporter.Caption(ProgressLabel::Eeprom), "0096");
}

TEST_F(EngineFaults, ProgrammingFailureInSingleModeNamesTheWord)
{
    w.Box.SetAcknowledge(AckMode::PerByte);
    w.Box.SetIdentity("HRX200", "V1.00");   // no pair mode for this text
    WriterFaults f;
    f.ProgramFailAt = 301;
    RunWithFault(f);
    ExpectRed(ProgressLabel::Data, "Data program fail !!");
    EXPECT_EQ(reporter.Caption(ProgressLabel::Eeprom), "0096");
}

TEST_F(EngineFaults, ProgrammingFailureInTheIdNamesTheIdWordOrTheChecksum)
{
    WriterFaults f;
    f.ProgramFailAt = 5;
    RunWithFault(f);
    ExpectRed(ProgressLabel::Id, "ID program fail at address 0002 !!");
    f.ProgramFailAt = 13;
    RunWithFault(f);
    ExpectRed(ProgressLabel::Id, "Checksum program fail !!");
}

TEST_F(EngineFaults, EarlyCompletionOfTheIdStreamIsAWriterError)
{
    WriterFaults f;
    f.EarlyCompleteAt = 3;
    RunWithFault(f);
    ExpectRed(ProgressLabel::Id, "Writer error!!");
}

TEST_F(EngineFaults, EarlyCompletionOfTheDataStreamIsCaughtByTheVerify)
{
    WriterFaults f;
    f.EarlyCompleteAt = 100;   // the pair 100/101 ends the stream: word 0033h is left blank
    RunWithFault(f);
    ExpectRed(ProgressLabel::Data, "Data verify error at 0033H");
}

TEST_F(EngineFaults, SilenceMidStreamTimesOutWithoutHanging)
{
    // Bytes before the data stream: type query, identification, erase header,
    // ID header, 16 ID bytes, ID read header, data header.
    WriterFaults f;
    f.SilentFromByte = 1 + 1 + 10 + 10 + 16 + 10 + 10 + 400;
    RunWithFault(f);
    ExpectRed(ProgressLabel::Data, "Connect Timeout!!");
}

TEST_F(EngineFaults, SilenceBeforeTheWriterCheckIsAPreCheckEnd)
{
    WriterFaults f;
    f.SilentFromByte = 0;
    RunWithFault(f, RunEnd::ExitOnly);
    ExpectRed(ProgressLabel::Data, "Connect timeout!");
    EXPECT_FALSE(reporter.ContinueEnabled());
}

TEST_F(EngineFaults, WrongWriterIsAPreCheckEnd)
{
    WriterFaults f;
    f.WrongGeneration = true;
    RunWithFault(f, RunEnd::ExitOnly);
    ExpectRed(ProgressLabel::Data, "Wrong writer!");
    EXPECT_TRUE(reporter.ExitEnabled());
    EXPECT_FALSE(reporter.ContinueEnabled());
}

TEST_F(EngineFaults, UnknownAcknowledgeInTheStreamIsReported)
{
    WriterFaults f;
    f.UnexpectedReply = 0x42;
    f.UnexpectedAtByte = 20;   // beyond the 16 ID bytes: in the data stream
    RunWithFault(f);
    ExpectRed(ProgressLabel::Data, "Unknow return value!!");
}

}  // namespace
