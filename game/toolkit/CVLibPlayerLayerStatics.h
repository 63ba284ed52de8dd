#pragma once
// CVLibPlayer's statics other than its sound channels: the aframe time unit
// and the tile layers (one set for the whole program).
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;
class ObjectArray;

struct CVLibPlayerLayerStatics {
  int32_t timeUnit;      // milliseconds per unit of an aframe's time byte
  int32_t layersBuilt;   // 0 until initLayerTables
  int32_t layerCount;
  IntArray* view;        // [0] view width, [1] view height, [2] tile width, [5] tile height
  ObjectArray* properties;  // int[count][15], see CVLibPlayer.h
  ObjectArray* planes;      // byte[count][2][]: tiles, attributes (may be null)
  ObjectArray* layerImages;    // Image[count][1]
  ObjectArray* layerGraphics;  // Graphics[count][1]
  ObjectArray* layerSprites;   // ASprite[count]

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&CVLibPlayerLayerStatics::view,          &CVLibPlayerLayerStatics::properties,
                              &CVLibPlayerLayerStatics::planes,        &CVLibPlayerLayerStatics::layerImages,
                              &CVLibPlayerLayerStatics::layerGraphics, &CVLibPlayerLayerStatics::layerSprites};
  }
};
