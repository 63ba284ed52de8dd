#pragma once
// Winsock 1.1 over POSIX sockets: the calls the socket client makes. They
// live in namespace wince because the C library owns the same names; a file
// that includes this header does not also include the C library's socket
// headers (their macros would rewrite these names).
//
// Errors are kept per thread for WSAGetLastError, translated from the host's
// to the platform's codes. Every call but WSAStartup needs a started
// Winsock. A send never raises SIGPIPE: a closed peer is a failed send.
#include "wince/types.h"
#include "wince/winsock_errors.h"

#if defined(AF_INET) || defined(INADDR_ANY)
#error "wince/winsock.h does not mix with the C library's socket headers in one file"
#endif

namespace wince {

using SOCKET = uintptr_t;
constexpr SOCKET INVALID_SOCKET = ~SOCKET(0);
constexpr int SOCKET_ERROR = -1;

constexpr int AF_INET = 2;
constexpr int SOCK_STREAM = 1;
constexpr int IPPROTO_TCP = 6;
constexpr int SOMAXCONN = 5;
// Network byte order, like every address in these calls.
constexpr uint32_t INADDR_ANY = 0;
constexpr uint32_t INADDR_NONE = 0xFFFFFFFFu;

constexpr int MSG_OOB = 0x1;
constexpr int MSG_PEEK = 0x2;

constexpr int SD_RECEIVE = 0;
constexpr int SD_SEND = 1;
constexpr int SD_BOTH = 2;

constexpr WORD MAKEWORD(BYTE low, BYTE high) { return WORD(low | (high << 8)); }

struct WSADATA {
  WORD wVersion;
  WORD wHighVersion;
  char szDescription[257];
  char szSystemStatus[129];
  unsigned short iMaxSockets;
  unsigned short iMaxUdpDg;
  char* lpVendorInfo;
};

struct in_addr {
  uint32_t s_addr;
};
struct sockaddr {
  uint16_t sa_family;
  char sa_data[14];
};
struct sockaddr_in {
  int16_t sin_family;
  uint16_t sin_port;
  in_addr sin_addr;
  char sin_zero[8];
};
struct hostent {
  char* h_name;
  char** h_aliases;
  int16_t h_addrtype;
  int16_t h_length;
  // Null-terminated list of h_length-byte addresses in network order.
  char** h_addr_list;
};

uint16_t htons(uint16_t value);
uint16_t ntohs(uint16_t value);
uint32_t htonl(uint32_t value);
uint32_t ntohl(uint32_t value);

// version: MAKEWORD(major, minor); 1.1 and up are served.
int WSAStartup(WORD version, WSADATA* data);
int WSACleanup();
int WSAGetLastError();

// IPv4 streams only.
SOCKET socket(int family, int type, int protocol);
int bind(SOCKET socket, const sockaddr* address, int length);
int listen(SOCKET socket, int backlog);
SOCKET accept(SOCKET socket, sockaddr* address, int* length);
// Gives up with WSAETIMEDOUT after the connect timeout.
int connect(SOCKET socket, const sockaddr* address, int length);
int send(SOCKET socket, const char* buffer, int length, int flags);
int recv(SOCKET socket, char* buffer, int length, int flags);
int shutdown(SOCKET socket, int how);
int closesocket(SOCKET socket);
int getsockname(SOCKET socket, sockaddr* address, int* length);
// IPv4 addresses of a host name; the answer stays valid on the calling
// thread until its next call. Null with WSAHOST_NOT_FOUND (or another
// lookup error) when the name has none.
hostent* gethostbyname(const char* name);
// A dotted IPv4 address in network order; INADDR_NONE when the text is not one.
uint32_t inet_addr(const char* text);

// How long connect waits for the peer (20 s unless a test shortens it).
void setSocketConnectTimeout(DWORD milliseconds);

}  // namespace wince
