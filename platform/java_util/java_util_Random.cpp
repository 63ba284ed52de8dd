#include "platform/java_util/java_util_Random.h"

#include <bit>

#include "runtime/LiteralIds.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/thread/SynchronizedScope.h"
#include "wince/clock.h"

void java_util_Random::init() { setSeed(static_cast<int64_t>(GetTickCount64())); }

void java_util_Random::init(int64_t seed) {
  seedLow = 0;
  seedHigh = 0;
  setSeed(seed);
}

void java_util_Random::setSeed(int64_t seed) {
  const auto bits = static_cast<uint64_t>(seed);
  seedLow = static_cast<uint32_t>(bits) ^ 0xDEECE66Du;
  seedHigh = (static_cast<uint32_t>(bits >> 32) ^ 5u) & 0xFFFFu;
}

int32_t java_util_Random::next(int32_t bits) {
  uint64_t seed;
  {
    SynchronizedScope lock(this);
    // seed x 0x5DEECE66D + 0xB modulo 2^48, on the two words: the high
    // word's factor 5 would only reach bits 64 and up.
    const uint64_t product = uint64_t{seedLow} * 0xDEECE66Du;
    const uint32_t high = static_cast<uint32_t>(product >> 32) + seedLow * 5u + seedHigh * 0xDEECE66Du;
    seed = ((uint64_t{high} << 32) | static_cast<uint32_t>(product)) + 0xB;
    seedLow = static_cast<uint32_t>(seed);
    seedHigh = static_cast<uint32_t>(seed >> 32) & 0xFFFFu;
    seed &= (uint64_t{1} << 48) - 1;
  }
  return static_cast<int32_t>(static_cast<uint32_t>(seed >> (48 - bits)));
}

int32_t java_util_Random::nextInt() { return next(32); }

int32_t java_util_Random::nextInt(int32_t bound) {
  if (bound < 1) {
    throwNew<java_lang_IllegalArgumentException>(literalOrNull(static_cast<int32_t>(LiteralId::randomBoundNotPositive)));
    return 0;
  }
  if ((bound & -bound) == bound) return static_cast<int32_t>((int64_t{bound} * next(31)) >> 31);
  int32_t bits;
  int32_t value;
  // Rejects the last partial run of values so that each is equally likely.
  do {
    bits = next(31);
    value = bits % bound;
  } while (static_cast<int32_t>(static_cast<uint32_t>(bits) - static_cast<uint32_t>(value) +
                                static_cast<uint32_t>(bound - 1)) < 0);
  return value;
}

int64_t java_util_Random::nextLong() {
  const int64_t high = static_cast<int64_t>(static_cast<uint64_t>(static_cast<int64_t>(next(32))) << 32);
  return high + next(32);
}

float java_util_Random::nextFloat() { return static_cast<float>(next(24)) / std::bit_cast<float>(0x4B800002u); }
