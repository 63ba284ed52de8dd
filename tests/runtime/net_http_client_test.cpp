#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "runtime/net/WinInetHttpClient.h"
#include "tests/runtime/net_safe_region_probe.h"
#include "tests/wince/net_loopback_server.h"
#include "wince/connmgr.h"
#include "wince/log.h"
#include "wince/wininet.h"

namespace {

using namespace std::string_literals;

std::string narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

class HttpClientTest : public testing::Test {
 protected:
  void SetUp() override { m_handlesBefore = wince::openInternetHandles(); }
  void TearDown() override {
    m_client.reset();
    wince::restoreInternetDefaults();
    EXPECT_EQ(wince::openInternetHandles(), m_handlesBefore) << "every handle closed";
    EXPECT_EQ(wince::openConnectionManagerConnections(), 0) << "every connection released";
  }

  WinInetHttpClient& client() { return *m_client; }
  std::string statusText() {
    char16_t text[256];
    return m_client->GetStatusText(text, 256) ? narrow(text) : "<none>";
  }
  std::string responseHeader(const char16_t* name) {
    char16_t value[256];
    return m_client->GetResponseHeader(name, value, 256) ? narrow(value) : "<none>";
  }
  std::string content() {
    std::string body(m_client->GetContentLength(), '\0');
    return m_client->CopyContent(reinterpret_cast<uint8_t*>(body.data()), uint32_t(body.size())) ? body : "<none>";
  }
  // One GET of path and query from a server that answers reply.
  int32_t fetch(const std::string& reply, const char16_t* path = u"/", const char16_t* query = nullptr) {
    nettest::HttpReplyServer server(reply);
    if (!m_client->Connect(server.wideUrl("/").c_str())) return -2;
    const int32_t status = m_client->SendByGet(path, query);
    m_lastRequests = server.requests();
    return status;
  }

  std::unique_ptr<WinInetHttpClient> m_client = std::make_unique<WinInetHttpClient>();
  std::string m_lastRequests;
  int m_handlesBefore = 0;
};

TEST_F(HttpClientTest, GetSendsHeadersOnTheirOwnLinesAndKeepsTheWholeResponse) {
  nettest::HttpReplyServer server(
      "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 11\r\n\r\nhello world", 2);
  ASSERT_TRUE(client().Connect(server.wideUrl("/ignored").c_str()));
  client().AddRequestHeader(u"X-Token", u"abc");
  client().AddRequestHeader(u"Accept", u"text/plain");
  client().AddRequestHeader(u"X-Long", std::u16string(400, u'v').c_str());
  ASSERT_EQ(client().SendByGet(u"/data", u"?id=7"), 200);
  EXPECT_EQ(statusText(), "OK");
  EXPECT_EQ(responseHeader(u"content-type"), "text/plain");
  EXPECT_EQ(client().GetContentLength(), 11u);
  EXPECT_EQ(content(), "hello world");

  ASSERT_EQ(client().SendByGet(u"/again", nullptr), 200) << "Accept goes with one request only";
  const std::string host = "Host: 127.0.0.1:" + std::to_string(server.port()) + "\r\n";
  const std::string common = "X-Long: " + std::string(400, 'v') + "\r\nX-Token: abc\r\n\r\n";
  EXPECT_EQ(server.requests(), "GET /data?id=7 HTTP/1.0\r\n" + host +
                                   "User-Agent: CeHttp\r\nAccept: text/plain\r\nPragma: no-cache\r\n" + common +
                                   "GET /again HTTP/1.0\r\n" + host + "User-Agent: CeHttp\r\nPragma: no-cache\r\n" +
                                   common);
  client().Close();
}

TEST_F(HttpClientTest, ResponsesParseWhateverTheirLengthHeaderAndLineEnds) {
  const struct {
    const char* what;
    std::string reply;
    int32_t status;
    const char* reason;
    const char* body;
  } cases[] = {
      {"no Content-Length: read to the end", "HTTP/1.0 200 OK\r\n\r\nuntil the close", 200, "OK", "until the close"},
      {"lower-case length header", "HTTP/1.0 200 OK\r\ncontent-length: 4\r\n\r\nfour", 200, "OK", "four"},
      {"no reason phrase, bare LF", "HTTP/1.0 200\nX-A: b\n\nbody", 200, "", "body"},
      {"empty body", "HTTP/1.0 204 No Content\r\n\r\n", 204, "No Content", ""},
      {"not found keeps its body", "HTTP/1.0 404 Not Found\r\n\r\nmissing", 404, "Not Found", "missing"},
  };
  for (const auto& entry : cases) {
    wince::LogCapture log;
    EXPECT_EQ(fetch(entry.reply), entry.status) << entry.what;
    EXPECT_EQ(statusText(), entry.reason) << entry.what;
    EXPECT_EQ(content(), entry.body) << entry.what;
  }
}

TEST_F(HttpClientTest, RedirectsEndAtTheFinalResponse) {
  nettest::LoopbackServer server(2, [](wince::SOCKET connection, int index) {
    nettest::receiveRequestHead(connection);
    nettest::sendText(connection, index == 0 ? "HTTP/1.0 301 Moved\r\nLocation: /new\r\n\r\n"s
                                             : "HTTP/1.0 200 OK\r\nX-Final: yes\r\n\r\nmoved here"s);
  });
  ASSERT_TRUE(client().Connect(server.wideUrl("/").c_str()));
  EXPECT_EQ(client().SendByGet(u"/old", nullptr), 200);
  EXPECT_EQ(responseHeader(u"X-Final"), "yes");
  EXPECT_EQ(content(), "moved here");
}

TEST_F(HttpClientTest, FragmentNeverReachesTheServer) {
  EXPECT_EQ(fetch("HTTP/1.0 200 OK\r\n\r\n", u"/page", u"?a=1#section"), 200);
  EXPECT_EQ(m_lastRequests.substr(0, m_lastRequests.find('\r')), "GET /page?a=1 HTTP/1.0");
}

TEST_F(HttpClientTest, HttpsSpeaksTlsRatherThanPlainText) {
  std::string firstBytes;
  {
    nettest::LoopbackServer server(1, [&](wince::SOCKET connection, int) {
      char buffer[16];
      const int count = wince::recv(connection, buffer, sizeof buffer, 0);
      if (count > 0) firstBytes.assign(buffer, size_t(count));
    });
    const std::string url = "https://127.0.0.1:" + std::to_string(server.port()) + "/";
    wince::LogCapture log;
    ASSERT_TRUE(client().Connect(std::u16string(url.begin(), url.end()).c_str()));
    EXPECT_EQ(client().SendByGet(u"/secret", nullptr), -1) << "the server speaks no TLS";
  }
  ASSERT_FALSE(firstBytes.empty());
  EXPECT_EQ(firstBytes[0], '\x16') << "a TLS handshake record, not " << firstBytes;
}

TEST_F(HttpClientTest, FailedRequestsAnswerMinusOneKeepTheErrorAndCloseTheClient) {
  nettest::RefusingPort refusing;
  const struct {
    const char* what;
    std::string reply;  // empty: nobody listens
    DWORD error;
    const char* logged;
  } cases[] = {
      {"refused", "", ERROR_INTERNET_CANNOT_CONNECT, "HttpSendRequest fail: 12029"},
      {"silent server", "silent", ERROR_INTERNET_TIMEOUT, "HttpSendRequest fail: 12002"},
      {"huge announced body", "HTTP/1.0 200 OK\r\nContent-Length: 4294967295\r\n\r\nx", ERROR_NOT_ENOUGH_MEMORY,
       "response body larger than"},
      {"garbage reply", "\x7f\x45LF garbage\r\n\r\n", ERROR_HTTP_INVALID_SERVER_RESPONSE, "HttpSendRequest fail"},
  };
  wince::setInternetTimeouts(5000, 200);
  for (const auto& entry : cases) {
    wince::LogCapture log;
    const auto server = nettest::serveCannedReply(entry.reply);
    const uint16_t port = server ? server->port() : refusing.port();
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/";
    ASSERT_TRUE(client().Connect(std::u16string(url.begin(), url.end()).c_str())) << entry.what;
    EXPECT_EQ(client().SendByGet(u"/", nullptr), -1) << entry.what;
    EXPECT_EQ(client().lastError(), entry.error) << entry.what;
    EXPECT_EQ(client().GetStatusCode(), -1) << entry.what;
    EXPECT_EQ(statusText(), "<none>") << entry.what;
    EXPECT_TRUE(log.contains(entry.logged)) << entry.what << ": " << log.text();
    EXPECT_EQ(wince::openConnectionManagerConnections(), 0) << entry.what << ": the client closed itself";
    EXPECT_EQ(client().SendByGet(u"/", nullptr), -1) << entry.what << ": a closed client sends nothing";
  }
}

TEST_F(HttpClientTest, BodiesAboveTheClientsOwnLimitFailEvenWhenThePlatformPassesThem) {
  wince::setInternetBodyLimit(2 * WinInetHttpClient::maximumContentBytes);
  const std::string body(WinInetHttpClient::maximumContentBytes + 1, 'x');
  for (const std::string& head : {"HTTP/1.0 200 OK\r\n\r\n"s,
                                  "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n"}) {
    wince::LogCapture log;
    EXPECT_EQ(fetch(head + body), -1);
    EXPECT_EQ(client().lastError(), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_TRUE(log.contains("over the limit")) << log.text();
  }
}

TEST_F(HttpClientTest, ConnectFailsCleanlyWithoutANetworkOrAUsableUrl) {
  {
    wince::LogCapture log;
    wince::refuseConnectionManager(true);
    EXPECT_FALSE(client().Connect(u"http://127.0.0.1:1/"));
    wince::refuseConnectionManager(false);
    EXPECT_EQ(client().lastError(), ERROR_NOT_CONNECTED);
    EXPECT_TRUE(log.contains("First attempt fail")) << log.text();
    EXPECT_TRUE(log.contains("Last attempt fail")) << log.text();
  }
  const struct {
    const char16_t* url;
    DWORD error;
  } bad[] = {
      {u"ftp://127.0.0.1/", ERROR_INTERNET_UNRECOGNIZED_SCHEME},
      {u"http://127.0.0.1:70000/", ERROR_INTERNET_INVALID_URL},
      {u"http://bad host/", ERROR_INVALID_PARAMETER},
      {nullptr, ERROR_INVALID_PARAMETER},
  };
  for (const auto& entry : bad) {
    wince::LogCapture log;
    EXPECT_FALSE(client().Connect(entry.url));
    EXPECT_EQ(client().lastError(), entry.error);
    EXPECT_TRUE(log.contains("WinInetHttpClient::Connect")) << log.text();
  }
}

TEST_F(HttpClientTest, CopiesIntoCallersBuffersAlwaysEndWithATerminator) {
  ASSERT_EQ(fetch("HTTP/1.0 200 Fine\r\nX-Value: 0123456789\r\n\r\nabc"), 200);
  char16_t text[16];
  EXPECT_FALSE(client().GetStatusText(text, 4)) << "\"Fine\" and its terminator need 5";
  EXPECT_TRUE(client().GetStatusText(text, 5));
  EXPECT_EQ(narrow(text), "Fine");
  EXPECT_TRUE(client().GetResponseHeader(u"x-value", text, 5));
  EXPECT_EQ(narrow(text), "0123") << "a header value is cut to fit";
  EXPECT_FALSE(client().GetResponseHeader(u"X-Absent", text, 16));
  EXPECT_FALSE(client().GetResponseHeader(u"X-Value", nullptr, 16));
  EXPECT_FALSE(client().GetResponseHeader(u"X-Value", text, 0));
  std::vector<char16_t> raw(64);
  EXPECT_TRUE(client().GetRawHeaders(raw.data(), uint32_t(raw.size())));
  EXPECT_EQ(narrow(raw.data()), "HTTP/1.0 200 Fine\r\nX-Value: 0123456789\r\n\r\n");
  uint8_t body[3];
  EXPECT_FALSE(client().CopyContent(body, 2));
  EXPECT_TRUE(client().CopyContent(body, 3));

  client().ResetResponse();
  EXPECT_FALSE(client().GetStatusText(text, 16)) << "no response held";
  EXPECT_FALSE(client().GetRawHeaders(text, 16));
  EXPECT_FALSE(client().CopyContent(body, 3));
}

TEST_F(HttpClientTest, RequestHeadersReplaceTheirValueAndRefuseLineBreaks) {
  wince::LogCapture log;
  client().AddRequestHeader(u"X-Key", u"first");
  client().AddRequestHeader(u"x-key", u"second");
  client().AddRequestHeader(u"X-Empty", u"");
  client().AddRequestHeader(u"X-Evil", u"a\r\nInjected: yes");
  client().AddRequestHeader(u"X:Colon", u"v");
  char16_t value[32];
  ASSERT_TRUE(client().GetRequestHeader(u"X-KEY", value, 32));
  EXPECT_EQ(narrow(value), "second");
  EXPECT_FALSE(client().GetRequestHeader(u"X-Empty", value, 32));
  EXPECT_FALSE(client().GetRequestHeader(u"X-Evil", value, 32));
  EXPECT_FALSE(client().GetRequestHeader(u"X:Colon", value, 32));
  EXPECT_TRUE(log.contains("refused a header")) << log.text();
}

TEST_F(HttpClientTest, ListenerHearsEachChunkUpToTheWholeBody) {
  struct Recorder : HttpProgressListener {
    std::vector<std::pair<uint32_t, uint32_t>> calls;
    void progress(uint32_t received, uint32_t expected) override { calls.emplace_back(received, expected); }
  } recorder;
  const std::string body(200000, 'p');
  nettest::HttpReplyServer server("HTTP/1.0 200 OK\r\nContent-Length: 200000\r\n\r\n" + body);
  ASSERT_TRUE(client().Connect(server.wideUrl("/").c_str()));
  client().SetProgressListener(&recorder);
  ASSERT_EQ(client().SendByGet(u"/", nullptr), 200);
  ASSERT_GE(recorder.calls.size(), 2u) << "a body this size comes in several chunks";
  EXPECT_EQ(recorder.calls.back(), std::make_pair(200000u, 200000u));
  for (size_t i = 1; i < recorder.calls.size(); ++i) EXPECT_GT(recorder.calls[i].first, recorder.calls[i - 1].first);
}

TEST_F(HttpClientTest, TheWholeRequestRunsInsideABlockingCallScope) {
  bool sawInside = false;
  nettest::LoopbackServer server(1, [&](wince::SOCKET connection, int) {
    nettest::receiveRequestHead(connection);
    sawInside = nettest::SafeRegionProbe::waitUntilInside();
    nettest::sendText(connection, "HTTP/1.0 200 OK\r\n\r\nok");
  });
  nettest::SafeRegionProbe probe;
  ASSERT_TRUE(client().Connect(server.wideUrl("/").c_str()));
  EXPECT_EQ(client().SendByGet(u"/", nullptr), 200);
  EXPECT_TRUE(sawInside);
  std::lock_guard lock(nettest::SafeRegionProbe::mutex);
  EXPECT_EQ(nettest::SafeRegionProbe::inside, 0) << "every scope left";
  EXPECT_GE(nettest::SafeRegionProbe::entries, 2) << "connection manager and request";
}

}  // namespace
