#include "runtime/net/NamedConnection.h"

#include "runtime/lang/String.h"
#include "runtime/net/ConnectionUrl.h"
#include "runtime/object/ObjectFactory.h"

std::u16string NamedConnection::textOf(String* text) {
  if (text == nullptr) return {};
  return std::u16string(text->view());
}

String* NamedConnection::newText(std::u16string_view text) {
  // The view may point into a std::u16string, never into the native pool.
  return newObject<String>(text.data(), 0, static_cast<int32_t>(text.size()));
}

void NamedConnection::initName(String* name, int32_t accessMode, bool useTimeouts) {
  url = name;
  mode = accessMode;
  timeouts = useTimeouts ? 1 : 0;
  ConnectionUrlParts parts;
  if (!parseConnectionUrl(textOf(name), &parts)) return;
  scheme = newText(parts.scheme);
  host = newText(parts.host);
  port = parts.port;
  path = newText(parts.path);
  if (parts.query) query = newText(*parts.query);
}
