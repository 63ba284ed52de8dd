#include "tools/compiler/DescriptorCheck.h"

#include <set>
#include <stdexcept>
#include <string>

namespace tools {
namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && uint8_t(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && uint8_t(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

DescriptorProperties checkDescriptor(std::string_view text, std::string_view sourceName) {
  const auto fail = [&](int line, const std::string& problem) {
    throw std::runtime_error(std::string(sourceName) + ":" + std::to_string(line) + ": " + problem);
  };
  if (text.empty()) fail(1, "the descriptor is empty");
  DescriptorProperties properties;
  std::set<std::string, std::less<>> keys;
  int lineNumber = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    for (const char c : line) {
      if (c == '\r') fail(lineNumber, "carriage return inside a line");
      if (c < ' ' || c > '~') fail(lineNumber, "only printable ASCII is read back as written");
    }
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) fail(lineNumber, line.empty() ? "blank line" : "line without ':'");
    const std::string_view key = trimmed(line.substr(0, colon));
    if (key.empty()) fail(lineNumber, "empty key");
    if (!keys.insert(std::string(key)).second) fail(lineNumber, "key \"" + std::string(key) + "\" is given twice");
    properties.emplace_back(key, trimmed(line.substr(colon + 1)));
  }
  return properties;
}

}  // namespace tools
