#pragma once
// The readable source of the string-literal pool: one literal per line, its
// index and its text in double quotes, each index once, in any order:
//   # comment
//   48 "UTF-8"      # a comment may follow the text
// Escapes in a text: \\ \" \n \r \t and \uXXXX (a character below U+10000
// other than a surrogate; other characters are written as themselves).
// Indices that no line names hold the empty text, so numbering is stable.
#include <string>
#include <string_view>
#include <vector>

namespace tools {

struct LiteralTable {
  std::vector<std::string> texts;  // UTF-8, entry i is literal i
  std::vector<bool> defined;       // false where the table filled a gap
};

// Throws std::runtime_error as "sourceName:line: problem".
LiteralTable parseLiteralTable(std::string_view text, std::string_view sourceName);

}  // namespace tools
