#include "EngineFixture.h"

namespace {

class EngineCancel : public EngineTest {
protected:
    // A request gap long enough that a slow (sanitised) engine never trips it mid-request.
    EngineCancel() : EngineTest(WriterSettings{.Paced = true, .RequestGapMs = 400}) {}
};

TEST_F(EngineCancel, CancelMidStreamEndsTheRunAndTheNextRunIsClean)
{
    w.Ws.CommandCode = opAutoProgram;
    engine.Start(Controls());
    ASSERT_TRUE(WaitFor([&] { return reporter.CaptionsOf(ProgressLabel::Eeprom).size() >= 3; })) << "progress shown";
    // From here the writer acknowledges 0.1 s late: two pairs on, the cancel
    // finds the engine waiting, and the acknowledge comes after the run.
    const auto received = [&](int turnaroundUs) {
        return w.Box.With([&](WriterState& s) {
            s.Settings.TurnaroundUs = turnaroundUs;
            return s.BytesSinceFaults;
        });
    };
    const uint64_t from = received(100000);
    ASSERT_TRUE(WaitFor([&] { return received(100000) >= from + 4; }));
    engine.Cancel();
    engine.Join();
    received(0);
    EXPECT_EQ(engine.LastEnd(), RunEnd::Cancelled);
    EXPECT_EQ(reporter.EnTimer1Calls(), 0);
    EXPECT_EQ(w.Ws.Status.PassCountText, "0");

    // The writer sends the late acknowledge, then drops the broken stream
    // after its request gap and waits for a new request.
    ASSERT_TRUE(WaitFor([&] { return w.Box.Idle(); }));
    ASSERT_EQ(Run(opAutoProgram), RunEnd::Completed) << reporter.State().Captions.back().second;
    ExpectChipEqualsWorkspace();
    EXPECT_EQ(w.Ws.Status.PassCountText, "1");
}

TEST_F(EngineCancel, StopDuringTheHandlerWaitEndsTheRun)
{
    w.Ws.WithHandler = true;
    w.Box.With([](WriterState& s) { s.Settings.SwitchIdle = 0x00; });
    w.Ws.CommandCode = opAutoProgram;
    engine.Start(Controls());
    ASSERT_TRUE(WaitFor([&] { return CountOf(w.Box.RequestNames(), "switch query") >= 2; }));
    EXPECT_TRUE(engine.Running());
    engine.Stop();
    EXPECT_EQ(engine.LastEnd(), RunEnd::Cancelled);
    ASSERT_TRUE(WaitFor([&] { return w.Box.Idle(); })) << "the writer answered the last switch query";
    // Starting again waits for the previous run.
    w.Ws.CommandCode = opVerify;
    engine.Start(Controls());
    engine.Start(Controls());
    engine.Join();
    EXPECT_EQ(engine.LastEnd(), RunEnd::ExitOnly);   // the chip was never programmed
}

}  // namespace
