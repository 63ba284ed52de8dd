#pragma once
// A target or source surface inside a larger buffer whose guard band (rows
// above and below, columns left and right) must never change.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/lcdui/raster/Surface.h"

class GuardedSurface {
 public:
  static constexpr int guardColumns = 5;
  static constexpr int guardRows = 3;
  static constexpr uint16_t guardValue = 0xA5C3;

  GuardedSurface(int width, int height, int32_t pixelType = raster::opaqueRgb565, uint16_t fill = 0)
      : m_stride(width + 2 * guardColumns), m_buffer(size_t(m_stride) * (height + 2 * guardRows), guardValue) {
    surface.pixels = m_buffer.data() + guardRows * m_stride + guardColumns;
    surface.width = width;
    surface.height = height;
    surface.pitch = m_stride * 2;
    surface.pixelType = pixelType;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) at(x, y) = fill;
  }
  GuardedSurface(const GuardedSurface& other) : m_stride(other.m_stride), m_buffer(other.m_buffer) {
    surface = other.surface;
    surface.pixels = m_buffer.data() + guardRows * m_stride + guardColumns;
  }
  GuardedSurface& operator=(const GuardedSurface&) = delete;

  uint16_t& at(int x, int y) { return surface.row(y)[x]; }
  uint16_t at(int x, int y) const { return surface.row(y)[x]; }

  bool guardsIntact() const {
    for (size_t k = 0; k < m_buffer.size(); ++k) {
      const int row = int(k / m_stride) - guardRows, column = int(k % m_stride) - guardColumns;
      const bool inside = row >= 0 && row < surface.height && column >= 0 && column < surface.width;
      if (!inside && m_buffer[k] != guardValue) return false;
    }
    return true;
  }

  bool operator==(const GuardedSurface& other) const { return m_buffer == other.m_buffer; }

  // Rows of hex pixels, for failure messages.
  std::string dump() const {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (int y = 0; y < surface.height; ++y) {
      for (int x = 0; x < surface.width; ++x) {
        const uint16_t value = at(x, y);
        for (int shift = 12; shift >= 0; shift -= 4) text += digits[(value >> shift) & 0xF];
        text += ' ';
      }
      text += '\n';
    }
    return text;
  }

  raster::Surface surface;

 private:
  int m_stride;
  std::vector<uint16_t> m_buffer;
};
