#pragma once
// Object monitors: recursive locks with wait and notify, made on an object's
// first monitor operation and released when the collector sweeps the object.
// The table grows as needed.
//
// Each waiter has its own wake mark and condition: notify takes exactly the
// waiters it wakes out of the list, so no wake-up is lost or goes to the
// wrong thread. wait gives up every level the thread holds and takes them
// all back. Every blocking step is a safe region of the thread table.
#include <cstdint>
#include <mutex>
#include <unordered_map>

#include "wince/types.h"

class Object;

class MonitorTable {
 public:
  static MonitorTable& instance();

  void enter(Object* object);
  void exit(Object* object);
  // millis and nanos both 0: until notified; otherwise millis (nanos have no
  // further effect). A negative time is refused with a log line.
  void wait(Object* object, int64_t millis, int32_t nanos);
  // count 1 wakes one waiter (the longest waiting), -1 (any negative) all.
  void notify(Object* object, int32_t count);
  // The object is being freed.
  void release(Object* object);

  // For tests: the monitors in the table, and an object's waiters.
  uint32_t monitorCount();
  int32_t waiterCount(Object* object);

 private:
  struct Waiter;
  struct Monitor;

  MonitorTable() = default;
  // Under the table lock; null when absent and not to be made.
  Monitor* findMonitor(Object* object, bool create);
  // Owned by the caller when it returns; blocks (in a safe region) while
  // another thread owns it.
  static void acquire(Monitor& monitor, DWORD threadId, uint32_t depth);

  std::mutex m_lock;
  std::unordered_map<uintptr_t, Monitor*> m_monitors;  // by object address
};
