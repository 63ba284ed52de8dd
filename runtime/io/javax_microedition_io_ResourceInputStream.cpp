#include "runtime/io/javax_microedition_io_ResourceInputStream.h"

#include <string>

#include "runtime/exceptions/ThrowNew.h"
#include "runtime/io/InstallPaths.h"
#include "runtime/io/ResourceArchive.h"
#include "runtime/io/ResourceArchiveIndex.h"
#include "runtime/io/StreamRanges.h"
#include "runtime/io/javax_microedition_io_File.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"

int32_t javax_microedition_io_ResourceInputStream::read() {
  if (m_consumed + 1 > m_size || !streamPresent(m_in)) return -1;
  const int32_t byte = m_in->read();
  if (byte >= 0) ++m_consumed;
  return byte;
}

int32_t javax_microedition_io_ResourceInputStream::read(ByteArray* b, int32_t off, int32_t len) {
  if (m_consumed + 1 > m_size) return throwNew<java_io_EOFException>(), 0;
  if (!streamPresent(m_in)) return -1;
  const int32_t m = int64_t{m_consumed} + len > m_size ? m_size - m_consumed : len;
  const int32_t n = m_in->read(b, off, m);
  if (n > 0) m_consumed += n;
  return n;
}

int32_t javax_microedition_io_ResourceInputStream::read(ByteArray* b) {
  if (!streamPresent(b)) return 0;
  return read(b, 0, b->length());
}

int64_t javax_microedition_io_ResourceInputStream::skip(int64_t n) {
  if (m_consumed + n > m_size) n = m_size - m_consumed;
  if (!streamPresent(m_in)) return 0;
  const int64_t r = m_in->skip(n);
  if (r > 0) m_consumed += static_cast<int32_t>(r);
  return r;
}

void javax_microedition_io_ResourceInputStream::close() {
  if (streamPresent(m_in)) m_in->close();
}

void javax_microedition_io_ResourceInputStream::mark(int32_t readlimit) {
  if (!streamPresent(m_in)) return;
  m_in->mark(readlimit);
  m_markedConsumed = m_consumed;
}

void javax_microedition_io_ResourceInputStream::reset() {
  if (!streamPresent(m_in)) return;
  m_in->reset();
  m_consumed = m_markedConsumed;
}

int32_t javax_microedition_io_ResourceInputStream::markSupported() { return streamPresent(m_in) ? m_in->markSupported() : 0; }

javax_microedition_io_ResourceInputStream* javax_microedition_io_ResourceInputStream::openEntry(String* name) {
  if (!streamPresent(name)) return nullptr;
  ResourceArchivePlace place{};
  if (!findResourceEntry(name->view(), place)) return nullptr;
  FILE* file = openResourceArchiveAt(place.offset);
  if (file == nullptr) return nullptr;
  // The stream measures the file from its start; the entry lies offset on.
  java_io_InputStream* in = java_io_InputStream::overFile(file);
  if (in == nullptr) return nullptr;
  in->skip(place.offset);
  auto* stream = newObject<javax_microedition_io_ResourceInputStream>(in, place.size);
  if (stream == nullptr) in->close();
  return stream;
}

java_io_InputStream* javax_microedition_io_ResourceInputStream::getResourceAsStream(String* name) {
  if (!streamPresent(name)) return nullptr;
  const std::u16string_view text = name->view();
  if (text.ends_with(u".bar")) {
    // Only a file inside the install folder: the name is the resource's,
    // not a path of the device.
    std::u16string path = installFolder() + u"\\";
    path += text.starts_with(u'/') ? text.substr(1) : text;
    auto* file = newObject<javax_microedition_io_File>(newObject<String>(path.c_str()));
    if (file != nullptr && file->exists() != 0) return file->openInputStream();
  }
  return openEntry(name);
}
