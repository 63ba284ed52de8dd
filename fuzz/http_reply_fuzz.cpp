// An HTTP reply's head over any bytes, the way it reaches the client: libcurl
// hands the header lines to the WinInet stand-in, which collects them into
// the platform's CR LF block, and the client parses that block. Whatever is
// accepted must be a sane status and headers, and lookups must hold.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_require.h"
#include "runtime/net/HttpResponseHead.h"
#include "wince/wininet_headers.h"

namespace {

void checkHead(std::u16string_view block) {
  HttpResponseHead head;
  if (!parseResponseHead(block, &head)) {
    require(head.statusCode == -1 && head.headers.empty());
    return;
  }
  require(head.statusCode >= 0 && head.statusCode <= 999);
  require(head.statusText.find(u'\n') == std::u16string::npos);
  for (const auto& [name, value] : head.headers) {
    require(!name.empty());
    require(name.find_first_of(u":\n") == std::u16string::npos);
    require(value.find(u'\n') == std::u16string::npos);
    require(head.headers.count(name) == 1);
  }
  if (const auto length = head.headers.find(std::u16string_view(u"content-length")); length != head.headers.end())
    parseContentLength(length->second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // As libcurl delivers it: one line at a time, line end included.
  wince::internet::ResponseHeaderCollector collector(64 * 1024);
  size_t begin = 0;
  bool withinLimit = true;
  while (begin < bytes.size() && withinLimit) {
    const size_t end = bytes.find('\n', begin);
    const size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    withinLimit = collector.addLine(bytes.substr(begin, next - begin));
    begin = next;
  }
  const std::u16string block = collector.rawHeadersCrlf();
  require(block.size() >= 2 && block.compare(block.size() - 2, 2, u"\r\n") == 0);
  checkHead(block);

  // And the bytes as they are, bare line ends and all.
  checkHead(std::u16string(bytes.begin(), bytes.end()));
  return 0;
}
