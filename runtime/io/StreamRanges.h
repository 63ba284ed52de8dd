#pragma once
// The range test every byte-array stream operation makes before it touches
// the array: a null array logs "NullPointer", a range outside it raises
// IndexOutOfBoundsException. Either way the operation does nothing.
#include <cstdint>

#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/Arrays.h"

inline bool streamRangeInside(ByteArray* bytes, int32_t offset, int32_t length, const char* operation) {
  if (bytes == nullptr) {
    logFailedCheck("NullPointer");
    return false;
  }
  if (!rangeInside(offset, length, bytes->length())) {
    raiseIndexOutOfBounds(operation, offset);
    return false;
  }
  return true;
}

// The wrapped stream of a filter is missing.
inline bool streamPresent(const void* stream) {
  if (stream != nullptr) return true;
  logFailedCheck("NullPointer");
  return false;
}
