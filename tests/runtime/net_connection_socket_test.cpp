#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "runtime/exceptions/Exceptions.h"
#include "runtime/io/java_io_DataInputStream.h"
#include "runtime/io/java_io_DataOutputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/net/SocketConnectionImpl.h"
#include "runtime/net/WinSocketClient.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/runtime/net_connection_test_support.h"
#include "tests/runtime/net_safe_region_probe.h"
#include "tests/wince/net_loopback_server.h"
#include "wince/log.h"

namespace {

using namespace std::string_literals;
using conntest::narrow;
using conntest::text;

static_assert(referencefields::count<SocketConnectionImpl>() == 7, "the name, its five parts and one kept null");

std::string socketUrl(uint16_t port) { return "socket://127.0.0.1:" + std::to_string(port); }

std::string readAll(java_io_InputStream* in) {
  std::string bytes;
  for (int32_t b; (b = in->read()) >= 0;) bytes.push_back(char(b));
  return bytes;
}

class SocketConnectionTest : public conntest::ConnectionFixture {
 protected:
  SocketConnectionImpl* open(const std::string& url) { return newObject<SocketConnectionImpl>(text(url), 3, false); }
};

// The peer of an echo: answers the first line it hears, then closes.
void echoOneLine(wince::SOCKET socket) {
  std::string line;
  for (char byte; wince::recv(socket, &byte, 1, 0) == 1 && byte != '\n';) line.push_back(byte);
  nettest::sendText(socket, "echo:" + line + "\n");
}

TEST_F(SocketConnectionTest, StreamsCarryBytesBothWaysUntilThePeerCloses) {
  std::string received;
  nettest::LoopbackServer server(1, [&](wince::SOCKET socket, int) {
    // A line from the client, answered with typed values, a long run and a close.
    std::string line;
    for (char byte; wince::recv(socket, &byte, 1, 0) == 1 && byte != '\n';) line.push_back(byte);
    received = line;
    std::string reply = "\x00\x00\x01\x02"s + "\x00\x05hello"s + std::string(10000, 'z');
    nettest::sendText(socket, reply);
  });
  SocketConnectionImpl* connection = open(socketUrl(server.port()));
  java_io_DataOutputStream* out = connection->openDataOutputStream();
  java_io_DataInputStream* in = connection->openDataInputStream();
  ASSERT_NE(out, nullptr);
  ASSERT_NE(in, nullptr);
  out->write('h');
  ByteArray* bytes = newByteArray(5);
  for (int i = 0; i < 5; ++i) bytes->elements()[i] = "ello\n"[i];
  out->write(bytes, 0, 5);
  EXPECT_EQ(in->readInt(), 0x102);
  EXPECT_EQ(narrow(in->readUTF()), "hello");
  ByteArray* run = newByteArray(10000);
  in->readFully(run);
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(run->elements()), 10000), std::string(10000, 'z'))
      << "refills keep every byte";
  EXPECT_EQ(in->read(), -1) << "the peer has closed";
  EXPECT_EQ(in->read(bytes, 0, 5), -1);
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(received, "hello") << "write(int) sends its byte";
  connection->close();
  connection->close();
}

TEST_F(SocketConnectionTest, EchoRoundTripEndsAtThePeersClose) {
  nettest::LoopbackServer server(1, [](wince::SOCKET socket, int) { echoOneLine(socket); });
  SocketConnectionImpl* connection = open(socketUrl(server.port()));
  java_io_DataOutputStream* out = connection->openDataOutputStream();
  java_io_InputStream* in = connection->openInputStream();
  out->writeInt(0x41424344);
  out->write('\n');
  EXPECT_EQ(readAll(in), "echo:ABCD\n");
  EXPECT_EQ(in->read(), -1) << "still at the end";
  EXPECT_EQ(takePending(), -1) << "a close is no error";
  connection->close();
  EXPECT_EQ(in->read(), -1);
  EXPECT_EQ(takePending(), java_io_IOException::classId) << "reading a closed socket fails";
  out->write(newByteArray(1));
  EXPECT_EQ(takePending(), java_io_IOException::classId) << "so does writing";
}

TEST_F(SocketConnectionTest, CloseOnAnotherThreadEndsAReadThatWaitsForASilentPeer) {
  std::optional<nettest::LoopbackServer> server;
  server.emplace(1, [](wince::SOCKET socket, int) { nettest::receiveUntilClosed(socket); });
  SocketConnectionImpl* connection = open(socketUrl(server->port()));
  java_io_InputStream* in = connection->openInputStream();
  bool peerHadToClose = false;
  std::thread closer;
  {
    nettest::SafeRegionProbe probe;
    closer = std::thread([&] {
      nettest::SafeRegionProbe::waitUntilInside();
      connection->close();
      // Should the read go on waiting, the peer's close ends it, so that the
      // test fails instead of hanging.
      std::unique_lock lock(nettest::SafeRegionProbe::mutex);
      if (!nettest::SafeRegionProbe::changed.wait_for(lock, std::chrono::seconds(2),
                                                       [] { return nettest::SafeRegionProbe::inside == 0; })) {
        peerHadToClose = true;
        lock.unlock();
        server.reset();
      }
    });
    EXPECT_EQ(in->read(), -1);
    closer.join();
  }
  EXPECT_FALSE(peerHadToClose);
  EXPECT_EQ(takePending(), java_io_IOException::classId) << "a closed connection is no end of the data";
  EXPECT_EQ(in->read(), -1);
  EXPECT_EQ(takePending(), java_io_IOException::classId);
}

TEST_F(SocketConnectionTest, StreamsOutliveTheirCollectedConnection) {
  nettest::LoopbackServer server(1, [](wince::SOCKET socket, int) {
    nettest::receiveRequestHead(socket);
    nettest::sendText(socket, "still here");
  });
  java_io_InputStream* in = nullptr;
  java_io_OutputStream* out = nullptr;
  [&]() __attribute__((noinline)) {
    SocketConnectionImpl* connection = open(socketUrl(server.port()));
    in = connection->openInputStream();
    out = connection->openOutputStream();
  }();
  collect();
  const std::string request = "ping\r\n\r\n";
  ByteArray* bytes = newByteArray(int32_t(request.size()));
  std::copy(request.begin(), request.end(), bytes->elements());
  out->write(bytes);
  EXPECT_EQ(readAll(in), "still here");
  EXPECT_EQ(takePending(), -1);
}

TEST_F(SocketConnectionTest, UnreachablePeersFailOnTheStreams) {
  nettest::RefusingPort refusing;
  for (const std::string& url : {socketUrl(refusing.port()), "socket://127.0.0.1"s, "socket://h\xc3\xa9st:80"s}) {
    wince::LogCapture log;
    SocketConnectionImpl* connection = open(url);
    java_io_InputStream* in = connection->openInputStream();
    ASSERT_NE(in, nullptr) << url;
    EXPECT_EQ(in->read(), -1) << url;
    EXPECT_EQ(takePending(), java_io_IOException::classId) << url;
    connection->openOutputStream()->write(7);
    EXPECT_EQ(takePending(), java_io_IOException::classId) << url;
  }
}

TEST_F(SocketConnectionTest, NamePartsAndInterfaceViews) {
  wince::LogCapture log;
  SocketConnectionImpl* connection = open("socket://127.0.0.1:9");
  EXPECT_EQ(connection->getPort(), 9);
  EXPECT_EQ(narrow(connection->host), "127.0.0.1");
  EXPECT_EQ(connection->getAddress(), nullptr);
  void* input = connection->lookupInterface(classid::javax_microedition_io_SocketConnection);
  ASSERT_NE(input, nullptr);
  for (int id : {classid::javax_microedition_io_Connection, classid::javax_microedition_io_InputConnection,
                 classid::javax_microedition_io_StreamConnection})
    EXPECT_EQ(connection->lookupInterface(id), input) << id;
  void* output = connection->lookupInterface(classid::javax_microedition_io_OutputConnection);
  EXPECT_NE(output, nullptr);
  EXPECT_NE(output, input);
  for (int id : {classid::javax_microedition_io_HttpConnection, classid::javax_microedition_io_ContentConnection})
    EXPECT_EQ(connection->lookupInterface(id), nullptr) << id;
  EXPECT_EQ(static_cast<javax_microedition_io_SocketConnection*>(input)->getPort(), 9);
  collect();
  EXPECT_EQ(narrow(connection->url), "socket://127.0.0.1:9") << "the name survives a collection";
}

}  // namespace
