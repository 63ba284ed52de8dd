#pragma once
// The StreamConnection interface view (id 79): an input view with no
// operations of its own; its output side is the OutputConnection view.
#include "runtime/net/javax_microedition_io_InputConnection.h"

class javax_microedition_io_StreamConnection : public javax_microedition_io_InputConnection {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_io_StreamConnection;

 protected:
  javax_microedition_io_StreamConnection() = default;
  ~javax_microedition_io_StreamConnection() = default;
};
