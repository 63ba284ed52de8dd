#pragma once
// java_io_OutputStream (class id 23): the base of every output stream, and
// the file-backed stream the file natives hand out, its only direct
// instance. The five operations keep their fixed slot order.
#include <cstdint>
#include <cstdio>

#include "runtime/object/Object.h"

class ByteArray;

class java_io_OutputStream : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_io_OutputStream;

  // A file-backed stream that now owns the open file; null (the file closed)
  // when the heap is full.
  static java_io_OutputStream* overFile(FILE* file);

  // The finaliser closes the file.
  void finalize() override;

  // Closes the file once; the bytes are on disk only after this.
  virtual void close();
  virtual void flush();
  virtual void write(int32_t b);
  virtual void write(ByteArray* b, int32_t off, int32_t len);
  virtual void write(ByteArray* b);

  FILE* m_file;
};
