#pragma once
// URL text for the WinInet stand-in: cracking a URL into its parts, the
// checks on host names and request paths, and the conversion of the
// platform's wide text to the UTF-8 that libcurl takes.
#include <cstddef>
#include <string>
#include <string_view>

namespace wince::internet {

// Parts of an http or https URL as [begin, begin + length) of its text.
struct UrlPart {
  size_t begin = 0;
  size_t length = 0;
};
struct CrackedUrl {
  int scheme = -1;  // INTERNET_SCHEME_*
  UrlPart schemeName, userName, password, hostName, path, extraInfo;
  int port = 0;  // the scheme's default when the URL names none
};

// Zero when the URL cracks, else the WinInet error.
unsigned long crackUrl(std::u16string_view url, CrackedUrl* cracked);

// Unpaired surrogates become U+FFFD.
std::string utf8FromWide(std::u16string_view text);
// Letters, digits, '.', '-', '_', or an IPv6 address (hex digits, ':' and
// '.'). Anything else could smuggle a path or credentials into the URL.
bool isPlainHostName(std::u16string_view host);
// A request's object name as it goes on the request line: spaces and
// non-ASCII characters percent-encoded, a missing leading '/' added. False
// for control characters, which would end or split the request line.
bool encodeObjectName(std::u16string_view objectName, std::string* encoded);

}  // namespace wince::internet
