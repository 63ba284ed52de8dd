#include "runtime/lang/DebugLog.h"

#include <cstdarg>
#include <cstdio>

#include "wince/log.h"

void debugLog(const char* format, ...) {
  char line[1024];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
  logPrintf("%s\n", line);
}
