// Random against a plain 64-bit implementation of the same published
// generator, over a table of seeds and every method.
#include <gtest/gtest.h>

#include <atomic>
#include <set>

#include "platform/java_util/java_util_Random.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/platform/vector_fixture.h"
#include "tests/runtime/thread_test_support.h"
#include "wince/clock.h"

namespace {

// The generator as published: one 48-bit seed in a 64-bit word.
class ReferenceGenerator {
 public:
  explicit ReferenceGenerator(int64_t seed) : m_seed((static_cast<uint64_t>(seed) ^ 0x5DEECE66Dull) & mask) {}

  int32_t next(int bits) {
    m_seed = (m_seed * 0x5DEECE66Dull + 0xBull) & mask;
    return static_cast<int32_t>(m_seed >> (48 - bits));
  }
  int32_t nextInt(int32_t n) {
    if ((n & -n) == n) return static_cast<int32_t>((static_cast<int64_t>(n) * next(31)) >> 31);
    for (;;) {
      const int64_t bits = next(31);
      const int64_t value = bits % n;
      if (bits - value + (n - 1) <= INT32_MAX) return static_cast<int32_t>(value);
    }
  }
  int64_t nextLong() {
    const int64_t high = next(32);
    const int64_t low = next(32);
    return high * (int64_t{1} << 32) + low;
  }
  float nextFloat() { return static_cast<float>(next(24)) / 16777220.0f; }

 private:
  static constexpr uint64_t mask = (uint64_t{1} << 48) - 1;
  uint64_t m_seed;
};

class RandomTest : public CollectionsFixture {};

TEST_F(RandomTest, MatchesTheReferenceForEveryMethod) {
  const int64_t seeds[] = {0, 1, -1, 42, 0x123456789ABCll, INT64_MIN, INT64_MAX, 1700000000000ll};
  const int32_t bounds[] = {1, 2, 3, 10, 16, 100, 1 << 30, (1 << 30) + 1, INT32_MAX};
  for (int64_t seed : seeds) {
    auto* random = keep(0, newObject<java_util_Random>(seed));
    ReferenceGenerator reference(seed);
    for (int round = 0; round < 200; ++round) {
      ASSERT_EQ(random->nextInt(), reference.next(32)) << "seed " << seed << " round " << round;
      for (int32_t bound : bounds) ASSERT_EQ(random->nextInt(bound), reference.nextInt(bound)) << bound;
      ASSERT_EQ(random->nextLong(), reference.nextLong());
      ASSERT_EQ(random->nextFloat(), reference.nextFloat());
      ASSERT_EQ(random->next(1 + round % 32), reference.next(1 + round % 32));
    }
    EXPECT_EQ(random->seedHigh >> 16, 0u) << "the high word keeps 16 bits";
  }
  EXPECT_EQ(takePending(), -1);
}

TEST_F(RandomTest, PublishedValuesAndSeedWords) {
  auto* random = keep(0, newObject<java_util_Random>(int64_t{0}));
  EXPECT_EQ(random->seedLow, 0xDEECE66Du);
  EXPECT_EQ(random->seedHigh, 5u);
  EXPECT_EQ(random->nextInt(), -1155484576);
  random->setSeed(42);
  EXPECT_EQ(random->nextInt(), -1170105035);
  random->setSeed(42);
  EXPECT_EQ(random->nextInt(10), 0);
  EXPECT_EQ(random->nextInt(10), 3);
}

TEST_F(RandomTest, BoundsAndTheirSteps) {
  auto* random = keep(0, newObject<java_util_Random>(int64_t{7}));
  ReferenceGenerator reference(7);
  for (int32_t bad : {0, -5, INT32_MIN}) {
    EXPECT_EQ(random->nextInt(bad), 0);
    EXPECT_EQ(pendingMessage(), "n must be positive");
    EXPECT_EQ(takePending(), classid::java_lang_IllegalArgumentException);
  }
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(random->nextInt(1), 0);
    reference.next(31);
  }
  EXPECT_EQ(random->nextInt(), reference.next(32)) << "a bad bound does not step; a bound of 1 steps once";

  // The seed one step before the largest next(24), by the multiplier's
  // inverse modulo 2^48 (Newton's iteration doubles the correct bits).
  uint64_t inverse = 0x5DEECE66Dull;
  for (int i = 0; i < 6; ++i) inverse *= 2 - 0x5DEECE66Dull * inverse;
  const uint64_t wanted = uint64_t{0xFFFFFF} << 24;
  const uint64_t before = ((wanted - 0xB) * inverse) & ((uint64_t{1} << 48) - 1);
  auto* largest = keep(1, newObject<java_util_Random>(int64_t{0}));
  largest->seedLow = static_cast<uint32_t>(before);
  largest->seedHigh = static_cast<uint32_t>(before >> 32);
  const float top = largest->nextFloat();
  EXPECT_EQ(top, 16777215.0f / 16777220.0f);
  EXPECT_LT(top, 1.0f);
}

TEST_F(RandomTest, TickSeededGeneratorsOfOneMillisecondAgree) {
  wince::useFakeClock(123456, true);
  auto* first = keep(0, newObject<java_util_Random>());
  auto* second = keep(1, newObject<java_util_Random>());
  ReferenceGenerator reference(123456);
  for (int i = 0; i < 20; ++i) {
    const int32_t expected = reference.next(32);
    EXPECT_EQ(first->nextInt(), expected);
    EXPECT_EQ(second->nextInt(), expected);
  }
  wince::useRealClock();
}

TEST_F(RandomTest, ConcurrentCallersNeverRepeatAStep) {
  constexpr int drawsPerThread = 20000;
  auto* random = keep(0, newObject<java_util_Random>(int64_t{99}));
  std::vector<int32_t> drawn[2];
  std::atomic<int> ready{0};
  auto draw = [&](int which) {
    ++ready;
    while (ready.load() < 2) {
    }
    for (int i = 0; i < drawsPerThread; ++i) drawn[which].push_back(random->nextInt());
  };
  auto runFirst = [&] { draw(0); };
  auto runSecond = [&] { draw(1); };
  java_lang_Thread* firstThread = threadtest::startThread(runFirst);
  java_lang_Thread* secondThread = threadtest::startThread(runSecond);
  threadtest::expectEnds(firstThread);
  threadtest::expectEnds(secondThread);
  std::multiset<int32_t> expected, seen;
  ReferenceGenerator reference(99);
  for (int i = 0; i < 2 * drawsPerThread; ++i) expected.insert(reference.next(32));
  for (const auto& values : drawn) seen.insert(values.begin(), values.end());
  EXPECT_TRUE(seen == expected) << "together the threads drew exactly the sequence's first values";
}

}  // namespace
