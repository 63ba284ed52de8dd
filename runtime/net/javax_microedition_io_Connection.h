#pragma once
// The Connection interface view (id 69) and the way to reach any interface
// view of a connection object. A connection answers its views through
// lookupInterface: the input view serves Connection, InputConnection and its
// own kind, the output view OutputConnection. Every view of one chain lies
// at the same address, so the address answered for any id of the chain may
// be used as any interface of it.
#include <cstdint>

#include "runtime/object/ClassTable.h"
#include "runtime/object/Object.h"

class javax_microedition_io_Connection {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_io_Connection;
  virtual void close() = 0;

 protected:
  javax_microedition_io_Connection() = default;
  ~javax_microedition_io_Connection() = default;
};

// The view of the connection that serves View, or null (also for null).
template <class View>
View* connectionView(Object* connection) {
  return connection != nullptr ? static_cast<View*>(connection->lookupInterface(View::classId)) : nullptr;
}
