#include "platform/java_util/java_util_TimerTask.h"

#include "runtime/object/ObjectFactory.h"
#include "runtime/thread/SynchronizedScope.h"

void java_util_TimerTask::init() { lock = newObject<Object>(); }

void* java_util_TimerTask::lookupInterface(int32_t interfaceId) {
  return interfaceId == classid::java_lang_Runnable ? static_cast<java_lang_Runnable*>(this) : nullptr;
}

bool java_util_TimerTask::cancel() {
  SynchronizedScope guard(lock);
  const bool hadRunsToCome = state == SCHEDULED;
  state = CANCELLED;
  return hadRunsToCome;
}

int64_t java_util_TimerTask::scheduledExecutionTime() {
  SynchronizedScope guard(lock);
  return period < 0 ? nextExecutionTime + period : nextExecutionTime - period;
}
