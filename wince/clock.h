#pragma once
#include <chrono>
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

// Frame-gated sleeps (the harness's lock-step frames under the fake clock):
// from now on every thread but the calling one waits in Sleep, whatever its
// argument, until the next releaseGatedSleepers; the calling thread's sleeps
// only yield, so the releases alone move the clock. Off again with
// stopGatingSleeps, useRealClock or useFakeClock.
void gateSleepsExceptCallingThread();
// Moves the clock by milliseconds and lets every gated sleeper on; returns
// once as many threads wait at the gate again as were released (or, when
// one of them has ended, after settleTimeout of real time). So the threads
// run one frame's work each while the caller waits, and the result does not
// depend on how the host schedules them. The gated count before the release.
int releaseGatedSleepers(uint64_t milliseconds, std::chrono::milliseconds settleTimeout);
// Waits, up to timeout of real time, until at least count threads wait at
// the gate; false on timeout.
bool waitForGatedSleepers(int count, std::chrono::milliseconds timeout);
// Lets every gated sleeper on for good; later sleeps follow the fake clock.
void stopGatingSleeps();

}  // namespace wince
