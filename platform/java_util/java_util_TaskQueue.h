#pragma once
// java_util_TaskQueue (class id 62): the Timer's tasks as a binary heap on
// their next execution times, earliest in slot 1 (slot 0 is never used).
// Every operation is called with the queue's monitor held.
#include <cstdint>

#include "platform/java_util/java_util_TimerTask.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/object/Object.h"

class java_util_TaskQueue : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_TaskQueue;
  static constexpr auto referenceFields() { return ReferenceFieldList{&java_util_TaskQueue::queue}; }

  void init();

  // False (nothing added) when there is no room to grow the heap.
  bool add(java_util_TimerTask* task);
  java_util_TimerTask* getMin() { return taskAt(1); }
  void removeMin();
  void rescheduleMin(int64_t newTime);
  bool isEmpty() { return size == 0; }
  void clear();

  ObjectArray* queue;
  int32_t size;

 private:
  java_util_TimerTask* taskAt(int32_t slot) { return static_cast<java_util_TimerTask*>(queue->get(slot)); }
  int64_t timeAt(int32_t slot) { return taskAt(slot)->nextExecutionTime; }
  void swap(int32_t first, int32_t second);
  void fixUp(int32_t slot);
  void fixDown(int32_t slot);
};
