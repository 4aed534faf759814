#include <gtest/gtest.h>

#include "platform/Clock.h"

TEST(Clock, MarksAreHundredthsWithinTheMinute)
{
    int64_t ms = MonotonicMilliseconds();
    int mark = ClockMark();
    EXPECT_GE(mark, 0);
    EXPECT_LT(mark, 6000);
    EXPECT_NEAR(double(mark), double((ms / 10) % 6000), 2.0);
}

TEST(Clock, DistanceWrapsOnceAtTheMinute)
{
    EXPECT_EQ(MarkDistance(100, 350), 250);
    EXPECT_EQ(MarkDistance(5800, 300), 500);
    EXPECT_EQ(MarkDistance(0, 0), 0);
}

TEST(Clock, MonotonicTimeNeverGoesBack)
{
    int64_t last = MonotonicMilliseconds();
    for (int i = 0; i < 5; ++i) {
        SleepMilliseconds(2);
        int64_t now = MonotonicMilliseconds();
        EXPECT_GE(now, last + 2);
        last = now;
    }
}
