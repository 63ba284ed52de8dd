#pragma once
// The streams of a socket connection. Both hold a share of the connection's
// client (a native pointer, not a reference field: their class records are
// those of the byte-array streams they extend).
//
// The input stream keeps what one receive brought in its byte array and
// receives again only when that is used up; -1 once the peer has closed, and
// IOException on a receive error. Marks cannot survive a refill, so none are
// supported.
//
// The output stream sends what is written, whole, at once; a failed send
// raises IOException. close only marks the stream closed: the socket stays
// open for the connection.
#include <cstdint>

#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/io/java_io_ByteArrayOutputStream.h"

class SocketConnectionClient;

class SocketConnectionInputStream : public java_io_ByteArrayInputStream {
 public:
  using Super = java_io_ByteArrayInputStream;
  // The bytes one receive may bring.
  static constexpr int32_t bufferBytes = 4096;

  // Takes a share of shared.
  void init(SocketConnectionClient* shared);

  void finalize() override;
  int32_t read() override;
  int32_t read(ByteArray* b, int32_t off, int32_t len) override;
  int32_t read(ByteArray* b) override;
  void mark(int32_t) override {}
  // IOException: marks are not supported.
  void reset() override;
  int32_t markSupported() override { return 0; }

  SocketConnectionClient* m_shared;

 private:
  // Receives into the buffer when it is used up: false at the peer's close
  // (or on an error, which is raised).
  bool fill();
};

class SocketConnectionOutputStream : public java_io_ByteArrayOutputStream {
 public:
  using Super = java_io_ByteArrayOutputStream;

  // Takes a share of shared.
  void init(SocketConnectionClient* shared);

  void finalize() override;
  void write(int32_t b) override;
  void write(ByteArray* b, int32_t off, int32_t len) override;
  void write(ByteArray* b) override;
  void flush() override {}

  SocketConnectionClient* m_shared;

 private:
  void sendBytes(const char* bytes, int32_t length);
};
