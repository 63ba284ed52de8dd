#pragma once
// javax_microedition_io_Connector (class id 71): the connection factory.
// Static operations only; the start of the name picks the connection
// (case-sensitive): "http" (so "https" too) an HTTP connection, "socket" a
// socket connection. Any other name answers null, with nothing raised; the
// stream operations then answer null too. The stream operations leave their connection open:
// it goes when the collector finds it unused, and its streams keep working.
#include <cstdint>

#include "runtime/object/ClassTable.h"

class Object;
class String;
class java_io_DataInputStream;
class java_io_DataOutputStream;
class java_io_InputStream;
class java_io_OutputStream;

class javax_microedition_io_Connector {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_io_Connector;
  static constexpr int32_t READ = 1;
  static constexpr int32_t WRITE = 2;
  static constexpr int32_t READ_WRITE = 3;

  // The connection object; its views through lookupInterface.
  static Object* open(String* name);
  static Object* open(String* name, int32_t mode);
  static Object* open(String* name, int32_t mode, bool timeouts);
  static java_io_DataInputStream* openDataInputStream(String* name);
  static java_io_InputStream* openInputStream(String* name);
  static java_io_DataOutputStream* openDataOutputStream(String* name);
  static java_io_OutputStream* openOutputStream(String* name);

  javax_microedition_io_Connector() = delete;
};
