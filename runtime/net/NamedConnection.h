#pragma once
// What the HTTP and the socket connection share: the name they were opened
// with and its parts. Not a class of its own in the class table; each
// connection class names its own id.
#include <cstdint>
#include <string>

#include "runtime/object/Object.h"

class NamedConnection : public Object {
 public:
  using Super = Object;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&NamedConnection::url,  &NamedConnection::scheme, &NamedConnection::host,
                              &NamedConnection::path, &NamedConnection::query,  &NamedConnection::fragment};
  }

  // The characters of a String (empty for null), copied out of object memory
  // so that they may cross a blocking call.
  static std::u16string textOf(String* text);
  // A new String of the characters, or null when the object heap is full.
  static String* newText(std::u16string_view text);

  String* url;
  int32_t mode;
  uint8_t timeouts;
  String* scheme;
  String* host;
  int32_t port;  // 0 when the name gives none
  String* path;
  String* query;     // with its '?'; null when the name has none
  String* fragment;  // always null: a fragment is never sent

 protected:
  // Keeps the arguments and the parts of the name. A name that does not
  // parse is logged and leaves the parts null.
  void initName(String* name, int32_t accessMode, bool useTimeouts);
};
