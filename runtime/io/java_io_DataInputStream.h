#pragma once
// java_io_DataInputStream (class id 18): big-endian typed values and
// modified UTF-8 texts over a wrapped input stream. The nine stream
// operations pass to the wrapped stream; mark and reset hold this stream's
// monitor while they do. Failures raise EOFException or
// UTFDataFormatException as the pending exception and answer 0 or null.
#include "runtime/io/java_io_InputStream.h"

class String;

class java_io_DataInputStream : public java_io_InputStream {
 public:
  using Super = java_io_InputStream;
  static constexpr uint16_t classId = classid::java_io_DataInputStream;
  static constexpr auto referenceFields() { return ReferenceFieldList{&java_io_DataInputStream::m_in}; }

  void init(java_io_InputStream* in) { m_in = in; }

  void finalize() override { Object::finalize(); }
  int32_t read(ByteArray* b, int32_t off, int32_t len) override;
  int32_t read(ByteArray* b) override;
  int32_t read() override;
  int64_t skip(int64_t n) override;
  int32_t available() override;
  void close() override;
  void mark(int32_t readlimit) override;
  void reset() override;
  int32_t markSupported() override;

  int32_t readBoolean();
  int32_t readByte();
  int32_t readUnsignedByte();
  int32_t readUnsignedShort();
  int32_t readShort();
  char16_t readChar();
  int32_t readInt();
  int64_t readLong();
  String* readUTF();
  void readFully(ByteArray* b);
  void readFully(ByteArray* b, int32_t off, int32_t len);
  int32_t skipBytes(int32_t n);

  java_io_InputStream* m_in;
};
