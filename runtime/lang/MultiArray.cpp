#include "runtime/lang/MultiArray.h"

#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

namespace {

// The array that the descriptor character after the next '[' names.
Object* newLeafArray(const char* descriptor, int32_t length) {
  while (*descriptor != '\0' && *descriptor != '[') ++descriptor;
  const char kind = *descriptor == '[' ? descriptor[1] : '\0';
  switch (kind) {
    case 'B': return newByteArray(length);
    case 'C': return newCharArray(length);
    case 'D': return newDoubleArray(length);
    case 'F': return newFloatArray(length);
    case 'I': return newIntArray(length);
    case 'J': return newLong64Array(length);
    case 'S': return newShortArray(length);
    case 'Z': return newBoolArray(length);
    default: return newObjectArray(length);
  }
}

const char* pastFirstBracket(const char* descriptor) {
  while (*descriptor != '\0' && *descriptor != '[') ++descriptor;
  return *descriptor == '[' ? descriptor + 1 : descriptor;
}

// Fills every element of array with the next level; the element storage is
// re-read at each store because creating a level may move it.
void fillLevels(ObjectArray* array, const char* descriptor, const int32_t* lengths, int32_t remaining) {
  if (remaining == 0) return;
  for (int32_t i = 0; i < array->m_length; ++i) {
    Object* element;
    if (remaining == 1) {
      element = newLeafArray(descriptor, lengths[0]);
    } else {
      ObjectArray* level = newObjectArray(lengths[0]);
      if (level != nullptr) fillLevels(level, pastFirstBracket(descriptor), lengths + 1, remaining - 1);
      element = level;
    }
    array->set(i, element);
  }
}

}  // namespace

ObjectArray* newMultiArray(const char* descriptor, const int32_t* lengths, int32_t dimensionCount) {
  if (descriptor == nullptr || lengths == nullptr || dimensionCount < 1) {
    debugLog("multianewarray: no descriptor or no dimension");
    return nullptr;
  }
  ObjectArray* outer = newObjectArray(lengths[0]);
  if (outer != nullptr) fillLevels(outer, pastFirstBracket(descriptor), lengths + 1, dimensionCount - 1);
  return outer;
}
