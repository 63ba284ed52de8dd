#pragma once
// Byte arrays and pending exceptions for the stream tests.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/Application.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"

namespace streamtest {

inline ByteArray* byteArrayOf(const std::vector<uint8_t>& bytes) {
  ByteArray* array = newByteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) array->elements()[i] = static_cast<int8_t>(bytes[i]);
  return array;
}

inline std::vector<uint8_t> bytesOf(ByteArray* array, int32_t count = -1) {
  if (count < 0) count = array->length();
  return std::vector<uint8_t>(array->elements(), array->elements() + count);
}

inline std::u16string textOf(String* text) { return std::u16string(text->characters(), static_cast<size_t>(text->length())); }

}  // namespace streamtest
