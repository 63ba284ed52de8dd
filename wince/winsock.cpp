#include "wince/winsock.h"

#include <atomic>
#include <bit>
#include <climits>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "wince/net_posix.h"

namespace wince {
namespace {

thread_local int lastSocketError = 0;
std::atomic<int> startups{0};
std::atomic<DWORD> connectTimeout{20000};

constexpr bool hostIsLittleEndian = std::endian::native == std::endian::little;

int fail(int error) {
  lastSocketError = error;
  return SOCKET_ERROR;
}
SOCKET failSocket(int error) {
  lastSocketError = error;
  return INVALID_SOCKET;
}
hostent* failLookup(int error) {
  lastSocketError = error;
  return nullptr;
}

// The common entry checks: a started Winsock and a socket that names a host
// descriptor. Answers the descriptor, or -1 with the error set.
int descriptorOf(SOCKET socket) {
  if (startups.load() <= 0) return fail(WSANOTINITIALISED);
  if (socket == INVALID_SOCKET || socket > SOCKET(INT_MAX)) return fail(WSAENOTSOCK);
  return int(socket);
}

bool readIPv4(const sockaddr* address, int length, uint32_t* host, uint16_t* port) {
  if (!address || length < int(sizeof(sockaddr_in))) {
    lastSocketError = WSAEFAULT;
    return false;
  }
  sockaddr_in ipv4;
  std::memcpy(&ipv4, address, sizeof ipv4);
  if (ipv4.sin_family != AF_INET) {
    lastSocketError = WSAEAFNOSUPPORT;
    return false;
  }
  *host = ipv4.sin_addr.s_addr;
  *port = ipv4.sin_port;
  return true;
}

// Fills an optional address out-parameter the way Winsock does.
bool writeIPv4(sockaddr* address, int* length, uint32_t host, uint16_t port) {
  if (!address) return true;
  if (!length || *length < int(sizeof(sockaddr_in))) {
    lastSocketError = WSAEFAULT;
    return false;
  }
  sockaddr_in ipv4{};
  ipv4.sin_family = AF_INET;
  ipv4.sin_port = port;
  ipv4.sin_addr.s_addr = host;
  std::memcpy(address, &ipv4, sizeof ipv4);
  *length = sizeof ipv4;
  return true;
}

// Per-thread answer storage of gethostbyname, as on the device.
struct HostAnswer {
  std::string name;
  std::vector<uint32_t> addresses;
  std::vector<char*> addressPointers;
  char* noAliases[1] = {nullptr};
  hostent entry{};
};
thread_local HostAnswer hostAnswer;

}  // namespace

uint16_t htons(uint16_t value) { return hostIsLittleEndian ? __builtin_bswap16(value) : value; }
uint16_t ntohs(uint16_t value) { return htons(value); }
uint32_t htonl(uint32_t value) { return hostIsLittleEndian ? __builtin_bswap32(value) : value; }
uint32_t ntohl(uint32_t value) { return htonl(value); }

int WSAStartup(WORD version, WSADATA* data) {
  const int major = version & 0xFF;
  const int minor = version >> 8;
  if (!data) return WSAEFAULT;
  if (major < 1 || (major == 1 && minor < 1)) return WSAVERNOTSUPPORTED;
  std::memset(data, 0, sizeof *data);
  data->wVersion = major >= 2 ? MAKEWORD(2, 2) : version;
  data->wHighVersion = MAKEWORD(2, 2);
  std::strcpy(data->szDescription, "Winsock over POSIX sockets");
  std::strcpy(data->szSystemStatus, "Running");
  data->iMaxSockets = 0xFFFF;
  ++startups;
  return 0;
}

int WSACleanup() {
  int current = startups.load();
  do {
    if (current <= 0) return fail(WSANOTINITIALISED);
  } while (!startups.compare_exchange_weak(current, current - 1));
  return 0;
}

int WSAGetLastError() { return lastSocketError; }

SOCKET socket(int family, int type, int protocol) {
  if (startups.load() <= 0) return failSocket(WSANOTINITIALISED);
  if (family != AF_INET) return failSocket(WSAEAFNOSUPPORT);
  if (type != SOCK_STREAM || (protocol != 0 && protocol != IPPROTO_TCP)) return failSocket(WSAEOPNOTSUPP);
  int error = 0;
  const int descriptor = posix::openStreamSocket(&error);
  if (descriptor < 0) return failSocket(error);
  return SOCKET(descriptor);
}

int bind(SOCKET socket, const sockaddr* address, int length) {
  const int descriptor = descriptorOf(socket);
  uint32_t host;
  uint16_t port;
  if (descriptor < 0 || !readIPv4(address, length, &host, &port)) return SOCKET_ERROR;
  int error = 0;
  return posix::bindIPv4(descriptor, host, port, &error) < 0 ? fail(error) : 0;
}

int listen(SOCKET socket, int backlog) {
  const int descriptor = descriptorOf(socket);
  if (descriptor < 0) return SOCKET_ERROR;
  int error = 0;
  return posix::listenOn(descriptor, backlog < 0 ? 0 : backlog, &error) < 0 ? fail(error) : 0;
}

SOCKET accept(SOCKET socket, sockaddr* address, int* length) {
  const int descriptor = descriptorOf(socket);
  if (descriptor < 0) return INVALID_SOCKET;
  if (address && (!length || *length < int(sizeof(sockaddr_in)))) return failSocket(WSAEFAULT);
  int error = 0;
  uint32_t host = 0;
  uint16_t port = 0;
  const int accepted = posix::acceptIPv4(descriptor, &host, &port, &error);
  if (accepted < 0) return failSocket(error);
  writeIPv4(address, length, host, port);
  return SOCKET(accepted);
}

int connect(SOCKET socket, const sockaddr* address, int length) {
  const int descriptor = descriptorOf(socket);
  uint32_t host;
  uint16_t port;
  if (descriptor < 0 || !readIPv4(address, length, &host, &port)) return SOCKET_ERROR;
  int error = 0;
  const DWORD timeout = connectTimeout.load();
  const int timeoutMilliseconds = timeout > DWORD(INT_MAX) ? INT_MAX : int(timeout);
  return posix::connectIPv4(descriptor, host, port, timeoutMilliseconds, &error) < 0 ? fail(error) : 0;
}

int send(SOCKET socket, const char* buffer, int length, int flags) {
  const int descriptor = descriptorOf(socket);
  if (descriptor < 0) return SOCKET_ERROR;
  if (length < 0 || (length > 0 && !buffer)) return fail(WSAEFAULT);
  if (flags & ~MSG_OOB) return fail(WSAEOPNOTSUPP);
  int error = 0;
  const long sent = posix::sendBytes(descriptor, buffer, size_t(length), flags & MSG_OOB, &error);
  return sent < 0 ? fail(error) : int(sent);
}

int recv(SOCKET socket, char* buffer, int length, int flags) {
  const int descriptor = descriptorOf(socket);
  if (descriptor < 0) return SOCKET_ERROR;
  if (length < 0 || (length > 0 && !buffer)) return fail(WSAEFAULT);
  if (flags & ~(MSG_OOB | MSG_PEEK)) return fail(WSAEOPNOTSUPP);
  int error = 0;
  const long received =
      posix::receiveBytes(descriptor, buffer, size_t(length), flags & MSG_PEEK, flags & MSG_OOB, &error);
  return received < 0 ? fail(error) : int(received);
}

int shutdown(SOCKET socket, int how) {
  const int descriptor = descriptorOf(socket);
  if (descriptor < 0) return SOCKET_ERROR;
  if (how < SD_RECEIVE || how > SD_BOTH) return fail(WSAEINVAL);
  int error = 0;
  return posix::shutdownSocket(descriptor, how, &error) < 0 ? fail(error) : 0;
}

int closesocket(SOCKET socket) {
  const int descriptor = descriptorOf(socket);
  if (descriptor < 0) return SOCKET_ERROR;
  int error = 0;
  return posix::closeSocket(descriptor, &error) < 0 ? fail(error) : 0;
}

int getsockname(SOCKET socket, sockaddr* address, int* length) {
  const int descriptor = descriptorOf(socket);
  if (descriptor < 0) return SOCKET_ERROR;
  if (!address) return fail(WSAEFAULT);
  int error = 0;
  uint32_t host = 0;
  uint16_t port = 0;
  if (posix::localIPv4(descriptor, &host, &port, &error) < 0) return fail(error);
  return writeIPv4(address, length, host, port) ? 0 : SOCKET_ERROR;
}

hostent* gethostbyname(const char* name) {
  if (startups.load() <= 0) return failLookup(WSANOTINITIALISED);
  if (!name || !*name) return failLookup(WSAHOST_NOT_FOUND);
  HostAnswer& answer = hostAnswer;
  int error = 0;
  if (posix::resolveIPv4(name, &answer.addresses, &answer.name, &error) < 0) return failLookup(error);
  answer.addressPointers.clear();
  for (uint32_t& address : answer.addresses) answer.addressPointers.push_back(reinterpret_cast<char*>(&address));
  answer.addressPointers.push_back(nullptr);
  answer.entry.h_name = answer.name.data();
  answer.entry.h_aliases = answer.noAliases;
  answer.entry.h_addrtype = AF_INET;
  answer.entry.h_length = sizeof(uint32_t);
  answer.entry.h_addr_list = answer.addressPointers.data();
  return &answer.entry;
}

uint32_t inet_addr(const char* text) {
  if (!text) return INADDR_NONE;
  uint8_t bytes[4];
  const char* cursor = text;
  for (int part = 0; part < 4; ++part) {
    if (part > 0 && *cursor++ != '.') return INADDR_NONE;
    int value = 0;
    int digits = 0;
    while (*cursor >= '0' && *cursor <= '9' && digits < 4) {
      value = value * 10 + (*cursor++ - '0');
      ++digits;
    }
    if (digits == 0 || digits > 3 || value > 255) return INADDR_NONE;
    bytes[part] = uint8_t(value);
  }
  if (*cursor != '\0') return INADDR_NONE;
  uint32_t address;
  std::memcpy(&address, bytes, sizeof address);
  return address;
}

void setSocketConnectTimeout(DWORD milliseconds) { connectTimeout = milliseconds; }

}  // namespace wince
