#include "runtime/net/SocketConnectionImpl.h"

#include <string>

#include "runtime/exceptions/ThrowNew.h"
#include "runtime/io/java_io_DataInputStream.h"
#include "runtime/io/java_io_DataOutputStream.h"
#include "runtime/lang/String.h"
#include "runtime/net/SocketConnectionClient.h"
#include "runtime/net/SocketConnectionStreams.h"

namespace {

// The host as 8-bit text; a character beyond ASCII makes a name no resolver
// knows, so it is refused rather than cut to its low byte.
bool narrowHost(const std::u16string& host, std::string* narrow) {
  narrow->clear();
  for (const char16_t character : host) {
    if (character == 0 || character > 0x7F) return false;
    narrow->push_back(static_cast<char>(character));
  }
  return true;
}

}  // namespace

void SocketConnectionImpl::init(String* name, int32_t accessMode, bool useTimeouts) {
  initName(name, accessMode, useTimeouts);
  shared = SocketConnectionClient::create();
  // Copied before the connect, which blocks in a safe region.
  std::string narrow;
  if (!narrowHost(textOf(host), &narrow)) {
    debugLog("SocketConnection: host is not ASCII");
    return;
  }
  shared->connected = shared->client.Create(2) && shared->client.Connect(narrow.c_str(), port);
}

void SocketConnectionImpl::finalize() {
  if (shared != nullptr) shared->release();
  shared = nullptr;
  Object::finalize();
}

void* SocketConnectionImpl::lookupInterface(int32_t interfaceId) {
  switch (interfaceId) {
    case classid::javax_microedition_io_Connection:
    case classid::javax_microedition_io_InputConnection:
    case classid::javax_microedition_io_SocketConnection:
    case classid::javax_microedition_io_StreamConnection:
      return static_cast<javax_microedition_io_SocketConnection*>(this);
    case classid::javax_microedition_io_OutputConnection:
      return static_cast<javax_microedition_io_OutputConnection*>(this);
    default:
      return nullptr;
  }
}

void SocketConnectionImpl::close() {
  if (shared == nullptr) return;
  // Closing the descriptor alone leaves a receive that another thread waits
  // in waiting for the peer; the shutdown ends it.
  if (shared->connected.exchange(false)) shared->client.Shutdown(wince::SD_BOTH);
  shared->client.CloseSocket();
}

java_io_InputStream* SocketConnectionImpl::openInputStream() {
  if (shared == nullptr) return throwNew<java_io_IOException>(), nullptr;
  return newObject<SocketConnectionInputStream>(shared);
}

java_io_DataInputStream* SocketConnectionImpl::openDataInputStream() {
  java_io_InputStream* in = openInputStream();
  return in != nullptr ? newObject<java_io_DataInputStream>(in) : nullptr;
}

java_io_OutputStream* SocketConnectionImpl::openOutputStream() {
  if (shared == nullptr) return throwNew<java_io_IOException>(), nullptr;
  return newObject<SocketConnectionOutputStream>(shared);
}

java_io_DataOutputStream* SocketConnectionImpl::openDataOutputStream() {
  java_io_OutputStream* out = openOutputStream();
  return out != nullptr ? newObject<java_io_DataOutputStream>(out) : nullptr;
}
