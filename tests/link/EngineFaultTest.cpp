#include "EngineFixture.h"

#include <functional>

namespace {

class EngineFaults : public EngineTest {};

// Each writer fault once end to end: how the run ends, which label turns red
// with which text, and the workspace comes out as it went in.
TEST_F(EngineFaults, WriterFaultsEndTheRunWithTheirTexts)
{
    using Setup = std::function<void(LinkedWriter&)>;
    const Setup singleBytes = [](LinkedWriter& w) {
        w.Box.SetAcknowledge(AckMode::PerByte);
        w.Box.SetIdentity("HRX200", "V1.00");   // no pair mode for this text
        w.Ws.WriterVersion.clear();
    };
    // Request bytes before the data stream: type query, identification, erase
    // header, ID header, 16 ID bytes, ID read header, data header.
    constexpr int kBeforeData = 1 + 1 + 10 + 10 + 16 + 10 + 10;
    struct Case {
        const char* Name;
        WriterFaults Faults;
        int32_t Code;
        RunEnd End;
        ProgressLabel Label;
        const char* Text;
        const char* Eeprom = nullptr;   // the second line, when the run names an address
        Setup Before = nullptr;
    } const cases[] = {
        {"no chip", {.NoChip = true}, opAutoProgram, RunEnd::StepFailed, ProgressLabel::Erase,
         "Nothing in socket or type error!!"},
        {"adapter", {.AdapterError = true}, opAutoProgram, RunEnd::StepFailed, ProgressLabel::Erase,
         "IC adapter board error!!"},
        {"body option", {.BodyOptionError = true}, opAutoProgram, RunEnd::StepFailed, ProgressLabel::Erase,
         "IC Bodyoption Error!!"},
        {"body option in the data verify read", {.BodyOptionError = true, .HeaderFaultArea = 0}, opVerify,
         RunEnd::StepFailed, ProgressLabel::Data, "Writer Error!!"},
        {"pair fails", {.ProgramFailAt = 300}, opAutoProgram, RunEnd::StepFailed, ProgressLabel::Data,
         "Data program fail !!", "0096"},
        {"byte fails", {.ProgramFailAt = 301}, opAutoProgram, RunEnd::StepFailed, ProgressLabel::Data,
         "Data program fail !!", "0096", singleBytes},
        {"ID word fails", {.ProgramFailAt = 5}, opAutoProgram, RunEnd::StepFailed, ProgressLabel::Id,
         "ID program fail at address 0002 !!"},
        {"checksum fails", {.ProgramFailAt = 13}, opAutoProgram, RunEnd::StepFailed, ProgressLabel::Id,
         "Checksum program fail !!"},
        {"ID stream ends early", {.EarlyCompleteAt = 3}, opAutoProgram, RunEnd::StepFailed, ProgressLabel::Id,
         "Writer error!!"},
        {"data stream ends early", {.EarlyCompleteAt = 100}, opAutoProgram, RunEnd::StepFailed, ProgressLabel::Data,
         "Data verify error at 0033H"},
        {"silent mid-stream", SilentWriter(kBeforeData + 400), opAutoProgram, RunEnd::StepFailed,
         ProgressLabel::Data, "Connect Timeout!!"},
        {"line stops taking bytes mid-stream", {.StallFromByte = kBeforeData + 401}, opAutoProgram,
         RunEnd::StepFailed, ProgressLabel::Data, "Connect Timeout!!"},
        {"other acknowledge", {.UnexpectedReply = 0x42, .UnexpectedAtByte = 20}, opAutoProgram, RunEnd::StepFailed,
         ProgressLabel::Data, "Unknow return value!!"},
        {"silent writer", SilentWriter(), opAutoProgram, RunEnd::ExitOnly, ProgressLabel::Data, "Connect timeout!"},
        {"wrong writer", {.WrongGeneration = true}, opAutoProgram, RunEnd::ExitOnly, ProgressLabel::Data,
         "Wrong writer!"},
    };
    ProgramChipFromWorkspace();
    w.Box.With([](WriterState& s) { s.Settings.RequestGapMs = 300; });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const WorkspaceImage before = Image();
        if (c.Before) c.Before(w);
        w.Box.SetFaults(c.Faults);
        EXPECT_EQ(Run(c.Code), c.End);
        EXPECT_EQ(reporter.Caption(c.Label), c.Text);
        EXPECT_EQ(reporter.Label(c.Label).Colour, LabelColour::Red);
        EXPECT_TRUE(reporter.Label(c.Label).Visible);
        if (c.Eeprom) { EXPECT_EQ(reporter.Caption(ProgressLabel::Eeprom), c.Eeprom); }
        EXPECT_TRUE(reporter.ExitEnabled());
        EXPECT_EQ(reporter.ContinueEnabled(), c.End == RunEnd::StepFailed);
        EXPECT_TRUE(Image() == before) << "the workspace is unchanged";
        w.Box.SetFaults({}), w.Box.SetAcknowledge(AckMode::Auto), w.Box.SetIdentity(" HRX307A", "V3.30");
        w.Ws.WriterVersion.clear();
        ASSERT_TRUE(WaitFor([&] { return w.Box.Idle(); })) << "the writer dropped what the run left unfinished";
    }
}

// A 0x55 to the type query is neither a wrong writer nor a silent one: the run goes on.
TEST_F(EngineFaults, OddTypeReplyDoesNotStopTheRun)
{
    ProgramChipFromWorkspace();
    w.Box.SetTypeReply(0x55);
    EXPECT_EQ(Run(opVerify), RunEnd::Completed) << reporter.Caption(ProgressLabel::Data);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Data), "Data verify OK");
}

// The writer's cable pulled mid-stream: the next write fails and the run
// ends with the time-out result (a hung-up line's reads sleep: SerialPortIo).
TEST_F(EngineFaults, HangUpMidRunEndsWithATimeOut)
{
    w.Box.SetPaced(true);
    w.Ws.CommandCode = opAutoProgram;
    engine.Start(Controls());
    ASSERT_TRUE(WaitFor([&] { return reporter.CaptionsOf(ProgressLabel::Eeprom).size() >= 3; }))
        << "the data stream is on its way";
    w.Box.HangUp();
    engine.Join();
    EXPECT_EQ(engine.LastEnd(), RunEnd::StepFailed);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Data), "Connect Timeout!!");
}

}  // namespace
