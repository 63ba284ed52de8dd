#pragma once
// java_util_Timer (class id 63): schedules TimerTasks on one background
// thread, once, at a fixed delay or at a fixed rate. Times are on the tick
// count (milliseconds since the device started); a Date gives its own time.
#include <cstdint>

#include "platform/java_util/java_util_TaskQueue.h"
#include "platform/java_util/java_util_TimerThread.h"
#include "runtime/object/Object.h"

class java_util_Date;

class java_util_Timer : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Timer;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&java_util_Timer::queue, &java_util_Timer::thread};
  }

  // Makes the queue and starts the thread. Without room for the queue the
  // timer schedules nothing (logged); without a thread the first schedule
  // makes one.
  void init();

  // A negative delay or a period below 1 raises IllegalArgumentException; a
  // task scheduled before, a cancelled task or a cancelled timer
  // IllegalStateException.
  void schedule(java_util_TimerTask* task, int64_t delay);
  void schedule(java_util_TimerTask* task, java_util_Date* time);
  void schedule(java_util_TimerTask* task, int64_t delay, int64_t period);
  void schedule(java_util_TimerTask* task, java_util_Date* firstTime, int64_t period);
  void scheduleAtFixedRate(java_util_TimerTask* task, int64_t delay, int64_t period);
  void scheduleAtFixedRate(java_util_TimerTask* task, java_util_Date* firstTime, int64_t period);
  // Drops every scheduled task; the thread ends.
  void cancel();

  // The tick count the schedules count from.
  static int64_t currentTimeMillis();

  java_util_TaskQueue* queue;
  java_util_TimerThread* thread;
  // Set by cancel, also when the timer has no thread to tell.
  uint8_t m_cancelled;

 private:
  void sched(java_util_TimerTask* task, int64_t time, int64_t period);
};
