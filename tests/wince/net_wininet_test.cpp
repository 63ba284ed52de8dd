#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/wince/net_loopback_server.h"
#include "wince/connmgr.h"
#include "wince/log.h"
#include "wince/wininet.h"

namespace {

using namespace std::string_literals;

std::string narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += char(c);
  return out;
}

// Opens the three handles for one GET of path on 127.0.0.1:port.
struct RequestHandles {
  HINTERNET internet = nullptr;
  HINTERNET connect = nullptr;
  HINTERNET request = nullptr;

  RequestHandles(uint16_t port, const char16_t* path, DWORD flags = INTERNET_FLAG_PRAGMA_NOCACHE,
                 LPCWSTR* acceptTypes = nullptr) {
    internet = InternetOpen(u"CeHttp", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    connect = InternetConnect(internet, u"127.0.0.1", port, u"", u"", INTERNET_SERVICE_HTTP, 0, 0);
    request = HttpOpenRequest(connect, u"GET", path, u"HTTP/1.0", nullptr, acceptTypes, flags, 0);
  }
  ~RequestHandles() {
    for (HINTERNET handle : {request, connect, internet})
      if (handle) InternetCloseHandle(handle);
  }
  std::string rawHeaders() const {
    DWORD bytes = 0;
    if (HttpQueryInfo(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &bytes, nullptr)) return "unexpected";
    std::u16string block(bytes / 2, u'\0');
    if (!HttpQueryInfo(request, HTTP_QUERY_RAW_HEADERS_CRLF, block.data(), &bytes, nullptr)) return "failed";
    block.resize(bytes / 2);
    return narrow(block);
  }
  std::string body(DWORD chunk = 7) const {
    std::string out;
    DWORD available = 0;
    while (InternetQueryDataAvailable(request, &available, 0, 0) && available > 0) {
      std::string part(std::min(available, chunk), '\0');
      DWORD read = 0;
      if (!InternetReadFile(request, part.data(), DWORD(part.size()), &read) || read == 0) break;
      out.append(part, 0, read);
    }
    return out;
  }
};

class WinInetTest : public testing::Test {
 protected:
  void SetUp() override { m_handlesBefore = wince::openInternetHandles(); }
  void TearDown() override {
    wince::restoreInternetDefaults();
    EXPECT_EQ(wince::openInternetHandles(), m_handlesBefore);
  }
  int m_handlesBefore = 0;
};

TEST(InternetCrackUrl, SplitsHttpAndHttpsUrls) {
  struct Case {
    const char16_t* url;
    INTERNET_SCHEME scheme;
    const char* host;
    INTERNET_PORT port;
    const char* path;
    const char* extra;
  };
  const Case cases[] = {
      {u"http://example.org/a/b?x=1#top", INTERNET_SCHEME_HTTP, "example.org", 80, "/a/b", "?x=1#top"},
      {u"https://example.org", INTERNET_SCHEME_HTTPS, "example.org", 443, "", ""},
      {u"HTTP://h:8080?q", INTERNET_SCHEME_HTTP, "h", 8080, "", "?q"},
      {u"http://user:pw@h:81/p", INTERNET_SCHEME_HTTP, "h", 81, "/p", ""},
      {u"http://[::1]:8000/v6", INTERNET_SCHEME_HTTP, "::1", 8000, "/v6", ""},
      {u"http://h:/x", INTERNET_SCHEME_HTTP, "h", 80, "/x", ""},
  };
  for (const Case& entry : cases) {
    char16_t host[64], path[64];
    URL_COMPONENTS components{};
    components.dwStructSize = sizeof components;
    components.lpszHostName = host;
    components.dwHostNameLength = 64;
    components.lpszUrlPath = path;
    components.dwUrlPathLength = 64;
    components.dwExtraInfoLength = 1;  // by pointer into the URL
    ASSERT_TRUE(InternetCrackUrl(entry.url, 0, 0, &components)) << narrow(entry.url);
    EXPECT_EQ(components.nScheme, entry.scheme) << narrow(entry.url);
    EXPECT_EQ(narrow(host), entry.host) << narrow(entry.url);
    EXPECT_EQ(components.dwHostNameLength, std::string(entry.host).size());
    EXPECT_EQ(components.nPort, entry.port) << narrow(entry.url);
    EXPECT_EQ(narrow(path), entry.path) << narrow(entry.url);
    EXPECT_EQ(narrow(std::u16string_view(components.lpszExtraInfo, components.dwExtraInfoLength)), entry.extra);
  }
}

TEST(InternetCrackUrl, RefusesWhatIsNotAnHttpUrlAndShortBuffers) {
  const struct {
    const char16_t* url;
    DWORD error;
  } cases[] = {
      {u"ftp://h/x", ERROR_INTERNET_UNRECOGNIZED_SCHEME}, {u"no scheme", ERROR_INTERNET_UNRECOGNIZED_SCHEME},
      {u"http:///x", ERROR_INTERNET_INVALID_URL},         {u"http://h:99999/", ERROR_INTERNET_INVALID_URL},
      {u"http://h:8a/", ERROR_INTERNET_INVALID_URL},      {u"http://[::1/", ERROR_INTERNET_INVALID_URL},
  };
  for (const auto& entry : cases) {
    URL_COMPONENTS components{};
    components.dwStructSize = sizeof components;
    EXPECT_FALSE(InternetCrackUrl(entry.url, 0, 0, &components)) << narrow(entry.url);
    EXPECT_EQ(GetLastError(), entry.error) << narrow(entry.url);
  }
  char16_t host[4];
  URL_COMPONENTS components{};
  components.lpszHostName = host;
  components.dwHostNameLength = 4;
  EXPECT_FALSE(InternetCrackUrl(u"http://four/", 0, 0, &components)) << "no room for the terminator";
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(components.dwHostNameLength, 5u);
}

TEST_F(WinInetTest, RequestGoesOutAsHttp10GetWithTheAgentAndHeadersOnTheirOwnLines) {
  nettest::HttpReplyServer server("HTTP/1.0 204 No Content\r\n\r\n");
  LPCWSTR accept[] = {u"text/plain", nullptr};
  RequestHandles handles(server.port(), u"/a b/\u00e9?x=1", INTERNET_FLAG_PRAGMA_NOCACHE, accept);
  ASSERT_NE(handles.request, nullptr);
  ASSERT_TRUE(HttpAddRequestHeaders(handles.request, u"X-First: 1", 0xFFFFFFFF, HTTP_ADDREQ_FLAG_ADD));
  const std::u16string more = u"X-Second: two words\r\nX-Third:3\r\n";
  ASSERT_TRUE(HttpSendRequest(handles.request, more.c_str(), DWORD(more.size()), nullptr, 0));
  EXPECT_EQ(server.requests(), "GET /a%20b/%C3%A9?x=1 HTTP/1.0\r\n"
                               "Host: 127.0.0.1:" + std::to_string(server.port()) + "\r\n"
                               "User-Agent: CeHttp\r\n"
                               "Accept: text/plain\r\n"
                               "Pragma: no-cache\r\n"
                               "X-First: 1\r\n"
                               "X-Second: two words\r\n"
                               "X-Third:3\r\n"
                               "\r\n");
}

TEST_F(WinInetTest, WithoutAcceptTypesNoAcceptHeaderIsSent) {
  nettest::HttpReplyServer server("HTTP/1.0 200 OK\r\n\r\n");
  RequestHandles handles(server.port(), u"/", 0);
  ASSERT_TRUE(HttpSendRequest(handles.request, nullptr, 0, nullptr, 0));
  EXPECT_EQ(server.requests().find("Accept"), std::string::npos) << server.requests();
}

TEST_F(WinInetTest, HeaderLinesThatCouldForgeTheRequestAreRefused) {
  RequestHandles handles(1, u"/");
  for (const char16_t* bad : {u"NoColon", u": no name", u"Bad Name: x", u"X-Value: a\u0001b", u"X-Ok: 1\r\nbroken"}) {
    EXPECT_FALSE(HttpAddRequestHeaders(handles.request, bad, 0xFFFFFFFF, HTTP_ADDREQ_FLAG_ADD))
        << narrow(bad);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(HttpOpenRequest(handles.connect, u"GET", u"/a\r\nX: y", u"HTTP/1.0", nullptr, nullptr, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_INVALID_URL);
  EXPECT_EQ(HttpOpenRequest(handles.connect, u"POST", u"/", u"HTTP/1.0", nullptr, nullptr, 0, 0), nullptr);
  EXPECT_EQ(InternetConnect(handles.internet, u"evil.org/path", 80, u"", u"", INTERNET_SERVICE_HTTP, 0, 0), nullptr);
}

TEST_F(WinInetTest, ResponseHeadersComeBackWithCrLfAndTheBodyInChunks) {
  nettest::HttpReplyServer server("HTTP/1.0 200 OK\nContent-Type: text/plain\nX-Empty:\n\nthe body of the reply");
  RequestHandles handles(server.port(), u"/");
  ASSERT_TRUE(HttpSendRequest(handles.request, nullptr, 0, nullptr, 0));
  EXPECT_EQ(handles.rawHeaders(), "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nX-Empty:\r\n\r\n");
  EXPECT_EQ(handles.body(), "the body of the reply");
  DWORD available = 99;
  EXPECT_TRUE(InternetQueryDataAvailable(handles.request, &available, 0, 0));
  EXPECT_EQ(available, 0u);
}

TEST_F(WinInetTest, QueryInfoAsksForABufferThatHoldsTheTerminator) {
  nettest::HttpReplyServer server("HTTP/1.0 200 OK\r\n\r\n");
  RequestHandles handles(server.port(), u"/");
  DWORD bytes = 0;
  EXPECT_FALSE(HttpQueryInfo(handles.request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &bytes, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_INCORRECT_HANDLE_STATE) << "nothing sent yet";
  ASSERT_TRUE(HttpSendRequest(handles.request, nullptr, 0, nullptr, 0));
  const std::u16string expected = u"HTTP/1.0 200 OK\r\n\r\n";
  EXPECT_FALSE(HttpQueryInfo(handles.request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &bytes, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(bytes, (expected.size() + 1) * 2);
  std::vector<char16_t> buffer(expected.size() + 1, u'#');
  DWORD shortBytes = bytes - 2;
  EXPECT_FALSE(HttpQueryInfo(handles.request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &shortBytes, nullptr));
  EXPECT_EQ(buffer[0], u'#');
  ASSERT_TRUE(HttpQueryInfo(handles.request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &bytes, nullptr));
  EXPECT_EQ(bytes, expected.size() * 2);
  EXPECT_EQ(std::u16string(buffer.data()), expected);
}

TEST_F(WinInetTest, RedirectsAreFollowedUnlessTheRequestSaysNot) {
  const std::string redirect = "HTTP/1.0 302 Found\r\nLocation: /final\r\n\r\n";
  std::vector<std::string> paths;
  std::mutex pathsMutex;
  nettest::LoopbackServer server(3, [&](wince::SOCKET connection, int index) {
    const std::string request = nettest::receiveRequestHead(connection);
    {
      std::lock_guard lock(pathsMutex);
      paths.push_back(request.substr(0, request.find('\r')));
    }
    nettest::sendText(connection, index == 1 ? "HTTP/1.0 200 OK\r\n\r\narrived"s : redirect);
  });
  {
    RequestHandles followed(server.port(), u"/start");
    ASSERT_TRUE(HttpSendRequest(followed.request, nullptr, 0, nullptr, 0));
    EXPECT_EQ(followed.rawHeaders(), "HTTP/1.0 200 OK\r\n\r\n");
    EXPECT_EQ(followed.body(), "arrived");
  }
  RequestHandles kept(server.port(), u"/start", INTERNET_FLAG_NO_AUTO_REDIRECT);
  ASSERT_TRUE(HttpSendRequest(kept.request, nullptr, 0, nullptr, 0));
  EXPECT_EQ(kept.rawHeaders(), "HTTP/1.0 302 Found\r\nLocation: /final\r\n\r\n");
  std::lock_guard lock(pathsMutex);
  EXPECT_EQ(paths, (std::vector<std::string>{"GET /start HTTP/1.0", "GET /final HTTP/1.0", "GET /start HTTP/1.0"}));
}

TEST_F(WinInetTest, EndlessRedirectsFail) {
  nettest::HttpReplyServer server("HTTP/1.0 302 Found\r\nLocation: /again\r\n\r\n", 11);
  RequestHandles handles(server.port(), u"/");
  wince::LogCapture log;
  EXPECT_FALSE(HttpSendRequest(handles.request, nullptr, 0, nullptr, 0));
  EXPECT_EQ(GetLastError(), ERROR_HTTP_REDIRECT_FAILED);
}

TEST_F(WinInetTest, BodiesAboveTheLimitFailWhetherAnnouncedOrNot) {
  wince::setInternetBodyLimit(1000);
  const std::string body(5000, 'b');
  for (const std::string& head : {"HTTP/1.0 200 OK\r\n\r\n"s, "HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n"s,
                                  "HTTP/1.0 200 OK\r\nContent-Length: 99999999999999\r\n\r\n"s}) {
    nettest::HttpReplyServer server(head + body);
    RequestHandles handles(server.port(), u"/");
    wince::LogCapture log;
    EXPECT_FALSE(HttpSendRequest(handles.request, nullptr, 0, nullptr, 0)) << head;
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY) << head;
    EXPECT_TRUE(log.contains("HTTP: response body larger than 1000 bytes")) << log.text();
  }
  wince::setInternetBodyLimit(5000);
  nettest::HttpReplyServer server("HTTP/1.0 200 OK\r\n\r\n" + body);
  RequestHandles handles(server.port(), u"/");
  ASSERT_TRUE(HttpSendRequest(handles.request, nullptr, 0, nullptr, 0)) << "exactly the limit";
  EXPECT_EQ(handles.body(100000).size(), 5000u);
}

TEST_F(WinInetTest, SilentServerTimesOut) {
  wince::setInternetTimeouts(5000, 200);
  nettest::LoopbackServer server(1, [](wince::SOCKET connection, int) { nettest::receiveUntilClosed(connection); });
  RequestHandles handles(server.port(), u"/");
  wince::LogCapture log;
  EXPECT_FALSE(HttpSendRequest(handles.request, nullptr, 0, nullptr, 0));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_TIMEOUT);
  EXPECT_TRUE(log.contains("no data from the server for 200 ms")) << log.text();
}

// A listener with a backlog of 0 holds one unaccepted connection; Linux
// drops the SYN of the next, so the request's connect hears nothing.
TEST_F(WinInetTest, ConnectToAPeerThatNeverAnswersTimesOut) {
  nettest::LoopbackServer server(0, [](wince::SOCKET, int) {}, 0);
  const wince::SOCKET filler = wince::socket(wince::AF_INET, wince::SOCK_STREAM, wince::IPPROTO_TCP);
  wince::sockaddr_in peer{};
  peer.sin_family = wince::AF_INET;
  peer.sin_port = wince::htons(server.port());
  peer.sin_addr.s_addr = nettest::loopbackAddress();
  ASSERT_EQ(wince::connect(filler, reinterpret_cast<const wince::sockaddr*>(&peer), sizeof peer), 0);
  wince::setInternetTimeouts(200, 5000);
  RequestHandles handles(server.port(), u"/");
  wince::LogCapture log;
  EXPECT_FALSE(HttpSendRequest(handles.request, nullptr, 0, nullptr, 0));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_TIMEOUT);
  wince::closesocket(filler);
}

TEST_F(WinInetTest, ServerThatStopsMidBodyTimesOutToo) {
  wince::setInternetTimeouts(5000, 200);
  nettest::LoopbackServer server(1, [](wince::SOCKET connection, int) {
    nettest::receiveRequestHead(connection);
    nettest::sendText(connection, "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly a part");
    nettest::receiveUntilClosed(connection);
  });
  RequestHandles handles(server.port(), u"/");
  wince::LogCapture log;
  EXPECT_FALSE(HttpSendRequest(handles.request, nullptr, 0, nullptr, 0));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_TIMEOUT);
}

TEST_F(WinInetTest, FailedExchangesReportTheirErrors) {
  nettest::RefusingPort refusing;
  const struct {
    const char* what;
    std::string reply;
    DWORD error;
  } cases[] = {
      {"refused", "", ERROR_INTERNET_CANNOT_CONNECT},
      {"closed without a reply", "", ERROR_INTERNET_CONNECTION_ABORTED},
      {"garbage instead of a status line", "\x01\x02garbage\r\n\r\n", ERROR_HTTP_INVALID_SERVER_RESPONSE},
      {"body shorter than announced", "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nshort",
       ERROR_INTERNET_CONNECTION_ABORTED},
      {"redirect to another protocol", "HTTP/1.0 302 Found\r\nLocation: ftp://127.0.0.1/\r\n\r\n",
       ERROR_INTERNET_UNRECOGNIZED_SCHEME},
  };
  for (const auto& entry : cases) {
    wince::LogCapture log;
    std::unique_ptr<nettest::HttpReplyServer> server;
    uint16_t port = refusing.port();
    if (entry.error != ERROR_INTERNET_CANNOT_CONNECT) {
      server = std::make_unique<nettest::HttpReplyServer>(entry.reply);
      port = server->port();
    }
    RequestHandles handles(port, u"/");
    EXPECT_FALSE(HttpSendRequest(handles.request, nullptr, 0, nullptr, 0)) << entry.what;
    EXPECT_EQ(GetLastError(), entry.error) << entry.what;
    EXPECT_TRUE(log.contains("HTTP: ")) << entry.what;
  }
}

TEST_F(WinInetTest, HandlesAreCheckedByKindAndDieWhenClosed) {
  const HINTERNET internet = InternetOpen(u"CeHttp", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  ASSERT_NE(internet, nullptr);
  EXPECT_EQ(HttpOpenRequest(internet, u"GET", u"/", nullptr, nullptr, nullptr, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
  const HINTERNET connect = InternetConnect(internet, u"localhost", 80, u"", u"", INTERNET_SERVICE_HTTP, 0, 0);
  ASSERT_NE(connect, nullptr);
  EXPECT_TRUE(InternetCloseHandle(internet));
  EXPECT_FALSE(InternetCloseHandle(internet));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  const HINTERNET request = HttpOpenRequest(connect, nullptr, u"/", nullptr, nullptr, nullptr, 0, 0);
  EXPECT_NE(request, nullptr) << "a connection outlives its session";
  DWORD read = 0;
  char byte;
  EXPECT_FALSE(InternetReadFile(request, &byte, 1, &read));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  EXPECT_FALSE(InternetReadFile(reinterpret_cast<HINTERNET>(0x12345), &byte, 1, &read));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_TRUE(InternetCloseHandle(request));
  EXPECT_TRUE(InternetCloseHandle(connect));
}

TEST(ConnectionManager, GrantsAtOnceAndCountsReleases) {
  CONNMGR_CONNECTIONINFO info{};
  info.cbSize = sizeof info;
  info.dwParams = CONNMGR_PARAM_GUIDDESTNET;
  info.guidDestNet = IID_DestNetInternet;
  HANDLE connection = nullptr;
  DWORD status = 0;
  ASSERT_EQ(ConnMgrEstablishConnectionSync(&info, &connection, 10000, &status), S_OK);
  EXPECT_EQ(status, CONNMGR_STATUS_CONNECTED);
  EXPECT_EQ(wince::openConnectionManagerConnections(), 1);
  EXPECT_EQ(ConnMgrReleaseConnection(connection, 30), S_OK);
  EXPECT_NE(ConnMgrReleaseConnection(connection, 30), S_OK) << "released once";
  EXPECT_EQ(wince::openConnectionManagerConnections(), 0);

  GUID network{};
  ASSERT_EQ(ConnMgrMapURL(u"http://example.org/", &network, nullptr), S_OK);
  EXPECT_TRUE(network == IID_DestNetInternet);

  wince::refuseConnectionManager(true);
  EXPECT_EQ(ConnMgrEstablishConnectionSync(&info, &connection, 10000, &status), E_FAIL);
  EXPECT_EQ(status, CONNMGR_STATUS_DISCONNECTED);
  EXPECT_EQ(GetLastError(), ERROR_NOT_CONNECTED);
  wince::refuseConnectionManager(false);
}

}  // namespace
