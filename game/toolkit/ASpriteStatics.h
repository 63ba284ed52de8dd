#pragma once
// ASprite's class statics: the transform tables, the shared pixel buffers,
// the text tables, the bounds measure, the loader's result buffer, the image
// cache pools and the gc-after-load switch.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class ByteArray;
class IntArray;
class ObjectArray;
class ShortArray;

struct ASpriteStatics {
  IntArray* transformTable;  // drawRegion transform per flags & 7
  IntArray* flipXTable;
  IntArray* flipYTable;
  IntArray* rotateTable;
  IntArray* pixelBuffer;        // int[20480], made on first use
  IntArray* secondPixelBuffer;  // made on demand
  ShortArray* lineBreaks;       // short[400]
  int32_t textRangeStart;
  int32_t textRangeEnd;
  int32_t drawLimit;  // -1: none; else drawString stops there (letter-by-letter reveal)
  int32_t savedPalette;
  int32_t measuredWidth;
  int32_t measuredHeight;
  int32_t measureMode;
  int32_t boundsMinX;
  int32_t boundsMinY;
  int32_t boundsMaxX;
  int32_t boundsMaxY;
  IntArray* loaderBounds;  // int[4]
  // Cache pools, one entry per pool: slot contents ((palette << 10) +
  // module, -1 free) as short[], owners as Object[], next slot, capacity.
  ObjectArray* poolEntries;
  ObjectArray* poolOwners;
  IntArray* poolNextSlot;
  IntArray* poolCapacity;
  int8_t gcAfterLoad;
  // PNG signature, chunk names and tails, zlib header, and a table: made by
  // the class initialiser, read by nothing.
  ObjectArray* pngChunkBytes;
  IntArray* pngTable;

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&ASpriteStatics::transformTable, &ASpriteStatics::flipXTable,
                              &ASpriteStatics::flipYTable,     &ASpriteStatics::rotateTable,
                              &ASpriteStatics::pixelBuffer,    &ASpriteStatics::secondPixelBuffer,
                              &ASpriteStatics::lineBreaks,     &ASpriteStatics::loaderBounds,
                              &ASpriteStatics::poolEntries,    &ASpriteStatics::poolOwners,
                              &ASpriteStatics::poolNextSlot,   &ASpriteStatics::poolCapacity,
                              &ASpriteStatics::pngChunkBytes,  &ASpriteStatics::pngTable};
  }
};
