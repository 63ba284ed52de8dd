#pragma once
// The readable source of a language's text pack, one file per language named
// by its suffix (en.txt, de.txt, ...): sections of texts, one text per line
// as its name, one space, and the text:
//   # comment
//   [common]
//   MENU_START Start the journey
//   [room 0]
//   DOOR_LOCKED The door is locked.\nIt will not move.
// Escapes in a text: \\ and \n. Section [common] becomes pack entry 0 and
// [room N] entry N + 1. A text's id within its entry is the line order of its
// name in the reference language's file, so ids stay put as long as new
// texts are added at the ends of their sections; every other language names
// exactly the same texts in each section, in any order.
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

struct TextSection {
  std::vector<std::string> names;  // in id order
  std::vector<std::string> texts;  // UTF-8, one per name
};

// Entry number -> section. Throws std::runtime_error as
// "sourceName:line: problem".
std::map<int, TextSection> parseTextSource(std::string_view text, std::string_view sourceName);

// A language's sections ordered by the reference's ids; throws when a
// section or a name is missing or extra.
std::map<int, TextSection> alignToReference(const std::map<int, TextSection>& reference,
                                            const std::map<int, TextSection>& language,
                                            std::string_view sourceName);

}  // namespace tools
