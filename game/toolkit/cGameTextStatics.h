#pragma once
// The text pack of the current language.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class ByteArray;
class IntArray;
class ObjectArray;
class String;

struct cGameTextStatics {
  int32_t count;
  String* encoding;
  ByteArray* bytes;
  IntArray* offsets;
  ObjectArray* cache;

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameTextStatics::encoding, &cGameTextStatics::bytes, &cGameTextStatics::offsets,
                              &cGameTextStatics::cache};
  }
};
