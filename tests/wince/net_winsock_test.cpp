#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <cstring>
#include <functional>
#include <string>

#include "tests/wince/net_loopback_server.h"
#include "wince/winsock.h"

namespace {

using namespace std::string_literals;

class WinsockTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(wince::WSAStartup(wince::MAKEWORD(1, 1), &m_data), 0); }
  void TearDown() override {
    wince::setSocketConnectTimeout(20000);
    EXPECT_EQ(wince::WSACleanup(), 0);
  }

  static wince::SOCKET streamSocket() {
    return wince::socket(wince::AF_INET, wince::SOCK_STREAM, wince::IPPROTO_TCP);
  }
  static int connectTo(wince::SOCKET socket, uint16_t port) {
    wince::sockaddr_in peer{};
    peer.sin_family = wince::AF_INET;
    peer.sin_port = wince::htons(port);
    peer.sin_addr.s_addr = nettest::loopbackAddress();
    return wince::connect(socket, reinterpret_cast<const wince::sockaddr*>(&peer), sizeof peer);
  }

  wince::WSADATA m_data{};
};

TEST(WinsockStartup, CallsBeforeStartupFailAndStartupAnswersTheVersion) {
  EXPECT_EQ(wince::socket(wince::AF_INET, wince::SOCK_STREAM, 0), wince::INVALID_SOCKET);
  EXPECT_EQ(wince::WSAGetLastError(), wince::WSANOTINITIALISED);
  EXPECT_EQ(wince::WSACleanup(), wince::SOCKET_ERROR);

  wince::WSADATA data{};
  EXPECT_EQ(wince::WSAStartup(wince::MAKEWORD(1, 0), &data), wince::WSAVERNOTSUPPORTED);
  ASSERT_EQ(wince::WSAStartup(wince::MAKEWORD(1, 1), &data), 0);
  EXPECT_EQ(data.wVersion, wince::MAKEWORD(1, 1));
  EXPECT_EQ(wince::WSACleanup(), 0);
}

TEST_F(WinsockTest, EchoRoundTripThenShutdownOfTheSendSideEndsThePeersStream) {
  nettest::LoopbackServer server(1, [](wince::SOCKET connection, int) {
    nettest::sendText(connection, nettest::receiveUntilClosed(connection));
  });
  const wince::SOCKET client = streamSocket();
  ASSERT_NE(client, wince::INVALID_SOCKET);
  ASSERT_EQ(connectTo(client, server.port()), 0);
  const std::string message = "hello over loopback";
  EXPECT_EQ(wince::send(client, message.data(), int(message.size()), 0), int(message.size()));
  EXPECT_EQ(wince::shutdown(client, wince::SD_SEND), 0);

  char peeked = 0;
  EXPECT_EQ(wince::recv(client, &peeked, 1, wince::MSG_PEEK), 1);
  EXPECT_EQ(peeked, 'h');
  EXPECT_EQ(nettest::receiveUntilClosed(client), message);
  char after;
  EXPECT_EQ(wince::recv(client, &after, 1, 0), 0) << "the peer has closed";
  EXPECT_EQ(wince::closesocket(client), 0);
}

TEST_F(WinsockTest, SendToAClosedPeerFailsWithoutEndingTheProcess) {
  nettest::LoopbackServer server(1, [](wince::SOCKET, int) {});
  const wince::SOCKET client = streamSocket();
  ASSERT_EQ(connectTo(client, server.port()), 0);
  char byte;
  ASSERT_EQ(wince::recv(client, &byte, 1, 0), 0);
  int result = 0;
  // The peer's reset arrives after the first send; on a busy machine that
  // takes longer than a burst of sends, and nothing in the API tells when.
  for (int attempt = 0; attempt < 1000 && result != wince::SOCKET_ERROR; ++attempt) {
    result = wince::send(client, "x", 1, 0);
    if (result != wince::SOCKET_ERROR) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  EXPECT_EQ(result, wince::SOCKET_ERROR);
  EXPECT_EQ(wince::WSAGetLastError(), wince::WSAECONNRESET);
  wince::closesocket(client);
}

TEST_F(WinsockTest, ConnectToAPortNobodyListensOnIsRefused) {
  nettest::RefusingPort refusing;
  const wince::SOCKET client = streamSocket();
  EXPECT_EQ(connectTo(client, refusing.port()), wince::SOCKET_ERROR);
  EXPECT_EQ(wince::WSAGetLastError(), wince::WSAECONNREFUSED);
  wince::closesocket(client);
}

// A listener with a backlog of 0 holds one unaccepted connection; Linux
// drops the SYN of the next, so that connect hears nothing.
TEST_F(WinsockTest, ConnectToAPeerThatNeverAnswersTimesOut) {
  nettest::LoopbackServer server(0, [](wince::SOCKET, int) {}, 0);
  const wince::SOCKET first = streamSocket();
  ASSERT_EQ(connectTo(first, server.port()), 0);
  wince::setSocketConnectTimeout(200);
  const wince::SOCKET second = streamSocket();
  EXPECT_EQ(connectTo(second, server.port()), wince::SOCKET_ERROR);
  EXPECT_EQ(wince::WSAGetLastError(), wince::WSAETIMEDOUT);
  wince::closesocket(second);
  wince::closesocket(first);
}

TEST_F(WinsockTest, ListeningSocketAcceptsAndReportsThePeer) {
  const wince::SOCKET listener = streamSocket();
  wince::sockaddr_in local{};
  local.sin_family = wince::AF_INET;
  local.sin_addr.s_addr = nettest::loopbackAddress();
  ASSERT_EQ(wince::bind(listener, reinterpret_cast<const wince::sockaddr*>(&local), sizeof local), 0);
  ASSERT_EQ(wince::listen(listener, wince::SOMAXCONN), 0);
  const wince::SOCKET client = streamSocket();
  ASSERT_EQ(connectTo(client, nettest::localPort(listener)), 0);

  wince::sockaddr_in peer{};
  int length = sizeof peer;
  const wince::SOCKET accepted = wince::accept(listener, reinterpret_cast<wince::sockaddr*>(&peer), &length);
  ASSERT_NE(accepted, wince::INVALID_SOCKET);
  EXPECT_EQ(length, int(sizeof peer));
  EXPECT_EQ(peer.sin_addr.s_addr, nettest::loopbackAddress());
  EXPECT_EQ(wince::ntohs(peer.sin_port), nettest::localPort(client));
  EXPECT_EQ(wince::send(accepted, "ok", 2, 0), 2);
  char reply[2];
  EXPECT_EQ(wince::recv(client, reply, 2, 0), 2);
  for (const wince::SOCKET socket : {accepted, client, listener}) EXPECT_EQ(wince::closesocket(socket), 0);
}

TEST_F(WinsockTest, LocalhostResolvesToTheLoopbackAddress) {
  const wince::hostent* host = wince::gethostbyname("localhost");
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(host->h_addrtype, wince::AF_INET);
  EXPECT_EQ(host->h_length, 4);
  ASSERT_NE(host->h_addr_list[0], nullptr);
  uint32_t address;
  std::memcpy(&address, host->h_addr_list[0], sizeof address);
  EXPECT_EQ(address, nettest::loopbackAddress());

  const wince::hostent* dotted = wince::gethostbyname("127.0.0.1");
  ASSERT_NE(dotted, nullptr);
  std::memcpy(&address, dotted->h_addr_list[0], sizeof address);
  EXPECT_EQ(address, nettest::loopbackAddress());
}

TEST(WinsockAddresses, DottedAddressesReadStrictly) {
  const uint8_t loopback[4] = {127, 0, 0, 1};
  uint32_t expected;
  std::memcpy(&expected, loopback, sizeof expected);
  EXPECT_EQ(wince::inet_addr("127.0.0.1"), expected);
  EXPECT_EQ(wince::inet_addr("0.0.0.0"), 0u);
  for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1.2.3.4 ", "a.b.c.d", "1..2.3", "0001.2.3.4"})
    EXPECT_EQ(wince::inet_addr(bad), wince::INADDR_NONE) << bad;
  EXPECT_EQ(wince::inet_addr(nullptr), wince::INADDR_NONE);
  EXPECT_EQ(wince::htons(0x1234), wince::ntohs(0x1234));
  EXPECT_EQ(wince::ntohl(wince::htonl(0x01020304u)), 0x01020304u);
}

TEST_F(WinsockTest, BadArgumentsFailWithTheirErrors) {
  const wince::SOCKET socket = streamSocket();
  char buffer[4];
  wince::sockaddr_in address{};
  address.sin_family = wince::AF_INET;
  const auto* shortAddress = reinterpret_cast<const wince::sockaddr*>(&address);
  const struct {
    const char* what;
    std::function<int()> call;
    int error;
  } cases[] = {
      {"send on no socket", [] { return wince::send(wince::INVALID_SOCKET, "x", 1, 0); }, wince::WSAENOTSOCK},
      {"recv into null", [&] { return wince::recv(socket, nullptr, 4, 0); }, wince::WSAEFAULT},
      {"recv with unknown flags", [&] { return wince::recv(socket, buffer, 4, 0x40000); }, wince::WSAEOPNOTSUPP},
      {"bind with a short address", [&] { return wince::bind(socket, shortAddress, 4); }, wince::WSAEFAULT},
      {"shutdown how 3", [&] { return wince::shutdown(socket, 3); }, wince::WSAEINVAL},
      {"recv unconnected", [&] { return wince::recv(socket, buffer, 4, 0); }, wince::WSAENOTCONN},
      {"datagram socket", [] { return int(wince::socket(wince::AF_INET, 2, 0)); }, wince::WSAEOPNOTSUPP},
  };
  for (const auto& entry : cases) {
    EXPECT_EQ(entry.call(), wince::SOCKET_ERROR) << entry.what;
    EXPECT_EQ(wince::WSAGetLastError(), entry.error) << entry.what;
  }
  wince::closesocket(socket);
}

}  // namespace
