#include "runtime/io/java_io_ByteArrayOutputStream.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "runtime/exceptions/ThrowNew.h"
#include "runtime/io/StreamRanges.h"
#include "runtime/lang/ArrayCopy.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/thread/SynchronizedScope.h"

void java_io_ByteArrayOutputStream::init(int32_t size) { m_buf = newByteArray(std::max(size, 0)); }

bool java_io_ByteArrayOutputStream::ensureCapacity(int64_t needed) {
  if (m_buf != nullptr && needed <= m_buf->length()) return true;
  // A write that cannot land whole raises rather than losing bytes the
  // caller believes written.
  if (needed > INT_MAX) {
    debugLog("ByteArrayOutputStream: %lld bytes do not fit", static_cast<long long>(needed));
    throwNew<java_io_IOException>();
    return false;
  }
  const int32_t oldLength = m_buf != nullptr ? m_buf->length() : 0;
  const int32_t newLength = static_cast<int32_t>(std::max<int64_t>(int64_t{oldLength} * 2 > INT_MAX ? INT_MAX : int64_t{oldLength} * 2, needed));
  ByteArray* grown = newByteArray(newLength);
  if (grown == nullptr || grown->length() != newLength) {
    debugLog("ByteArrayOutputStream: no memory for %d bytes", newLength);
    throwNew<java_io_IOException>();
    return false;
  }
  if (m_count > 0) arraycopy(m_buf, 0, grown, 0, m_count);
  m_buf = grown;
  return true;
}

void java_io_ByteArrayOutputStream::write(int32_t b) {
  SynchronizedScope lock(this);
  if (!ensureCapacity(int64_t{m_count} + 1)) return;
  m_buf->elements()[m_count++] = static_cast<int8_t>(b);
}

void java_io_ByteArrayOutputStream::write(ByteArray* b, int32_t off, int32_t len) {
  SynchronizedScope lock(this);
  if (len == 0 || !streamRangeInside(b, off, len, "ByteArrayOutputStream.write")) return;
  if (!ensureCapacity(int64_t{m_count} + len)) return;
  arraycopy(b, off, m_buf, m_count, len);
  m_count += len;
}

void java_io_ByteArrayOutputStream::write(ByteArray* b) {
  if (!streamPresent(b)) return;
  write(b, 0, b->length());
}

void java_io_ByteArrayOutputStream::close() {
  SynchronizedScope lock(this);
  m_closed = 1;
}

void java_io_ByteArrayOutputStream::reset() {
  SynchronizedScope lock(this);
  m_count = 0;
}

int32_t java_io_ByteArrayOutputStream::size() { return m_count; }

ByteArray* java_io_ByteArrayOutputStream::toByteArray() {
  SynchronizedScope lock(this);
  if (m_closed != 0 && m_buf != nullptr && m_buf->length() == m_count) return m_buf;
  ByteArray* copy = newByteArray(m_count);
  if (copy != nullptr && m_count > 0) arraycopy(m_buf, 0, copy, 0, m_count);
  return copy;
}

String* java_io_ByteArrayOutputStream::toString() {
  if (m_buf == nullptr) return newObject<String>();
  return newObject<String>(m_buf, 0, m_count);
}
