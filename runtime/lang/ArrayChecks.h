#pragma once
// The checks that arrays, strings and string buffers share. A failed check
// logs and the operation answers a safe result; an index outside its range
// also raises the exception the Java ME API names for it.
#include <cstdint>

// Logs the message and a stack trace, as every runtime check does.
void logFailedCheck(const char* message);

// Raises the index exception of the class id (ArrayIndexOutOfBoundsException
// or IndexOutOfBoundsException) for the index or range given in the text.
void raiseIndexOutOfBounds(uint16_t exceptionClassId, const char* operation, int64_t index);

// True when [begin, begin + count) lies inside [0, size); no overflow for any
// 32-bit inputs.
constexpr bool rangeInside(int32_t begin, int32_t count, int32_t size) {
  return begin >= 0 && count >= 0 && int64_t{begin} + count <= int64_t{size};
}
