#include "runtime/thread/ThreadTable.h"

#include <algorithm>
#include <chrono>
#include <new>

#include "runtime/Application.h"
#include "runtime/gc/ObjectManager.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/java_lang_Runnable.h"
#include "runtime/net/BlockingCallScope.h"
#include "runtime/thread/MonitorTable.h"
#include "runtime/thread/java_lang_Thread.h"
#include "wince/clock.h"
#include "wince/thread.h"
#include "wince/wait.h"

namespace {

constexpr DWORD callFailed = 0xFFFFFFFFu;
constexpr auto watchdogPeriod = std::chrono::seconds(5);

// The run the calling thread is registered in; 0 when it is not.
thread_local uint64_t registeredRun = 0;

alignas(java_lang_Thread) unsigned char uiThreadStorage[sizeof(java_lang_Thread)];

uintptr_t currentStackTop() { return wince::currentThreadStackBounds().highest; }

}  // namespace

ThreadTable& ThreadTable::instance() {
  // Never destroyed: threads stopped for good still wait on it at exit.
  static ThreadTable* table = [] {
    // Long network calls are safe regions too.
    BlockingCallScope::installHooks(+[] { instance().enterSafeRegion(); }, +[] { instance().leaveSafeRegion(); });
    return new ThreadTable;
  }();
  return *table;
}

void ThreadTable::beginRun() {
  std::lock_guard lock(m_lock);
  ++m_run;
  for (Slot& slot : m_slots) slot = Slot{};
  m_stopRequested = false;
  m_stopperId = 0;
  registeredRun = 0;
  m_changed.notify_all();
}

void ThreadTable::endRun() { registeredRun = 0; }

int32_t ThreadTable::slotOf(const java_lang_Thread* thread) const {
  for (int32_t i = 0; i < slotCount; ++i) {
    if (m_slots[i].thread == thread) return i;
  }
  return -1;
}

int32_t ThreadTable::slotOfId(DWORD threadId) const {
  for (int32_t i = 0; i < slotCount; ++i) {
    if (m_slots[i].thread != nullptr && m_slots[i].threadId == threadId) return i;
  }
  return -1;
}

int32_t ThreadTable::freeSlot() const { return slotOf(nullptr); }

int32_t ThreadTable::findThread(const java_lang_Thread* thread) {
  if (thread == nullptr) return -1;
  std::lock_guard lock(m_lock);
  return slotOf(thread);
}

int32_t ThreadTable::findThreadById(DWORD threadId) {
  std::lock_guard lock(m_lock);
  return slotOfId(threadId);
}

java_lang_Thread* ThreadTable::registerUiThread() {
  const DWORD id = GetCurrentThreadId();
  std::lock_guard lock(m_lock);
  if (m_slots[0].thread != nullptr) {
    debugLog("ThreadTable: slot 0 already holds the UI thread");
    return nullptr;
  }
  auto* thread = ::new (uiThreadStorage) java_lang_Thread();
  thread->setUpHeader(java_lang_Thread::classId);
  thread->setCollectable(0);
  thread->m_priority = 9 - GetThreadPriority(GetCurrentThread());
  m_slots[0] = Slot{thread, wince::handleFromThreadId(id), id, currentStackTop(), 0, 0};
  registeredRun = m_run;
  return thread;
}

int32_t ThreadTable::registerCurrentThread(java_lang_Thread* thread) {
  const DWORD id = GetCurrentThreadId();
  std::lock_guard lock(m_lock);
  if (const int32_t known = slotOfId(id); known >= 0) return known;
  const int32_t index = freeSlot();
  if (thread == nullptr || index < 0) return -1;
  m_slots[index] = Slot{thread, wince::handleFromThreadId(id), id, currentStackTop(), 0, 0};
  registeredRun = m_run;
  return index;
}

void ThreadTable::unregisterCurrentThread() {
  const DWORD id = GetCurrentThreadId();
  std::lock_guard lock(m_lock);
  if (const int32_t index = slotOfId(id); index >= 0) m_slots[index] = Slot{};
  registeredRun = 0;
  m_changed.notify_all();
}

DWORD ThreadTable::start(java_lang_Thread* thread) {
  if (thread == nullptr) {
    debugLog("NullPointer");
    if (Application* application = Application::get()) application->printStackTrace();
    return callFailed;
  }
  int32_t index;
  {
    std::lock_guard lock(m_lock);
    if (slotOf(thread) >= 0) return 0;  // started before: not started twice
    index = freeSlot();
    if (index < 0) {
      debugLog("java_lang_Thread::start(): all %d thread slots are taken; the thread is not started", slotCount);
      return callFailed;
    }
    // Reserved before the thread exists, so that a full table creates none.
    // Until it runs it counts as parked, with nothing on its stack yet. From
    // here until its run ends the slot keeps it (and marks its target).
    m_slots[index] = Slot{thread, nullptr, 0, 0, 0, 1};
    thread->setCollectable(0);
  }
  DWORD threadId = 0;
  HANDLE handle = CreateThread(nullptr, 0, &ThreadTable::threadEntry, thread, CREATE_SUSPENDED, &threadId);
  std::unique_lock lock(m_lock);
  if (handle == nullptr) {
    m_slots[index] = Slot{};
    thread->setCollectable(1);
    m_changed.notify_all();
    debugLog("java_lang_Thread::start(): the platform thread could not be created");
    return callFailed;
  }
  m_slots[index].handle = handle;
  m_slots[index].threadId = threadId;
  lock.unlock();
  // A priority set before start found no thread to give it to.
  const int32_t priority = thread->m_priority;
  if (priority >= 1 && priority <= 9) SetThreadPriority(handle, std::min(9 - priority, 7));
  return ResumeThread(handle);
}

DWORD ThreadTable::threadEntry(void* parameter) {
  auto* thread = static_cast<java_lang_Thread*>(parameter);
  ThreadTable& table = instance();
  if (!table.beginThread(thread)) return 0;
  Object* runnableObject = thread->m_target != nullptr ? thread->m_target : thread;
  if (auto* runnable = static_cast<java_lang_Runnable*>(runnableObject->lookupInterface(classid::java_lang_Runnable))) {
    runnable->run();
  } else {
    debugLog("java_lang_Thread: class %d has no run", static_cast<int16_t>(runnableObject->getClassId()));
  }
  ThreadExceptionState& state = thisThreadsExceptionState();
  if (state.pending != nullptr) {
    debugLog("java_lang_Thread: thread 0x%X ended with an uncaught exception of class %d", unsigned(GetCurrentThreadId()),
             static_cast<int16_t>(state.pending->getClassId()));
    state.pending = nullptr;
  }
  table.endThread(thread);
  return 0;
}

bool ThreadTable::beginThread(java_lang_Thread* thread) {
  const uintptr_t top = currentStackTop();
  std::unique_lock lock(m_lock);
  // Found by id, not by object: a later run may hold a new thread at the
  // address of this one's freed object. The id is set before the resume.
  const int32_t index = slotOfId(GetCurrentThreadId());
  if (index < 0 || m_slots[index].thread != thread) return false;
  registeredRun = m_run;
  m_slots[index].stackBase = top;
  // Leaves the park it was created in.
  waitWhileStopped(lock);
  m_slots[index].safeRegionDepth = 0;
  return true;
}

__attribute__((noinline)) void ThreadTable::endThread(java_lang_Thread* thread) {
  std::unique_lock lock(m_lock);
  const int32_t index = slotOf(thread);
  if (index < 0) return;
  // A collection may be marking this object's header: wait it out, parked.
  Slot& slot = m_slots[index];
  slot.savedSp = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
  slot.registerWindowCount = 0;
  slot.safeRegionDepth = 1;
  m_changed.notify_all();
  waitWhileStopped(lock);
  thread->setCollectable(1);
  HANDLE handle = slot.handle;
  slot = Slot{};
  registeredRun = 0;
  m_changed.notify_all();
  lock.unlock();
  CloseHandle(handle);
}

java_lang_Thread* ThreadTable::currentThread() {
  const DWORD id = GetCurrentThreadId();
  std::lock_guard lock(m_lock);
  const int32_t index = slotOfId(id);
  return index >= 0 ? m_slots[index].thread : nullptr;
}

void ThreadTable::sleep(int64_t milliseconds) {
  const bool stopping = stopRequested();
  if (stopping) debugLog("java_lang_Thread::sleep(): thread 0x%X suspending...", unsigned(GetCurrentThreadId()));
  // The whole sleep is a safe region: a stop that comes meanwhile costs no
  // extra time, and one that lasts longer than the sleep returns at once
  // when it ends. Negative sleeps return at once; huge ones are clamped.
  const DWORD duration = milliseconds <= 0 ? 0 : static_cast<DWORD>(std::min<int64_t>(milliseconds, INT32_MAX));
  runInSafeRegion([duration] { Sleep(duration); });
  if (stopping) debugLog("java_lang_Thread::sleep(): thread 0x%X is awake", unsigned(GetCurrentThreadId()));
}

bool ThreadTable::waitUntilEnded(const java_lang_Thread* thread, uint32_t timeoutMilliseconds) {
  bool ended = false;
  runInSafeRegion([&] {
    std::unique_lock lock(m_lock);
    ended = m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMilliseconds), [&] { return slotOf(thread) < 0; });
  });
  return ended;
}

bool ThreadTable::isAlive(const java_lang_Thread* thread) { return findThread(thread) >= 0; }

int32_t ThreadTable::activeCount() {
  std::lock_guard lock(m_lock);
  return static_cast<int32_t>(
      std::count_if(std::begin(m_slots), std::end(m_slots), [](const Slot& slot) { return slot.thread != nullptr; }));
}

void ThreadTable::setPriority0(const java_lang_Thread* thread, int32_t priority) {
  HANDLE handle;
  {
    std::lock_guard lock(m_lock);
    const int32_t index = thread != nullptr ? slotOf(thread) : -1;
    if (index < 0 || m_slots[index].handle == nullptr) return;
    handle = m_slots[index].handle;
  }
  // 1 -> idle (7), 5 -> 4, 9 -> time-critical (0); 10 gives -1, which the
  // platform refuses, so the thread keeps its priority.
  SetThreadPriority(handle, std::min(9 - priority, 7));
}

void ThreadTable::runInSafeRegion(void (*call)(void*), void* context) {
  enterSafeRegion();
  call(context);
  leaveSafeRegion();
}

namespace {

// Its frame lies below every frame of its caller.
__attribute__((noinline)) uintptr_t stackPointerBelowCaller() {
  return reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
}

}  // namespace

// Reads stack words that may be red zones of the sanitizer.
__attribute__((no_sanitize("address"))) void ThreadTable::copyRegisterWindow(Slot& slot, uintptr_t stackPointer) {
  const uintptr_t available = slot.stackBase > stackPointer ? (slot.stackBase - stackPointer) / sizeof(uintptr_t) : 0;
  slot.registerWindowCount = static_cast<uint32_t>(std::min<uintptr_t>(available, registerWindowWords));
  const auto* words = reinterpret_cast<const volatile uintptr_t*>(stackPointer);
  for (uint32_t i = 0; i < slot.registerWindowCount; ++i) slot.registerWindow[i] = words[i];
}

__attribute__((noinline)) void ThreadTable::enterSafeRegion() {
  // Every callee-saved register goes into this frame, which the window
  // copied below covers.
  __builtin_unwind_init();
  const uintptr_t stackPointer = stackPointerBelowCaller();
  const DWORD id = GetCurrentThreadId();
  std::lock_guard lock(m_lock);
  const int32_t index = slotOfId(id);
  if (index < 0) return;
  Slot& slot = m_slots[index];
  if (slot.safeRegionDepth++ == 0) {
    copyRegisterWindow(slot, stackPointer);
    slot.savedSp = stackPointer;
    m_changed.notify_all();
  }
}

void ThreadTable::leaveSafeRegion() {
  const DWORD id = GetCurrentThreadId();
  std::unique_lock lock(m_lock);
  const int32_t index = slotOfId(id);
  if (index < 0) {
    if (registeredRun != 0 && registeredRun != m_run) waitWhileStopped(lock);
    return;
  }
  waitWhileStopped(lock);
  Slot& slot = m_slots[index];
  if (slot.safeRegionDepth > 0 && --slot.safeRegionDepth == 0) slot.savedSp = 0;
}

void ThreadTable::waitWhileStopped(std::unique_lock<std::mutex>& lock) {
  const DWORD id = GetCurrentThreadId();
  // A thread of a closed run waits here for good: its objects are gone.
  m_changed.wait(lock, [&] {
    return (!m_stopRequested || m_stopperId == id) && (registeredRun == 0 || registeredRun == m_run);
  });
}

void ThreadTable::stopTheWorld() {
  const DWORD id = GetCurrentThreadId();
  std::unique_lock lock(m_lock);
  __atomic_store_n(&m_stopRequested, true, __ATOMIC_RELEASE);
  m_stopperId = id;
  const auto started = std::chrono::steady_clock::now();
  for (;;) {
    const Slot* running = nullptr;
    for (const Slot& slot : m_slots) {
      if (slot.thread != nullptr && slot.threadId != id && slot.safeRegionDepth == 0) {
        running = &slot;
        break;
      }
    }
    if (running == nullptr) return;
    if (m_changed.wait_for(lock, watchdogPeriod) == std::cv_status::timeout) {
      const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
      debugLog("ThreadTable::stopTheWorld(): thread 0x%X has not parked for %lld ms", unsigned(running->threadId),
               static_cast<long long>(waited.count()));
    }
  }
}

void ThreadTable::resumeTheWorld() {
  std::lock_guard lock(m_lock);
  __atomic_store_n(&m_stopRequested, false, __ATOMIC_RELEASE);
  m_stopperId = 0;
  m_changed.notify_all();
}

void ThreadTable::markThreadRoots(ObjectManager& manager) {
  const DWORD id = GetCurrentThreadId();
  std::lock_guard lock(m_lock);
  for (const Slot& slot : m_slots) {
    if (slot.thread == nullptr) continue;
    // The UI thread's object lives outside the heap, where no collection
    // clears its marks.
    if (static_cast<void*>(slot.thread) == uiThreadStorage) slot.thread->clearMarks();
    manager.mark(slot.thread);
    if (slot.threadId != id && slot.safeRegionDepth > 0 && slot.savedSp != 0 && slot.stackBase != 0) {
      manager.scanRange(reinterpret_cast<const void*>(slot.savedSp), reinterpret_cast<const void*>(slot.stackBase));
      manager.scanRange(slot.registerWindow, slot.registerWindow + slot.registerWindowCount);
    }
  }
}

void ThreadTable::releaseMonitor(Object* object) { MonitorTable::instance().release(object); }

int32_t ThreadTable::runningThreadIds(DWORD* ids, int32_t capacity) {
  std::lock_guard lock(m_lock);
  int32_t count = 0;
  for (const Slot& slot : m_slots) {
    if (slot.thread != nullptr && slot.threadId != 0 && slot.safeRegionDepth == 0 && count < capacity) {
      ids[count++] = slot.threadId;
    }
  }
  return count;
}
