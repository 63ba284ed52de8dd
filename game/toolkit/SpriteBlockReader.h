#pragma once
// Little-endian reads over a sprite block that never pass its end: a read
// that would fails the reader, answers 0, and every later read fails too.
// Elements are read through the array each time, as the loader allocates
// between reads and the pool may move them.
#include <cstdint>

#include "runtime/lang/Arrays.h"

class SpriteBlockReader {
 public:
  SpriteBlockReader(ByteArray* data, int32_t position) : m_data(data), m_position(position) {
    if (position < 0 || position > data->length()) m_failed = true;
  }

  bool failed() const { return m_failed; }
  int32_t position() const { return m_position; }
  int32_t remaining() const { return m_failed ? 0 : m_data->length() - m_position; }
  bool atEnd() const { return m_failed || m_position >= m_data->length(); }

  int32_t u8() { return has(1) ? byteAt(m_position++) : 0; }
  int32_t s8() { return static_cast<int8_t>(u8()); }
  int32_t u16() {
    if (!has(2)) return 0;
    const int32_t value = byteAt(m_position) | byteAt(m_position + 1) << 8;
    m_position += 2;
    return value;
  }
  int32_t s16() { return static_cast<int16_t>(u16()); }
  uint32_t u32() {
    if (!has(4)) return 0;
    uint32_t value = 0;
    for (int32_t i = 3; i >= 0; --i) value = value << 8 | static_cast<uint32_t>(byteAt(m_position + i));
    m_position += 4;
    return value;
  }
  // Moves past count bytes; fails when there are fewer.
  void skip(int64_t count) {
    if (count < 0 || count > remaining()) {
      m_failed = true;
      return;
    }
    m_position += static_cast<int32_t>(count);
  }

 private:
  bool has(int32_t count) {
    if (!m_failed && m_data->length() - m_position >= count) return true;
    m_failed = true;
    return false;
  }
  int32_t byteAt(int32_t index) const { return static_cast<uint8_t>(m_data->elements()[index]); }

  ByteArray* m_data;
  int32_t m_position;
  bool m_failed = false;
};
