#include "wince/wait_object.h"

#include <chrono>

#include "wince/clock.h"
#include "wince/wait.h"

namespace wince {

DWORD WaitObject::wait(DWORD milliseconds) {
  std::unique_lock lock(m_mutex);
  if (takeSignal()) return WAIT_OBJECT_0;
  if (milliseconds == 0) return WAIT_TIMEOUT;
  ++m_waiters;
  m_changed.notify_all();
  DWORD result = WAIT_OBJECT_0;
  if (milliseconds == INFINITE)
    m_changed.wait(lock, [this] { return takeSignal(); });
  else if (fakeClockInstalled())
    result = waitOnFakeClock(lock, milliseconds);
  else
    result = waitOnRealClock(lock, milliseconds);
  --m_waiters;
  m_changed.notify_all();
  return result;
}

DWORD WaitObject::waitOnRealClock(std::unique_lock<std::mutex>& lock, DWORD milliseconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  // The predicate runs once more after the deadline, so a signal that
  // arrives together with the timeout is not lost.
  return m_changed.wait_until(lock, deadline, [this] { return takeSignal(); }) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

// The fake clock cannot wake us when a driver moves it, so the fake time is
// looked at again every millisecond of real time. Removing the fake clock
// ends the wait, as it ends a lock-step Sleep.
DWORD WaitObject::waitOnFakeClock(std::unique_lock<std::mutex>& lock, DWORD milliseconds) {
  const uint64_t deadline = GetTickCount64() + milliseconds;
  for (;;) {
    if (takeSignal()) return WAIT_OBJECT_0;
    if (!fakeClockInstalled() || GetTickCount64() >= deadline) return WAIT_TIMEOUT;
    m_changed.wait_for(lock, std::chrono::milliseconds(1));
  }
}

void WaitObject::waitForWaiters(int count) {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [&] { return m_waiters >= count; });
}

}  // namespace wince
