#pragma once
// The status line and headers of an HTTP response, parsed from the header
// block the platform answers (lines ended by CR LF or a bare LF). The block
// comes from the network, so nothing in it is trusted.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/net/HttpHeaderMap.h"

struct HttpResponseHead {
  int32_t statusCode = -1;
  std::u16string statusText;  // the reason phrase, possibly empty
  HttpHeaderMap headers;  // the first of repeated names wins
};

// The status line's second word is the code (one to three digits), all
// after the next space the reason phrase; a line end is never part of it.
// Every later line with a ':' is a header: name before it, value after it
// without surrounding blanks. False, with statusCode -1, when the status
// line has no code.
bool parseResponseHead(std::u16string_view block, HttpResponseHead* head);

// A Content-Length value: decimal digits, blanks around them allowed.
// Absent for anything else or for a value above 2^32 - 1.
std::optional<uint32_t> parseContentLength(std::u16string_view value);
