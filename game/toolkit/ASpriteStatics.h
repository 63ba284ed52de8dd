#pragma once
// ASprite's class statics.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;

struct ASpriteStatics {
  // int[20480] of ARGB pixels: the decode target of every sprite module and
  // the drawing helpers' scratch block; made on first use
  // (sharedPixelBuffer()), valid only until the next decode.
  IntArray* pixelBuffer;
  static constexpr auto referenceFields() { return ReferenceFieldList{&ASpriteStatics::pixelBuffer}; }
};
