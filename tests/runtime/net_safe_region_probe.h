#pragma once
// Hooks for BlockingCallScope that stand in for the collector's safe region:
// a test's server can wait until the client thread is inside one before it
// answers, which shows the blocking call is covered.
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "runtime/net/BlockingCallScope.h"

namespace nettest {

struct SafeRegionProbe {
  static inline std::mutex mutex;
  static inline std::condition_variable changed;
  static inline int inside = 0;
  static inline int entries = 0;

  static void enter() {
    std::lock_guard lock(mutex);
    ++inside;
    ++entries;
    changed.notify_all();
  }
  static void leave() {
    std::lock_guard lock(mutex);
    --inside;
    changed.notify_all();
  }
  // True once a thread is inside; gives up after a long bound so that a
  // missing scope fails the test instead of hanging it.
  static bool waitUntilInside() {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(10), [] { return inside > 0; });
  }
  SafeRegionProbe() {
    entries = 0;
    inside = 0;
    BlockingCallScope::installedHooks(&m_previousEnter, &m_previousLeave);
    BlockingCallScope::installHooks(enter, leave);
  }
  // Puts back the thread support's hooks, which later tests rely on.
  ~SafeRegionProbe() { BlockingCallScope::installHooks(m_previousEnter, m_previousLeave); }

 private:
  BlockingCallScope::Hook m_previousEnter = nullptr;
  BlockingCallScope::Hook m_previousLeave = nullptr;
};

}  // namespace nettest
