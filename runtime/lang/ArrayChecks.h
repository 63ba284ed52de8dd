#pragma once
// The checks that arrays, strings and string buffers share. A failed check
// logs and the operation answers a safe result; an index outside its range
// also raises the exception the Java ME API names for it.
#include <cstdint>

// Logs the message and a stack trace, as every runtime check does.
void logFailedCheck(const char* message);

// Raise the exception the Java ME API names for an index or range outside
// its array, string or buffer (no StringIndexOutOfBoundsException exists here,
// so strings raise its superclass), after a log line naming the operation.
// The caller then returns a safe result at once.
void raiseArrayIndexOutOfBounds(const char* operation, int64_t index);
void raiseIndexOutOfBounds(const char* operation, int64_t index);

// True when [begin, begin + count) lies inside [0, size); no overflow for any
// 32-bit inputs.
constexpr bool rangeInside(int32_t begin, int32_t count, int32_t size) {
  return begin >= 0 && count >= 0 && int64_t{begin} + count <= int64_t{size};
}
