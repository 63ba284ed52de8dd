#include "runtime/lang/ArrayCopy.h"

#include <cstring>

#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

void arraycopy(Object* source, int32_t sourcePosition, Object* destination, int32_t destinationPosition,
               int32_t length) {
  if (length == 0) return;
  if (source == nullptr || destination == nullptr) {
    logFailedCheck("NullPointer");
    return;
  }
  Array* from = Array::from(source);
  Array* to = Array::from(destination);
  if (from == nullptr || to == nullptr || source->getClassId() != destination->getClassId()) {
    debugLog("arraycopy: class %d to class %d, nothing copied", source->getClassId(), destination->getClassId());
    return;
  }
  if (!rangeInside(sourcePosition, length, from->m_length) || !rangeInside(destinationPosition, length, to->m_length)) {
    debugLog("arraycopy: %d elements from %d of %d to %d of %d, nothing copied", length, sourcePosition,
             from->m_length, destinationPosition, to->m_length);
    return;
  }
  const auto width = static_cast<size_t>(from->elementSize());
  // Two wrapping arrays may share storage, so even distinct arrays may overlap.
  std::memmove(to->storageBytes() + destinationPosition * width, from->storageBytes() + sourcePosition * width,
               static_cast<size_t>(length) * width);
}
