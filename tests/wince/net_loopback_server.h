#pragma once
// Servers for network tests, on 127.0.0.1 at a port the system picks. Each
// serves a fixed number of connections on its own thread and stops by
// itself; destroying it ends a connection still open (its reads see the
// close) and joins the thread. Nothing but the loopback address is used.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "wince/winsock.h"

namespace nettest {

inline bool sendText(wince::SOCKET socket, std::string_view text) {
  while (!text.empty()) {
    const int sent = wince::send(socket, text.data(), int(std::min<size_t>(text.size(), 1 << 20)), 0);
    if (sent <= 0) return false;
    text.remove_prefix(size_t(sent));
  }
  return true;
}

// Reads until the blank line that ends a request's head, the peer's close,
// or 64 KiB.
inline std::string receiveRequestHead(wince::SOCKET socket) {
  std::string received;
  char buffer[4096];
  while (received.find("\r\n\r\n") == std::string::npos && received.size() < 65536) {
    const int count = wince::recv(socket, buffer, sizeof buffer, 0);
    if (count <= 0) break;
    received.append(buffer, size_t(count));
  }
  return received;
}

// Reads until the peer closes (or the server is destroyed).
inline std::string receiveUntilClosed(wince::SOCKET socket) {
  std::string received;
  char buffer[4096];
  int count;
  while ((count = wince::recv(socket, buffer, sizeof buffer, 0)) > 0) received.append(buffer, size_t(count));
  return received;
}

// 127.0.0.1 in network order.
inline uint32_t loopbackAddress() { return wince::inet_addr("127.0.0.1"); }

inline uint16_t localPort(wince::SOCKET socket) {
  wince::sockaddr_in local{};
  int length = sizeof local;
  if (wince::getsockname(socket, reinterpret_cast<wince::sockaddr*>(&local), &length) != 0) return 0;
  return wince::ntohs(local.sin_port);
}

// A socket bound to a loopback port and not listening: connecting to that
// port is refused.
class RefusingPort {
 public:
  RefusingPort() {
    wince::WSADATA data;
    wince::WSAStartup(wince::MAKEWORD(2, 2), &data);
    m_socket = wince::socket(wince::AF_INET, wince::SOCK_STREAM, wince::IPPROTO_TCP);
    wince::sockaddr_in local{};
    local.sin_family = wince::AF_INET;
    local.sin_addr.s_addr = loopbackAddress();
    wince::bind(m_socket, reinterpret_cast<const wince::sockaddr*>(&local), sizeof local);
    m_port = localPort(m_socket);
  }
  ~RefusingPort() {
    wince::closesocket(m_socket);
    wince::WSACleanup();
  }
  uint16_t port() const { return m_port; }

 private:
  wince::SOCKET m_socket;
  uint16_t m_port = 0;
};

class LoopbackServer {
 public:
  using Handler = std::function<void(wince::SOCKET connection, int index)>;

  LoopbackServer(int connections, Handler handler, int backlog = 8) : m_handler(std::move(handler)) {
    wince::WSADATA data;
    wince::WSAStartup(wince::MAKEWORD(2, 2), &data);
    m_listener = wince::socket(wince::AF_INET, wince::SOCK_STREAM, wince::IPPROTO_TCP);
    wince::sockaddr_in local{};
    local.sin_family = wince::AF_INET;
    local.sin_addr.s_addr = loopbackAddress();
    EXPECT_EQ(wince::bind(m_listener, reinterpret_cast<const wince::sockaddr*>(&local), sizeof local), 0);
    EXPECT_EQ(wince::listen(m_listener, backlog), 0);
    m_port = localPort(m_listener);
    m_thread = std::thread([this, connections] { serve(connections); });
  }

  ~LoopbackServer() {
    {
      std::lock_guard lock(m_mutex);
      m_stopping = true;
      // Wakes a blocked accept or receive.
      wince::shutdown(m_listener, wince::SD_BOTH);
      if (m_current != wince::INVALID_SOCKET) wince::shutdown(m_current, wince::SD_BOTH);
    }
    m_thread.join();
    wince::closesocket(m_listener);
    wince::WSACleanup();
  }

  uint16_t port() const { return m_port; }
  std::string url(std::string_view pathAndQuery) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + std::string(pathAndQuery);
  }
  std::u16string wideUrl(std::string_view pathAndQuery) const {
    const std::string narrow = url(pathAndQuery);
    return std::u16string(narrow.begin(), narrow.end());
  }
  int acceptedConnections() const { return m_accepted; }

 private:
  void serve(int connections) {
    for (int index = 0; index < connections; ++index) {
      const wince::SOCKET connection = wince::accept(m_listener, nullptr, nullptr);
      if (connection == wince::INVALID_SOCKET) return;
      {
        std::lock_guard lock(m_mutex);
        if (m_stopping) {
          wince::closesocket(connection);
          return;
        }
        m_current = connection;
      }
      ++m_accepted;
      m_handler(connection, index);
      std::lock_guard lock(m_mutex);
      m_current = wince::INVALID_SOCKET;
      wince::closesocket(connection);
    }
  }

  Handler m_handler;
  wince::SOCKET m_listener = wince::INVALID_SOCKET;
  uint16_t m_port = 0;
  std::thread m_thread;
  std::mutex m_mutex;
  wince::SOCKET m_current = wince::INVALID_SOCKET;
  bool m_stopping = false;
  std::atomic<int> m_accepted{0};
};

// A server that answers each of `connections` requests with reply, keeping
// what it received.
class HttpReplyServer {
 public:
  explicit HttpReplyServer(std::string reply, int connections = 1)
      : m_reply(std::move(reply)),
        m_server(connections, [this](wince::SOCKET connection, int) {
          const std::string request = receiveRequestHead(connection);
          {
            std::lock_guard lock(m_mutex);
            m_requests += request;
          }
          sendText(connection, m_reply);
        }) {}
  std::u16string wideUrl(std::string_view pathAndQuery) const { return m_server.wideUrl(pathAndQuery); }
  uint16_t port() const { return m_server.port(); }
  std::string requests() {
    std::lock_guard lock(m_mutex);
    return m_requests;
  }

 private:
  std::string m_reply;
  std::mutex m_mutex;
  std::string m_requests;
  LoopbackServer m_server;
};

// A server for one request that answers with reply, or, for "silent", reads
// until the client gives up; an empty reply starts no server (null).
inline std::unique_ptr<LoopbackServer> serveCannedReply(const std::string& reply) {
  if (reply.empty()) return nullptr;
  return std::make_unique<LoopbackServer>(1, [reply](wince::SOCKET connection, int) {
    receiveRequestHead(connection);
    if (reply == "silent") {
      receiveUntilClosed(connection);
    } else {
      sendText(connection, reply);
    }
  });
}

}  // namespace nettest
