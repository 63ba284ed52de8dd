#pragma once
// The InputConnection interface view (id 75): the head of every input view.
#include "runtime/net/javax_microedition_io_Connection.h"

class java_io_InputStream;
class java_io_DataInputStream;

class javax_microedition_io_InputConnection : public javax_microedition_io_Connection {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_io_InputConnection;
  virtual java_io_InputStream* openInputStream() = 0;
  virtual java_io_DataInputStream* openDataInputStream() = 0;

 protected:
  javax_microedition_io_InputConnection() = default;
  ~javax_microedition_io_InputConnection() = default;
};
