#include "platform/javax_microedition_io/javax_microedition_io_Connector.h"

#include <string>

#include "runtime/exceptions/ThrowNew.h"
#include "runtime/io/java_io_DataInputStream.h"
#include "runtime/io/java_io_DataOutputStream.h"
#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/String.h"
#include "runtime/net/HttpConnectionImpl.h"
#include "runtime/net/SocketConnectionImpl.h"

namespace {

// The scheme: what comes before "://" (case-sensitive, as the name gives
// it); empty when the name has no "://".
std::u16string schemeOf(String* name) {
  const std::u16string text = NamedConnection::textOf(name);
  const size_t end = text.find(u"://");
  return end == std::u16string::npos ? std::u16string() : text.substr(0, end);
}

}  // namespace

Object* javax_microedition_io_Connector::open(String* name) { return open(name, READ_WRITE); }

Object* javax_microedition_io_Connector::open(String* name, int32_t mode) { return open(name, mode, false); }

Object* javax_microedition_io_Connector::open(String* name, int32_t mode, bool timeouts) {
  if (name == nullptr) {
    logFailedCheck("NullPointer");
    return nullptr;
  }
  const std::u16string scheme = schemeOf(name);
  if (scheme == u"http" || scheme == u"https") return newObject<HttpConnectionImpl>(name, mode, timeouts);
  if (scheme == u"socket") return newObject<SocketConnectionImpl>(name, mode, timeouts);
  debugLog("Connector.open: no connection for this scheme");
  throwNew<javax_microedition_io_ConnectionNotFoundException>(name);
  return nullptr;
}

java_io_DataInputStream* javax_microedition_io_Connector::openDataInputStream(String* name) {
  auto* input = connectionView<javax_microedition_io_InputConnection>(open(name, READ));
  return input != nullptr ? input->openDataInputStream() : nullptr;
}

java_io_InputStream* javax_microedition_io_Connector::openInputStream(String* name) {
  return openDataInputStream(name);
}

java_io_DataOutputStream* javax_microedition_io_Connector::openDataOutputStream(String* name) {
  auto* output = connectionView<javax_microedition_io_OutputConnection>(open(name, WRITE));
  return output != nullptr ? output->openDataOutputStream() : nullptr;
}

java_io_OutputStream* javax_microedition_io_Connector::openOutputStream(String* name) {
  return openDataOutputStream(name);
}
