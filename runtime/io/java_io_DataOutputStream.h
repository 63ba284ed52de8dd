#pragma once
// java_io_DataOutputStream (class id 19): big-endian typed values and
// modified UTF-8 texts onto a wrapped output stream; the five stream
// operations pass to it.
#include "runtime/io/java_io_OutputStream.h"

class String;

class java_io_DataOutputStream : public java_io_OutputStream {
 public:
  using Super = java_io_OutputStream;
  static constexpr uint16_t classId = classid::java_io_DataOutputStream;
  static constexpr auto referenceFields() { return ReferenceFieldList{&java_io_DataOutputStream::m_out}; }

  void init(java_io_OutputStream* out) { m_out = out; }

  void finalize() override { Object::finalize(); }
  void close() override;
  void flush() override;
  void write(int32_t b) override;
  void write(ByteArray* b, int32_t off, int32_t len) override;
  void write(ByteArray* b) override;

  void writeBoolean(int32_t v) { write(v != 0 ? 1 : 0); }
  void writeByte(int32_t v) { write(v); }
  void writeShort(int32_t v);
  void writeChar(int32_t v) { writeShort(v); }
  void writeInt(int32_t v);
  void writeLong(int64_t v);
  void writeChars(String* s);
  // A text longer than 65535 bytes of modified UTF-8 is logged and not
  // written: its length would not fit the two length bytes.
  void writeUTF(String* s);

  java_io_OutputStream* m_out;
};
