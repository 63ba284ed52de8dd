#pragma once
// Pen positions from the physical screen to the 800 x 480 picture. Off in
// this configuration; the factors follow the screen from the first focus on.
#include <cstdint>

struct PointerScale {
  float x = 1.0f;
  float y = 1.0f;
};

PointerScale& pointerScale();
// Each axis whose factor is not exactly 1: floor(value * factor + 0.5), the
// product in single precision, the half added in double.
void scalePointer(int32_t& x, int32_t& y);
