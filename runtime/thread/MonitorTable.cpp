#include "runtime/thread/MonitorTable.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>

#include "runtime/Application.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/thread/ThreadTable.h"
#include "wince/clock.h"
#include "wince/thread.h"

struct MonitorTable::Waiter {
  std::condition_variable wake;  // with the monitor's lock
  bool woken = false;
  Waiter* next = nullptr;
};

struct MonitorTable::Monitor {
  std::mutex lock;  // guards the fields below
  std::condition_variable released;
  DWORD owner = 0;
  uint32_t depth = 0;
  uint32_t blockedEnterers = 0;
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

// Timed waits measure on the tick count, which the fake clock may move
// without notice: then they look at it every millisecond.
constexpr auto fakeClockPollPeriod = std::chrono::milliseconds(1);
constexpr uint64_t longestWaitSlice = 3600 * 1000;

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
    ++monitor.blockedEnterers;
    monitor.released.wait(lock, [&] { return monitor.owner == 0; });
    --monitor.blockedEnterers;
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
  const bool timed = millis != 0 || nanos != 0;
  Monitor* monitor = findMonitor(object, false);
  Waiter waiter;
  uint32_t heldDepth = 0;
  uint64_t deadline = 0;
  if (monitor != nullptr) {
    std::lock_guard lock(monitor->lock);
    if (monitor->owner == me) {
      // The time runs from here, not from when the thread gets to block.
      deadline = GetTickCount64() + static_cast<uint64_t>(millis);
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
  ThreadTable::instance().runInSafeRegion([&] {
    std::unique_lock lock(monitor->lock);
    while (!waiter.woken) {
      if (!timed) {
        waiter.wake.wait(lock);
        continue;
      }
      const uint64_t now = GetTickCount64();
      if (now >= deadline) {
        monitor->remove(&waiter);
        break;
      }
      // In slices, so that no huge timeout overflows the clock's arithmetic.
      const auto left = std::chrono::milliseconds(std::min<uint64_t>(deadline - now, longestWaitSlice));
      waiter.wake.wait_for(lock, wince::fakeClockInstalled() ? std::min(left, fakeClockPollPeriod) : left);
    }
  });
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
    waiter->wake.notify_one();
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
  {
    // Only at the final collection can a thread (stopped for good) still
    // hold or wait on the monitor of a freed object; it keeps the record.
    std::lock_guard lock(monitor->lock);
    if (monitor->owner != 0 || monitor->firstWaiter != nullptr || monitor->blockedEnterers != 0) return;
  }
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
