#include <gtest/gtest.h>

#include <thread>

#include "LinkTestSupport.h"
#include "platform/Clock.h"

TEST(TimeOut, IsMoreThanFiveSecondsFromTheMark)
{
    EXPECT_FALSE(CheckTimeOut(1000, 1500));
    EXPECT_TRUE(CheckTimeOut(1000, 1501));
    EXPECT_FALSE(CheckTimeOut(0, 0));
}

TEST(TimeOut, WrapsAtTheMinute)
{
    // Mark at second 58.00: 03.00 of the next minute is exactly 5.00 s later.
    EXPECT_FALSE(CheckTimeOut(5800, 300));
    EXPECT_TRUE(CheckTimeOut(5800, 301));
    EXPECT_FALSE(CheckTimeOut(5999, 499));
    EXPECT_TRUE(CheckTimeOut(5999, 500));
}

TEST(TimeOut, LimitCanBeShortened)
{
    EXPECT_FALSE(CheckTimeOut(5990, 10, 20));
    EXPECT_TRUE(CheckTimeOut(5990, 11, 20));
}

TEST(TimeOut, ClockMarksStayWithinTheMinute)
{
    for (int i = 0; i < 3; ++i) {
        int mark = ClockMark();
        EXPECT_GE(mark, 0);
        EXPECT_LT(mark, 6000);
        SleepMilliseconds(15);
        EXPECT_GE(MarkDistance(mark, ClockMark()), 1);
    }
    EXPECT_EQ(MarkDistance(5990, 10), 20);
}

TEST(TimeOut, SilentWriterTimesOutAfterTheShortenedLimit)
{
    LinkedWriter w("COM1", 30);
    ASSERT_TRUE(w.Ready);
    WriterFaults silent;
    silent.SilentFromByte = 0;
    w.Box.SetFaults(silent);
    uint8_t byte = 0;
    WaitResult r{};
    long long ms = MillisecondsOf([&] { r = WaitForByte(w.Ws, byte, w.Context); });
    EXPECT_EQ(r, WaitResult::TimedOut);
    EXPECT_GE(ms, 300);
    EXPECT_LT(ms, 2000);
}

TEST(TimeOut, RealLimitIsFiveSecondsPerExpectedByte)
{
    LinkedWriter w("COM1");
    ASSERT_TRUE(w.Ready);
    WriterFaults silent;
    silent.SilentFromByte = 0;
    w.Box.SetFaults(silent);
    LinkResult r{};
    long long ms = MillisecondsOf([&] { r = CheckWriter(w.Ws, w.Notifier); });   // default context
    EXPECT_EQ(r, lrTimeout);
    EXPECT_GT(ms, 5000);
    EXPECT_LT(ms, 7000);   // generous: a loaded CI machine adds scheduling delay
    EXPECT_TRUE(w.Ws.LinkFailed);
}

TEST(TimeOut, CancelEndsAWaitAtOnceWithoutTheTimeOutsSideEffects)
{
    LinkedWriter w("COM1", 500);
    ASSERT_TRUE(w.Ready);
    ASSERT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    WriterFaults silent;
    silent.SilentFromByte = 0;
    w.Box.SetFaults(silent);
    std::thread canceller([&] {
        SleepMilliseconds(100);
        w.Cancel = true;
    });
    LinkResult r{};
    long long ms = MillisecondsOf([&] { r = CheckWriter(w.Ws, w.Notifier, w.Context); });
    canceller.join();
    EXPECT_EQ(r, lrTimeout);
    EXPECT_LT(ms, 1500);
    EXPECT_FALSE(w.Ws.LinkFailed);
    EXPECT_EQ(w.Ws.WriterVersion, "V3.30");
}

TEST(TimeOut, EveryExchangeHonoursTheCancelFlag)
{
    LinkedWriter w("COM1", 500);
    ASSERT_TRUE(w.Ready);
    SelectTestDevice(w.Ws);
    WriterFaults silent;
    silent.SilentFromByte = 0;
    w.Box.SetFaults(silent);
    w.Cancel = true;
    GetHeader(w.Ws, areaIdChecksum, hcRead);
    long long ms = MillisecondsOf([&] {
        EXPECT_EQ(SendHeader(w.Ws, 10, w.Context), lrTimeout);
        EXPECT_EQ(Read7BitData(w.Ws, 32, w.Context), lrTimeout);
        EXPECT_EQ(Read8BitData(w.Ws, 32, w.Context), lrTimeout);
        EXPECT_EQ(ReadWriterID(w.Ws, 15, w.Context), lrTimeout);
        EXPECT_EQ(WriteData(w.Ws, 16, true, w.Context), lrTimeout);
        EXPECT_EQ(CheckWriterSwitch(w.Ws, 1, w.Context), lrTimeout);
        DelayIn10ms(100, w.Context);
    });
    EXPECT_LT(ms, 1500);
}

TEST(TimeOut, DelayCountsHundredths)
{
    long long ms = MillisecondsOf([] { DelayIn10ms(5); });
    EXPECT_GE(ms, 40);
    EXPECT_LT(ms, 1000);
}

TEST(TimeOut, DelayOfOneHundredthEndsAtTheNextTick)
{
    // The delay counts ticks of the hundredths clock: one tick may come at
    // once, so DelayIn10ms(1) takes 0 to 10 ms, about 5 on average, and
    // always ends on a new mark.
    long long total = 0;
    constexpr int kCalls = 20;
    for (int i = 0; i < kCalls; ++i) {
        SleepMilliseconds(i % 10);   // start at different points of a tick
        const int before = ClockMark();
        total += MillisecondsOf([] { DelayIn10ms(1); });
        EXPECT_NE(ClockMark(), before);
    }
    EXPECT_LT(total, kCalls * 9);
}

TEST(TimeOut, SinglePassPollReadsOneWaitingByte)
{
    LinkedWriter w("COM1", 30);
    ASSERT_TRUE(w.Ready);
    uint8_t byte = 0;
    EXPECT_FALSE(PollByte(w.Ws, byte, 5));
    SendByte(w.Ws, WriterTypeQuery);
    int mark = ClockMark();
    bool got = false;
    while (!got && !CheckTimeOut(mark, w.Context)) got = PollByte(w.Ws, byte);
    EXPECT_TRUE(got);
    EXPECT_EQ(byte, wrWriterType3);
}

TEST(TimeOut, AByteTakenInThePassThatRunsOutOfTimeDoesNotCount)
{
    LinkedWriter w("COM1", 30);
    ASSERT_TRUE(w.Ready);
    SendByte(w.Ws, WriterTypeQuery);
    int mark = ClockMark();
    while (w.Ws.ComHandle->BytesWaiting(10) == 0) ASSERT_FALSE(CheckTimeOut(mark, w.Context));
    // A limit already passed when the first pass ends: that pass reads the
    // waiting byte and then finds the time up.
    LinkContext expired = w.Context;
    expired.TimeoutHundredths = -1;
    uint8_t byte = 0;
    EXPECT_EQ(WaitForByte(w.Ws, byte, expired), WaitResult::TimedOut);
    EXPECT_EQ(w.Ws.ComHandle->BytesWaiting(), 0u);
}
