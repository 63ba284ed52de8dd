#pragma once
// java_io_ConsoleOutputStream (class id 17): behind the system out and err
// streams; everything written to it is discarded.
#include "runtime/io/java_io_OutputStream.h"

class java_io_ConsoleOutputStream : public java_io_OutputStream {
 public:
  using Super = java_io_OutputStream;
  static constexpr uint16_t classId = classid::java_io_ConsoleOutputStream;

  void finalize() override { Object::finalize(); }
  void close() override {}
  void flush() override {}
  void write(int32_t) override {}
  void write(ByteArray*, int32_t, int32_t) override {}
  void write(ByteArray*) override {}
};
