#pragma once
// java_util_TimerThread (class id 65): the Timer's background thread. It runs
// the queue's tasks as they fall due, with no monitor held while a task
// runs, and ends when the timer is cancelled or after 30 seconds with
// nothing to do (the Timer then starts a new one).
#include <cstdint>

#include "platform/java_util/java_util_TaskQueue.h"
#include "runtime/thread/java_lang_Thread.h"

class java_util_TimerThread : public java_lang_Thread {
 public:
  using Super = java_lang_Thread;
  static constexpr uint16_t classId = classid::java_util_TimerThread;
  static constexpr auto referenceFields() { return ReferenceFieldList{&java_util_TimerThread::queue}; }

  static constexpr int64_t idleWaitMillis = 30000;

  void init(java_util_TaskQueue* taskQueue);

  void run() override;

  bool newTasksMayBeScheduled;
  java_util_TaskQueue* queue;
  // Set, under the queue's monitor, once the loop has decided to end: the
  // thread may still count as alive, but it will run nothing more.
  bool ended;

 private:
  void mainLoop();
};
