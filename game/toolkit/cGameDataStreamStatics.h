#pragma once
// cGame's data-stream cursor: the current (data, pos) and the cursors that
// set() kept, innermost last. The kept arrays live in savedData, made on the
// first set().
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class ByteArray;
class ObjectArray;

struct cGameDataStreamStatics {
  static constexpr int32_t savedDepth = 8;

  ByteArray* data;
  int32_t pos;
  ObjectArray* savedData;
  int32_t savedPos[savedDepth];
  int32_t savedCount;
  uint8_t damaged;

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameDataStreamStatics::data, &cGameDataStreamStatics::savedData};
  }
};
