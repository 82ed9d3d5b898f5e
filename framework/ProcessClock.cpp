#include "framework/ProcessClock.h"

#include <atomic>

namespace {

std::atomic<ClockSource> clockSource{&SystemClockMs};

} // namespace

uint32_t ProcessClockMs() {
    return clockSource.load(std::memory_order_relaxed)();
}

void SetProcessClockSource(ClockSource source) {
    clockSource.store(source != nullptr ? source : &SystemClockMs, std::memory_order_relaxed);
}
