#pragma once
// Helpers for tests of the connection objects: Strings in and out, and the
// pending exception they raise.
#include <gtest/gtest.h>

#include <string>

#include "runtime/Application.h"
#include "runtime/lang/String.h"
#include "runtime/net/NamedConnection.h"
#include "tests/support/RuntimeFixture.h"

namespace conntest {

inline String* text(const std::string& narrow) { return newString(narrow.c_str()); }
inline String* text(const std::u16string& wide) { return NamedConnection::newText(wide); }

inline std::string narrow(String* text) {
  if (text == nullptr) return "<null>";
  const std::u16string wide = NamedConnection::textOf(text);
  return std::string(wide.begin(), wide.end());
}

class ConnectionFixture : public RuntimeFixture {
 protected:
  ConnectionFixture() : RuntimeFixture(4u << 20, 4u << 20) {}

  // The class id of the pending exception (-1: none), which is then cleared.
};

}  // namespace conntest
