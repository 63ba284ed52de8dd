#include "wince/wininet_url.h"

#include <algorithm>

#include "wince/wininet.h"

namespace wince::internet {
namespace {

bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool equalsIgnoringAsciiCase(std::u16string_view text, std::u16string_view lowerCase) {
  if (text.size() != lowerCase.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'A' && c <= u'Z') c = char16_t(c + 32);
    if (c != lowerCase[i]) return false;
  }
  return true;
}

// Port digits: 1 to 65535; -1 for anything else.
int parsePort(std::u16string_view digits) {
  if (digits.empty() || digits.size() > 5) return -1;
  int value = 0;
  for (char16_t c : digits) {
    if (!isDigit(c)) return -1;
    value = value * 10 + (c - u'0');
  }
  return value >= 1 && value <= 65535 ? value : -1;
}

void appendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += char(code);
  } else if (code < 0x800) {
    out += char(0xC0 | (code >> 6));
    out += char(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += char(0xE0 | (code >> 12));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  } else {
    out += char(0xF0 | (code >> 18));
    out += char(0x80 | ((code >> 12) & 0x3F));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  }
}

// Copies a part into the caller's buffer or points into the URL, as the
// component record asks. False when the caller's buffer is too short.
bool deliverPart(const char16_t* url, const UrlPart& part, LPWSTR* text, DWORD* length) {
  if (*length == 0) return true;
  if (!*text) {
    *text = const_cast<LPWSTR>(url + part.begin);
    *length = DWORD(part.length);
    return true;
  }
  if (*length <= part.length) {
    *length = DWORD(part.length + 1);
    return false;
  }
  std::copy_n(url + part.begin, part.length, *text);
  (*text)[part.length] = u'\0';
  *length = DWORD(part.length);
  return true;
}

}  // namespace

unsigned long crackUrl(std::u16string_view url, CrackedUrl* cracked) {
  *cracked = CrackedUrl{};
  const size_t schemeEnd = url.find(u"://");
  if (schemeEnd == std::u16string_view::npos || schemeEnd == 0) return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
  const std::u16string_view scheme = url.substr(0, schemeEnd);
  if (equalsIgnoringAsciiCase(scheme, u"http")) {
    cracked->scheme = INTERNET_SCHEME_HTTP;
    cracked->port = INTERNET_DEFAULT_HTTP_PORT;
  } else if (equalsIgnoringAsciiCase(scheme, u"https")) {
    cracked->scheme = INTERNET_SCHEME_HTTPS;
    cracked->port = INTERNET_DEFAULT_HTTPS_PORT;
  } else {
    return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
  }
  cracked->schemeName = {0, schemeEnd};

  const size_t authorityBegin = schemeEnd + 3;
  size_t authorityEnd = url.find_first_of(u"/?#", authorityBegin);
  if (authorityEnd == std::u16string_view::npos) authorityEnd = url.size();
  size_t hostBegin = authorityBegin;
  const size_t at = url.substr(authorityBegin, authorityEnd - authorityBegin).rfind(u'@');
  if (at != std::u16string_view::npos) {
    const size_t userEnd = authorityBegin + at;
    const size_t colon = url.substr(authorityBegin, at).find(u':');
    if (colon == std::u16string_view::npos) {
      cracked->userName = {authorityBegin, at};
    } else {
      cracked->userName = {authorityBegin, colon};
      cracked->password = {authorityBegin + colon + 1, userEnd - (authorityBegin + colon + 1)};
    }
    hostBegin = userEnd + 1;
  }

  size_t hostEnd = authorityEnd;
  size_t portColon = std::u16string_view::npos;
  if (hostBegin < authorityEnd && url[hostBegin] == u'[') {
    const size_t close = url.substr(0, authorityEnd).find(u']', hostBegin);
    if (close == std::u16string_view::npos) return ERROR_INTERNET_INVALID_URL;
    cracked->hostName = {hostBegin + 1, close - hostBegin - 1};
    if (close + 1 < authorityEnd) {
      if (url[close + 1] != u':') return ERROR_INTERNET_INVALID_URL;
      portColon = close + 1;
    }
  } else {
    const size_t colon = url.substr(hostBegin, authorityEnd - hostBegin).rfind(u':');
    if (colon != std::u16string_view::npos) {
      portColon = hostBegin + colon;
      hostEnd = portColon;
    }
    cracked->hostName = {hostBegin, hostEnd - hostBegin};
  }
  if (cracked->hostName.length == 0) return ERROR_INTERNET_INVALID_URL;
  if (portColon != std::u16string_view::npos && portColon + 1 < authorityEnd) {
    cracked->port = parsePort(url.substr(portColon + 1, authorityEnd - portColon - 1));
    if (cracked->port < 0) return ERROR_INTERNET_INVALID_URL;
  }

  size_t pathEnd = url.find_first_of(u"?#", authorityEnd);
  if (pathEnd == std::u16string_view::npos) pathEnd = url.size();
  cracked->path = {authorityEnd, pathEnd - authorityEnd};
  cracked->extraInfo = {pathEnd, url.size() - pathEnd};
  return 0;
}

std::string utf8FromWide(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      appendUtf8(out, 0xFFFD);
    } else {
      appendUtf8(out, unit);
    }
  }
  return out;
}

bool isPlainHostName(std::u16string_view host) {
  if (host.empty() || host.size() > 253) return false;
  const bool ipv6 = host.find(u':') != std::u16string_view::npos;
  for (char16_t c : host) {
    const bool hex = isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    const bool allowed = ipv6 ? hex || c == u':' || c == u'.' : isAsciiLetter(c) || isDigit(c) || c == u'.' ||
                                                                   c == u'-' || c == u'_';
    if (!allowed) return false;
  }
  return true;
}

bool encodeObjectName(std::u16string_view objectName, std::string* encoded) {
  static constexpr char hexDigits[] = "0123456789ABCDEF";
  encoded->clear();
  if (objectName.empty() || objectName[0] != u'/') *encoded += '/';
  for (unsigned char byte : utf8FromWide(objectName)) {
    if (byte < 0x20 || byte == 0x7F) return false;
    if (byte == ' ' || byte >= 0x80) {
      *encoded += '%';
      *encoded += hexDigits[byte >> 4];
      *encoded += hexDigits[byte & 0xF];
    } else {
      *encoded += char(byte);
    }
  }
  return true;
}

}  // namespace wince::internet

BOOL InternetCrackUrl(LPCWSTR url, DWORD urlLength, DWORD /*flags*/, URL_COMPONENTS* components) {
  if (!url || !components) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::u16string_view text =
      urlLength == 0 ? std::u16string_view(url) : std::u16string_view(url, urlLength);
  wince::internet::CrackedUrl cracked;
  if (const unsigned long error = wince::internet::crackUrl(text, &cracked)) {
    SetLastError(DWORD(error));
    return FALSE;
  }
  components->nScheme = cracked.scheme;
  components->nPort = INTERNET_PORT(cracked.port);
  using wince::internet::deliverPart;
  const bool fits = deliverPart(url, cracked.schemeName, &components->lpszScheme, &components->dwSchemeLength) &
                    deliverPart(url, cracked.hostName, &components->lpszHostName, &components->dwHostNameLength) &
                    deliverPart(url, cracked.userName, &components->lpszUserName, &components->dwUserNameLength) &
                    deliverPart(url, cracked.password, &components->lpszPassword, &components->dwPasswordLength) &
                    deliverPart(url, cracked.path, &components->lpszUrlPath, &components->dwUrlPathLength) &
                    deliverPart(url, cracked.extraInfo, &components->lpszExtraInfo, &components->dwExtraInfoLength);
  if (!fits) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  return TRUE;
}
