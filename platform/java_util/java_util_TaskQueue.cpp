#include "platform/java_util/java_util_TaskQueue.h"

#include "runtime/lang/ArrayCopy.h"
#include "runtime/lang/DebugLog.h"

void java_util_TaskQueue::init() { queue = newObjectArray(4); }

bool java_util_TaskQueue::add(java_util_TimerTask* task) {
  if (size + 1 == queue->length()) {
    const int32_t longer = queue->length() * 2;
    ObjectArray* grown = newObjectArray(longer);
    if (grown == nullptr || grown->length() != longer) {
      debugLog("Timer: no room for %d tasks, the task is not scheduled", longer);
      return false;
    }
    arraycopy(queue, 0, grown, 0, size + 1);
    queue = grown;
  }
  queue->set(++size, task);
  fixUp(size);
  return true;
}

void java_util_TaskQueue::removeMin() {
  queue->set(1, queue->get(size));
  queue->set(size, nullptr);
  --size;
  fixDown(1);
}

void java_util_TaskQueue::rescheduleMin(int64_t newTime) {
  getMin()->nextExecutionTime = newTime;
  fixDown(1);
}

void java_util_TaskQueue::clear() {
  for (int32_t i = 1; i <= size; ++i) queue->set(i, nullptr);
  size = 0;
}

void java_util_TaskQueue::swap(int32_t first, int32_t second) {
  Object* held = queue->get(first);
  queue->set(first, queue->get(second));
  queue->set(second, held);
}

void java_util_TaskQueue::fixUp(int32_t slot) {
  while (slot > 1) {
    const int32_t parent = slot / 2;
    if (timeAt(parent) <= timeAt(slot)) break;
    swap(parent, slot);
    slot = parent;
  }
}

void java_util_TaskQueue::fixDown(int32_t slot) {
  for (int32_t child = 2 * slot; child <= size && child > 0; child = 2 * slot) {
    if (child < size && timeAt(child) > timeAt(child + 1)) ++child;
    if (timeAt(slot) <= timeAt(child)) break;
    swap(slot, child);
    slot = child;
  }
}
