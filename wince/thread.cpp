#include "wince/thread.h"

#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <memory>

#include <unistd.h>

#include "wince/log.h"
#include "wince/wait_handles.h"
#include "wince/wait_object.h"

namespace wince {
namespace {

constexpr DWORD threadCallFailed = 0xFFFFFFFFu;

std::atomic<void (*)()> threadStartHook{nullptr};

StackBounds stackBoundsOf(pthread_t thread) {
  pthread_attr_t attributes;
  if (pthread_getattr_np(thread, &attributes) != 0) {
    logPrintf("thread: cannot read the stack bounds\n");
    return {};
  }
  void* lowest = nullptr;
  size_t size = 0;
  pthread_attr_getstack(&attributes, &lowest, &size);
  pthread_attr_destroy(&attributes);
  return {reinterpret_cast<uintptr_t>(lowest), reinterpret_cast<uintptr_t>(lowest) + size};
}

}  // namespace

class ThreadObject final : public WaitObject {
 public:
  ThreadObject(DWORD id, LPTHREAD_START_ROUTINE start, void* parameter, DWORD suspendCount)
      : m_id(id), m_start(start), m_parameter(parameter), m_suspendCount(suspendCount) {}

  ThreadObject* asThread() override { return this; }
  DWORD id() const { return m_id; }

  // On the new thread, before anything else: publishes its stack and lets
  // CreateThread return.
  void begin(StackBounds stack) {
    std::lock_guard lock(m_mutex);
    m_stack = stack;
    m_started = true;
    m_changed.notify_all();
  }

  void waitUntilStarted() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_started; });
  }

  void run() {
    {
      std::unique_lock lock(m_mutex);
      m_changed.wait(lock, [this] { return m_suspendCount == 0; });
    }
    if (void (*hook)() = threadStartHook.load(std::memory_order_acquire)) hook();
    m_start(m_parameter);
  }

  void finish() {
    {
      std::lock_guard lock(m_mutex);
      m_ended = true;
      m_changed.notify_all();
    }
    unregisterThreadId(m_id);
  }

  // Only the thread itself calls this, so its count is 0 on entry.
  DWORD suspendSelf() {
    std::unique_lock lock(m_mutex);
    const DWORD previous = m_suspendCount++;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return m_suspendCount == 0; });
    return previous;
  }

  DWORD suspendOther() {
    std::lock_guard lock(m_mutex);
    if (m_ended) {
      logPrintf("SuspendThread: thread 0x%X has ended\n", unsigned(m_id));
      return threadCallFailed;
    }
    if (m_suspendCount == 0) {
      if (!m_refusalLogged)
        logPrintf("SuspendThread: thread 0x%X is running; a thread can only suspend itself\n", unsigned(m_id));
      m_refusalLogged = true;  // callers retry in loops
      return threadCallFailed;
    }
    return m_suspendCount++;
  }

  DWORD resume() {
    std::lock_guard lock(m_mutex);
    if (m_suspendCount == 0) return 0;
    const DWORD previous = m_suspendCount--;
    if (m_suspendCount == 0) m_changed.notify_all();
    return previous;
  }

  bool waitUntilSuspended() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_suspendCount > 0 || m_ended; });
    return !m_ended;
  }

  StackBounds stackBounds() {
    std::lock_guard lock(m_mutex);
    return m_stack;
  }

  void setStackBounds(StackBounds stack) {
    std::lock_guard lock(m_mutex);
    m_stack = stack;
  }

  std::atomic<int> priority{THREAD_PRIORITY_NORMAL};

 protected:
  bool takeSignal() override { return m_ended; }

 private:
  const DWORD m_id;
  const LPTHREAD_START_ROUTINE m_start;
  void* const m_parameter;
  DWORD m_suspendCount;
  bool m_started = false;
  bool m_ended = false;
  bool m_refusalLogged = false;
  StackBounds m_stack;
};

namespace {

// Each thread's own reference to its object, kept in thread-specific data so
// that threads the stand-in did not create are let go when they exit.
using ThreadReference = std::shared_ptr<ThreadObject>;

void forgetAdoptedThread(void* value) {
  auto* reference = static_cast<ThreadReference*>(value);
  (*reference)->finish();
  delete reference;
}

pthread_key_t currentThreadKey() {
  static const pthread_key_t key = [] {
    pthread_key_t made;
    pthread_key_create(&made, forgetAdoptedThread);
    return made;
  }();
  return key;
}

ThreadObject& currentThread() {
  const pthread_key_t key = currentThreadKey();
  if (auto* reference = static_cast<ThreadReference*>(pthread_getspecific(key))) return **reference;
  // A thread the stand-in did not create: give it an object on first use.
  const DWORD id = newThreadId();
  auto* reference = new ThreadReference(std::make_shared<ThreadObject>(id, nullptr, nullptr, 0));
  (*reference)->setStackBounds(stackBoundsOf(pthread_self()));
  registerThreadId(id, *reference);
  pthread_setspecific(key, reference);
  return **reference;
}

void* threadEntry(void* argument) {
  auto* reference = static_cast<ThreadReference*>(argument);
  ThreadObject& thread = **reference;
  pthread_setspecific(currentThreadKey(), reference);
  thread.begin(stackBoundsOf(pthread_self()));
  thread.run();
  // Cleared first so the exit path does not finish the thread twice.
  pthread_setspecific(currentThreadKey(), nullptr);
  thread.finish();
  delete reference;
  return nullptr;
}

ThreadObject* findThread(HANDLE handle, std::shared_ptr<WaitObject>& holder, const char* caller) {
  holder = findHandle(handle);
  ThreadObject* thread = holder ? holder->asThread() : nullptr;
  if (!thread) logPrintf("%s: %p is not a thread\n", caller, handle);
  return thread;
}

}  // namespace

StackBounds currentThreadStackBounds() { return currentThread().stackBounds(); }

void setThreadStartHook(void (*hook)()) { threadStartHook.store(hook, std::memory_order_release); }

bool threadStackBounds(HANDLE handle, StackBounds* bounds) {
  std::shared_ptr<WaitObject> holder;
  ThreadObject* thread = findThread(handle, holder, "threadStackBounds");
  if (!thread) return false;
  *bounds = thread->stackBounds();
  return true;
}

bool waitUntilSuspended(HANDLE handle) {
  std::shared_ptr<WaitObject> holder;
  ThreadObject* thread = findThread(handle, holder, "waitUntilSuspended");
  return thread && thread->waitUntilSuspended();
}

}  // namespace wince

HANDLE CreateThread(void* /*attributes*/, DWORD stackSize, LPTHREAD_START_ROUTINE start, void* parameter,
                    DWORD creationFlags, DWORD* threadId) {
  if (!start) {
    logPrintf("CreateThread: no thread procedure\n");
    return nullptr;
  }
  if (creationFlags & ~CREATE_SUSPENDED)
    logPrintf("CreateThread: creation flags 0x%X ignored\n", unsigned(creationFlags & ~CREATE_SUSPENDED));

  const DWORD id = wince::newThreadId();
  auto thread = std::make_shared<wince::ThreadObject>(id, start, parameter, (creationFlags & CREATE_SUSPENDED) ? 1 : 0);
  wince::registerThreadId(id, thread);
  auto* reference = new wince::ThreadReference(thread);

  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  if (stackSize != 0) {
    const size_t pageSize = size_t(sysconf(_SC_PAGESIZE));
    const size_t size = std::max<size_t>(stackSize, PTHREAD_STACK_MIN);
    pthread_attr_setstacksize(&attributes, (size + pageSize - 1) / pageSize * pageSize);
  }
  pthread_t created;
  const int error = pthread_create(&created, &attributes, wince::threadEntry, reference);
  pthread_attr_destroy(&attributes);
  if (error != 0) {
    logPrintf("CreateThread: pthread_create failed (%d)\n", error);
    delete reference;
    wince::unregisterThreadId(id);
    return nullptr;
  }
  thread->waitUntilStarted();
  if (threadId) *threadId = id;
  return wince::addHandle(thread);
}

DWORD SuspendThread(HANDLE handle) {
  std::shared_ptr<wince::WaitObject> holder;
  wince::ThreadObject* thread = wince::findThread(handle, holder, "SuspendThread");
  if (!thread) return wince::threadCallFailed;
  if (thread == &wince::currentThread()) return thread->suspendSelf();
  return thread->suspendOther();
}

DWORD ResumeThread(HANDLE handle) {
  std::shared_ptr<wince::WaitObject> holder;
  wince::ThreadObject* thread = wince::findThread(handle, holder, "ResumeThread");
  return thread ? thread->resume() : wince::threadCallFailed;
}

DWORD GetCurrentThreadId() { return wince::currentThread().id(); }

HANDLE GetCurrentThread() { return wince::handleFromThreadId(GetCurrentThreadId()); }

BOOL SetThreadPriority(HANDLE handle, int priority) {
  std::shared_ptr<wince::WaitObject> holder;
  wince::ThreadObject* thread = wince::findThread(handle, holder, "SetThreadPriority");
  if (!thread) return FALSE;
  if (priority < THREAD_PRIORITY_TIME_CRITICAL || priority > THREAD_PRIORITY_IDLE) {
    logPrintf("SetThreadPriority: priority %d is outside 0..7; unchanged\n", priority);
    return FALSE;
  }
  thread->priority = priority;
  return TRUE;
}

int GetThreadPriority(HANDLE handle) {
  std::shared_ptr<wince::WaitObject> holder;
  wince::ThreadObject* thread = wince::findThread(handle, holder, "GetThreadPriority");
  return thread ? thread->priority.load() : THREAD_PRIORITY_ERROR_RETURN;
}
