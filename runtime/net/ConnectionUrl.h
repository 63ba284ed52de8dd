#pragma once
// Splits a connection name ("http://host:8080/a/b?x=1", "socket://host:5000")
// into the parts the HTTP and socket connections use.
#include <optional>
#include <string>
#include <string_view>

struct ConnectionUrlParts {
  std::u16string scheme;
  std::u16string host;
  int port = 0;  // 0 when the name gives none
  std::u16string path;  // from the first '/', possibly empty
  std::optional<std::u16string> query;  // with its '?'; absent when the name has none
};

// The host ends at the first '/', '?' or '#'; a ':' inside it separates the
// port. A fragment ('#' on) belongs to no part: it never reaches a server.
// False, with a log line, for a name without "://" or with a port that is
// not a number from 0 to 65535.
bool parseConnectionUrl(std::u16string_view url, ConnectionUrlParts* parts);
