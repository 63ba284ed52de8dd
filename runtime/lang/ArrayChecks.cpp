#include "runtime/lang/ArrayChecks.h"

#include "runtime/Application.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/lang/DebugLog.h"

void logFailedCheck(const char* message) {
  debugLog("%s", message);
  if (Application* application = Application::get()) application->printStackTrace();
}

void logArrayIndexOutside(const char* operation, int64_t index) {
  debugLog("%s %lld", operation, static_cast<long long>(index));
  logFailedCheck("array index OOB");
}

void logTextIndexOutside(const char* operation, int64_t index) {
  debugLog("%s %lld", operation, static_cast<long long>(index));
  logFailedCheck("charAt OOB");
}

void raiseArrayIndexOutOfBounds(const char* operation, int64_t index) {
  debugLog("ArrayIndexOutOfBoundsException: %s %lld", operation, static_cast<long long>(index));
  throwNew<java_lang_ArrayIndexOutOfBoundsException>(static_cast<int32_t>(index));
}

void raiseIndexOutOfBounds(const char* operation, int64_t index) {
  debugLog("IndexOutOfBoundsException: %s %lld", operation, static_cast<long long>(index));
  throwNew<java_lang_IndexOutOfBoundsException>();
}
