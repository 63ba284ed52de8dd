#pragma once
// The host's socket calls behind the Winsock stand-in, kept in their own file
// so that the C library's socket headers and the platform's names never meet.
// Descriptors are host file descriptors, addresses and ports in network
// order. Each call answers -1 on failure and stores the failure's Winsock
// error code in *error.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wince::posix {

int openStreamSocket(int* error);
int bindIPv4(int socket, uint32_t address, uint16_t port, int* error);
int listenOn(int socket, int backlog, int* error);
int acceptIPv4(int socket, uint32_t* address, uint16_t* port, int* error);
int connectIPv4(int socket, uint32_t address, uint16_t port, int timeoutMilliseconds, int* error);
// Without SIGPIPE. peek and outOfBand are the platform's MSG_PEEK and MSG_OOB.
long sendBytes(int socket, const void* buffer, size_t length, bool outOfBand, int* error);
long receiveBytes(int socket, void* buffer, size_t length, bool peek, bool outOfBand, int* error);
// how: 0 receive, 1 send, 2 both.
int shutdownSocket(int socket, int how, int* error);
int closeSocket(int socket, int* error);
int localIPv4(int socket, uint32_t* address, uint16_t* port, int* error);
// The host's IPv4 addresses, in the resolver's order, without repeats.
int resolveIPv4(const char* name, std::vector<uint32_t>* addresses, std::string* canonicalName, int* error);

}  // namespace wince::posix
