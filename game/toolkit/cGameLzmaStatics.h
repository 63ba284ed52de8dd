#pragma once
// The LZMA decoder's output, held until readPackEntry takes it.
#include "runtime/object/ReferenceFields.h"

class ByteArray;

struct cGameLzmaStatics {
  ByteArray* output;
  static constexpr auto referenceFields() { return ReferenceFieldList{&cGameLzmaStatics::output}; }
};
