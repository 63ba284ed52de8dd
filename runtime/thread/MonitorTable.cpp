#include "runtime/thread/MonitorTable.h"

#include <algorithm>
#include <condition_variable>

#include "runtime/Application.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/thread/ThreadTable.h"
#include "wince/event.h"
#include "wince/thread.h"
#include "wince/wait.h"

struct MonitorTable::Waiter {
  HANDLE wake;
  bool woken = false;
  Waiter* next = nullptr;
};

struct MonitorTable::Monitor {
  std::mutex lock;  // guards the fields below
  std::condition_variable released;
  DWORD owner = 0;
  uint32_t depth = 0;
  Waiter* firstWaiter = nullptr;
  Waiter* lastWaiter = nullptr;

  void append(Waiter* waiter) {
    if (lastWaiter != nullptr) lastWaiter->next = waiter;
    else firstWaiter = waiter;
    lastWaiter = waiter;
  }
  void remove(Waiter* waiter) {
    Waiter* previous = nullptr;
    for (Waiter* at = firstWaiter; at != nullptr; previous = at, at = at->next) {
      if (at != waiter) continue;
      if (previous != nullptr) previous->next = at->next;
      else firstWaiter = at->next;
      if (lastWaiter == at) lastWaiter = previous;
      return;
    }
  }
};

namespace {

void reportNull(const char* operation) {
  debugLog("NullPointer");
  debugLog("%s of null", operation);
  if (Application* application = Application::get()) application->printStackTrace();
}

// Each thread's own wake event, made on its first wait.
class WakeEvent {
 public:
  ~WakeEvent() {
    if (m_event != nullptr) CloseHandle(m_event);
  }
  HANDLE get() {
    if (m_event == nullptr) m_event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    return m_event;
  }

 private:
  HANDLE m_event = nullptr;
};

thread_local WakeEvent wakeEvent;

}  // namespace

MonitorTable& MonitorTable::instance() {
  static MonitorTable* table = new MonitorTable;
  return *table;
}

MonitorTable::Monitor* MonitorTable::findMonitor(Object* object, bool create) {
  std::lock_guard lock(m_lock);
  const auto key = reinterpret_cast<uintptr_t>(object);
  if (auto found = m_monitors.find(key); found != m_monitors.end()) return found->second;
  if (!create) return nullptr;
  auto* monitor = new Monitor;
  m_monitors.emplace(key, monitor);
  return monitor;
}

void MonitorTable::acquire(Monitor& monitor, DWORD threadId, uint32_t depth) {
  {
    std::lock_guard lock(monitor.lock);
    if (monitor.owner == 0) {
      monitor.owner = threadId;
      monitor.depth = depth;
      return;
    }
  }
  ThreadTable::instance().runInSafeRegion([&] {
    std::unique_lock lock(monitor.lock);
    monitor.released.wait(lock, [&] { return monitor.owner == 0; });
    monitor.owner = threadId;
    monitor.depth = depth;
  });
}

void MonitorTable::enter(Object* object) {
  if (object == nullptr) return reportNull("Object::monitorEnter()");
  Monitor* monitor = findMonitor(object, true);
  const DWORD me = GetCurrentThreadId();
  {
    std::lock_guard lock(monitor->lock);
    if (monitor->owner == me) {
      ++monitor->depth;
      return;
    }
  }
  acquire(*monitor, me, 1);
}

void MonitorTable::exit(Object* object) {
  if (object == nullptr) return reportNull("Object::monitorExit()");
  Monitor* monitor = findMonitor(object, false);
  const DWORD me = GetCurrentThreadId();
  if (monitor != nullptr) {
    std::lock_guard lock(monitor->lock);
    if (monitor->owner == me) {
      if (--monitor->depth == 0) {
        monitor->owner = 0;
        monitor->released.notify_all();
      }
      return;
    }
  }
  debugLog("Object::monitorExit(): thread 0x%X does not hold the monitor", unsigned(me));
}

void MonitorTable::wait(Object* object, int64_t millis, int32_t nanos) {
  if (object == nullptr) return reportNull("Object::wait()");
  const DWORD me = GetCurrentThreadId();
  if (millis < 0) {
    debugLog("Object::wait(): negative timeout %lld", static_cast<long long>(millis));
    return;
  }
  const DWORD timeout =
      millis == 0 && nanos == 0 ? INFINITE : static_cast<DWORD>(std::min<int64_t>(millis, INFINITE - 1));
  Monitor* monitor = findMonitor(object, false);
  Waiter waiter{wakeEvent.get()};
  uint32_t heldDepth = 0;
  if (monitor != nullptr) {
    std::lock_guard lock(monitor->lock);
    if (monitor->owner == me) {
      // A signal left by a notify that raced with an earlier timeout.
      ResetEvent(waiter.wake);
      monitor->append(&waiter);
      heldDepth = monitor->depth;
      monitor->owner = 0;
      monitor->depth = 0;
      monitor->released.notify_all();
    }
  }
  if (heldDepth == 0) {
    debugLog("Object::wait(): thread 0x%X does not hold the monitor", unsigned(me));
    return;
  }
  ThreadTable::instance().runInSafeRegion([&] { WaitForSingleObject(waiter.wake, timeout); });
  {
    std::lock_guard lock(monitor->lock);
    // Timed out unless a notify took it out meanwhile.
    if (!waiter.woken) monitor->remove(&waiter);
  }
  acquire(*monitor, me, heldDepth);
}

void MonitorTable::notify(Object* object, int32_t count) {
  if (object == nullptr) return reportNull("Object::notify()");
  const DWORD me = GetCurrentThreadId();
  Monitor* monitor = findMonitor(object, false);
  if (monitor == nullptr) {
    debugLog("Object::notify(): the object has no monitor");
    return;
  }
  std::lock_guard lock(monitor->lock);
  if (monitor->owner != me) {
    debugLog("Object::notify(): thread 0x%X does not hold the monitor", unsigned(me));
    return;
  }
  for (; count != 0 && monitor->firstWaiter != nullptr; --count) {
    Waiter* waiter = monitor->firstWaiter;
    monitor->firstWaiter = waiter->next;
    if (monitor->firstWaiter == nullptr) monitor->lastWaiter = nullptr;
    waiter->woken = true;
    SetEvent(waiter->wake);
  }
}

void MonitorTable::release(Object* object) {
  Monitor* monitor = nullptr;
  {
    std::lock_guard lock(m_lock);
    if (m_monitors.empty()) return;
    auto found = m_monitors.find(reinterpret_cast<uintptr_t>(object));
    if (found == m_monitors.end()) return;
    monitor = found->second;
    m_monitors.erase(found);
  }
  // Nobody can hold or wait on the monitor of an unreachable object.
  delete monitor;
}

uint32_t MonitorTable::monitorCount() {
  std::lock_guard lock(m_lock);
  return static_cast<uint32_t>(m_monitors.size());
}

int32_t MonitorTable::waiterCount(Object* object) {
  Monitor* monitor = findMonitor(object, false);
  if (monitor == nullptr) return 0;
  std::lock_guard lock(monitor->lock);
  int32_t count = 0;
  for (Waiter* waiter = monitor->firstWaiter; waiter != nullptr; waiter = waiter->next) ++count;
  return count;
}
