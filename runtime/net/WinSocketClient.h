#pragma once
// A TCP client (or, with Bind, Listen and Accept, a server) over Winsock.
// Failures answer false or -1 and write a log line; the Winsock error stays
// readable through wince::WSAGetLastError on the failing thread. Buffers
// passed in belong to the system heap: the calls may block in a safe region.
#include <atomic>

#include "wince/winsock.h"

class WinSocketClient {
 public:
  // The first live client starts Winsock 1.1, the last one cleans it up.
  WinSocketClient();
  virtual ~WinSocketClient();
  WinSocketClient(const WinSocketClient&) = delete;
  WinSocketClient& operator=(const WinSocketClient&) = delete;

  // An IPv4 TCP socket (the argument is not used); an open one is closed first.
  virtual bool Create(int unused);
  // host: a name, else a dotted IPv4 address; port 1 to 65535.
  virtual bool Connect(const char* host, int port);
  // Any local address; port 0 lets the system choose.
  virtual bool Bind(int port);
  // Takes one waiting connection into client's socket (closing what it held).
  virtual bool Accept(WinSocketClient* client);
  virtual bool Listen(int backlog);
  // Sends all length bytes (repeating partial sends); answers length, or -1.
  virtual int Send(const char* buffer, int length, int flags);
  virtual int SendString(const char* text);
  // Up to length bytes; 0 when the peer has closed, -1 on error.
  virtual int Recv(char* buffer, int length, int flags);
  // Receives byte by byte up to a line feed or max stored bytes; carriage
  // returns and the line feed are not stored, a zero byte ends the stored
  // ones (buffer holds max + 1 bytes). Answers the count stored, 1 for an
  // empty line (so it reads apart from a close), 0 when the peer closed
  // before any byte of the line, -1 on error. A last line without a line
  // feed is answered when the peer closes. With echo every received byte is
  // sent back.
  virtual int ReadLine(char* buffer, int max, bool echo);
  virtual bool Shutdown(int how);
  // Closes once; false when there is nothing to close. Another thread may
  // call it while one waits in a receive, which then fails.
  virtual bool CloseSocket();

  wince::SOCKET socketHandle() const { return m_socket; }

 private:
  std::atomic<wince::SOCKET> m_socket{wince::INVALID_SOCKET};
};
