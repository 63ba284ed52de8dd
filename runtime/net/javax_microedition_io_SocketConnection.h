#pragma once
// The SocketConnection interface view (id 78), in the input view's order
// after the StreamConnection operations.
#include "runtime/net/javax_microedition_io_StreamConnection.h"

class String;

class javax_microedition_io_SocketConnection : public javax_microedition_io_StreamConnection {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_io_SocketConnection;
  virtual void setSocketOption(int8_t option, int32_t value) = 0;
  virtual int32_t getSocketOption(int8_t option) = 0;
  virtual String* getLocalAddress() = 0;
  virtual int32_t getLocalPort() = 0;
  virtual String* getAddress() = 0;
  virtual int32_t getPort() = 0;

 protected:
  javax_microedition_io_SocketConnection() = default;
  ~javax_microedition_io_SocketConnection() = default;
};
