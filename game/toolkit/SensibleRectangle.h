#pragma once
// SensibleRectangle (class id 125): one touch-sensitive zone of the screen,
// a rectangle in screen pixels with the id of the control it stands for.
// Height comes before width in the object; set takes width first.
#include <cstdint>

#include "runtime/object/Object.h"

class SensibleRectangle : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::SensibleRectangle;

  void reset() { x = y = height = width = state = id = 0; }
  void set(int32_t newX, int32_t newY, int32_t newWidth, int32_t newHeight, int32_t newId) {
    x = newX;
    y = newY;
    width = newWidth;
    height = newHeight;
    id = newId;
    state = 0;
  }
  // Strictly inside: a point on any edge is outside.
  bool contains(int32_t px, int32_t py) const {
    return x < px && int64_t{px} < int64_t{x} + width && y < py && int64_t{py} < int64_t{y} + height;
  }

  int32_t x;
  int32_t y;
  int32_t height;
  int32_t width;
  int32_t state;  // cleared by set; read by nothing here
  int32_t id;
};
