#pragma once
// java_io_ByteArrayOutputStream (class id 16): collects written bytes in a
// growing array; write, reset, toByteArray and close synchronized on the
// stream.
#include "runtime/io/java_io_OutputStream.h"

class String;

class java_io_ByteArrayOutputStream : public java_io_OutputStream {
 public:
  using Super = java_io_OutputStream;
  static constexpr uint16_t classId = classid::java_io_ByteArrayOutputStream;
  static constexpr auto referenceFields() { return ReferenceFieldList{&java_io_ByteArrayOutputStream::m_buf}; }

  void init() { init(32); }
  // A negative size is logged and gives an empty buffer.
  void init(int32_t size);

  void finalize() override { Object::finalize(); }
  String* toString() override;
  // Marks the stream closed; writing afterwards still works.
  void close() override;
  void flush() override {}
  // A write the buffer cannot grow for raises IOException and writes
  // nothing.
  void write(int32_t b) override;
  void write(ByteArray* b, int32_t off, int32_t len) override;
  void write(ByteArray* b) override;
  virtual void reset();
  virtual int32_t size();

  // The buffer itself when closed and exactly full, else a copy of count
  // bytes.
  ByteArray* toByteArray();

  ByteArray* m_buf;
  int32_t m_count;
  uint8_t m_closed;

 private:
  // Room for needed bytes: max(twice the length, needed). False, logged and
  // with IOException pending, when the buffer cannot grow that far.
  bool ensureCapacity(int64_t needed);
};
