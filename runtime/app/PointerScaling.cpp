#include "runtime/app/PointerScaling.h"

#include <cmath>

namespace {

int32_t scaleAxis(int32_t value, float factor) {
  if (factor == 1.0f) return value;
  const float product = static_cast<float>(value) * factor;
  return static_cast<int32_t>(std::floor(static_cast<double>(product) + 0.5));
}

}  // namespace

PointerScale& pointerScale() {
  static PointerScale scale;
  return scale;
}

void scalePointer(int32_t& x, int32_t& y) {
  x = scaleAxis(x, pointerScale().x);
  y = scaleAxis(y, pointerScale().y);
}
