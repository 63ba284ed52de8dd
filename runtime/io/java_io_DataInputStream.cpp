#include "runtime/io/java_io_DataInputStream.h"

#include <string>
#include <vector>

#include "runtime/exceptions/ThrowNew.h"
#include "runtime/io/ModifiedUtf8.h"
#include "runtime/io/StreamRanges.h"
#include "runtime/lang/String.h"
#include "runtime/thread/SynchronizedScope.h"

namespace {

bool exceptionPending() {
  Application* application = Application::get();
  return application != nullptr && application->getPending() != nullptr;
}

}  // namespace

int32_t java_io_DataInputStream::read(ByteArray* b, int32_t off, int32_t len) {
  return streamPresent(m_in) ? m_in->read(b, off, len) : -1;
}

int32_t java_io_DataInputStream::read(ByteArray* b) {
  if (!streamPresent(m_in) || !streamPresent(b)) return -1;
  return m_in->read(b, 0, b->length());
}

int32_t java_io_DataInputStream::read() { return streamPresent(m_in) ? m_in->read() : -1; }

int64_t java_io_DataInputStream::skip(int64_t n) { return streamPresent(m_in) ? m_in->skip(n) : 0; }

int32_t java_io_DataInputStream::available() { return streamPresent(m_in) ? m_in->available() : 0; }

void java_io_DataInputStream::close() {
  if (streamPresent(m_in)) m_in->close();
}

void java_io_DataInputStream::mark(int32_t readlimit) {
  SynchronizedScope lock(this);
  if (streamPresent(m_in)) m_in->mark(readlimit);
}

void java_io_DataInputStream::reset() {
  SynchronizedScope lock(this);
  if (streamPresent(m_in)) m_in->reset();
}

int32_t java_io_DataInputStream::markSupported() { return streamPresent(m_in) ? m_in->markSupported() : 0; }

int32_t java_io_DataInputStream::readBoolean() {
  const int32_t c = read();
  if (c < 0) return throwNew<java_io_EOFException>(), 0;
  return c != 0 ? 1 : 0;
}

int32_t java_io_DataInputStream::readByte() {
  const int32_t c = read();
  if (c < 0) return throwNew<java_io_EOFException>(), 0;
  return static_cast<int8_t>(c);
}

int32_t java_io_DataInputStream::readUnsignedByte() {
  const int32_t c = read();
  if (c < 0) return throwNew<java_io_EOFException>(), 0;
  return c;
}

int32_t java_io_DataInputStream::readUnsignedShort() {
  const int32_t c1 = read();
  const int32_t c2 = read();
  if ((c1 | c2) < 0) return throwNew<java_io_EOFException>(), 0;
  return (c1 << 8) + c2;
}

int32_t java_io_DataInputStream::readShort() { return static_cast<int16_t>(readUnsignedShort()); }

char16_t java_io_DataInputStream::readChar() { return static_cast<char16_t>(readUnsignedShort()); }

int32_t java_io_DataInputStream::readInt() {
  const int32_t c1 = read();
  const int32_t c2 = read();
  const int32_t c3 = read();
  const int32_t c4 = read();
  if ((c1 | c2 | c3 | c4) < 0) return throwNew<java_io_EOFException>(), 0;
  return static_cast<int32_t>((static_cast<uint32_t>(c1) << 24) + (c2 << 16) + (c3 << 8) + c4);
}

int64_t java_io_DataInputStream::readLong() {
  const int64_t high = readInt();
  if (exceptionPending()) return 0;
  const int64_t low = static_cast<uint32_t>(readInt());
  if (exceptionPending()) return 0;
  return static_cast<int64_t>(static_cast<uint64_t>(high) << 32) + low;
}

String* java_io_DataInputStream::readUTF() {
  const int32_t utflen = readUnsignedShort();
  if (exceptionPending()) return nullptr;
  ByteArray* bytes = newByteArray(utflen);
  if (bytes == nullptr) return nullptr;
  readFully(bytes, 0, utflen);
  if (exceptionPending()) return nullptr;
  const std::vector<uint8_t> copy(bytes->elements(), bytes->elements() + utflen);
  std::u16string units(static_cast<size_t>(utflen), u'\0');
  const int32_t count = decodeModifiedUtf8(copy, units.data());
  if (count < 0) return throwNew<java_io_UTFDataFormatException>(), nullptr;
  return newObject<String>(units.data(), 0, count);
}

void java_io_DataInputStream::readFully(ByteArray* b) {
  if (streamPresent(b)) readFully(b, 0, b->length());
}

void java_io_DataInputStream::readFully(ByteArray* b, int32_t off, int32_t len) {
  if (len > 0 && !streamRangeInside(b, off, len, "DataInputStream.readFully")) return;
  int32_t n = 0;
  while (n < len) {
    const int32_t r = read(b, off + n, len - n);
    if (exceptionPending()) return;
    // A read that gives nothing would loop for ever on a stream that has
    // ended; the data is short, as much as -1 says.
    if (r <= 0) return throwNew<java_io_EOFException>();
    n += r;
  }
}

int32_t java_io_DataInputStream::skipBytes(int32_t n) {
  int32_t total = 0;
  while (total < n) {
    const int32_t r = static_cast<int32_t>(skip(n - total));
    if (r <= 0) break;
    total += r;
  }
  return total;
}
