// The request side of the WinInet stand-in over any text: cracking a URL,
// the object name that goes on the request line, the header lines a caller
// adds, and the wide-to-UTF-8 conversion under all of them. Input: one
// control byte, then UTF-16 little-endian text; the URL runs up to the
// first U+0000, the rest is the header text. The control byte's low five
// bits give each caller buffer's length for InternetCrackUrl (0 points into
// the URL instead). Nothing accepted may end or split a request line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_require.h"
#include "wince/wininet.h"
#include "wince/wininet_headers.h"
#include "wince/wininet_url.h"

namespace {

using namespace wince::internet;

// The UTF-16 text that UTF-8 bytes encode; false when they are not
// well-formed UTF-8 of scalar values.
bool decodeUtf8(std::string_view bytes, std::u16string* text) {
  for (size_t i = 0; i < bytes.size();) {
    const auto lead = uint8_t(bytes[i]);
    const int extra = lead < 0x80 ? 0 : lead >= 0xC2 && lead < 0xE0 ? 1 : lead >= 0xE0 && lead < 0xF0 ? 2
                                      : lead >= 0xF0 && lead < 0xF5                  ? 3
                                                                                     : -1;
    if (extra < 0 || bytes.size() - i <= size_t(extra)) return false;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto next = uint8_t(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < smallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    if (code >= 0x10000) {
      *text += char16_t(0xD800 + ((code - 0x10000) >> 10));
      *text += char16_t(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      *text += char16_t(code);
    }
    i += size_t(extra) + 1;
  }
  return true;
}

// The text with every unpaired surrogate made U+FFFD.
std::u16string withoutUnpairedSurrogates(std::u16string_view text) {
  std::u16string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    const bool high = out[i] >= 0xD800 && out[i] <= 0xDBFF;
    const bool low = out[i] >= 0xDC00 && out[i] <= 0xDFFF;
    if (high && i + 1 < out.size() && out[i + 1] >= 0xDC00 && out[i + 1] <= 0xDFFF) {
      ++i;
    } else if (high || low) {
      out[i] = 0xFFFD;
    }
  }
  return out;
}

void checkConversion(std::u16string_view text) {
  std::u16string decoded;
  require(decodeUtf8(utf8FromWide(text), &decoded));
  require(decoded == withoutUnpairedSurrogates(text));
}

std::u16string_view partOf(std::u16string_view url, const UrlPart& part) {
  require(part.begin <= url.size() && part.length <= url.size() - part.begin);
  return url.substr(part.begin, part.length);
}

void checkCrackedUrl(std::u16string_view url, uint8_t control) {
  CrackedUrl cracked;
  if (crackUrl(url, &cracked) != 0) return;
  require(cracked.scheme == INTERNET_SCHEME_HTTP || cracked.scheme == INTERNET_SCHEME_HTTPS);
  require(cracked.port >= 1 && cracked.port <= 65535);
  require(cracked.schemeName.begin == 0 && url.substr(cracked.schemeName.length, 3) == u"://");
  const std::u16string_view host = partOf(url, cracked.hostName);
  require(!host.empty() && host.find_first_of(u"/?#@") == std::u16string_view::npos);
  partOf(url, cracked.userName);
  partOf(url, cracked.password);
  // Path then extra information close the URL, in that order.
  const std::u16string_view path = partOf(url, cracked.path);
  const std::u16string_view extra = partOf(url, cracked.extraInfo);
  require(cracked.path.begin + cracked.path.length == cracked.extraInfo.begin);
  require(cracked.extraInfo.begin + cracked.extraInfo.length == url.size());
  require(path.empty() || path[0] == u'/');
  require(path.find_first_of(u"?#") == std::u16string_view::npos);
  require(extra.empty() || extra[0] == u'?' || extra[0] == u'#');
  if (isPlainHostName(host)) require(host.find_first_of(u" \t\r\n[]%") == std::u16string_view::npos);

  // The platform call agrees with the cracking, into the caller's buffers
  // or pointing into the URL.
  const DWORD bufferLength = control & 31;
  std::vector<char16_t> buffers(6 * (size_t(bufferLength) + 1));
  auto buffer = [&](int k) { return bufferLength == 0 ? nullptr : buffers.data() + k * (bufferLength + 1); };
  URL_COMPONENTS components{};
  components.dwStructSize = sizeof components;
  components.lpszScheme = buffer(0);
  components.lpszHostName = buffer(1);
  components.lpszUserName = buffer(2);
  components.lpszPassword = buffer(3);
  components.lpszUrlPath = buffer(4);
  components.lpszExtraInfo = buffer(5);
  const DWORD asked = bufferLength == 0 ? 1 : bufferLength;
  components.dwSchemeLength = components.dwHostNameLength = components.dwUserNameLength = asked;
  components.dwPasswordLength = components.dwUrlPathLength = components.dwExtraInfoLength = asked;
  const std::u16string terminated(url);
  if (!InternetCrackUrl(terminated.c_str(), DWORD(url.size()), 0, &components)) {
    require(bufferLength != 0);
    return;
  }
  require(components.nScheme == cracked.scheme && components.nPort == cracked.port);
  require(std::u16string_view(components.lpszHostName, components.dwHostNameLength) == host);
  require(std::u16string_view(components.lpszUrlPath, components.dwUrlPathLength) == path);
  require(std::u16string_view(components.lpszExtraInfo, components.dwExtraInfoLength) == extra);
}

void checkObjectName(std::u16string_view name) {
  std::string encoded;
  const std::string utf8 = utf8FromWide(name);
  const bool hasControl = utf8.find_first_of(std::string_view("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d"
                                                              "\x0e\x0f\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1a\x1b"
                                                              "\x1c\x1d\x1e\x1f\x7f",
                                                              33)) != std::string::npos;
  if (!encodeObjectName(name, &encoded)) {
    require(hasControl);
    return;
  }
  require(!hasControl && !encoded.empty() && encoded[0] == '/');
  for (const unsigned char byte : encoded) require(byte > 0x20 && byte < 0x7F);
}

void checkHeaderLines(std::u16string_view text) {
  std::vector<std::string> lines = {"kept"};
  if (!splitRequestHeaderLines(text, &lines)) {
    require(lines.size() == 1 && lines[0] == "kept");
    return;
  }
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const size_t colon = line.find(':');
    require(colon != std::string::npos && colon > 0);
    require(line.find_first_of("\r\n") == std::string::npos);
    for (size_t k = 0; k < colon; ++k) require(uint8_t(line[k]) > 0x20 && uint8_t(line[k]) < 0x7F);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > (64u << 10)) return 0;
  std::u16string text;
  for (size_t i = 1; i + 1 < size; i += 2) text += char16_t(data[i] | data[i + 1] << 8);
  const size_t end = text.find(u'\0');
  const std::u16string_view url = std::u16string_view(text).substr(0, end);
  const std::u16string_view headers =
      end == std::u16string::npos ? std::u16string_view() : std::u16string_view(text).substr(end + 1);

  checkConversion(text);
  checkCrackedUrl(url, data[0]);
  checkObjectName(url);
  checkHeaderLines(headers);
  return 0;
}
