#include "runtime/net/WinSocketClient.h"

#include <cstring>
#include <mutex>

#include "runtime/lang/DebugLog.h"
#include "runtime/net/BlockingCallScope.h"

namespace {

// Clients may be made and deleted on any thread.
std::mutex liveClientsMutex;
int liveClients = 0;

}  // namespace

WinSocketClient::WinSocketClient() {
  std::lock_guard lock(liveClientsMutex);
  if (liveClients++ == 0) {
    wince::WSADATA data;
    if (const int error = wince::WSAStartup(wince::MAKEWORD(1, 1), &data))
      debugLog("WinSocketClient: WSAStartup failed: %d", error);
  }
}

WinSocketClient::~WinSocketClient() {
  CloseSocket();
  std::lock_guard lock(liveClientsMutex);
  if (--liveClients == 0) wince::WSACleanup();
}

bool WinSocketClient::Create(int /*unused*/) {
  CloseSocket();
  m_socket = wince::socket(wince::AF_INET, wince::SOCK_STREAM, wince::IPPROTO_TCP);
  if (m_socket == wince::INVALID_SOCKET) {
    debugLog("WinSocketClient::Create Failed: %d", wince::WSAGetLastError());
    return false;
  }
  return true;
}

bool WinSocketClient::Connect(const char* host, int port) {
  if (!host || port < 1 || port > 65535) {
    debugLog("WinSocketClient::Connect-> Invalid address");
    return false;
  }
  BlockingCallScope blocking;
  uint32_t address;
  if (const wince::hostent* found = wince::gethostbyname(host)) {
    std::memcpy(&address, found->h_addr_list[0], sizeof address);
  } else {
    address = wince::inet_addr(host);
    if (address == wince::INADDR_NONE) {
      debugLog("WinSocketClient::Connect-> Invalid address");
      return false;
    }
  }
  wince::sockaddr_in peer{};
  peer.sin_family = wince::AF_INET;
  peer.sin_port = wince::htons(uint16_t(port));
  peer.sin_addr.s_addr = address;
  if (wince::connect(m_socket, reinterpret_cast<const wince::sockaddr*>(&peer), sizeof peer) == wince::SOCKET_ERROR) {
    const int error = wince::WSAGetLastError();
    debugLog("WinSocketClient::Connect: Unable to connect: %X / %d", unsigned(error), error);
    return false;
  }
  return true;
}

bool WinSocketClient::Bind(int port) {
  if (port < 0 || port > 65535) {
    debugLog("WinSocketClient::Bind: bad port %d", port);
    return false;
  }
  wince::sockaddr_in local{};
  local.sin_family = wince::AF_INET;
  local.sin_port = wince::htons(uint16_t(port));
  local.sin_addr.s_addr = wince::INADDR_ANY;
  if (wince::bind(m_socket, reinterpret_cast<const wince::sockaddr*>(&local), sizeof local) == wince::SOCKET_ERROR) {
    debugLog("WinSocketClient::Bind failed: %d", wince::WSAGetLastError());
    return false;
  }
  return true;
}

bool WinSocketClient::Listen(int backlog) {
  if (wince::listen(m_socket, backlog) == wince::SOCKET_ERROR) {
    debugLog("WinSocketClient::Listen failed: %d", wince::WSAGetLastError());
    return false;
  }
  return true;
}

bool WinSocketClient::Accept(WinSocketClient* client) {
  if (!client) return false;
  wince::SOCKET accepted;
  {
    BlockingCallScope blocking;
    accepted = wince::accept(m_socket, nullptr, nullptr);
  }
  if (accepted == wince::INVALID_SOCKET) {
    debugLog("WinSocketClient::Accept failed: %d", wince::WSAGetLastError());
    return false;
  }
  client->CloseSocket();
  client->m_socket = accepted;
  return true;
}

int WinSocketClient::Send(const char* buffer, int length, int flags) {
  if ((!buffer && length > 0) || length < 0) {
    debugLog("WinSocketClient::Send: bad buffer");
    return -1;
  }
  BlockingCallScope blocking;
  int total = 0;
  while (total < length) {
    const int sent = wince::send(m_socket, buffer + total, length - total, flags);
    if (sent <= 0) {
      debugLog("WinSocketClient::Send failed: %d", wince::WSAGetLastError());
      return -1;
    }
    total += sent;
  }
  return total;
}

int WinSocketClient::SendString(const char* text) {
  if (!text) return -1;
  return Send(text, int(std::strlen(text)), 0);
}

int WinSocketClient::Recv(char* buffer, int length, int flags) {
  if ((!buffer && length > 0) || length < 0) {
    debugLog("WinSocketClient::Recv: bad buffer");
    return -1;
  }
  BlockingCallScope blocking;
  const int received = wince::recv(m_socket, buffer, length, flags);
  if (received == wince::SOCKET_ERROR) debugLog("WinSocketClient::Recv failed: %d", wince::WSAGetLastError());
  return received;
}

int WinSocketClient::ReadLine(char* buffer, int max, bool echo) {
  if (!buffer || max <= 0) {
    debugLog("WinSocketClient::ReadLine: bad buffer");
    return -1;
  }
  BlockingCallScope blocking;
  int stored = 0;
  while (stored < max) {
    char byte;
    const int received = wince::recv(m_socket, &byte, 1, 0);
    if (received < 0) {
      debugLog("WinSocketClient::ReadLine failed: %d", wince::WSAGetLastError());
      return received;
    }
    // A last line the peer did not end still counts; the next call sees the close.
    if (received == 0 && stored == 0) return 0;
    if (received == 0) break;
    if (echo && wince::send(m_socket, &byte, 1, 0) != 1)
      debugLog("WinSocketClient::ReadLine: echo failed: %d", wince::WSAGetLastError());
    if (byte == '\n') break;
    if (byte != '\r') buffer[stored++] = byte;
  }
  buffer[stored] = '\0';
  return stored == 0 ? 1 : stored;
}

bool WinSocketClient::Shutdown(int how) {
  if (wince::shutdown(m_socket, how) == wince::SOCKET_ERROR) {
    debugLog("WinSocketClient::Shutdown failed: %d", wince::WSAGetLastError());
    return false;
  }
  return true;
}

bool WinSocketClient::CloseSocket() {
  // Forgotten first: a descriptor closed twice may by then be another's.
  const wince::SOCKET closing = m_socket.exchange(wince::INVALID_SOCKET);
  if (closing == wince::INVALID_SOCKET) return false;
  if (wince::closesocket(closing) == wince::SOCKET_ERROR) {
    debugLog("WinSocketClient::CloseSocket failed: %d", wince::WSAGetLastError());
    return false;
  }
  return true;
}
