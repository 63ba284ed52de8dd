#include "runtime/net/HttpResponseHead.h"

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view trimBlanks(std::u16string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The next line of the block, without its CR LF or LF.
std::u16string_view takeLine(std::u16string_view& block) {
  const size_t end = block.find(u'\n');
  std::u16string_view line = block.substr(0, end);
  block.remove_prefix(end == std::u16string_view::npos ? block.size() : end + 1);
  if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
  return line;
}

bool parseStatusLine(std::u16string_view line, HttpResponseHead* head) {
  const size_t codeBegin = line.find(u' ');
  if (codeBegin == std::u16string_view::npos) return false;
  const size_t codeEnd = line.find(u' ', codeBegin + 1);
  const std::u16string_view code = line.substr(codeBegin + 1, codeEnd == std::u16string_view::npos
                                                                   ? std::u16string_view::npos
                                                                   : codeEnd - codeBegin - 1);
  if (code.empty() || code.size() > 3) return false;
  int32_t value = 0;
  for (char16_t c : code) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c - u'0');
  }
  head->statusCode = value;
  if (codeEnd != std::u16string_view::npos) head->statusText = line.substr(codeEnd + 1);
  return true;
}

}  // namespace

bool parseResponseHead(std::u16string_view block, HttpResponseHead* head) {
  *head = HttpResponseHead{};
  if (!parseStatusLine(takeLine(block), head)) {
    *head = HttpResponseHead{};
    return false;
  }
  while (!block.empty()) {
    const std::u16string_view line = takeLine(block);
    const size_t colon = line.find(u':');
    if (colon == std::u16string_view::npos || colon == 0) continue;
    head->headers.emplace(line.substr(0, colon), trimBlanks(line.substr(colon + 1)));
  }
  return true;
}

std::optional<uint32_t> parseContentLength(std::u16string_view value) {
  value = trimBlanks(value);
  if (value.empty()) return std::nullopt;
  uint64_t length = 0;
  for (char16_t c : value) {
    if (c < u'0' || c > u'9') return std::nullopt;
    length = length * 10 + uint64_t(c - u'0');
    if (length > UINT32_MAX) return std::nullopt;
  }
  return uint32_t(length);
}
