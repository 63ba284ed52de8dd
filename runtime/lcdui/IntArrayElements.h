#pragma once
// An int[] as the kernels take it: element pointer and count. Only a null
// array answers null; an empty one (no storage) answers a pointer to no
// elements, so the kernels report its every element as outside it.
#include <cstddef>
#include <cstdint>

#include "runtime/lang/Arrays.h"

namespace lcdui {

struct IntArrayElements {
  int32_t* elements = nullptr;
  size_t length = 0;
};

// Valid until the next allocation.
inline IntArrayElements intArrayElements(IntArray* array) {
  static int32_t noElements[1];
  if (array == nullptr) return {};
  if (array->elements() == nullptr) return {noElements, 0};
  return {array->elements(), size_t(array->length())};
}

}  // namespace lcdui
