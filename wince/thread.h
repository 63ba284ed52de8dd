#pragma once
// Threads over pthreads: creation (optionally suspended), suspend counts,
// ids, priorities and stack bounds.
//
// Linux cannot stop another thread safely at an arbitrary point, so a thread
// is only ever stopped by itself: SuspendThread on the calling thread's own
// handle blocks until other threads' ResumeThread calls bring its suspend
// count back to 0. SuspendThread on another thread that is running is
// refused (logged once per thread); on one that is already suspended (by itself or by
// CREATE_SUSPENDED) it only raises the count. ResumeThread on a thread whose
// count is 0 does nothing and answers 0, so a resumer that may run ahead of
// the suspension retries until it answers 1 or more, or first calls
// wince::waitUntilSuspended. A resume after the count went up is never lost,
// even if the thread has not gone to sleep yet.
//
// Every thread, also one the stand-in did not create (the main thread), has
// a stable non-zero id. A thread id also serves as a handle to its thread
// while the thread lives; closing it does nothing. Handles from CreateThread
// are counted references: the thread object lives until its last handle is
// closed and its thread has ended, and the handle is signalled once the
// thread has ended (see wince/wait.h).
#include <cstdint>

#include "wince/types.h"

using LPTHREAD_START_ROUTINE = DWORD (*)(void* parameter);

constexpr DWORD CREATE_SUSPENDED = 0x4;

// Priority levels, 0 the most urgent. They are kept and answered but do not
// change how Linux schedules the thread (that would need privileges).
constexpr int THREAD_PRIORITY_TIME_CRITICAL = 0;
constexpr int THREAD_PRIORITY_HIGHEST = 1;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 2;
constexpr int THREAD_PRIORITY_NORMAL = 3;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = 4;
constexpr int THREAD_PRIORITY_LOWEST = 5;
constexpr int THREAD_PRIORITY_ABOVE_IDLE = 6;
constexpr int THREAD_PRIORITY_IDLE = 7;
constexpr int THREAD_PRIORITY_ERROR_RETURN = 0x7FFFFFFF;

// attributes are ignored; stackSize 0 takes the default. Returns once the
// new thread exists (its id and stack bounds are known); null on failure.
HANDLE CreateThread(void* attributes, DWORD stackSize, LPTHREAD_START_ROUTINE start, void* parameter,
                    DWORD creationFlags, DWORD* threadId);
// Both answer the previous suspend count, or 0xFFFFFFFF on failure.
DWORD SuspendThread(HANDLE thread);
DWORD ResumeThread(HANDLE thread);
DWORD GetCurrentThreadId();
// The calling thread's id as a handle: it names this thread from any thread.
HANDLE GetCurrentThread();
// FALSE, and the priority kept, for a level outside 0..7.
BOOL SetThreadPriority(HANDLE thread, int priority);
int GetThreadPriority(HANDLE thread);

namespace wince {

// The handle a thread id stands for (the runtime keeps the UI thread's id as
// its handle).
inline HANDLE handleFromThreadId(DWORD threadId) { return reinterpret_cast<HANDLE>(uintptr_t(threadId)); }

// [lowest, highest): the whole stack of a thread; it grows down from highest.
struct StackBounds {
  uintptr_t lowest = 0;
  uintptr_t highest = 0;
  bool contains(const void* address) const {
    const uintptr_t value = reinterpret_cast<uintptr_t>(address);
    return value >= lowest && value < highest;
  }
};

StackBounds currentThreadStackBounds();
// Any live thread's (by handle or id) or an ended one's that a handle still
// names; false for a bad handle.
bool threadStackBounds(HANDLE thread, StackBounds* bounds);

// Blocks until the thread's suspend count is above 0; false when the thread
// has ended or the handle names no thread.
bool waitUntilSuspended(HANDLE thread);

// Test tooling: every thread calls hook once it is first resumed, before its
// start routine, so a test can hold a thread at that point. Null for none.
void setThreadStartHook(void (*hook)());

}  // namespace wince
