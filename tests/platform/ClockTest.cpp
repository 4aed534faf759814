#include <gtest/gtest.h>

#include "platform/Clock.h"

TEST(Clock, DistanceWrapsOnceAtTheMinuteAndTimeNeverGoesBack)
{
    EXPECT_EQ(MarkDistance(100, 350), 250);
    EXPECT_EQ(MarkDistance(5800, 300), 500);
    EXPECT_EQ(MarkDistance(0, 0), 0);
    for (int64_t i = 0, last = MonotonicMilliseconds(), now; i < 5; ++i, last = now) {
        SleepMilliseconds(2);
        now = MonotonicMilliseconds();
        EXPECT_GE(now, last + 2);
    }
}
