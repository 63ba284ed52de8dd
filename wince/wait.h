#pragma once
// Waiting on events and threads, and closing their handles. A thread's
// handle is signalled once the thread has ended.
#include "wince/types.h"

constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 0x102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;

// milliseconds is INFINITE or a timeout; 0 only tests the object. While the
// fake clock is installed, timeouts are measured on the fake time (whoever
// moves it), and removing the fake clock ends a timed wait with WAIT_TIMEOUT.
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);

// Drops one reference; the object lives on while other handles, waiters or
// its own running thread still need it.
BOOL CloseHandle(HANDLE object);

namespace wince {

// Lock-step drivers and tests: blocks until at least count threads are
// blocked in WaitForSingleObject on this object. False for a bad handle.
bool waitForWaiters(HANDLE object, int count);

}  // namespace wince
