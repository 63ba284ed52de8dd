#pragma once
// The socket client that a socket connection and the streams it opened
// share. Each holder releases its share once (its finaliser, or the stream
// or connection itself); the last release deletes the client, which closes
// the socket. So a stream keeps working after its connection object is
// collected, and nobody reads through a deleted client.
#include <atomic>

#include "runtime/net/WinSocketClient.h"

class SocketConnectionClient {
 public:
  // One share, the caller's.
  static SocketConnectionClient* create() { return new SocketConnectionClient(); }

  SocketConnectionClient* retain() {
    m_shares.fetch_add(1, std::memory_order_relaxed);
    return this;
  }
  void release() {
    if (m_shares.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
  }

  WinSocketClient client;
  // Set once the connect succeeded, cleared by close: until then the streams
  // fail rather than read an unconnected socket as a closed one.
  std::atomic<bool> connected{false};

 private:
  SocketConnectionClient() = default;
  ~SocketConnectionClient() = default;

  std::atomic<int> m_shares{1};
};
