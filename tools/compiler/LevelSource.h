#pragma once
// The statements of a level source, before anything is looked up: each a
// keyword (a record's name or "cutscene") and its name=value words, with
// the line of each word. The syntax is described in LevelStage.h.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tools {

struct LevelWord {
  std::string name, value;
  int line = 0;
  bool hasValue = true;  // written as name=value
};

struct LevelStatement {
  std::string keyword;
  int line = 0;
  std::vector<LevelWord> words;
};

// Throws std::runtime_error "source:line: problem".
std::vector<LevelStatement> parseLevelSource(std::string_view text, const std::string& source);

// A written value: a number, true or false, none, or a symbol (without its @).
struct LevelNone {};
struct LevelSymbol {
  std::string name;
};
using LevelValue = std::variant<int64_t, bool, LevelNone, LevelSymbol>;

// Nothing when the text is none of the forms.
bool parseLevelValue(std::string_view text, LevelValue& value);

}  // namespace tools
