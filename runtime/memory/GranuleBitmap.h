#pragma once
// One bit per granule of a pool's region, with two summary levels (a bit per
// non-zero word below) so that the nearest set bit on either side of any
// granule is found in a few word operations, however sparse the bits are.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>

class GranuleBitmap {
 public:
  static constexpr size_t none = SIZE_MAX;

  GranuleBitmap() = default;
  // False when the words could not be allocated (the bitmap stays empty).
  bool reset(size_t bitCount);
  void release();

  bool test(size_t bit) const { return (m_levels[0][bit / 64] >> (bit % 64)) & 1; }
  void set(size_t bit) {
    for (int level = 0; level < levelCount; ++level) {
      uint64_t& word = m_levels[level][bit / 64];
      const bool wasEmpty = word == 0;
      word |= uint64_t(1) << (bit % 64);
      if (!wasEmpty) return;
      bit /= 64;
    }
  }
  void clear(size_t bit) {
    for (int level = 0; level < levelCount; ++level) {
      uint64_t& word = m_levels[level][bit / 64];
      word &= ~(uint64_t(1) << (bit % 64));
      if (word != 0) return;
      bit /= 64;
    }
  }
  // Lowest set bit at or after `bit`, or none.
  size_t nextFrom(size_t bit) const {
    if (bit >= m_bitCount) return none;
    // Neighbours mostly share a word; the summaries are for the rest.
    if (const uint64_t word = m_levels[0][bit / 64] >> (bit % 64)) return bit + size_t(std::countr_zero(word));
    return next(0, bit);
  }
  // Highest set bit before `bit`, or none.
  size_t previousBefore(size_t bit) const {
    if (bit == 0 || bit > m_bitCount) return none;
    --bit;
    if (const uint64_t word = m_levels[0][bit / 64] << (63 - bit % 64)) return bit - size_t(std::countl_zero(word));
    return previous(0, bit);
  }

  size_t count() const;
  // Every summary bit says whether its word below is non-zero.
  bool summariesAgree() const;

 private:
  static constexpr int levelCount = 3;

  size_t next(int level, size_t bit) const;
  size_t previous(int level, size_t bit) const;

  size_t m_bitCount = 0;
  size_t m_wordCounts[levelCount] = {};
  std::unique_ptr<uint64_t[]> m_levels[levelCount];
};
