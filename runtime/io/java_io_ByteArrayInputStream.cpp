#include "runtime/io/java_io_ByteArrayInputStream.h"

#include <algorithm>
#include <cstring>

#include "runtime/io/StreamRanges.h"
#include "runtime/thread/SynchronizedScope.h"

void java_io_ByteArrayInputStream::init(ByteArray* buf) {
  if (!streamPresent(buf)) return;
  m_buf = buf;
  m_count = buf->length();
}

void java_io_ByteArrayInputStream::init(ByteArray* buf, int32_t offset, int32_t length) {
  if (!streamPresent(buf)) return;
  m_buf = buf;
  if (offset < 0 || offset > buf->length() || length < 0) {
    logFailedCheck("ByteArrayInputStream range");
    return;
  }
  m_pos = m_mark = offset;
  m_count = static_cast<int32_t>(std::min<int64_t>(int64_t{offset} + length, buf->length()));
}

int32_t java_io_ByteArrayInputStream::read(ByteArray* b, int32_t off, int32_t len) {
  SynchronizedScope lock(this);
  if (m_pos >= m_count) return -1;
  if (!streamRangeInside(b, off, len, "ByteArrayInputStream.read")) return 0;
  const int32_t n = std::min(len, m_count - m_pos);
  if (n < 1) return 0;
  std::memmove(b->elements() + off, m_buf->elements() + m_pos, static_cast<size_t>(n));
  m_pos += n;
  return n;
}

int32_t java_io_ByteArrayInputStream::read(ByteArray* b) {
  if (!streamPresent(b)) return 0;
  return read(b, 0, b->length());
}

int32_t java_io_ByteArrayInputStream::read() {
  SynchronizedScope lock(this);
  if (m_pos >= m_count) return -1;
  return static_cast<uint8_t>(m_buf->elements()[m_pos++]);
}

int64_t java_io_ByteArrayInputStream::skip(int64_t n) {
  SynchronizedScope lock(this);
  n = std::min<int64_t>(n, m_count - m_pos);
  if (n < 0) return 0;
  m_pos += static_cast<int32_t>(n);
  return n;
}

int32_t java_io_ByteArrayInputStream::available() {
  SynchronizedScope lock(this);
  return m_count - m_pos;
}

void java_io_ByteArrayInputStream::mark(int32_t) { m_mark = m_pos; }

void java_io_ByteArrayInputStream::reset() {
  SynchronizedScope lock(this);
  m_pos = m_mark;
}
