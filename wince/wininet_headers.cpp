#include "wince/wininet_headers.h"

#include "wince/wininet_url.h"

namespace wince::internet {
namespace {

bool isTokenCharacter(char16_t c) {
  if (c <= 0x20 || c >= 0x7F) return false;
  return std::u16string_view(u"()<>@,;:\\\"/[]?={}").find(c) == std::u16string_view::npos;
}

bool isValueCharacter(char16_t c) { return c == u'\t' || (c >= 0x20 && c != 0x7F); }

}  // namespace

bool splitRequestHeaderLines(std::u16string_view text, std::vector<std::string>* lines) {
  std::vector<std::string> found;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find(u'\n', begin);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string_view line = text.substr(begin, end - begin);
    begin = end + 1;
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    if (line.empty()) continue;
    const size_t colon = line.find(u':');
    if (colon == 0 || colon == std::u16string_view::npos) return false;
    for (char16_t c : line.substr(0, colon))
      if (!isTokenCharacter(c)) return false;
    for (char16_t c : line.substr(colon + 1))
      if (!isValueCharacter(c)) return false;
    found.push_back(utf8FromWide(line));
  }
  lines->insert(lines->end(), found.begin(), found.end());
  return true;
}

bool ResponseHeaderCollector::addLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (line.substr(0, 5) == "HTTP/") {
    m_lines.clear();
    m_bytes = 0;
  }
  if (line.empty()) return true;
  m_bytes += line.size() + 2;
  if (m_bytes > m_byteLimit) return false;
  m_lines.emplace_back(line);
  return true;
}

std::u16string ResponseHeaderCollector::rawHeadersCrlf() const {
  std::u16string block;
  block.reserve(m_bytes + 2);
  for (const std::string& line : m_lines) {
    for (unsigned char byte : line) block += char16_t(byte);
    block += u"\r\n";
  }
  block += u"\r\n";
  return block;
}

}  // namespace wince::internet
