#pragma once
// Java's integer and conversion rules where C++ leaves them undefined or
// different: division and remainder by zero raise
// java_lang_ArithmeticException (the result is then 0), MIN / -1 wraps to
// MIN, shift counts use only their low 5 (int) or 6 (long) bits, >>> shifts
// in zeros, and float-to-integer conversions saturate with NaN giving 0.
// The build's -fwrapv makes +, -, * and negation wrap.
#include <cstdint>
#include <limits>

// Raises java_lang_ArithmeticException (no-argument constructor) on the
// calling thread and answers 0.
int32_t raiseDivisionByZero();

inline int32_t javaDivide(int32_t dividend, int32_t divisor) {
  if (divisor == 0) [[unlikely]] return raiseDivisionByZero();
  // The hardware traps on MIN / -1.
  if (divisor == -1) return -dividend;
  return dividend / divisor;
}

inline int64_t javaDivide(int64_t dividend, int64_t divisor) {
  if (divisor == 0) [[unlikely]] return raiseDivisionByZero();
  if (divisor == -1) return -dividend;
  return dividend / divisor;
}

inline int32_t javaRemainder(int32_t dividend, int32_t divisor) {
  if (divisor == 0) [[unlikely]] return raiseDivisionByZero();
  if (divisor == -1) return 0;
  return dividend % divisor;
}

inline int64_t javaRemainder(int64_t dividend, int64_t divisor) {
  if (divisor == 0) [[unlikely]] return raiseDivisionByZero();
  if (divisor == -1) return 0;
  return dividend % divisor;
}

inline int32_t javaShiftLeft(int32_t value, int32_t count) { return value << (count & 31); }
inline int64_t javaShiftLeft(int64_t value, int32_t count) { return value << (count & 63); }
inline int32_t javaShiftRight(int32_t value, int32_t count) { return value >> (count & 31); }
inline int64_t javaShiftRight(int64_t value, int32_t count) { return value >> (count & 63); }
inline int32_t javaUnsignedShiftRight(int32_t value, int32_t count) {
  return static_cast<int32_t>(static_cast<uint32_t>(value) >> (count & 31));
}
inline int64_t javaUnsignedShiftRight(int64_t value, int32_t count) {
  return static_cast<int64_t>(static_cast<uint64_t>(value) >> (count & 63));
}

namespace javaarithmetic {

template <class Integer>
Integer saturatingConversion(double value) {
  constexpr double limit = -static_cast<double>(std::numeric_limits<Integer>::min());  // 2^31 or 2^63, exact
  if (value != value) return 0;
  if (value >= limit) return std::numeric_limits<Integer>::max();
  if (value <= -limit) return std::numeric_limits<Integer>::min();
  return static_cast<Integer>(value);
}

}  // namespace javaarithmetic

// float widens to double exactly, so one rule serves both.
inline int32_t javaFloatToInt(double value) { return javaarithmetic::saturatingConversion<int32_t>(value); }
inline int64_t javaFloatToLong(double value) { return javaarithmetic::saturatingConversion<int64_t>(value); }
