#pragma once
// java_util_TimerTask (class id 64): a Runnable that a Timer runs once or
// repeatedly. Its own lock guards its state and times; a task is scheduled
// once at most.
#include <cstdint>

#include "runtime/lang/java_lang_Runnable.h"
#include "runtime/object/Object.h"

class java_util_TimerTask : public Object, public java_lang_Runnable {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_TimerTask;
  static constexpr auto referenceFields() { return ReferenceFieldList{&java_util_TimerTask::lock}; }

  static constexpr int32_t VIRGIN = 0;
  static constexpr int32_t SCHEDULED = 1;
  static constexpr int32_t EXECUTED = 2;
  static constexpr int32_t CANCELLED = 3;

  // A subclass's init calls this first.
  void init();

  void* lookupInterface(int32_t interfaceId) override;

  // True when the task was scheduled and had runs to come.
  bool cancel();
  // The due time of the latest run (or of the run under way).
  int64_t scheduledExecutionTime();

  Object* lock;
  int32_t state;
  int64_t nextExecutionTime;  // on the tick count, milliseconds
  int64_t period;             // 0 once; > 0 fixed rate; < 0 fixed delay of -period
};
