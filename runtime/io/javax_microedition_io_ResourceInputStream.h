#pragma once
// javax_microedition_io_ResourceInputStream (class id 77): one entry of the
// resource archive, read from the archive's file stream, which starts at the
// entry's first byte. Not synchronized.
#include "runtime/io/java_io_InputStream.h"

class String;

class javax_microedition_io_ResourceInputStream : public java_io_InputStream {
 public:
  using Super = java_io_InputStream;
  static constexpr uint16_t classId = classid::javax_microedition_io_ResourceInputStream;
  static constexpr auto referenceFields() { return ReferenceFieldList{&javax_microedition_io_ResourceInputStream::m_in}; }

  void init(java_io_InputStream* in, int32_t size) {
    m_in = in;
    m_size = size;
  }

  void finalize() override { Object::finalize(); }
  // -1 once the entry is used up.
  int32_t read() override;
  // EOFException once the entry is used up; -1 when the file ends early.
  int32_t read(ByteArray* b, int32_t off, int32_t len) override;
  int32_t read(ByteArray* b) override;
  int64_t skip(int64_t n) override;
  int32_t available() override { return m_size - m_consumed; }
  void close() override;
  // Mark and reset keep the bytes taken from the entry in step with the
  // file position.
  void mark(int32_t readlimit) override;
  void reset() override;
  int32_t markSupported() override;

  // The entry's stream (one leading "/" dropped, ASCII case ignored, the
  // first entry wins), or null.
  static javax_microedition_io_ResourceInputStream* openEntry(String* name);
  // A name ending in ".bar" is first opened whole as a file of its own in the
  // install folder; any other name, or one no such file answers, is looked
  // up in the archive.
  static java_io_InputStream* getResourceAsStream(String* name);

  java_io_InputStream* m_in;
  int32_t m_size;
  int32_t m_consumed;
  int32_t m_markedConsumed;
};
