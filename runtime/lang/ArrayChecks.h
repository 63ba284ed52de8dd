#pragma once
// The checks that arrays, strings and string buffers share. A failed check
// logs and the operation answers a safe result. Element access and text
// indices never raise: game code looks for a pending exception only after
// calls, so one left by an element access would surface at an unrelated
// check and reach the wrong handler. The platform classes whose API names an
// index exception (Vector, RecordStore, the streams) raise it.
#include <cstdint>

// Logs the message and a stack trace, as every runtime check does.
void logFailedCheck(const char* message);

// An index or range outside an array's elements or a text's characters: a
// line naming the operation and the index, then the check's message and a
// stack trace. The caller answers 0 (or stores nothing) at once.
void logArrayIndexOutside(const char* operation, int64_t index);
void logTextIndexOutside(const char* operation, int64_t index);

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
