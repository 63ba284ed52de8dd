// The Application's pending-exception operations, all on the calling thread's
// state.
#include "runtime/Application.h"
#include "runtime/exceptions/java_lang_Throwable.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"

void Application::throwPending(Object* exception) {
  if (exception == nullptr) {
    debugLog("throw of a null exception");
    printStackTrace();
    return;
  }
  if (Object::instanceOf(exception, classid::java_lang_Throwable) != 0) {
    // The exception is only referenced from this frame while the trace is
    // made; the stack scan keeps it.
    String* trace = newString(stackTraceText().c_str());
    static_cast<java_lang_Throwable*>(exception)->m_trace = trace;
  } else {
    debugLog("throw of an object of class %d, which is not a Throwable", static_cast<int16_t>(exception->getClassId()));
  }
  thisThreadsExceptionState().pending = exception;
}

int32_t Application::checkPending(uint32_t site) {
  ThreadExceptionState& state = thisThreadsExceptionState();
  if (state.pending == nullptr) return 0;
  state.pendingSite = site;
  return 1;
}

int32_t Application::findHandler(const HandlerTableEntry* table) {
  ThreadExceptionState& state = thisThreadsExceptionState();
  if (table == nullptr || state.pending == nullptr) return -1;
  for (int32_t index = 0; table[index].caughtClassId != 0; ++index) {
    const HandlerTableEntry& entry = table[index];
    if (state.pendingSite < entry.firstSite || state.pendingSite >= entry.endSite) continue;
    if (Object::instanceOf(state.pending, static_cast<int32_t>(entry.caughtClassId)) == 0) continue;
    state.pending = nullptr;
    return index;
  }
  return -1;
}
