#pragma once
// The HttpConnection interface view (id 74), in the input view's order after
// the ContentConnection operations.
#include "runtime/net/javax_microedition_io_ContentConnection.h"

class javax_microedition_io_HttpConnection : public javax_microedition_io_ContentConnection {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_io_HttpConnection;
  virtual String* getURL() = 0;
  virtual String* getProtocol() = 0;
  virtual String* getHost() = 0;
  virtual String* getFile() = 0;
  virtual String* getRef() = 0;
  virtual String* getQuery() = 0;
  virtual int32_t getPort() = 0;
  virtual String* getRequestMethod() = 0;
  virtual void setRequestMethod(String* method) = 0;
  virtual String* getRequestProperty(String* key) = 0;
  virtual void setRequestProperty(String* key, String* value) = 0;
  virtual int32_t getResponseCode() = 0;
  virtual String* getResponseMessage() = 0;
  virtual int64_t getExpiration() = 0;
  virtual int64_t getDate() = 0;
  virtual int64_t getLastModified() = 0;
  virtual String* getHeaderField(int32_t index) = 0;
  virtual String* getHeaderField(String* name) = 0;
  virtual int32_t getHeaderFieldInt(String* name, int32_t defaultValue) = 0;
  virtual int64_t getHeaderFieldDate(String* name, int64_t defaultValue) = 0;
  virtual String* getHeaderFieldKey(int32_t index) = 0;

 protected:
  javax_microedition_io_HttpConnection() = default;
  ~javax_microedition_io_HttpConnection() = default;
};
