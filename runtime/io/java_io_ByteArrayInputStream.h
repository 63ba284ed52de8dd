#pragma once
// java_io_ByteArrayInputStream (class id 15): reads a byte array from pos up
// to count; synchronized on the stream except mark.
#include "runtime/io/java_io_InputStream.h"

class java_io_ByteArrayInputStream : public java_io_InputStream {
 public:
  using Super = java_io_InputStream;
  static constexpr uint16_t classId = classid::java_io_ByteArrayInputStream;
  static constexpr auto referenceFields() { return ReferenceFieldList{&java_io_ByteArrayInputStream::m_buf}; }

  void init(ByteArray* buf);
  // count is cut to the array's end; a negative offset is logged and starts
  // an empty stream.
  void init(ByteArray* buf, int32_t offset, int32_t length);

  void finalize() override { Object::finalize(); }
  int32_t read(ByteArray* b, int32_t off, int32_t len) override;
  int32_t read(ByteArray* b) override;
  int32_t read() override;
  int64_t skip(int64_t n) override;
  int32_t available() override;
  void close() override {}
  void mark(int32_t readlimit) override;
  void reset() override;
  int32_t markSupported() override { return 1; }

  ByteArray* m_buf;
  int32_t m_pos;
  int32_t m_mark;
  int32_t m_count;
};
