#pragma once
// The tile layers' table access shared by the layer sources.
#include <cstdint>

#include "game/toolkit/CVLibPlayerLayerStatics.h"

class ASprite;
class ByteArray;
class IntArray;
class ObjectArray;

namespace layertables {
CVLibPlayerLayerStatics& layerStatics();
// Tables built and 0 <= n < layer count.
bool validLayer(int32_t n);
IntArray* record(int32_t n);  // null unless validLayer
int32_t viewValue(int32_t index);
ByteArray* plane(int32_t n, int32_t which);  // 0 tiles, 1 attributes
ASprite* layerSprite(int32_t n);
ObjectArray* holder(ObjectArray* table, int32_t n);  // a layer's image or graphics holder
}  // namespace layertables
