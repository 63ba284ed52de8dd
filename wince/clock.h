#pragma once
// Tick count and Sleep, with a fake clock that tests install to make time
// deterministic.
#include "wince/types.h"

// Milliseconds since the process started, wrapping at 2^32 like the device's.
DWORD GetTickCount();
// The same clock without the wrap.
uint64_t GetTickCount64();
// Sleep(0) yields the processor.
void Sleep(DWORD milliseconds);

namespace wince {

// While the fake clock is installed, GetTickCount answers the fake time.
// With advanceOnSleep, Sleep moves the fake time forward by its argument and
// returns at once; without it, Sleep blocks until another thread has advanced
// the fake time far enough (lock-step tests).
void useFakeClock(uint64_t startMilliseconds, bool advanceOnSleep);
void advanceFakeClock(uint64_t milliseconds);
void useRealClock();
bool fakeClockInstalled();
// Lock-step drivers: blocks until at least count threads wait in Sleep.
void waitForFakeClockSleepers(int count);

}  // namespace wince
