#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/java_util/java_util_Hashtable.h"
#include "runtime/Application.h"
#include "runtime/app/ApplicationImpl.h"
#include "runtime/io/java_io_InputStream.h"
#include "runtime/io/javax_microedition_io_ResourceInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "wince/browser.h"
#include "wince/window.h"

namespace {

constexpr int32_t readChunkBytes = 512;

// The whole stream; stops at the first read that gives less than a byte.
ByteArray* readAll(java_io_InputStream* stream) {
  std::vector<int8_t> bytes;
  ByteArray* chunk = newByteArray(readChunkBytes);
  if (chunk == nullptr) return nullptr;
  for (;;) {
    const int32_t count = stream->read(chunk, 0, readChunkBytes);
    if (count < 1) break;
    bytes.insert(bytes.end(), chunk->elements(), chunk->elements() + count);
  }
  // An archive entry answers a read at its end with EOFException, not -1;
  // the MIDlet's constructor must not leave it (or any read failure)
  // pending for the game's first check to find.
  if (Application* application = Application::get()) {
    Object* pending = application->getPending();
    if (pending != nullptr && Object::instanceOf(pending, classid::java_io_IOException) != 0) {
      if (Object::instanceOf(pending, classid::java_io_EOFException) == 0) debugLog("app.jad: the read failed");
      application->m_pending = nullptr;
    }
  }
  ByteArray* all = newByteArray(static_cast<int32_t>(bytes.size()));
  // An array whose elements found no memory has none to copy into.
  if (all == nullptr || static_cast<size_t>(all->length()) != bytes.size()) {
    debugLog("app.jad: no memory for its %zu bytes", bytes.size());
    return nullptr;
  }
  if (!bytes.empty()) std::memcpy(all->elements(), bytes.data(), bytes.size());
  return all;
}

}  // namespace

void parseDescriptor(String* text, java_util_Hashtable* table) {
  if (text == nullptr || table == nullptr) return;
  const int32_t length = text->length();
  int32_t position = 0;
  while (position < length) {
    int32_t lineEnd = text->indexOf(u'\n', position);
    if (lineEnd < 0) lineEnd = length;
    const int32_t colon = text->indexOf(u':', position);
    if (colon >= 0 && colon < lineEnd) {
      int32_t valueEnd = lineEnd;
      if (valueEnd > colon + 1 && text->charAt(valueEnd - 1) == u'\r') --valueEnd;
      String* key = text->substring(position, colon)->trim();
      String* value = text->substring(colon + 1, valueEnd)->trim();
      table->put(key, value);
    } else if (lineEnd > position) {
      debugLog("app.jad: a line without ':' is skipped");
    }
    position = lineEnd + 1;
  }
}

void javax_microedition_midlet_MIDlet::init() {
  properties = newObject<java_util_Hashtable>(11);
  String* text = loadJad();
  if (text == nullptr || text->length() == 0) return;
  parseDescriptor(text, properties);
}

String* javax_microedition_midlet_MIDlet::loadJad() {
  java_io_InputStream* stream =
      javax_microedition_io_ResourceInputStream::getResourceAsStream(newObject<String>("app.jad"));
  if (stream == nullptr) return nullptr;
  ByteArray* bytes = readAll(stream);
  stream->close();
  return bytes != nullptr ? newObject<String>(bytes) : nullptr;
}

String* javax_microedition_midlet_MIDlet::appProperty(String* key) {
  Object* value = key != nullptr && properties != nullptr ? properties->get(key) : nullptr;
  if (value != nullptr) return static_cast<String*>(value);
  return newObject<String>("PROPERTY VALUE EMPTY");
}

void javax_microedition_midlet_MIDlet::notifyDestroyed(javax_microedition_midlet_MIDlet* /*midlet*/) {
  if (ApplicationImpl* host = ApplicationImpl::get()) host->running = 0;
}

bool javax_microedition_midlet_MIDlet::platformRequest(javax_microedition_midlet_MIDlet* /*midlet*/, String* url) {
  if (url == nullptr) {
    debugLog("platformRequest: no URL");
    return false;
  }
  const std::u16string text(url->view());
  // The browser comes to the front; the game steps aside, as it does when
  // it loses the focus.
  if (wince::openInBrowser(text) == wince::BrowserResult::launched) ShowWindow(GetForegroundWindow(), SW_MINIMIZE);
  return false;
}
