#pragma once
// A little-endian reader over the event script's bytes, of its own: the
// loader, the interpreter and the track start read the script while the
// room loader or another reader may hold the shared data stream. Past the
// end a read answers 0 and marks the reader damaged. It keeps the array,
// not a pointer into its storage, since commands allocate as they run.
#include <cstdint>

#include "runtime/lang/Arrays.h"

class ScriptReader {
 public:
  ScriptReader(ByteArray* data, int32_t position) : m_data(data), m_position(position < 0 ? 0 : position) {}

  int32_t position() const { return m_position; }
  void seek(int32_t position) { m_position = position; }
  int32_t length() const { return m_data != nullptr ? m_data->length() : 0; }
  bool damaged() const { return m_damaged; }
  bool atEnd() const { return m_position >= length(); }

  int32_t u8() { return static_cast<int32_t>(take(1)); }
  int32_t s8() { return static_cast<int8_t>(take(1)); }
  int32_t s16() { return static_cast<int16_t>(take(2)); }
  int32_t s32() { return static_cast<int32_t>(take(4)); }
  bool boolean() { return take(1) == 1; }
  // Moves on by n bytes; false (damaged) when they are not all there.
  bool skip(int32_t n) {
    if (n < 0 || m_position > length() - n) return fail();
    m_position += n;
    return true;
  }

 private:
  uint32_t take(int32_t width) {
    if (m_position < 0 || m_position > length() - width || m_data->elements() == nullptr) {
      fail();
      return 0;
    }
    uint32_t value = 0;
    for (int32_t i = width - 1; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(m_data->get(m_position + i));
    m_position += width;
    return value;
  }
  bool fail() {
    m_damaged = true;
    m_position = length();
    return false;
  }

  ByteArray* m_data;
  int32_t m_position;
  bool m_damaged = false;
};
