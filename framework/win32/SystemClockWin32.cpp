#include "framework/ProcessClock.h"

#include <windows.h>

uint32_t SystemClockMs() {
    return static_cast<uint32_t>(GetTickCount());
}
