#pragma once
// java_lang_Math (class id 41): its natives. Float forms compute in double
// and round the result to float. max and min of floats answer the second
// argument unless the first is strictly greater (max) or less (min), so a
// NaN in either place or a tie answers the second.
#include <cstdint>

#include "runtime/object/Object.h"

class java_lang_Math : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_lang_Math;

  // The most negative value stays itself.
  static int32_t abs(int32_t value) { return value < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(value)) : value; }
  static int64_t abs(int64_t value) { return value < 0 ? static_cast<int64_t>(0u - static_cast<uint64_t>(value)) : value; }
  // Negates anything not >= 0, NaN included.
  static float abs(float value) { return value >= 0 ? value : -value; }
  static double abs(double value) { return value >= 0 ? value : -value; }

  // On a tie, the second argument.
  static int32_t max(int32_t first, int32_t second) { return first > second ? first : second; }
  static int64_t max(int64_t first, int64_t second) { return first > second ? first : second; }
  static float max(float first, float second) { return first > second ? first : second; }
  static double max(double first, double second) { return first > second ? first : second; }
  static int32_t min(int32_t first, int32_t second) { return first < second ? first : second; }
  static int64_t min(int64_t first, int64_t second) { return first < second ? first : second; }
  static float min(float first, float second) { return first < second ? first : second; }
  static double min(double first, double second) { return first < second ? first : second; }

  static float sqrt(float value);
  static double sqrt(double value);
  static double sin(double angle);
  static double cos(double angle);
  static float sin(float angle);
  static float cos(float angle);
  static float tan(float angle);
  static float asin(float value);
  static float acos(float value);
  static float atan2(float y, float x);
  static float toRadians(float degrees);
  static float toDegrees(float radians);
};
