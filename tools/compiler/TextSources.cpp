#include "tools/compiler/TextSources.h"

#include <set>
#include <stdexcept>

namespace tools {

namespace {

[[noreturn]] void fail(std::string_view source, size_t line, const std::string& problem) {
  throw std::runtime_error(std::string(source) + ":" + std::to_string(line) + ": " + problem);
}

std::string unescape(std::string_view text, std::string_view source, size_t line) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (i + 1 == text.size()) fail(source, line, "a text ends in a lone backslash");
    const char escaped = text[++i];
    if (escaped == 'n') {
      out += '\n';
    } else if (escaped == '\\') {
      out += '\\';
    } else {
      fail(source, line, std::string("unknown escape \\") + escaped);
    }
  }
  return out;
}

int sectionEntry(std::string_view header, std::string_view source, size_t line) {
  if (header == "[common]") return 0;
  constexpr std::string_view room = "[room ";
  if (header.starts_with(room) && header.ends_with("]")) {
    const std::string_view digits = header.substr(room.size(), header.size() - room.size() - 1);
    if (!digits.empty() && digits.size() <= 4 && digits.find_first_not_of("0123456789") == std::string_view::npos) {
      return std::stoi(std::string(digits)) + 1;
    }
  }
  fail(source, line, "unknown section " + std::string(header));
}

}  // namespace

std::map<int, TextSection> parseTextSource(std::string_view text, std::string_view sourceName) {
  std::map<int, TextSection> sections;
  std::set<std::pair<int, std::string>> seen;
  TextSection* current = nullptr;
  int currentEntry = -1;
  size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      currentEntry = sectionEntry(line, sourceName, lineNumber);
      if (sections.contains(currentEntry)) fail(sourceName, lineNumber, "section " + std::string(line) + " again");
      current = &sections[currentEntry];
      continue;
    }
    if (current == nullptr) fail(sourceName, lineNumber, "a text before the first section");
    const size_t space = line.find(' ');
    const std::string name(line.substr(0, space));
    if (name.empty() || name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_") != std::string::npos) {
      fail(sourceName, lineNumber, "a text name is upper-case letters, digits and _");
    }
    if (!seen.insert({currentEntry, name}).second) fail(sourceName, lineNumber, "text " + name + " again");
    current->names.push_back(name);
    current->texts.push_back(space == std::string_view::npos ? std::string()
                                                             : unescape(line.substr(space + 1), sourceName, lineNumber));
  }
  return sections;
}

std::map<int, TextSection> alignToReference(const std::map<int, TextSection>& reference,
                                            const std::map<int, TextSection>& language, std::string_view sourceName) {
  std::map<int, TextSection> aligned;
  for (const auto& [entry, section] : language) {
    if (!reference.contains(entry)) {
      throw std::runtime_error(std::string(sourceName) + ": entry " + std::to_string(entry) +
                               " is not in the reference language");
    }
  }
  for (const auto& [entry, referenceSection] : reference) {
    const auto found = language.find(entry);
    if (found == language.end()) {
      throw std::runtime_error(std::string(sourceName) + ": entry " + std::to_string(entry) + " is missing");
    }
    std::map<std::string, const std::string*> byName;
    for (size_t i = 0; i < found->second.names.size(); ++i) byName[found->second.names[i]] = &found->second.texts[i];
    TextSection& out = aligned[entry];
    for (const std::string& name : referenceSection.names) {
      const auto text = byName.find(name);
      if (text == byName.end()) throw std::runtime_error(std::string(sourceName) + ": text " + name + " is missing");
      out.names.push_back(name);
      out.texts.push_back(*text->second);
      byName.erase(text);
    }
    if (!byName.empty()) {
      throw std::runtime_error(std::string(sourceName) + ": text " + byName.begin()->first +
                               " is not in the reference language");
    }
  }
  return aligned;
}

}  // namespace tools
