#pragma once
// java_io_PrintStream (class id 24): text onto a wrapped output stream. Each
// call of the wrapped stream drops an IOException it raises; any other
// exception stays pending. checkError always answers false.
#include "runtime/io/java_io_OutputStream.h"

class CharArray;
class String;

class java_io_PrintStream : public java_io_OutputStream {
 public:
  using Super = java_io_OutputStream;
  static constexpr uint16_t classId = classid::java_io_PrintStream;
  static constexpr auto referenceFields() { return ReferenceFieldList{&java_io_PrintStream::m_out}; }

  void init(java_io_OutputStream* out) { m_out = out; }

  void finalize() override { Object::finalize(); }
  void close() override;
  void flush() override;
  void write(int32_t b) override;
  void write(ByteArray* b, int32_t off, int32_t len) override;
  void write(ByteArray* b) override;

  int32_t checkError() { return 0; }
  void print(char16_t c);
  void print(CharArray* s);
  // A null text, or an object that is null or whose toString is null,
  // prints "null".
  void print(String* s);
  void print(Object* o);
  void print(bool b);
  void print(int32_t i);
  void print(int64_t l);
  void println();
  void println(char16_t c);
  void println(String* s);
  void println(Object* o);
  void println(bool b);
  void println(int32_t i);

  java_io_OutputStream* m_out;
};
