#include "platform/java_util/java_util_TimerThread.h"

#include "platform/java_util/java_util_Timer.h"
#include "runtime/Application.h"
#include "runtime/exceptions/ThreadExceptionState.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/thread/SynchronizedScope.h"

void java_util_TimerThread::init(java_util_TaskQueue* taskQueue) {
  java_lang_Thread::init();
  newTasksMayBeScheduled = true;
  queue = taskQueue;
}

void java_util_TimerThread::run() { mainLoop(); }

void java_util_TimerThread::mainLoop() {
  for (;;) {
    java_util_TimerTask* task;
    bool fired;
    {
      SynchronizedScope queueLock(queue);
      if (queue->isEmpty() && newTasksMayBeScheduled) Object::wait(queue, idleWaitMillis, 0);
      if (queue->isEmpty()) {
        // Decided under the monitor, so that a task scheduled from now on
        // finds the flag and starts a new thread.
        ended = true;
        return;
      }
      task = queue->getMin();
      int64_t now, due;
      {
        SynchronizedScope taskLock(task->lock);
        if (task->state == java_util_TimerTask::CANCELLED) {
          queue->removeMin();
          continue;
        }
        now = java_util_Timer::currentTimeMillis();
        due = task->nextExecutionTime;
        fired = due <= now;
        if (fired) {
          if (task->period == 0) {
            queue->removeMin();
            task->state = java_util_TimerTask::EXECUTED;
          } else {
            queue->rescheduleMin(task->period < 0 ? now - task->period : due + task->period);
          }
        }
      }
      if (!fired) Object::wait(queue, due - now, 0);
    }
    if (fired) {
      task->run();
      // A failing task is reported here and costs no other task its run.
      ThreadExceptionState& state = thisThreadsExceptionState();
      if (state.pending != nullptr) {
        debugLog("Timer: a task raised an exception of class %d; the timer goes on",
                 static_cast<int16_t>(state.pending->getClassId()));
        state.pending = nullptr;
      }
    }
  }
}
