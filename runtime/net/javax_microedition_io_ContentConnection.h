#pragma once
// The ContentConnection interface view (id 72).
#include "runtime/net/javax_microedition_io_InputConnection.h"

class String;

class javax_microedition_io_ContentConnection : public javax_microedition_io_InputConnection {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_io_ContentConnection;
  virtual String* getType() = 0;
  virtual String* getEncoding() = 0;
  virtual int64_t getLength() = 0;

 protected:
  javax_microedition_io_ContentConnection() = default;
  ~javax_microedition_io_ContentConnection() = default;
};
