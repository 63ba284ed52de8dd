// The pools' granule bitmaps: nearest set bits on either side, across words
// and summary levels, against a plain scan.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <vector>

#include "runtime/memory/GranuleBitmap.h"

namespace {

size_t scanNext(const std::vector<bool>& bits, size_t from) {
  for (size_t bit = from; bit < bits.size(); ++bit)
    if (bits[bit]) return bit;
  return GranuleBitmap::none;
}

size_t scanPrevious(const std::vector<bool>& bits, size_t before) {
  for (size_t bit = std::min(before, bits.size()); bit-- > 0;)
    if (bits[bit]) return bit;
  return GranuleBitmap::none;
}

TEST(GranuleBitmap, NearestBitsMatchAScanWhileBitsComeAndGo) {
  // Past one top-level word (64^3 bits), so every level has several words.
  constexpr size_t bitCount = 64 * 64 * 64 + 777;
  GranuleBitmap bitmap;
  ASSERT_TRUE(bitmap.reset(bitCount));
  std::vector<bool> bits(bitCount);
  std::mt19937 random(33);
  const size_t edges[] = {0, 1, 63, 64, 4095, 4096, 262143, 262144, bitCount - 1};
  for (int round = 0; round < 3000; ++round) {
    // Mostly sparse, so that searches cross empty words and summaries.
    const size_t bit = round % 7 == 0 ? edges[random() % std::size(edges)] : random() % bitCount;
    if (bits[bit]) bitmap.clear(bit);
    else bitmap.set(bit);
    bits[bit] = !bits[bit];
    const size_t probe = random() % (bitCount + 2);
    ASSERT_EQ(bitmap.nextFrom(probe), scanNext(bits, probe)) << "round " << round << " probe " << probe;
    ASSERT_EQ(bitmap.previousBefore(probe), scanPrevious(bits, probe)) << "round " << round << " probe " << probe;
    for (size_t edge : edges) {
      ASSERT_EQ(bitmap.test(edge), bits[edge]);
      ASSERT_EQ(bitmap.nextFrom(edge), scanNext(bits, edge));
      ASSERT_EQ(bitmap.previousBefore(edge), scanPrevious(bits, edge));
    }
  }
  EXPECT_TRUE(bitmap.summariesAgree());
  EXPECT_EQ(bitmap.count(), size_t(std::count(bits.begin(), bits.end(), true)));
}

TEST(GranuleBitmap, EmptyAndClearedBitmapsFindNothing) {
  GranuleBitmap bitmap;
  EXPECT_EQ(bitmap.nextFrom(0), GranuleBitmap::none);
  EXPECT_EQ(bitmap.previousBefore(0), GranuleBitmap::none);
  ASSERT_TRUE(bitmap.reset(100));
  bitmap.set(99);
  bitmap.clear(99);
  EXPECT_EQ(bitmap.nextFrom(0), GranuleBitmap::none);
  EXPECT_EQ(bitmap.previousBefore(100), GranuleBitmap::none);
  EXPECT_TRUE(bitmap.summariesAgree());
}

}  // namespace
