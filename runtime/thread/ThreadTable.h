#pragma once
// The table of the threads of the object model (8 slots; slot 0 is the UI
// thread) and the cooperative stop of the world the collector relies on.
//
// Linux cannot stop a thread safely at an arbitrary point (it may hold the
// allocator's or stdio's lock), so threads stop themselves: a registered
// thread counts as parked while it is inside a safe region, which every
// blocking call of the runtime runs in (sleep, a contended monitor, wait, the
// wait for the collector lock). A parked thread touches no object memory;
// leaving the region waits while the world is stopped. The collector scans a
// parked thread's stack from where it entered the region to its top.
//
// The table is the process's (it outlives every Application); each run of
// the runtime begins with beginRun. Threads still registered when a run
// closes stay stopped for good.
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "runtime/gc/WorldControl.h"
#include "wince/types.h"

class java_lang_Thread;
class Object;

class ThreadTable final : public WorldControl {
 public:
  static constexpr int32_t slotCount = 8;

  static ThreadTable& instance();

  // Forgets every slot of an earlier run and any stop left from it.
  void beginRun();
  // The calling thread (which closed the run) is no longer registered.
  void endRun();

  // Slot 0 becomes the calling thread with a Thread object made outside the
  // collected heap, priority 9 - its platform priority. Answers the object,
  // or null when slot 0 is taken.
  java_lang_Thread* registerUiThread();
  // Registers / unregisters the calling thread with a Thread object it
  // already has (a thread the runtime did not start). -1 when full.
  int32_t registerCurrentThread(java_lang_Thread* thread);
  void unregisterCurrentThread();

  // The natives of java_lang_Thread.
  DWORD start(java_lang_Thread* thread);
  java_lang_Thread* currentThread();
  void sleep(int64_t milliseconds);
  bool isAlive(const java_lang_Thread* thread);
  int32_t activeCount();
  void setPriority0(const java_lang_Thread* thread, int32_t priority);

  // Blocks, in a safe region, until the thread has no slot (its run has
  // ended); false when timeoutMilliseconds of real time pass first.
  bool waitUntilEnded(const java_lang_Thread* thread, uint32_t timeoutMilliseconds);

  int32_t findThread(const java_lang_Thread* thread);
  int32_t findThreadById(DWORD threadId);

  // Runs call in a safe region.
  template <class Call>
  void runInSafeRegion(Call&& call) {
    runInSafeRegion(&invoke<Call>, &call);
  }
  bool stopRequested() const { return __atomic_load_n(&m_stopRequested, __ATOMIC_ACQUIRE); }

  // WorldControl. enterSafeRegion records the stack from below its caller's
  // frame, and a copy of the registers as they were on entry.
  void enterSafeRegion() override;
  void leaveSafeRegion() override;
  // Waits until every other registered thread is parked. A thread that has
  // not parked after a few seconds is named in the log, again every few
  // seconds.
  void stopTheWorld() override;
  void resumeTheWorld() override;
  // Every registered Thread object, and the stacks of the parked threads.
  void markThreadRoots(ObjectManager& manager) override;
  void releaseMonitor(Object* object) override;

  // Registered threads that are not parked now (for test watchdogs).
  int32_t runningThreadIds(DWORD* ids, int32_t capacity);

 private:
  static constexpr uint32_t registerWindowWords = 128;

  struct Slot {
    java_lang_Thread* thread = nullptr;
    HANDLE handle = nullptr;
    DWORD threadId = 0;
    uintptr_t stackBase = 0;
    uintptr_t savedSp = 0;
    uint32_t safeRegionDepth = 0;  // parked while above 0
    // The stack words from where the region was entered, spilled registers
    // included: the blocking call that follows may keep a caller's
    // reference in a register it saves below savedSp.
    uintptr_t registerWindow[registerWindowWords] = {};
    uint32_t registerWindowCount = 0;
  };

  ThreadTable() = default;
  static void copyRegisterWindow(Slot& slot, uintptr_t stackPointer);

  template <class Call>
  static void invoke(void* call) {
    (*static_cast<Call*>(call))();
  }
  void runInSafeRegion(void (*call)(void*), void* context);
  static DWORD threadEntry(void* parameter);
  // On a started thread: before and after run.
  // False when the run that started the thread has closed (or a later run
  // began) before it first ran: its object is gone, so it must not be touched.
  bool beginThread(java_lang_Thread* thread);
  void endThread(java_lang_Thread* thread);

  // These need m_lock held.
  int32_t slotOf(const java_lang_Thread* thread) const;
  int32_t slotOfId(DWORD threadId) const;
  int32_t freeSlot() const;
  void waitWhileStopped(std::unique_lock<std::mutex>& lock);

  std::mutex m_lock;
  // Notified whenever a slot, a park or the stop changes.
  std::condition_variable m_changed;
  Slot m_slots[slotCount];
  bool m_stopRequested = false;
  // The collector that stopped the world may still pass safe regions (a
  // finaliser that sleeps) without waiting for itself.
  DWORD m_stopperId = 0;
  uint64_t m_run = 1;
};
