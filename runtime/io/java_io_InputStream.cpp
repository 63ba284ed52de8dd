#include "runtime/io/java_io_InputStream.h"

#include "runtime/io/StreamRanges.h"
#include "runtime/io/java_io_ByteArrayOutputStream.h"
#include "runtime/object/ObjectFactory.h"
#include "wince/file_io.h"

java_io_InputStream* java_io_InputStream::overFile(FILE* file) {
  auto* stream = newObject<java_io_InputStream>();
  if (stream == nullptr) {
    wince::fclose(file);
    return nullptr;
  }
  stream->m_file = file;
  wince::fseek(file, 0, SEEK_END);
  stream->m_fileSize = static_cast<int32_t>(wince::ftell(file));
  wince::fseek(file, 0, SEEK_SET);
  return stream;
}

void java_io_InputStream::finalize() {
  close();
  Object::finalize();
}

int32_t java_io_InputStream::read(ByteArray* b, int32_t off, int32_t len) {
  if (len < 1) return 0;
  if (!streamRangeInside(b, off, len, "InputStream.read")) return 0;
  if (m_file == nullptr) return -1;
  const size_t count = wince::fread(b->elements() + off, 1, static_cast<size_t>(len), m_file);
  // At the end of the file a read of one or more bytes answers -1, so that
  // every read loop ends.
  return count == 0 ? -1 : static_cast<int32_t>(count);
}

int32_t java_io_InputStream::read(ByteArray* b) {
  if (!streamPresent(b)) return 0;
  return read(b, 0, b->length());
}

int32_t java_io_InputStream::read() {
  uint8_t byte = 0;
  if (m_file == nullptr || wince::fread(&byte, 1, 1, m_file) != 1) return -1;
  return byte;
}

int64_t java_io_InputStream::skip(int64_t n) {
  if (n <= 0) return n;
  if (m_file != nullptr) wince::fseek(m_file, static_cast<int32_t>(n), SEEK_CUR);
  return n;
}

int32_t java_io_InputStream::available() {
  if (m_file == nullptr) return 0;
  return m_fileSize - static_cast<int32_t>(wince::ftell(m_file));
}

void java_io_InputStream::close() {
  if (m_file == nullptr) return;
  wince::fclose(m_file);
  m_file = nullptr;
}

void java_io_InputStream::mark(int32_t) {
  if (m_file != nullptr) m_markPosition = static_cast<int32_t>(wince::ftell(m_file));
}

void java_io_InputStream::reset() {
  if (m_file != nullptr) wince::fseek(m_file, m_markPosition, SEEK_SET);
}

int32_t java_io_InputStream::markSupported() { return 1; }

ByteArray* java_io_InputStream::readAll(java_io_InputStream* stream) {
  if (stream == nullptr) return nullptr;
  auto* bytes = newObject<java_io_ByteArrayOutputStream>();
  ByteArray* buffer = newByteArray(512);
  if (bytes == nullptr || buffer == nullptr) return nullptr;
  while (stream->available() > 0) {
    const int32_t count = stream->read(buffer);
    if (count <= 0) break;
    bytes->write(buffer, 0, count);
  }
  return bytes->toByteArray();
}
