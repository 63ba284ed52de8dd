#include "runtime/memory/GranuleBitmap.h"

#include <bit>
#include <new>

bool GranuleBitmap::reset(size_t bitCount) {
  release();
  size_t bits = bitCount;
  for (int level = 0; level < levelCount; ++level) {
    m_wordCounts[level] = (bits + 63) / 64;
    m_levels[level].reset(new (std::nothrow) uint64_t[m_wordCounts[level] ? m_wordCounts[level] : 1]());
    if (!m_levels[level]) {
      release();
      return false;
    }
    bits = m_wordCounts[level];
  }
  m_bitCount = bitCount;
  return true;
}

void GranuleBitmap::release() {
  for (int level = 0; level < levelCount; ++level) {
    m_levels[level].reset();
    m_wordCounts[level] = 0;
  }
  m_bitCount = 0;
}

size_t GranuleBitmap::next(int level, size_t bit) const {
  const uint64_t* words = m_levels[level].get();
  size_t index = bit / 64;
  if (index >= m_wordCounts[level]) return none;
  uint64_t word = words[index] & (~uint64_t(0) << (bit % 64));
  if (!word) {
    if (level + 1 < levelCount) {
      index = next(level + 1, index + 1);
      if (index == none) return none;
      word = words[index];
    } else {
      do {
        if (++index >= m_wordCounts[level]) return none;
        word = words[index];
      } while (!word);
    }
  }
  return index * 64 + size_t(std::countr_zero(word));
}

size_t GranuleBitmap::previous(int level, size_t bit) const {
  const uint64_t* words = m_levels[level].get();
  size_t index = bit / 64;
  uint64_t word = words[index] & (~uint64_t(0) >> (63 - bit % 64));
  if (!word) {
    if (index == 0) return none;
    if (level + 1 < levelCount) {
      index = previous(level + 1, index - 1);
      if (index == none) return none;
      word = words[index];
    } else {
      do {
        if (index == 0) return none;
        word = words[--index];
      } while (!word);
    }
  }
  return index * 64 + 63 - size_t(std::countl_zero(word));
}

size_t GranuleBitmap::count() const {
  size_t total = 0;
  for (size_t index = 0; index < m_wordCounts[0]; ++index) total += size_t(std::popcount(m_levels[0][index]));
  return total;
}

bool GranuleBitmap::summariesAgree() const {
  for (int level = 1; level < levelCount; ++level)
    for (size_t index = 0; index < m_wordCounts[level - 1]; ++index) {
      const bool summary = (m_levels[level][index / 64] >> (index % 64)) & 1;
      if (summary != (m_levels[level - 1][index] != 0)) return false;
    }
  return true;
}
