#include "EngineFixture.h"

namespace {

WriterSettings PacedWriter()
{
    WriterSettings s;
    s.Paced = true;
    s.RequestGapMs = 100;
    return s;
}

class EngineCancel : public EngineTest {
protected:
    EngineCancel() : EngineTest(PacedWriter()) {}
};

TEST_F(EngineCancel, CancelMidStreamStopsPromptlyAndTheNextRunIsClean)
{
    w.Ws.CommandCode = opAutoProgram;
    engine.Start(Controls());
    // Wait until the data stream is on its way.
    for (int i = 0; i < 500 && reporter.CaptionsOf(ProgressLabel::Eeprom).size() < 3; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_GE(reporter.CaptionsOf(ProgressLabel::Eeprom).size(), 3u) << "progress shown";
    const auto start = std::chrono::steady_clock::now();
    engine.Cancel();
    engine.Join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_EQ(engine.LastEnd(), RunEnd::Cancelled);
    EXPECT_EQ(reporter.EnTimer1Calls(), 0);
    EXPECT_EQ(w.Ws.Status.PassCountText, "0");

    // The writer drops the broken stream after its request gap.
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    ASSERT_EQ(Run(opAutoProgram), RunEnd::Completed) << reporter.Caption(ProgressLabel::Data);
    ExpectChipEqualsWorkspace();
    EXPECT_EQ(w.Ws.Status.PassCountText, "1");
}

TEST_F(EngineCancel, CancelDuringTheHandlerWaitEndsTheRun)
{
    w.Ws.WithHandler = true;
    w.Box.With([](WriterState& s) { s.Settings.SwitchIdle = 0x00; });
    w.Ws.CommandCode = opAutoProgram;
    engine.Start(Controls());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(engine.Running());
    engine.Stop();
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(engine.LastEnd(), RunEnd::Cancelled);
}

TEST_F(EngineCancel, StartingAgainWaitsForThePreviousRun)
{
    w.Ws.CommandCode = opVerify;
    engine.Start(Controls());
    engine.Start(Controls());   // joins the first before it starts
    engine.Join();
    EXPECT_FALSE(engine.Running());
}

}  // namespace
