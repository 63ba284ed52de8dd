#pragma once
// The HTTP connection object Connector.open makes for an http or https name:
// it drives one WinInetHttpClient. The request goes out lazily, on the first
// operation that needs the response, and only for the method "GET"; while
// it runs, a connecting indicator draws its dots. The whole body is then
// read through a byte-array stream. Failures raise IOException as the
// pending exception.
//
// Its class id is that of the HttpConnection interface, not the root
// object's: the interface has no instances of its own, and the class record
// keeps this object's reference fields apart from every other class's. Under
// the root object's id, plain objects of that id would be marked through this
// class's reference-field table.
#include <cstdint>

#include "runtime/net/NamedConnection.h"
#include "runtime/net/javax_microedition_io_HttpConnection.h"
#include "runtime/net/javax_microedition_io_OutputConnection.h"

class HttpClient;

class HttpConnectionImpl : public NamedConnection,
                           public javax_microedition_io_HttpConnection,
                           public javax_microedition_io_OutputConnection {
 public:
  using Super = NamedConnection;
  static constexpr uint16_t classId = classid::javax_microedition_io_HttpConnection;
  static constexpr auto referenceFields() { return ReferenceFieldList{&HttpConnectionImpl::method}; }
  // The most characters a header value may have.
  static constexpr uint32_t maximumHeaderCharacters = 1u << 20;

  // A failed connect is kept quiet here: it shows up as a failed request.
  void init(String* name, int32_t accessMode, bool useTimeouts);

  // Closes and deletes the client.
  void finalize() override;
  void* lookupInterface(int32_t interfaceId) override;

  // Sends the request unless its response is held; a method other than
  // "GET" sends nothing and forgets the last response.
  virtual void send();
  void close() override;
  // The body of a 200 response; any other status raises IOException.
  java_io_InputStream* openInputStream() override;
  java_io_DataInputStream* openDataInputStream() override;
  String* getType() override;
  String* getEncoding() override { return nullptr; }
  int64_t getLength() override;
  String* getURL() override { return url; }
  // "http", whatever the name's scheme.
  String* getProtocol() override;
  String* getHost() override { return host; }
  String* getFile() override { return path; }
  String* getRef() override { return fragment; }
  String* getQuery() override { return query; }
  int32_t getPort() override { return port; }
  String* getRequestMethod() override { return method; }
  void setRequestMethod(String* requestMethod) override;
  // The properties go straight to the client; none is read back.
  String* getRequestProperty(String*) override { return nullptr; }
  void setRequestProperty(String* key, String* value) override;
  // -1 when the request failed.
  int32_t getResponseCode() override;
  // The reason phrase, whatever its length; IOException without a response.
  String* getResponseMessage() override;
  int64_t getExpiration() override { return 0; }
  int64_t getDate() override { return 0; }
  int64_t getLastModified() override { return 0; }
  String* getHeaderField(int32_t) override { return nullptr; }
  // The named header's value (names match in any case); IOException when
  // there is no response or no such header.
  String* getHeaderField(String* name) override;
  int32_t getHeaderFieldInt(String*, int32_t) override { return 0; }
  int64_t getHeaderFieldDate(String*, int64_t) override { return 0; }
  String* getHeaderFieldKey(int32_t) override { return nullptr; }

  // A GET request has no body to write: both answer null.
  java_io_OutputStream* openOutputStream() override { return nullptr; }
  java_io_DataOutputStream* openDataOutputStream() override { return nullptr; }

  HttpClient* client;
  String* method;
  uint8_t sent;
};
