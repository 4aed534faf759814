// Time marks for the writer link: hundredths of a second within the minute,
// taken from a clock that never jumps when the wall clock is set, so a
// time-out cannot fire early or hang because of an adjusted system time.
#pragma once

#include <cstdint>

// Milliseconds since an arbitrary start, steady (CLOCK_MONOTONIC).
int64_t MonotonicMilliseconds();

// The current time mark: seconds x 100 + hundredths, 0..5999, restarting
// every minute like a wall-clock reading.
int ClockMark();

// Hundredths of a second from mark to now, both marks within the minute;
// a now below the mark means the minute has wrapped once.
int MarkDistance(int mark, int now);

// Sleep for the given number of milliseconds (0 returns at once).
void SleepMilliseconds(int milliseconds);
