#include "tools/compiler/LevelSource.h"

#include <cctype>
#include <charconv>
#include <sstream>
#include <stdexcept>

namespace tools {
namespace {

[[noreturn]] void refuse(const std::string& source, int line, const std::string& problem) {
  throw std::runtime_error(source + ":" + std::to_string(line) + ": " + problem);
}

bool isSymbolName(std::string_view name) {
  if (name.empty() || !(std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_')) return false;
  for (const char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return true;
}

}  // namespace

std::vector<LevelStatement> parseLevelSource(std::string_view text, const std::string& source) {
  std::vector<LevelStatement> statements;
  std::istringstream lines{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream wordStream(line);
    std::string word;
    bool first = true;
    while (wordStream >> word) {
      const size_t equals = word.find('=');
      if (first && equals == std::string::npos) {
        statements.push_back({word, number, {}});
      } else {
        // A line that starts with name=value goes on with the statement above.
        if (statements.empty()) refuse(source, number, "\"" + word + "\" comes before any record");
        // Words that are not name=value are refused once the record is known.
        statements.back().words.push_back(
            equals == std::string::npos ? LevelWord{word, "", number, false}
                                        : LevelWord{word.substr(0, equals), word.substr(equals + 1), number, true});
      }
      first = false;
    }
  }
  return statements;
}

bool parseLevelValue(std::string_view text, LevelValue& value) {
  if (text == "true" || text == "false") {
    value = text == "true";
    return true;
  }
  if (text == "none") {
    value = LevelNone{};
    return true;
  }
  if (text.starts_with('@')) {
    if (!isSymbolName(text.substr(1))) return false;
    value = LevelSymbol{std::string(text.substr(1))};
    return true;
  }
  const bool negative = text.starts_with('-');
  std::string_view digits = negative ? text.substr(1) : text;
  int base = 10;
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    digits.remove_prefix(2);
    base = 16;
  }
  if (digits.empty() || digits.size() > 9) return false;
  int64_t number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return false;
  value = negative ? -number : number;
  return true;
}

}  // namespace tools
