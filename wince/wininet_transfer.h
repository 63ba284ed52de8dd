#pragma once
// One HTTP exchange through libcurl for the WinInet stand-in, run to its end
// on the calling thread.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wince::internet {

struct TransferRequest {
  std::string url;  // scheme://host:port/object, already checked and encoded
  std::string agent;
  bool http10 = true;
  bool followRedirects = true;
  std::vector<std::string> headerLines;  // "Name: value"
  long connectTimeoutMilliseconds = 0;
  long receiveTimeoutMilliseconds = 0;  // longest silence once connected
  size_t bodyLimit = 0;
};

struct TransferResponse {
  unsigned long error = 0;  // a WinInet error code; 0 when a response arrived
  std::u16string rawHeaders;
  std::vector<uint8_t> body;
};

TransferResponse performTransfer(const TransferRequest& request);

}  // namespace wince::internet
