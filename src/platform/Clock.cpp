#include "platform/Clock.h"

#include <cerrno>
#include <ctime>

int64_t MonotonicMilliseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

int ClockMark()
{
    return int((MonotonicMilliseconds() / 10) % 6000);
}

int MarkDistance(int mark, int now)
{
    if (now < mark) now += 6000;
    return now - mark;
}

void SleepMilliseconds(int milliseconds)
{
    if (milliseconds <= 0) return;
    timespec ts{milliseconds / 1000, long(milliseconds % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}
