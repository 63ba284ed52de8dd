#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "runtime/net/WinSocketClient.h"
#include "tests/runtime/net_safe_region_probe.h"
#include "tests/wince/net_loopback_server.h"
#include "wince/log.h"

namespace {

using namespace std::string_literals;

// A server that sends script to its one client, then closes; or, given
// received, keeps what the client sends until it closes (read it once the
// server is gone).
class ScriptServer {
 public:
  explicit ScriptServer(std::string script, std::string* received = nullptr)
      : m_server(1, [script = std::move(script), received](wince::SOCKET connection, int) {
          nettest::sendText(connection, script);
          if (received) *received = nettest::receiveUntilClosed(connection);
        }) {}
  uint16_t port() const { return m_server.port(); }

 private:
  nettest::LoopbackServer m_server;
};

TEST(SocketClient, ReadLineSplitsLinesAndDropsTheirEnds) {
  const struct {
    const char* what;
    std::string script;
    int max;
    std::vector<std::pair<int, std::string>> lines;  // answer, stored text
  } cases[] = {
      {"CR LF", "ab\r\n", 10, {{2, "ab"}}},
      {"bare LF and an empty line", "one\n\ntwo\n", 10, {{3, "one"}, {1, ""}, {3, "two"}}},
      {"only CR LF", "\r\n", 10, {{1, ""}}},
      {"stops at max", "abcdef\n", 4, {{4, "abcd"}, {2, "ef"}}},
      {"CR inside a line", "a\rb\n", 10, {{2, "ab"}}},
      {"last line without LF", "end", 10, {{3, "end"}, {0, ""}}},
      {"peer closes", "", 10, {{0, ""}}},
  };
  for (const auto& entry : cases) {
    ScriptServer server(entry.script);
    WinSocketClient client;
    ASSERT_TRUE(client.Create(2));
    ASSERT_TRUE(client.Connect("127.0.0.1", server.port()));
    for (const auto& [answer, text] : entry.lines) {
      std::vector<char> buffer(size_t(entry.max) + 1, '#');
      const int result = client.ReadLine(buffer.data(), entry.max, false);
      EXPECT_EQ(result, answer) << entry.what;
      if (result > 0) {
        EXPECT_EQ(std::string(buffer.data()), text) << entry.what;
      }
    }
  }
}

TEST(SocketClient, EchoRoundTripOverLocalhostUntilThePeerCloses) {
  nettest::LoopbackServer echo(1, [](wince::SOCKET connection, int) {
    char buffer[4096];
    int count;
    while ((count = wince::recv(connection, buffer, sizeof buffer, 0)) > 0)
      if (!nettest::sendText(connection, std::string_view(buffer, size_t(count)))) break;
  });
  WinSocketClient client;
  ASSERT_TRUE(client.Create(0));
  ASSERT_TRUE(client.Connect("localhost", echo.port()));
  EXPECT_EQ(client.SendString("first line\r\n"), 12);
  char line[64];
  EXPECT_EQ(client.ReadLine(line, 63, false), 10);
  EXPECT_STREQ(line, "first line");

  std::string big(3 << 20, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7);
  std::thread sender([&] { EXPECT_EQ(client.Send(big.data(), int(big.size()), 0), int(big.size())); });
  std::string back;
  std::vector<char> buffer(65536);
  while (back.size() < big.size()) {
    const int count = client.Recv(buffer.data(), int(buffer.size()), 0);
    if (count <= 0) break;
    back.append(buffer.data(), size_t(count));
  }
  sender.join();
  EXPECT_TRUE(back == big) << "all " << big.size() << " bytes came back in order";

  EXPECT_TRUE(client.Shutdown(wince::SD_SEND));
  EXPECT_EQ(client.Recv(buffer.data(), 16, 0), 0) << "the echo server closed after our end";
  EXPECT_TRUE(client.CloseSocket());
  EXPECT_FALSE(client.CloseSocket()) << "closed once";
}

TEST(SocketClient, ReadLineWithEchoSendsEveryReceivedByteBack) {
  std::string received;
  {
    ScriptServer server("ping\r\n", &received);
    WinSocketClient client;
    ASSERT_TRUE(client.Create(0));
    ASSERT_TRUE(client.Connect("127.0.0.1", server.port()));
    char line[16];
    EXPECT_EQ(client.ReadLine(line, 15, true), 4);
    client.CloseSocket();
  }
  EXPECT_EQ(received, "ping\r\n");
}

TEST(SocketClient, SendToAClosedPeerAnswersMinusOneAndTheProcessLives) {
  ScriptServer server("");
  WinSocketClient client;
  ASSERT_TRUE(client.Create(0));
  ASSERT_TRUE(client.Connect("127.0.0.1", server.port()));
  char byte;
  ASSERT_EQ(client.Recv(&byte, 1, 0), 0);
  wince::LogCapture log;
  int result = 0;
  for (int attempt = 0; attempt < 100 && result != -1; ++attempt) result = client.Send("data", 4, 0);
  EXPECT_EQ(result, -1);
  EXPECT_TRUE(log.contains("WinSocketClient::Send failed: 10054")) << log.text();
}

TEST(SocketClient, ConnectFailuresAreLoggedNotShown) {
  nettest::RefusingPort refusing;
  WinSocketClient client;
  ASSERT_TRUE(client.Create(0));
  {
    wince::LogCapture log;
    EXPECT_FALSE(client.Connect("127.0.0.1", refusing.port()));
    EXPECT_TRUE(log.contains("WinSocketClient::Connect: Unable to connect: 274D / 10061")) << log.text();
  }
  for (const auto& [host, port] : {std::pair<const char*, int>{nullptr, 80}, {"127.0.0.1", 0}, {"127.0.0.1", 65536}}) {
    wince::LogCapture log;
    EXPECT_FALSE(client.Connect(host, port));
    EXPECT_TRUE(log.contains("WinSocketClient::Connect-> Invalid address")) << log.text();
  }
}

TEST(SocketClient, ConnectToAPeerThatNeverAnswersGivesUpAfterTheTimeout) {
  nettest::LoopbackServer server(0, [](wince::SOCKET, int) {}, 0);
  WinSocketClient first;
  ASSERT_TRUE(first.Create(0));
  ASSERT_TRUE(first.Connect("127.0.0.1", server.port()));
  wince::setSocketConnectTimeout(200);
  WinSocketClient second;
  ASSERT_TRUE(second.Create(0));
  wince::LogCapture log;
  EXPECT_FALSE(second.Connect("127.0.0.1", server.port()));
  wince::setSocketConnectTimeout(20000);
  EXPECT_TRUE(log.contains("Unable to connect: 274C / 10060")) << log.text();
}

TEST(SocketClient, ServerSideBindListenAndAccept) {
  WinSocketClient listener;
  ASSERT_TRUE(listener.Create(0));
  ASSERT_TRUE(listener.Bind(0));
  ASSERT_TRUE(listener.Listen(1));
  const uint16_t port = nettest::localPort(listener.socketHandle());
  ASSERT_NE(port, 0);
  std::thread peer([port] {
    WinSocketClient client;
    ASSERT_TRUE(client.Create(0));
    ASSERT_TRUE(client.Connect("127.0.0.1", port));
    EXPECT_EQ(client.SendString("over\n"), 5);
    char line[8];
    EXPECT_EQ(client.ReadLine(line, 7, false), 0) << "the server closes";
  });
  WinSocketClient accepted;
  EXPECT_FALSE(listener.Accept(nullptr));
  ASSERT_TRUE(listener.Accept(&accepted));
  char line[8];
  EXPECT_EQ(accepted.ReadLine(line, 7, false), 4);
  EXPECT_STREQ(line, "over");
  EXPECT_TRUE(accepted.CloseSocket());
  peer.join();
}

TEST(SocketClient, BlockingCallsRunInsideABlockingCallScope) {
  bool sawInside = false;
  nettest::LoopbackServer server(1, [&](wince::SOCKET connection, int) {
    sawInside = nettest::SafeRegionProbe::waitUntilInside();
    nettest::sendText(connection, "late\n");
  });
  nettest::SafeRegionProbe probe;
  WinSocketClient client;
  ASSERT_TRUE(client.Create(0));
  ASSERT_TRUE(client.Connect("127.0.0.1", server.port()));
  char line[8];
  EXPECT_EQ(client.ReadLine(line, 7, false), 4);
  EXPECT_TRUE(sawInside);
  std::lock_guard lock(nettest::SafeRegionProbe::mutex);
  EXPECT_EQ(nettest::SafeRegionProbe::inside, 0);
}

int outerEntries = 0;

TEST(SocketClient, HooksReplacedForAWhileAreThereAgainAfterwards) {
  BlockingCallScope::Hook enterBefore;
  BlockingCallScope::Hook leaveBefore;
  BlockingCallScope::installedHooks(&enterBefore, &leaveBefore);
  BlockingCallScope::installHooks(+[] { ++outerEntries; }, +[] {});
  outerEntries = 0;
  {
    nettest::SafeRegionProbe probe;
    BlockingCallScope scope;
  }
  EXPECT_EQ(outerEntries, 0);
  { BlockingCallScope scope; }
  EXPECT_EQ(outerEntries, 1) << "the hooks the probe replaced are back";
  BlockingCallScope::installHooks(enterBefore, leaveBefore);
}

}  // namespace
