#include "runtime/net/SocketConnectionStreams.h"

#include <cstring>
#include <vector>

#include "runtime/exceptions/ThrowNew.h"
#include "runtime/io/StreamRanges.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/net/SocketConnectionClient.h"
#include "runtime/thread/SynchronizedScope.h"

void SocketConnectionInputStream::init(SocketConnectionClient* shared) {
  m_shared = shared->retain();
  m_buf = newByteArray(bufferBytes);
}

void SocketConnectionInputStream::finalize() {
  if (m_shared != nullptr) m_shared->release();
  m_shared = nullptr;
  Super::finalize();
}

bool SocketConnectionInputStream::fill() {
  if (m_pos < m_count) return true;
  if (m_buf == nullptr || m_shared == nullptr || !m_shared->connected) {
    debugLog("SocketConnection: read from a socket that is not connected");
    throwNew<java_io_IOException>();
    return false;
  }
  // Received into the stack: the receive blocks in a safe region, where the
  // collector may move the array's elements.
  char chunk[bufferBytes];
  const int received = m_shared->client.Recv(chunk, bufferBytes, 0);
  // A close while the receive waited is no end of the peer's data.
  if (received < 0 || (received == 0 && !m_shared->connected)) {
    throwNew<java_io_IOException>();
    return false;
  }
  if (received == 0) return false;
  std::memcpy(m_buf->elements(), chunk, static_cast<size_t>(received));
  m_pos = 0;
  m_count = received;
  return true;
}

int32_t SocketConnectionInputStream::read() {
  SynchronizedScope lock(this);
  if (!fill()) return -1;
  return static_cast<uint8_t>(m_buf->elements()[m_pos++]);
}

int32_t SocketConnectionInputStream::read(ByteArray* b, int32_t off, int32_t len) {
  SynchronizedScope lock(this);
  if (!streamRangeInside(b, off, len, "SocketConnection.read")) return 0;
  if (len == 0) return 0;
  if (!fill()) return -1;
  return Super::read(b, off, len);
}

int32_t SocketConnectionInputStream::read(ByteArray* b) {
  if (!streamPresent(b)) return 0;
  return read(b, 0, b->length());
}

void SocketConnectionInputStream::reset() { throwNew<java_io_IOException>(); }

void SocketConnectionOutputStream::init(SocketConnectionClient* shared) {
  Super::init(0);
  m_shared = shared->retain();
}

void SocketConnectionOutputStream::finalize() {
  if (m_shared != nullptr) m_shared->release();
  m_shared = nullptr;
  Super::finalize();
}

void SocketConnectionOutputStream::sendBytes(const char* bytes, int32_t length) {
  if (m_shared == nullptr || !m_shared->connected) {
    debugLog("SocketConnection: write to a socket that is not connected");
    throwNew<java_io_IOException>();
    return;
  }
  if (m_shared->client.Send(bytes, length, 0) != length) throwNew<java_io_IOException>();
}

void SocketConnectionOutputStream::write(int32_t b) {
  const char byte = static_cast<char>(b);
  sendBytes(&byte, 1);
}

void SocketConnectionOutputStream::write(ByteArray* b, int32_t off, int32_t len) {
  if (!streamRangeInside(b, off, len, "SocketConnection.write") || len == 0) return;
  // Copied out first: the send blocks in a safe region, where the collector
  // may move the array's elements.
  const std::vector<char> bytes(b->elements() + off, b->elements() + off + len);
  sendBytes(bytes.data(), len);
}

void SocketConnectionOutputStream::write(ByteArray* b) {
  if (!streamPresent(b)) return;
  write(b, 0, b->length());
}
