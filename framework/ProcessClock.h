#pragma once

#include <cstdint>

// The process clock: a monotonic millisecond count that wraps around at 2^32. Everything
// that times something in the plug-in (message line, editor) reads this one clock.
using ClockSource = uint32_t (*)();

uint32_t ProcessClockMs();

// Replaces the clock (tests); null restores the system clock.
void SetProcessClockSource(ClockSource source);

// The platform's monotonic millisecond clock.
uint32_t SystemClockMs();

// True once `now` has passed `deadline`, also across the wrap of the clock.
inline bool ClockIsPast(uint32_t now, uint32_t deadline) {
    return static_cast<int32_t>(now - deadline) > 0;
}
