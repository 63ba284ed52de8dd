#pragma once
// The OutputConnection interface view (id 76): the output view of every
// connection.
#include "runtime/net/javax_microedition_io_Connection.h"

class java_io_OutputStream;
class java_io_DataOutputStream;

class javax_microedition_io_OutputConnection : public javax_microedition_io_Connection {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_io_OutputConnection;
  virtual java_io_OutputStream* openOutputStream() = 0;
  virtual java_io_DataOutputStream* openDataOutputStream() = 0;

 protected:
  javax_microedition_io_OutputConnection() = default;
  ~javax_microedition_io_OutputConnection() = default;
};
