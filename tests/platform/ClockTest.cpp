#include <gtest/gtest.h>

#include "platform/Clock.h"

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
