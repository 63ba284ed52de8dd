#pragma once
// The socket connection object Connector.open makes for a socket name: one
// TCP client connected to the name's host and port, with streams over it. A
// failed connect is kept quiet here: the streams then raise IOException.
//
// Its class id is that of the SocketConnection interface: the interface has
// no instances of its own, and the class record keeps this object's
// reference fields apart from every other class's.
#include <cstdint>

#include "runtime/net/NamedConnection.h"
#include "runtime/net/javax_microedition_io_OutputConnection.h"
#include "runtime/net/javax_microedition_io_SocketConnection.h"

class SocketConnectionClient;

class SocketConnectionImpl : public NamedConnection,
                             public javax_microedition_io_SocketConnection,
                             public javax_microedition_io_OutputConnection {
 public:
  using Super = NamedConnection;
  static constexpr uint16_t classId = classid::javax_microedition_io_SocketConnection;
  static constexpr auto referenceFields() { return ReferenceFieldList{&SocketConnectionImpl::unused}; }

  void init(String* name, int32_t accessMode, bool useTimeouts);

  // Gives up the connection's share of the client without closing the
  // socket: streams opened from it may still be in use.
  void finalize() override;
  void* lookupInterface(int32_t interfaceId) override;

  // Closes the socket (its streams then fail, also a read that waits on
  // another thread); safe to call twice.
  void close() override;
  java_io_InputStream* openInputStream() override;
  java_io_DataInputStream* openDataInputStream() override;
  void setSocketOption(int8_t, int32_t) override {}
  int32_t getSocketOption(int8_t) override { return 0; }
  String* getLocalAddress() override { return nullptr; }
  int32_t getLocalPort() override { return 0; }
  String* getAddress() override { return nullptr; }
  int32_t getPort() override { return port; }
  java_io_OutputStream* openOutputStream() override;
  java_io_DataOutputStream* openDataOutputStream() override;

  SocketConnectionClient* shared;
  Object* unused;  // a reference field that stays null
};
