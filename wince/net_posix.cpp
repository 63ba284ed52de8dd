#include "wince/net_posix.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "wince/winsock_errors.h"

namespace wince::posix {
namespace {

int winsockError(int hostError) {
  switch (hostError) {
    case EINTR: return WSAEINTR;
    case EACCES: case EPERM: return WSAEACCES;
    case EFAULT: return WSAEFAULT;
    case EINVAL: return WSAEINVAL;
    case EMFILE: case ENFILE: return WSAEMFILE;
    case EAGAIN: case EINPROGRESS: return WSAEWOULDBLOCK;
    case EBADF: case ENOTSOCK: return WSAENOTSOCK;
    case EMSGSIZE: return WSAEMSGSIZE;
    case EOPNOTSUPP: return WSAEOPNOTSUPP;
    case EAFNOSUPPORT: return WSAEAFNOSUPPORT;
    case EADDRINUSE: return WSAEADDRINUSE;
    case EADDRNOTAVAIL: return WSAEADDRNOTAVAIL;
    case ENETDOWN: return WSAENETDOWN;
    case ENETUNREACH: return WSAENETUNREACH;
    case ECONNABORTED: return WSAECONNABORTED;
    case ECONNRESET: case EPIPE: return WSAECONNRESET;
    case ENOBUFS: case ENOMEM: return WSAENOBUFS;
    case EISCONN: return WSAEISCONN;
    case ENOTCONN: return WSAENOTCONN;
    case ESHUTDOWN: return WSAESHUTDOWN;
    case ETIMEDOUT: return WSAETIMEDOUT;
    case ECONNREFUSED: return WSAECONNREFUSED;
    case EHOSTUNREACH: case EHOSTDOWN: return WSAEHOSTUNREACH;
    default: return WSAEINVAL;
  }
}

int failWith(int* error, int hostError) {
  *error = winsockError(hostError);
  return -1;
}

sockaddr_in ipv4Address(uint32_t address, uint16_t port) {
  sockaddr_in result{};
  result.sin_family = AF_INET;
  result.sin_port = port;
  result.sin_addr.s_addr = address;
  return result;
}

// Waits for a non-blocking connect to finish; answers the connect's own
// error, ETIMEDOUT when the peer never answered.
int finishConnect(int socket, int timeoutMilliseconds) {
  pollfd watched{socket, POLLOUT, 0};
  int ready;
  do {
    ready = ::poll(&watched, 1, timeoutMilliseconds);
  } while (ready < 0 && errno == EINTR);
  if (ready < 0) return errno;
  if (ready == 0) return ETIMEDOUT;
  int connectError = 0;
  socklen_t length = sizeof connectError;
  if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &connectError, &length) < 0) return errno;
  return connectError;
}

}  // namespace

int openStreamSocket(int* error) {
  const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
  return socket < 0 ? failWith(error, errno) : socket;
}

int bindIPv4(int socket, uint32_t address, uint16_t port, int* error) {
  const sockaddr_in local = ipv4Address(address, port);
  if (::bind(socket, reinterpret_cast<const sockaddr*>(&local), sizeof local) < 0) return failWith(error, errno);
  return 0;
}

int listenOn(int socket, int backlog, int* error) {
  if (::listen(socket, backlog) < 0) return failWith(error, errno);
  return 0;
}

int acceptIPv4(int socket, uint32_t* address, uint16_t* port, int* error) {
  sockaddr_in peer{};
  socklen_t length = sizeof peer;
  int accepted;
  do {
    accepted = ::accept4(socket, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC);
  } while (accepted < 0 && errno == EINTR);
  if (accepted < 0) return failWith(error, errno);
  *address = peer.sin_addr.s_addr;
  *port = peer.sin_port;
  return accepted;
}

int connectIPv4(int socket, uint32_t address, uint16_t port, int timeoutMilliseconds, int* error) {
  // Non-blocking for the connect alone, so that an unanswered peer costs
  // the timeout and not the host's minutes of retries.
  const int flags = ::fcntl(socket, F_GETFL);
  if (flags < 0 || ::fcntl(socket, F_SETFL, flags | O_NONBLOCK) < 0) return failWith(error, errno);
  const sockaddr_in peer = ipv4Address(address, port);
  int result = ::connect(socket, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) < 0 ? errno : 0;
  if (result == EINPROGRESS || result == EINTR) result = finishConnect(socket, timeoutMilliseconds);
  ::fcntl(socket, F_SETFL, flags);
  return result == 0 ? 0 : failWith(error, result);
}

long sendBytes(int socket, const void* buffer, size_t length, bool outOfBand, int* error) {
  const int flags = MSG_NOSIGNAL | (outOfBand ? MSG_OOB : 0);
  ssize_t sent;
  do {
    sent = ::send(socket, buffer, length, flags);
  } while (sent < 0 && errno == EINTR);
  return sent < 0 ? failWith(error, errno) : long(sent);
}

long receiveBytes(int socket, void* buffer, size_t length, bool peek, bool outOfBand, int* error) {
  const int flags = (peek ? MSG_PEEK : 0) | (outOfBand ? MSG_OOB : 0);
  ssize_t received;
  do {
    received = ::recv(socket, buffer, length, flags);
  } while (received < 0 && errno == EINTR);
  return received < 0 ? failWith(error, errno) : long(received);
}

int shutdownSocket(int socket, int how, int* error) {
  const int hostHow = how == 0 ? SHUT_RD : how == 1 ? SHUT_WR : SHUT_RDWR;
  if (::shutdown(socket, hostHow) < 0) return failWith(error, errno);
  return 0;
}

int closeSocket(int socket, int* error) {
  // Linux releases the descriptor even when close reports EINTR; retrying
  // could close a descriptor another thread has just opened.
  if (::close(socket) < 0 && errno != EINTR) return failWith(error, errno);
  return 0;
}

int localIPv4(int socket, uint32_t* address, uint16_t* port, int* error) {
  sockaddr_in local{};
  socklen_t length = sizeof local;
  if (::getsockname(socket, reinterpret_cast<sockaddr*>(&local), &length) < 0) return failWith(error, errno);
  *address = local.sin_addr.s_addr;
  *port = local.sin_port;
  return 0;
}

int resolveIPv4(const char* name, std::vector<uint32_t>* addresses, std::string* canonicalName, int* error) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_CANONNAME;
  addrinfo* found = nullptr;
  const int status = ::getaddrinfo(name, nullptr, &hints, &found);
  if (status != 0) {
    switch (status) {
      case EAI_AGAIN: *error = WSATRY_AGAIN; break;
      case EAI_NONAME: case EAI_FAMILY: *error = WSAHOST_NOT_FOUND; break;
#ifdef EAI_NODATA
      case EAI_NODATA: *error = WSANO_DATA; break;
#endif
#ifdef EAI_ADDRFAMILY
      case EAI_ADDRFAMILY: *error = WSANO_DATA; break;
#endif
      case EAI_SYSTEM: *error = winsockError(errno); break;
      default: *error = WSANO_RECOVERY; break;
    }
    return -1;
  }
  addresses->clear();
  canonicalName->assign(found->ai_canonname ? found->ai_canonname : name);
  for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
    if (entry->ai_family != AF_INET || entry->ai_addrlen < sizeof(sockaddr_in)) continue;
    const uint32_t address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr.s_addr;
    if (std::find(addresses->begin(), addresses->end(), address) == addresses->end()) addresses->push_back(address);
  }
  ::freeaddrinfo(found);
  if (addresses->empty()) {
    *error = WSANO_DATA;
    return -1;
  }
  return 0;
}

}  // namespace wince::posix
