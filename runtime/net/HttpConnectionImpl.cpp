#include "runtime/net/HttpConnectionImpl.h"

#include <string>
#include <vector>

#include "runtime/exceptions/ThrowNew.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/io/java_io_DataInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/net/Indicator.h"
#include "runtime/net/WinInetHttpClient.h"

namespace {

bool isGet(String* method) { return method != nullptr && NamedConnection::textOf(method) == u"GET"; }

}  // namespace

void HttpConnectionImpl::init(String* name, int32_t accessMode, bool useTimeouts) {
  initName(name, accessMode, useTimeouts);
  method = newString("GET");
  client = new WinInetHttpClient();
  client->Connect(textOf(name).c_str());
}

void HttpConnectionImpl::finalize() {
  if (client != nullptr) {
    client->Close();
    delete client;
    client = nullptr;
  }
  Object::finalize();
}

void* HttpConnectionImpl::lookupInterface(int32_t interfaceId) {
  switch (interfaceId) {
    case classid::javax_microedition_io_Connection:
    case classid::javax_microedition_io_ContentConnection:
    case classid::javax_microedition_io_HttpConnection:
    case classid::javax_microedition_io_InputConnection:
      return static_cast<javax_microedition_io_HttpConnection*>(this);
    case classid::javax_microedition_io_OutputConnection:
      return static_cast<javax_microedition_io_OutputConnection*>(this);
    default:
      return nullptr;
  }
}

void HttpConnectionImpl::send() {
  if (sent || client == nullptr) return;
  if (!isGet(method)) {
    debugLog("HttpConnection: only GET requests are sent");
    client->ResetResponse();
    return;
  }
  // Copied first: the request blocks in a safe region, where the collector
  // may move the characters of the Strings.
  const std::u16string requestPath = textOf(path);
  const bool hasQuery = query != nullptr;
  const std::u16string requestQuery = textOf(query);
  {
    ConnectingIndicator indicator;
    indicator.start(ConnectingIndicator::screenX, ConnectingIndicator::screenY);
    client->SendByGet(requestPath.c_str(), hasQuery ? requestQuery.c_str() : nullptr);
  }
  sent = 1;
}

void HttpConnectionImpl::close() {
  if (client != nullptr) client->Close();
}

java_io_InputStream* HttpConnectionImpl::openInputStream() {
  send();
  if (client == nullptr || client->GetStatusCode() != 200) {
    throwNew<java_io_IOException>();
    return nullptr;
  }
  const uint32_t length = client->GetContentLength();
  ByteArray* body = newByteArray(static_cast<int32_t>(length));
  if (body == nullptr || static_cast<uint32_t>(body->length()) != length) {
    throwNew<java_io_IOException>();
    return nullptr;
  }
  // The client's buffer is on the system heap and no allocation comes
  // between this copy and the stream's construction that could move body.
  if (!client->CopyContent(reinterpret_cast<uint8_t*>(body->elements()), length)) {
    throwNew<java_io_IOException>();
    return nullptr;
  }
  return newObject<java_io_ByteArrayInputStream>(body);
}

java_io_DataInputStream* HttpConnectionImpl::openDataInputStream() {
  java_io_InputStream* in = openInputStream();
  if (in == nullptr) return nullptr;
  return newObject<java_io_DataInputStream>(in);
}

String* HttpConnectionImpl::getType() {
  String* name = newString("content-type");
  return name != nullptr ? getHeaderField(name) : nullptr;
}

int64_t HttpConnectionImpl::getLength() {
  send();
  return client != nullptr ? int64_t{client->GetContentLength()} : 0;
}

String* HttpConnectionImpl::getProtocol() { return newString("http"); }

void HttpConnectionImpl::setRequestMethod(String* requestMethod) {
  method = requestMethod;
  sent = 0;
}

void HttpConnectionImpl::setRequestProperty(String* key, String* value) {
  sent = 0;
  if (client != nullptr) client->AddRequestHeader(textOf(key).c_str(), textOf(value).c_str());
}

int32_t HttpConnectionImpl::getResponseCode() {
  send();
  return client != nullptr ? client->GetStatusCode() : -1;
}

String* HttpConnectionImpl::getResponseMessage() {
  send();
  if (client == nullptr || client->GetStatusCode() < 0) {
    throwNew<java_io_IOException>();
    return nullptr;
  }
  // The client copies whole texts only: a reason phrase that does not fit is
  // asked for again with a larger buffer rather than taken for no response.
  std::vector<char16_t> text(1024);
  while (!client->GetStatusText(text.data(), static_cast<uint32_t>(text.size()))) {
    if (text.size() >= maximumHeaderCharacters) {
      throwNew<java_io_IOException>();
      return nullptr;
    }
    text.resize(text.size() * 2);
  }
  return newText(text.data());
}

String* HttpConnectionImpl::getHeaderField(String* name) {
  send();
  if (client == nullptr || client->GetStatusCode() < 0) {
    throwNew<java_io_IOException>();
    return nullptr;
  }
  const std::u16string headerName = textOf(name);
  // The client cuts a value to the buffer; a value that fills it is read
  // again into a larger one.
  std::vector<char16_t> value(8192);
  while (true) {
    if (!client->GetResponseHeader(headerName.c_str(), value.data(), static_cast<uint32_t>(value.size()))) {
      throwNew<java_io_IOException>();
      return nullptr;
    }
    const std::u16string_view text(value.data());
    if (text.size() + 1 < value.size() || value.size() >= maximumHeaderCharacters) return newText(text);
    value.resize(value.size() * 2);
  }
}
