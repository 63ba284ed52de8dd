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
// Lock-step from the very start, with whatever clock is installed: called on
// the thread that will make the program window, before it makes it. That
// thread is held the first time it finds its queue empty, and at every pass
// after; stepFrame lets it on.
void holdCallingThreadAtEmptyQueue();
// Waits until the held thread is at its empty queue (or was released).
void waitUntilHeld();
// Lets the held thread run freely again (any thread; the clock stays).
void releaseHeldThread();
// The host's own pointer in window coordinates (button 1 down, move, up as
// WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP): it travels through the back
// end's event queue and the window's scaling, as a real mouse would.
void hostPointer(UINT message, int windowX, int windowY);
// Without a clock: waits until the UI thread has found its queue empty after
// everything posted so far.
void waitUntilQueueDrained();

}  // namespace wince::driver
