#include "runtime/lang/ArrayChecks.h"

#include "runtime/Application.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/ClassTable.h"

void logFailedCheck(const char* message) {
  debugLog("%s", message);
  if (Application* application = Application::get()) application->printStackTrace();
}

void raiseIndexOutOfBounds(uint16_t exceptionClassId, const char* operation, int64_t index) {
  const char* name = exceptionClassId == classid::java_lang_ArrayIndexOutOfBoundsException
                         ? "ArrayIndexOutOfBoundsException"
                         : "IndexOutOfBoundsException";
  debugLog("%s: %s %lld", name, operation, static_cast<long long>(index));
  // Seam: the pending exception is raised here once the exception classes exist.
}
