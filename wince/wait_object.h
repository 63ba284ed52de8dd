#pragma once
// The common part of every object a handle can name and a thread can wait
// on: one lock, one condition, and the count of threads blocked on it.
#include <condition_variable>
#include <mutex>

#include "wince/types.h"

namespace wince {

class ThreadObject;
class EventObject;

class WaitObject {
 public:
  WaitObject() = default;
  virtual ~WaitObject() = default;
  WaitObject(const WaitObject&) = delete;
  WaitObject& operator=(const WaitObject&) = delete;

  virtual ThreadObject* asThread() { return nullptr; }
  virtual EventObject* asEvent() { return nullptr; }

  // WAIT_OBJECT_0 once signalled, WAIT_TIMEOUT when the time runs out first.
  DWORD wait(DWORD milliseconds);
  void waitForWaiters(int count);

 protected:
  // Called with m_mutex held: whether a waiter may go now. Auto-reset objects
  // take their signal here, so exactly one waiter gets it.
  virtual bool takeSignal() = 0;

  std::mutex m_mutex;
  // Notified on every change a blocked thread may care about.
  std::condition_variable m_changed;

 private:
  DWORD waitOnRealClock(std::unique_lock<std::mutex>& lock, DWORD milliseconds);
  DWORD waitOnFakeClock(std::unique_lock<std::mutex>& lock, DWORD milliseconds);

  int m_waiters = 0;
};

}  // namespace wince
