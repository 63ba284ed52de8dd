#pragma once
// One bit per granule of a pool's region, with two summary levels (a bit per
// non-zero word below) so that the nearest set bit on either side of any
// granule is found in a few word operations, however sparse the bits are.
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
  void set(size_t bit);
  void clear(size_t bit);
  // Lowest set bit at or after `bit`, or none.
  size_t nextFrom(size_t bit) const { return bit < m_bitCount ? next(0, bit) : none; }
  // Highest set bit before `bit`, or none.
  size_t previousBefore(size_t bit) const { return bit > 0 && bit <= m_bitCount ? previous(0, bit - 1) : none; }

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
