#pragma once
// java_io_InputStream (class id 21): the base of every input stream, and the
// file-backed stream the file natives hand out, which is its only direct
// instance. The nine operations after the six common ones keep their fixed
// slot order; every input class fills all nine.
#include <cstdint>
#include <cstdio>

#include "runtime/object/Object.h"

class ByteArray;

class java_io_InputStream : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_io_InputStream;

  // A file-backed stream over an open file, which it now owns; its size is
  // measured here. Null (the file closed) when the heap is full.
  static java_io_InputStream* overFile(FILE* file);

  // The finaliser closes the file.
  void finalize() override;

  // Reads up to len bytes into b[off..]; -1 at the end of the file, 0 for
  // len < 1.
  virtual int32_t read(ByteArray* b, int32_t off, int32_t len);
  virtual int32_t read(ByteArray* b);
  // One byte as 0..255; -1 at the end.
  virtual int32_t read();
  // Seeks n bytes forward (also past the end) and answers n; n <= 0 answers n.
  virtual int64_t skip(int64_t n);
  virtual int32_t available();
  // Closes the file once.
  virtual void close();
  virtual void mark(int32_t readlimit);
  virtual void reset();
  virtual int32_t markSupported();

  // The whole rest of the stream as a new byte array (null for a null
  // stream): reads while available() is above 0, and stops early when a read
  // gives nothing.
  static ByteArray* readAll(java_io_InputStream* stream);

  FILE* m_file;
  int32_t m_markPosition;
  int32_t m_fileSize;
};
