#pragma once
// The test driver: plays the user and the device around the program's window
// (pen, keys, focus, close, power, rotation), reads what the program drew, and
// steps the program's UI thread in lock-step with the fake clock.
#include <cstdint>
#include <string>
#include <vector>

#include "wince/types.h"

namespace wince::driver {

// Before the first window: no host window, a screen of the given size, and an
// identity namespace of this process alone (so parallel tests never see each
// other's windows).
void useHeadless(int screenWidth = 800, int screenHeight = 480);
// The same identity namespace for every process of one test run.
std::string privateInstanceNamespace();

void penDown(int x, int y);
void penMove(int x, int y);
void penUp(int x, int y);
// A key press or release; imeVirtualKey as an input method would give it.
void key(DWORD virtualKey, bool down, DWORD imeVirtualKey = 0);
void tapKey(DWORD virtualKey);
void focus(bool gained);
void close();
// Answers how many power queues took the transition.
int power(DWORD powerFlags);
void rotate(DWORD orientation);
DWORD orientation();

// The back buffer: the newest 16-bit DIB section, top row first; empty when
// there is none.
std::vector<uint16_t> backBuffer(int* width = nullptr, int* height = nullptr);
// The screen as last presented.
std::vector<uint16_t> presentedFrame(uint64_t* presentCount = nullptr);
uint64_t presentCount();
void waitForPresentAfter(uint64_t count);

// Lock-step: a fake clock that moves by exactly what threads sleep, and the
// program's UI thread held each time it finds its queue empty. Call after the
// program window exists.
void startLockStep(uint64_t startMilliseconds = 0);
// Lets the UI thread run one pass (its sleeps, then every waiting message)
// and waits until it is back at its empty queue.
void stepFrame();
void stopLockStep();
// Without a clock: waits until the UI thread has found its queue empty after
// everything posted so far.
void waitUntilQueueDrained();

}  // namespace wince::driver
