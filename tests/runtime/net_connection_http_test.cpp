#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "runtime/exceptions/Exceptions.h"
#include "runtime/io/java_io_DataInputStream.h"
#include "runtime/io/java_io_InputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/net/HttpConnectionImpl.h"
#include "runtime/net/Indicator.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/runtime/net_connection_test_support.h"
#include "tests/wince/net_loopback_server.h"
#include "wince/clock.h"
#include "wince/connmgr.h"
#include "wince/display_screen.h"
#include "wince/driver.h"
#include "wince/gdi.h"
#include "wince/log.h"
#include "wince/text.h"
#include "wince/wininet.h"

namespace {

using namespace std::string_literals;

using conntest::narrow;
using conntest::text;

static_assert(referencefields::count<HttpConnectionImpl>() == 7, "url, scheme, host, path, query, fragment, method");

int countOf(const std::string& haystack, const std::string& needle) {
  int count = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++count;
  return count;
}

std::string readAll(java_io_InputStream* in) {
  std::string bytes;
  for (int32_t b; (b = in->read()) >= 0;) bytes.push_back(char(b));
  return bytes;
}

class HttpConnectionTest : public conntest::ConnectionFixture {
 protected:
  void SetUp() override {
    ConnectionFixture::SetUp();
    m_handlesBefore = wince::openInternetHandles();
  }
  void TearDown() override {
    ConnectionFixture::TearDown();  // finalisers close and delete the clients
    wince::restoreInternetDefaults();
    EXPECT_EQ(wince::openInternetHandles(), m_handlesBefore) << "every handle closed";
    EXPECT_EQ(wince::openConnectionManagerConnections(), 0) << "every connection released";
  }

  HttpConnectionImpl* open(const std::u16string& url) {
    return newObject<HttpConnectionImpl>(text(url), 3, false);
  }

  int m_handlesBefore = 0;
};

TEST_F(HttpConnectionTest, GetSendsOneRequestAndServesStatusHeadersAndBody) {
  nettest::HttpReplyServer server(
      "HTTP/1.0 200 OK\r\ncontent-TYPE: text/plain\r\nContent-Length: 8\r\n\r\n\x00\x00\x01\x02tail"s, 2);
  HttpConnectionImpl* connection = open(server.wideUrl("/data?id=7#top"));
  ASSERT_NE(connection, nullptr);

  EXPECT_EQ(connection->getResponseCode(), 200);
  EXPECT_EQ(connection->getResponseCode(), 200);
  EXPECT_EQ(narrow(connection->getResponseMessage()), "OK");
  EXPECT_EQ(narrow(connection->getType()), "text/plain") << "header names match in any case";
  EXPECT_EQ(narrow(connection->getHeaderField(text("Content-Length"))), "8");
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(connection->getHeaderField(text("X-Absent")), nullptr);
  EXPECT_EQ(takePending(), classid::java_io_IOException) << "an absent header raises";
  EXPECT_EQ(connection->getHeaderFieldInt(text("Content-Length"), 42), 0);
  EXPECT_EQ(connection->getHeaderFieldDate(text("Content-Length"), 42), 0);
  EXPECT_EQ(connection->getLength(), 8);
  java_io_DataInputStream* in = connection->openDataInputStream();
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->readInt(), 0x102);
  EXPECT_EQ(readAll(in), "tail");
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(countOf(server.requests(), "GET "), 1) << "one request serves every operation";
  EXPECT_EQ(server.requests().substr(0, server.requests().find('\r')), "GET /data?id=7 HTTP/1.0")
      << "the fragment stays here";

  connection->setRequestProperty(text("X-Token"), text("abc"));
  EXPECT_EQ(connection->getRequestProperty(text("X-Token")), nullptr) << "properties are not read back";
  EXPECT_EQ(connection->getResponseCode(), 200) << "a new property sends again";
  const std::string requests = server.requests();
  EXPECT_EQ(countOf(requests, "GET "), 2);
  EXPECT_NE(requests.find("\r\nX-Token: abc\r\n"), std::string::npos) << requests;
  connection->close();
  connection->close();
}

TEST_F(HttpConnectionTest, BodyWithoutLengthIsReadToTheEnd) {
  nettest::HttpReplyServer server("HTTP/1.0 200 OK\r\n\r\nuntil the close");
  HttpConnectionImpl* connection = open(server.wideUrl("/"));
  java_io_InputStream* in = connection->openInputStream();
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(readAll(in), "until the close");
  EXPECT_EQ(connection->getLength(), 15);
}

TEST_F(HttpConnectionTest, FailuresRaiseIOExceptionWhereTheResponseIsNeeded) {
  nettest::RefusingPort refusing;
  wince::setInternetTimeouts(5000, 200);
  const struct {
    const char* what;
    std::string reply;  // empty: nobody listens; "silent": never answers
    int32_t status;
  } cases[] = {
      {"not found", "HTTP/1.0 404 Not Found\r\n\r\nmissing", 404},
      {"refused", "", -1},
      {"silent server", "silent", -1},
  };
  for (const auto& entry : cases) {
    wince::LogCapture log;
    const auto server = nettest::serveCannedReply(entry.reply);
    const uint16_t port = server ? server->port() : refusing.port();
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/page";
    HttpConnectionImpl* connection = open(std::u16string(url.begin(), url.end()));
    EXPECT_EQ(connection->getResponseCode(), entry.status) << entry.what;
    EXPECT_EQ(connection->openInputStream(), nullptr) << entry.what;
    EXPECT_EQ(takePending(), classid::java_io_IOException) << entry.what;
    EXPECT_EQ(connection->openDataInputStream(), nullptr) << entry.what;
    EXPECT_EQ(takePending(), classid::java_io_IOException) << entry.what;
    if (entry.status < 0) {
      EXPECT_EQ(connection->getResponseMessage(), nullptr) << entry.what;
      EXPECT_EQ(takePending(), classid::java_io_IOException) << entry.what;
      EXPECT_EQ(connection->getType(), nullptr) << entry.what;
      EXPECT_EQ(takePending(), classid::java_io_IOException) << entry.what;
      EXPECT_EQ(connection->getLength(), 0) << entry.what;
    } else {
      EXPECT_EQ(narrow(connection->getResponseMessage()), "Not Found") << entry.what;
    }
    connection->close();
  }
}

TEST_F(HttpConnectionTest, OnlyGetIsSentAndAnotherMethodForgetsTheLastResponse) {
  nettest::HttpReplyServer server("HTTP/1.0 200 OK\r\n\r\nbody", 2);
  HttpConnectionImpl* connection = open(server.wideUrl("/"));
  ASSERT_EQ(connection->getResponseCode(), 200);
  wince::LogCapture log;
  connection->setRequestMethod(text("POST"));
  EXPECT_EQ(narrow(connection->getRequestMethod()), "POST");
  EXPECT_EQ(connection->getResponseCode(), -1);
  EXPECT_EQ(connection->getLength(), 0);
  EXPECT_EQ(connection->openInputStream(), nullptr);
  EXPECT_EQ(takePending(), classid::java_io_IOException);
  connection->setRequestMethod(text("get"));
  EXPECT_EQ(connection->getResponseCode(), -1) << "the method is compared exactly";
  EXPECT_EQ(countOf(server.requests(), "GET "), 1);
  EXPECT_TRUE(log.contains("only GET")) << log.text();
}

TEST_F(HttpConnectionTest, NamePartsAndInterfaceViews) {
  HttpConnectionImpl* connection = open(u"http://127.0.0.1:1/a/b.txt?x=1&y=2#part");
  EXPECT_EQ(narrow(connection->getURL()), "http://127.0.0.1:1/a/b.txt?x=1&y=2#part");
  EXPECT_EQ(narrow(connection->getProtocol()), "http");
  EXPECT_EQ(narrow(connection->getHost()), "127.0.0.1");
  EXPECT_EQ(connection->getPort(), 1);
  EXPECT_EQ(narrow(connection->getFile()), "/a/b.txt");
  EXPECT_EQ(narrow(connection->getQuery()), "?x=1&y=2");
  EXPECT_EQ(connection->getRef(), nullptr);
  EXPECT_EQ(narrow(connection->getRequestMethod()), "GET");
  EXPECT_EQ(connection->getEncoding(), nullptr);
  EXPECT_EQ(connection->getHeaderFieldInt(text("X"), 42), 0);
  EXPECT_EQ(connection->openOutputStream(), nullptr);
  EXPECT_EQ(connection->openDataOutputStream(), nullptr);

  void* input = connection->lookupInterface(classid::javax_microedition_io_HttpConnection);
  ASSERT_NE(input, nullptr);
  for (int id : {classid::javax_microedition_io_Connection, classid::javax_microedition_io_ContentConnection,
                 classid::javax_microedition_io_InputConnection})
    EXPECT_EQ(connection->lookupInterface(id), input) << id;
  void* output = connection->lookupInterface(classid::javax_microedition_io_OutputConnection);
  EXPECT_NE(output, nullptr);
  EXPECT_NE(output, input);
  for (int id : {classid::javax_microedition_io_SocketConnection, classid::javax_microedition_io_StreamConnection,
                 classid::java_lang_Runnable})
    EXPECT_EQ(connection->lookupInterface(id), nullptr) << id;
  auto* view = static_cast<javax_microedition_io_HttpConnection*>(input);
  EXPECT_EQ(view->getPort(), 1) << "the view calls into the object";
  EXPECT_EQ(Object::instanceOf(connection, classid::javax_microedition_io_OutputConnection), 1);
}

TEST_F(HttpConnectionTest, NamePartsSurviveACollection) {
  {
    wince::LogCapture log;
    open(u"http://127.0.0.1:1/garbage?q")->close();  // unreachable from here on
  }
  HttpConnectionImpl* connection = open(u"https://127.0.0.1:2/kept/path?query=1");
  collect();
  open(u"http://127.0.0.1:3/overwrite/whatever/was/freed?x");
  EXPECT_EQ(narrow(connection->getProtocol()), "http") << "whatever the scheme";
  EXPECT_EQ(narrow(connection->getHost()), "127.0.0.1");
  EXPECT_EQ(narrow(connection->getFile()), "/kept/path");
  EXPECT_EQ(narrow(connection->getQuery()), "?query=1");
  EXPECT_EQ(narrow(connection->getRequestMethod()), "GET");
  EXPECT_EQ(narrow(connection->getURL()), "https://127.0.0.1:2/kept/path?query=1");
}

// Records the indicator's frames; the server waits for the first one, which
// shows the dots run while the request does.
struct FrameRecorder {
  static inline std::mutex mutex;
  static inline std::condition_variable drawn;
  static inline std::vector<std::u16string> frames;

  static void draw(const char16_t* frame, COLORREF, int32_t x, int32_t y) {
    std::lock_guard lock(mutex);
    EXPECT_EQ(x, ConnectingIndicator::screenX);
    EXPECT_EQ(y, ConnectingIndicator::screenY);
    frames.emplace_back(frame);
    drawn.notify_all();
  }
  // Bounded, so that a missing indicator fails instead of hanging.
  static bool waitForFrames(size_t count) {
    std::unique_lock lock(mutex);
    return drawn.wait_for(lock, std::chrono::seconds(10), [count] { return frames.size() >= count; });
  }
  FrameRecorder() {
    frames.clear();
    ConnectingIndicator::setDrawing(draw);
  }
  ~FrameRecorder() { ConnectingIndicator::setDrawing(nullptr); }
};

TEST_F(HttpConnectionTest, IndicatorRunsDuringEachRequestAndEndsWithIt) {
  FrameRecorder recorder;
  std::vector<bool> sawFrame;
  nettest::LoopbackServer server(2, [&](wince::SOCKET socket, int index) {
    nettest::receiveRequestHead(socket);
    sawFrame.push_back(FrameRecorder::waitForFrames(size_t(index) + 1));
    nettest::sendText(socket, "HTTP/1.0 200 OK\r\n\r\nok");
  });
  HttpConnectionImpl* first = open(server.wideUrl("/one"));
  HttpConnectionImpl* second = open(server.wideUrl("/two"));
  EXPECT_EQ(first->getResponseCode(), 200);
  EXPECT_EQ(ConnectingIndicator::liveThreads(), 0) << "the first request's indicator has ended";
  EXPECT_EQ(second->getResponseCode(), 200);
  EXPECT_EQ(ConnectingIndicator::liveThreads(), 0);
  EXPECT_EQ(sawFrame, std::vector<bool>({true, true}));
  std::lock_guard lock(FrameRecorder::mutex);
  ASSERT_GE(FrameRecorder::frames.size(), 2u);
  EXPECT_EQ(FrameRecorder::frames[0], ConnectingIndicator::frameText(0));
}

TEST_F(HttpConnectionTest, RepeatedQuestionsMakeOneRequestThatArrivesExactlyAsBuilt) {
  std::mutex mutex;
  std::string received;
  nettest::LoopbackServer server(2, [&](wince::SOCKET socket, int) {
    const std::string request = nettest::receiveRequestHead(socket);
    {
      std::lock_guard lock(mutex);
      received += request;
    }
    nettest::sendText(socket, "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
  });
  HttpConnectionImpl* connection = open(server.wideUrl("/q/r.txt?a=b&c=d"));
  connection->setRequestProperty(text("X-Client"), text("quendrill"));
  EXPECT_EQ(connection->getResponseCode(), 200);
  EXPECT_EQ(connection->getResponseCode(), 200);
  EXPECT_EQ(narrow(connection->getResponseMessage()), "OK");
  EXPECT_EQ(connection->getLength(), 2);
  EXPECT_EQ(readAll(connection->openInputStream()), "ok");
  EXPECT_EQ(readAll(connection->openInputStream()), "ok") << "a second stream over the same response";
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(server.acceptedConnections(), 1);
  std::lock_guard lock(mutex);
  EXPECT_EQ(received, "GET /q/r.txt?a=b&c=d HTTP/1.0\r\nHost: 127.0.0.1:" + std::to_string(server.port()) +
                          "\r\nUser-Agent: CeHttp\r\nPragma: no-cache\r\nX-Client: quendrill\r\n\r\n");
}

TEST_F(HttpConnectionTest, ReasonPhraseLongerThanTheFirstBufferIsServedWhole) {
  const std::string reason = "Fine " + std::string(3000, 'r');
  nettest::HttpReplyServer server("HTTP/1.0 200 " + reason + "\r\n\r\nok");
  HttpConnectionImpl* connection = open(server.wideUrl("/"));
  EXPECT_EQ(narrow(connection->getResponseMessage()), reason);
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(connection->getResponseCode(), 200);
}

// Separate dots of the colour in the indicator's row of the screen as
// presented: runs of columns that hold the colour.
int dotsOnScreen(uint16_t colour) {
  const std::vector<uint16_t> frame = wince::driver::presentedFrame();
  const size_t width = size_t(wince::screen().width());
  int dots = 0;
  bool inDot = false;
  for (int x = ConnectingIndicator::screenX - 10; x < ConnectingIndicator::screenX + 400; ++x) {
    bool holds = false;
    for (int y = ConnectingIndicator::screenY; y < ConnectingIndicator::screenY + 30 && !holds; ++y)
      holds = frame[size_t(y) * width + size_t(x)] == colour;
    dots += holds && !inDot ? 1 : 0;
    inDot = holds;
  }
  return dots;
}

// Waits, in real time and briefly, until the row shows that many dots of the
// colour; answers what it saw last.
int waitForDotsOnScreen(uint16_t colour, int wanted) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
  int seen = dotsOnScreen(colour);
  while (seen != wanted && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    seen = dotsOnScreen(colour);
  }
  return seen;
}

// The indicator draws on the device context of the whole screen, over
// whatever the game presented last (here, the presented frame), while the
// request waits for a server that answers only once it has seen the dots.
TEST_F(HttpConnectionTest, DotsShowOnTheScreenWhileASlowRequestRunsAndTheIndicatorEndsWithIt) {
  if (!wince::systemFontAvailable()) GTEST_SKIP() << "no system font";
  constexpr uint16_t white = 0xFFFF;
  constexpr uint16_t red = 0xF800;
  HDC dc = GetDC(nullptr);
  const RECT row{0, ConnectingIndicator::screenY - 10, wince::screen().width(), ConnectingIndicator::screenY + 40};
  FillRect(dc, &row, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(nullptr, dc);
  ASSERT_EQ(dotsOnScreen(white) + dotsOnScreen(red), 0);

  wince::useFakeClock(1000, false);
  std::atomic<int> whiteDotsWhileWaiting{-1};
  std::atomic<int> redDotsWhileWaiting{-1};
  std::atomic<int> indicatorsWhileWaiting{-1};
  nettest::LoopbackServer server(1, [&](wince::SOCKET socket, int) {
    nettest::receiveRequestHead(socket);
    whiteDotsWhileWaiting = waitForDotsOnScreen(white, 7);
    indicatorsWhileWaiting = ConnectingIndicator::liveThreads();
    // One tick of the clock brings the next frame: one red dot in the middle.
    // A tick given before the indicator waits for it is lost, so a few are
    // offered, each only after the last one showed nothing.
    for (int tick = 0; tick < 3 && redDotsWhileWaiting != 1; ++tick) {
      wince::advanceFakeClock(ConnectingIndicator::frameMilliseconds);
      redDotsWhileWaiting = waitForDotsOnScreen(red, 1);
    }
    nettest::sendText(socket, "HTTP/1.0 200 OK\r\n\r\nslow");
  });
  HttpConnectionImpl* connection = open(server.wideUrl("/slow"));
  EXPECT_EQ(connection->getResponseCode(), 200);
  EXPECT_EQ(ConnectingIndicator::liveThreads(), 0) << "the request's end ends its indicator";
  wince::useRealClock();

  EXPECT_EQ(whiteDotsWhileWaiting, 7) << "the first frame: a row of seven white dots";
  EXPECT_EQ(indicatorsWhileWaiting, 1);
  EXPECT_EQ(redDotsWhileWaiting, 1) << "the dots move while the request waits";
  EXPECT_EQ(dotsOnScreen(red), 1) << "nothing is erased";
  EXPECT_EQ(dotsOnScreen(white), 6) << "only the middle dot was drawn over";
}

}  // namespace
