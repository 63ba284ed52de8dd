#include "runtime/lang/java_lang_Math.h"

#include <cmath>

float java_lang_Math::sqrt(float value) { return static_cast<float>(std::sqrt(static_cast<double>(value))); }
double java_lang_Math::sqrt(double value) { return std::sqrt(value); }
double java_lang_Math::sin(double angle) { return std::sin(angle); }
double java_lang_Math::cos(double angle) { return std::cos(angle); }
float java_lang_Math::sin(float angle) { return static_cast<float>(std::sin(static_cast<double>(angle))); }
float java_lang_Math::cos(float angle) { return static_cast<float>(std::cos(static_cast<double>(angle))); }
float java_lang_Math::tan(float angle) { return static_cast<float>(std::tan(static_cast<double>(angle))); }
float java_lang_Math::asin(float value) { return static_cast<float>(std::asin(static_cast<double>(value))); }
float java_lang_Math::acos(float value) { return static_cast<float>(std::acos(static_cast<double>(value))); }

float java_lang_Math::atan2(float y, float x) {
  return static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)));
}

float java_lang_Math::toRadians(float degrees) { return static_cast<float>(degrees * 0.017453292519943295); }

float java_lang_Math::toDegrees(float radians) {
  const float scaled = radians * 180.0f;
  return static_cast<float>(scaled * 0.3183098861837907);
}
