#include <gtest/gtest.h>

#include <mutex>
#include <string>

#include "platform/javax_microedition_io/javax_microedition_io_Connector.h"
#include "runtime/exceptions/Exceptions.h"
#include "runtime/io/java_io_DataInputStream.h"
#include "runtime/io/java_io_DataOutputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/net/HttpConnectionImpl.h"
#include "runtime/net/SocketConnectionClient.h"
#include "runtime/net/SocketConnectionImpl.h"
#include "tests/support/RuntimeFixture.h"
#include "tests/wince/net_loopback_server.h"
#include "wince/log.h"
#include "wince/wininet.h"

namespace {

using namespace std::string_literals;
using Connector = javax_microedition_io_Connector;

class ConnectorTest : public RuntimeFixture {
 protected:
  ConnectorTest() : RuntimeFixture(4u << 20, 4u << 20) {}
};

TEST_F(ConnectorTest, TheStartOfTheNamePicksTheConnection) {
  nettest::RefusingPort refusing;
  const std::string port = std::to_string(refusing.port());
  const struct {
    std::string name;
    int classId;  // -1: none
  } cases[] = {
      {"http://127.0.0.1:" + port + "/a", classid::javax_microedition_io_HttpConnection},
      {"https://127.0.0.1:" + port + "/a", classid::javax_microedition_io_HttpConnection},
      {"httpx://127.0.0.1:" + port + "/a", classid::javax_microedition_io_HttpConnection},
      {"socket://127.0.0.1:" + port, classid::javax_microedition_io_SocketConnection},
      {"sockets://127.0.0.1:" + port, classid::javax_microedition_io_SocketConnection},
      {"ftp://127.0.0.1/a", -1},
      {"HTTP://127.0.0.1/a", -1},
      {"Socket://127.0.0.1:1", -1},
      {" http://127.0.0.1/a", -1},
      {"htt", -1},
      {"no scheme at all", -1},
      {"", -1},
  };
  for (const auto& entry : cases) {
    wince::LogCapture log;
    Object* connection = Connector::open(newString(entry.name.c_str()));
    EXPECT_EQ(takePending(), -1) << entry.name;
    if (entry.classId < 0) {
      EXPECT_EQ(connection, nullptr) << entry.name;
      continue;
    }
    ASSERT_NE(connection, nullptr) << entry.name;
    EXPECT_EQ(connection->getClassId(), entry.classId) << entry.name;
    auto* view = connectionView<javax_microedition_io_Connection>(connection);
    ASSERT_NE(view, nullptr) << entry.name;
    view->close();
    view->close();
  }
  wince::LogCapture log;
  EXPECT_EQ(Connector::open(nullptr), nullptr);
  EXPECT_EQ(takePending(), -1) << "a null name is logged";
  EXPECT_TRUE(log.contains("NullPointer")) << log.text();
}

TEST_F(ConnectorTest, StreamOperationsOfAnUnknownNameAnswerNull) {
  wince::LogCapture log;
  String* name = newString("mailto://nobody");
  EXPECT_EQ(Connector::openInputStream(name), nullptr);
  EXPECT_EQ(Connector::openDataInputStream(name), nullptr);
  EXPECT_EQ(Connector::openOutputStream(name), nullptr);
  EXPECT_EQ(Connector::openDataOutputStream(name), nullptr);
  EXPECT_EQ(takePending(), -1);
}

TEST_F(ConnectorTest, HttpInputStreamOfAName) {
  nettest::HttpReplyServer server("HTTP/1.0 200 OK\r\nContent-Length: 6\r\n\r\n\x00\x04" "data"s);
  const std::u16string url = server.wideUrl("/file.bin");
  java_io_DataInputStream* in =
      static_cast<java_io_DataInputStream*>(Connector::openInputStream(NamedConnection::newText(url)));
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->getClassId(), classid::java_io_DataInputStream);
  collect();  // the connection is unreachable now; the stream is not
  String* text = in->readUTF();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(NamedConnection::textOf(text), u"data");
  EXPECT_EQ(takePending(), -1);
}

TEST_F(ConnectorTest, SocketStreamsOfANameBothWays) {
  std::mutex mutex;
  std::string received;
  // Connections are served one after the other: the second is answered only
  // once the first has brought its four bytes.
  nettest::LoopbackServer server(2, [&](wince::SOCKET socket, int index) {
    if (index == 0) {
      std::string bytes;
      char byte;
      while (bytes.size() < 4 && wince::recv(socket, &byte, 1, 0) == 1) bytes.push_back(byte);
      std::lock_guard lock(mutex);
      received = bytes;
    } else {
      nettest::sendText(socket, "\x00\x00\x00\x2a"s);
    }
  });
  String* name = newString(("socket://127.0.0.1:" + std::to_string(server.port())).c_str());
  java_io_DataOutputStream* out = static_cast<java_io_DataOutputStream*>(Connector::openOutputStream(name));
  ASSERT_NE(out, nullptr);
  collect();  // the connection is unreachable now; its stream still works
  out->writeInt(0x01020304);
  EXPECT_EQ(takePending(), -1);
  java_io_DataInputStream* in = Connector::openDataInputStream(name);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->readInt(), 42);
  EXPECT_EQ(takePending(), -1);
  std::lock_guard lock(mutex);
  EXPECT_EQ(received, "\x01\x02\x03\x04"s);
}

TEST_F(ConnectorTest, SocketEchoRoundTripReadsLinesUntilThePeerCloses) {
  // The peer sends back each line it hears and closes after the second.
  nettest::LoopbackServer server(1, [](wince::SOCKET socket, int) {
    for (int line = 0; line < 2; ++line) {
      std::string text;
      for (char byte; text.find('\n') == std::string::npos && wince::recv(socket, &byte, 1, 0) == 1;)
        text.push_back(byte);
      nettest::sendText(socket, text);
    }
  });
  Object* connection = Connector::open(newString(("socket://127.0.0.1:" + std::to_string(server.port())).c_str()));
  ASSERT_NE(connection, nullptr);
  ASSERT_EQ(connection->getClassId(), classid::javax_microedition_io_SocketConnection);
  java_io_DataOutputStream* out =
      connectionView<javax_microedition_io_OutputConnection>(connection)->openDataOutputStream();
  java_io_InputStream* in = connectionView<javax_microedition_io_InputConnection>(connection)->openInputStream();
  ASSERT_NE(out, nullptr);
  ASSERT_NE(in, nullptr);
  const auto writeText = [&](const std::string& text) {
    ByteArray* bytes = newByteArray(int32_t(text.size()));
    std::copy(text.begin(), text.end(), bytes->elements());
    out->write(bytes);
  };

  writeText("hello, peer\r\n");
  WinSocketClient& client = static_cast<SocketConnectionImpl*>(connection)->shared->client;
  char line[32];
  ASSERT_EQ(client.ReadLine(line, 31, false), 11);
  EXPECT_STREQ(line, "hello, peer");

  writeText("bye\n");
  std::string second;
  for (int32_t byte; (byte = in->read()) >= 0 && byte != '\n';) second.push_back(char(byte));
  EXPECT_EQ(second, "bye") << "a line read over the input stream";
  EXPECT_EQ(in->read(), -1) << "the peer has closed";
  EXPECT_EQ(client.ReadLine(line, 31, false), 0);
  EXPECT_EQ(takePending(), -1) << "a close is no error";
  connectionView<javax_microedition_io_Connection>(connection)->close();
}

TEST_F(ConnectorTest, MalformedNamesGiveConnectionsThatFailWithALogLine) {
  wince::setInternetTimeouts(2000, 500);
  const char* const names[] = {
      "http://",           "http://:80/",           "http://127.0.0.1:99999/", "http://127.0.0.1:8x/",
      "http://a b/",       "http://127.0.0.1:/p\r\nX: y", "http://[::1/",     "https://#frag",
      "socket://",         "socket://:",            "socket://127.0.0.1:65536", "socket://127.0.0.1:-1",
      "socket://127.0.0.1:1:2", "socket://\xff\xfe:80",
  };
  for (const char* name : names) {
    wince::LogCapture log;
    Object* connection = Connector::open(newString(name));
    ASSERT_NE(connection, nullptr) << name;
    EXPECT_EQ(takePending(), -1) << name;
    if (connection->getClassId() == classid::javax_microedition_io_HttpConnection) {
      auto* http = connectionView<javax_microedition_io_HttpConnection>(connection);
      EXPECT_EQ(http->getResponseCode(), -1) << name;
      EXPECT_EQ(http->openInputStream(), nullptr) << name;
    } else {
      EXPECT_EQ(connectionView<javax_microedition_io_InputConnection>(connection)->openInputStream()->read(), -1)
          << name;
    }
    EXPECT_EQ(takePending(), classid::java_io_IOException) << name;
    EXPECT_FALSE(log.text().empty()) << name;
    connectionView<javax_microedition_io_Connection>(connection)->close();
  }
  wince::restoreInternetDefaults();
}

}  // namespace
