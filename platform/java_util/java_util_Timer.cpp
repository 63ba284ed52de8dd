#include "platform/java_util/java_util_Timer.h"

#include "platform/java_util/java_util_Date.h"
#include "runtime/LiteralIds.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/thread/SynchronizedScope.h"
#include "wince/clock.h"

namespace {

String* literal(LiteralId id) { return literalOrNull(static_cast<int32_t>(id)); }

template <class Exception>
bool refuse(bool condition, LiteralId message) {
  if (condition) throwNew<Exception>(literal(message));
  return condition;
}

bool refuseNull(const void* object, const char* operation) {
  if (object != nullptr) return false;
  debugLog("NullPointerException: Timer.%s with null", operation);
  throwNew<java_lang_NullPointerException>(nullptr);
  return true;
}

}  // namespace

int64_t java_util_Timer::currentTimeMillis() { return static_cast<int64_t>(GetTickCount64()); }

void java_util_Timer::init() {
  queue = newObject<java_util_TaskQueue>();
  if (queue == nullptr) {
    debugLog("Timer: no room for its task queue, nothing will be scheduled");
    return;
  }
  thread = newObject<java_util_TimerThread>(queue);
  // Without a thread the first schedule makes one.
  if (thread != nullptr) thread->start();
}

void java_util_Timer::schedule(java_util_TimerTask* task, int64_t delay) {
  if (refuse<java_lang_IllegalArgumentException>(delay < 0, LiteralId::timerNegativeDelay)) return;
  sched(task, currentTimeMillis() + delay, 0);
}

void java_util_Timer::schedule(java_util_TimerTask* task, java_util_Date* time) {
  if (refuseNull(time, "schedule")) return;
  sched(task, time->getTime(), 0);
}

void java_util_Timer::schedule(java_util_TimerTask* task, int64_t delay, int64_t period) {
  if (refuse<java_lang_IllegalArgumentException>(delay < 0, LiteralId::timerNegativeDelay)) return;
  if (refuse<java_lang_IllegalArgumentException>(period <= 0, LiteralId::timerNonPositivePeriod)) return;
  sched(task, currentTimeMillis() + delay, -period);
}

void java_util_Timer::schedule(java_util_TimerTask* task, java_util_Date* firstTime, int64_t period) {
  if (refuse<java_lang_IllegalArgumentException>(period <= 0, LiteralId::timerNonPositivePeriod)) return;
  if (refuseNull(firstTime, "schedule")) return;
  sched(task, firstTime->getTime(), -period);
}

void java_util_Timer::scheduleAtFixedRate(java_util_TimerTask* task, int64_t delay, int64_t period) {
  if (refuse<java_lang_IllegalArgumentException>(delay < 0, LiteralId::timerNegativeDelay)) return;
  if (refuse<java_lang_IllegalArgumentException>(period <= 0, LiteralId::timerNonPositivePeriod)) return;
  sched(task, currentTimeMillis() + delay, period);
}

void java_util_Timer::scheduleAtFixedRate(java_util_TimerTask* task, java_util_Date* firstTime, int64_t period) {
  if (refuse<java_lang_IllegalArgumentException>(period <= 0, LiteralId::timerNonPositivePeriod)) return;
  if (refuseNull(firstTime, "scheduleAtFixedRate")) return;
  sched(task, firstTime->getTime(), period);
}

void java_util_Timer::sched(java_util_TimerTask* task, int64_t time, int64_t period) {
  if (refuseNull(task, "schedule")) return;
  if (refuse<java_lang_IllegalArgumentException>(time < 0, LiteralId::timerNegativeTime)) return;
  if (queue == nullptr) {
    debugLog("Timer: no task queue, the task is not scheduled");
    return;
  }
  SynchronizedScope queueLock(queue);
  const bool cancelled = m_cancelled != 0 || (thread != nullptr && !thread->newTasksMayBeScheduled);
  if (refuse<java_lang_IllegalStateException>(cancelled, LiteralId::timerCancelled)) return;
  if (thread == nullptr || thread->ended || !java_lang_Thread::isAlive(thread)) {
    java_util_TimerThread* replacement = newObject<java_util_TimerThread>(queue);
    if (replacement == nullptr) {
      debugLog("Timer: no room for a new timer thread, the task is not scheduled");
      return;
    }
    thread = replacement;
    thread->start();
  }
  {
    SynchronizedScope taskLock(task->lock);
    if (refuse<java_lang_IllegalStateException>(task->state != java_util_TimerTask::VIRGIN,
                                                LiteralId::timerTaskNotNew))
      return;
    task->nextExecutionTime = time;
    task->period = period;
    task->state = java_util_TimerTask::SCHEDULED;
  }
  if (!queue->add(task)) {
    SynchronizedScope taskLock(task->lock);
    task->state = java_util_TimerTask::VIRGIN;
    return;
  }
  if (queue->getMin() == task) Object::notify(queue, 1);
}

void java_util_Timer::cancel() {
  m_cancelled = 1;
  if (queue == nullptr) return;
  SynchronizedScope queueLock(queue);
  if (thread != nullptr) thread->newTasksMayBeScheduled = false;
  queue->clear();
  Object::notify(queue, 1);
}
