#include "runtime/io/java_io_OutputStream.h"

#include "runtime/io/StreamRanges.h"
#include "runtime/object/ObjectFactory.h"
#include "wince/file_io.h"

java_io_OutputStream* java_io_OutputStream::overFile(FILE* file) {
  auto* stream = newObject<java_io_OutputStream>();
  if (stream == nullptr) {
    wince::fclose(file);
    return nullptr;
  }
  stream->m_file = file;
  return stream;
}

void java_io_OutputStream::finalize() {
  close();
  Object::finalize();
}

void java_io_OutputStream::close() {
  if (m_file == nullptr) return;
  wince::fclose(m_file);
  m_file = nullptr;
}

void java_io_OutputStream::flush() {}

void java_io_OutputStream::write(int32_t b) {
  if (m_file == nullptr) return;
  const uint8_t byte = static_cast<uint8_t>(b);
  wince::fwrite(&byte, 1, 1, m_file);
}

void java_io_OutputStream::write(ByteArray* b, int32_t off, int32_t len) {
  if (len == 0 || !streamRangeInside(b, off, len, "OutputStream.write") || m_file == nullptr) return;
  wince::fwrite(b->elements() + off, 1, static_cast<size_t>(len), m_file);
}

void java_io_OutputStream::write(ByteArray* b) {
  if (!streamPresent(b)) return;
  write(b, 0, b->length());
}
