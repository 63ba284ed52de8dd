#include "tools/compiler/LiteralTable.h"

#include <charconv>
#include <stdexcept>

namespace tools {
namespace {

// Far above what the game uses; catches a mistyped index before it
// makes a pool of a million empty texts.
constexpr long largestIndex = 9999;

class LineParser {
 public:
  LineParser(std::string_view line, std::string_view sourceName, int lineNumber)
      : m_line(line), m_sourceName(sourceName), m_lineNumber(lineNumber) {}

  [[noreturn]] void fail(const std::string& problem) const {
    throw std::runtime_error(std::string(m_sourceName) + ":" + std::to_string(m_lineNumber) + ": " + problem);
  }

  void skipBlanks() {
    while (m_position < m_line.size() && (m_line[m_position] == ' ' || m_line[m_position] == '\t')) ++m_position;
  }

  bool atEndOrComment() {
    skipBlanks();
    return m_position == m_line.size() || m_line[m_position] == '#';
  }

  long index() {
    long value = -1;
    const char* begin = m_line.data() + m_position;
    const auto [end, error] = std::from_chars(begin, m_line.data() + m_line.size(), value);
    if (error != std::errc() || end == begin) fail("expected a literal index");
    if (value < 0 || value > largestIndex) fail("literal index " + std::to_string(value) + " is outside 0.." + std::to_string(largestIndex));
    m_position += size_t(end - begin);
    return value;
  }

  std::string quotedText() {
    skipBlanks();
    if (m_position == m_line.size() || m_line[m_position] != '"') fail("expected a text in double quotes");
    ++m_position;
    std::string text;
    while (true) {
      if (m_position == m_line.size()) fail("the text has no closing quote");
      const char c = m_line[m_position++];
      if (c == '"') return text;
      if (c != '\\') {
        text += c;
        continue;
      }
      if (m_position == m_line.size()) fail("the text has no closing quote");
      const char escape = m_line[m_position++];
      switch (escape) {
        case '\\': text += '\\'; break;
        case '"': text += '"'; break;
        case 'n': text += '\n'; break;
        case 'r': text += '\r'; break;
        case 't': text += '\t'; break;
        case 'u': appendCharacter(text, hexCharacter()); break;
        default: fail(std::string("unknown escape \\") + escape);
      }
    }
  }

 private:
  unsigned hexCharacter() {
    if (m_position + 4 > m_line.size()) fail("\\u needs four hex digits");
    unsigned value = 0;
    const char* begin = m_line.data() + m_position;
    const auto [end, error] = std::from_chars(begin, begin + 4, value, 16);
    if (error != std::errc() || end != begin + 4) fail("\\u needs four hex digits");
    if (value >= 0xD800 && value <= 0xDFFF) fail("\\u cannot name a surrogate");
    m_position += 4;
    return value;
  }

  static void appendCharacter(std::string& text, unsigned c) {
    if (c < 0x80) {
      text += char(c);
    } else if (c < 0x800) {
      text += char(0xC0 | (c >> 6));
      text += char(0x80 | (c & 0x3F));
    } else {
      text += char(0xE0 | (c >> 12));
      text += char(0x80 | ((c >> 6) & 0x3F));
      text += char(0x80 | (c & 0x3F));
    }
  }

  std::string_view m_line;
  std::string_view m_sourceName;
  int m_lineNumber;
  size_t m_position = 0;
};

}  // namespace

LiteralTable parseLiteralTable(std::string_view text, std::string_view sourceName) {
  LiteralTable table;
  int lineNumber = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start = end + 1;
    ++lineNumber;

    LineParser parser(line, sourceName, lineNumber);
    if (parser.atEndOrComment()) continue;
    const long index = parser.index();
    if (size_t(index) < table.defined.size() && table.defined[size_t(index)])
      parser.fail("literal " + std::to_string(index) + " is given twice");
    std::string literal = parser.quotedText();
    if (!parser.atEndOrComment()) parser.fail("unexpected text after the closing quote");
    if (size_t(index) >= table.texts.size()) {
      table.texts.resize(size_t(index) + 1);
      table.defined.resize(size_t(index) + 1, false);
    }
    table.texts[size_t(index)] = std::move(literal);
    table.defined[size_t(index)] = true;
  }
  return table;
}

}  // namespace tools
