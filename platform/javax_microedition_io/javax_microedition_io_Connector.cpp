#include "platform/javax_microedition_io/javax_microedition_io_Connector.h"

#include <string>

#include "runtime/io/java_io_DataInputStream.h"
#include "runtime/io/java_io_DataOutputStream.h"
#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/net/HttpConnectionImpl.h"
#include "runtime/net/SocketConnectionImpl.h"

namespace {

// Case-sensitive, and only the start of the name counts: "https" goes to
// HTTP as well.
bool beginsWith(String* name, const char* prefix) {
  const std::u16string_view text = name->view();
  for (size_t i = 0; prefix[i] != 0; ++i) {
    if (i == text.size() || text[i] != static_cast<char16_t>(prefix[i])) return false;
  }
  return true;
}

}  // namespace

Object* javax_microedition_io_Connector::open(String* name) { return open(name, READ_WRITE); }

Object* javax_microedition_io_Connector::open(String* name, int32_t mode) { return open(name, mode, false); }

Object* javax_microedition_io_Connector::open(String* name, int32_t mode, bool timeouts) {
  if (name == nullptr) {
    logFailedCheck("NullPointer");
    return nullptr;
  }
  if (beginsWith(name, "http")) return newObject<HttpConnectionImpl>(name, mode, timeouts);
  if (beginsWith(name, "socket")) return newObject<SocketConnectionImpl>(name, mode, timeouts);
  debugLog("Connector.open: no connection for this name");
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
