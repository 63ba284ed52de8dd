#pragma once
// java_util_Random (class id 60): the 48-bit linear congruential generator
// of the CLDC class (multiplier 0x5DEECE66D, addend 0xB), kept in two words.
// Each step holds the generator's monitor, so concurrent callers never lose
// or repeat one.
#include <cstdint>

#include "runtime/object/Object.h"

class java_util_Random : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Random;

  // Seeded from the tick count (milliseconds since the device started).
  void init();
  void init(int64_t seed);

  void setSeed(int64_t seed);
  // The top bits (1..32) of the next seed.
  int32_t next(int32_t bits);
  int32_t nextInt();
  // 0..bound-1; a bound below 1 raises IllegalArgumentException and does not
  // step the generator.
  int32_t nextInt(int32_t bound);
  int64_t nextLong();
  // next(24) / 16777220, so never 1.0.
  float nextFloat();

  uint32_t seedLow;   // bits 0..31 of the seed
  uint32_t seedHigh;  // bits 32..47 of the seed in its low 16 bits
};
