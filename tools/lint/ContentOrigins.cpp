#include "tools/lint/ContentOrigins.h"

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "runtime/LiteralIds.h"
#include "tools/compiler/TextSources.h"

namespace tools {
namespace {

std::string readText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

ContentOrigins::ContentOrigins(const std::filesystem::path& contentFolder) : m_folder(contentFolder) {
  try {
    m_literals = parseLiteralTable(readText(m_folder / "literals.txt"), "literals.txt");
  } catch (const std::exception&) {
    return;
  }
  const std::filesystem::path sprites = m_folder / "sprites";
  std::error_code error;
  for (const auto& file : std::filesystem::directory_iterator(sprites, error)) {
    const std::string name = file.path().filename().string();
    if (!name.ends_with(".pack.json")) continue;
    const auto description = nlohmann::json::parse(readText(file.path()), nullptr, false);
    if (!description.is_object() || !description.value("pack", nlohmann::json()).is_number_unsigned()) continue;
    SpritePack pack{file.path(), {}};
    // An entry names its description as a string or as {"sprite": path}.
    for (const auto& entry : description.value("sprites", nlohmann::json::array())) {
      const nlohmann::json path = entry.is_object() ? entry.value("sprite", nlohmann::json()) : entry;
      pack.entries.push_back(path.is_string() ? (sprites / path.get<std::string>()).string() : "");
    }
    m_spritePacks[literal(description["pack"].get<size_t>())] = std::move(pack);
  }
}

std::string ContentOrigins::literal(size_t index) const {
  return index < m_literals.texts.size() ? m_literals.texts[index] : std::string();
}

std::string ContentOrigins::textSource(const std::string& suffix, int entry, int text) const {
  const std::filesystem::path file = m_folder / "texts" / (suffix + ".txt");
  std::string source = file.string();
  if (entry < 0) return source;
  source += entry == 0 ? " [common]" : " [room " + std::to_string(entry - 1) + "]";
  if (text < 0) return source;
  // Ids follow the reference language's lines; every language names the same.
  const std::filesystem::path reference =
      m_folder / "texts" / (literal(size_t(LiteralId::languageSuffix0)) + ".txt");
  try {
    const auto sections = parseTextSource(readText(reference), reference.string());
    const auto found = sections.find(entry);
    if (found != sections.end() && size_t(text) < found->second.names.size())
      source += " " + found->second.names[size_t(text)];
  } catch (const std::exception&) {
  }
  return source;
}

std::string ContentOrigins::sourceOf(const LintProblem& problem) const {
  if (problem.where.starts_with("constants.bin")) return (m_folder / "literals.txt").string();
  if (problem.pack.empty()) return "";
  const std::string prefix = literal(size_t(LiteralId::packNamePrefix));
  for (LiteralId suffix : languageSuffixLiterals)
    if (problem.pack == prefix + literal(size_t(suffix)))
      return textSource(literal(size_t(suffix)), problem.entry, problem.text);
  if (const auto found = m_spritePacks.find(problem.pack); found != m_spritePacks.end()) {
    const SpritePack& pack = found->second;
    if (problem.entry >= 0 && size_t(problem.entry) < pack.entries.size() && !pack.entries[size_t(problem.entry)].empty())
      return pack.entries[size_t(problem.entry)];
    return pack.description.string();
  }
  // The level pack: the shared objects, then each room's objects and script.
  if (problem.pack == literal(size_t(LiteralId::levelPack)) && problem.entry >= 0) {
    const std::string room = "room" + std::to_string((problem.entry - 1) / 2);
    return (m_folder / "levels" /
            (problem.entry == 0 ? std::string("shared.lvl") : room + (problem.entry % 2 == 1 ? ".lvl" : ".evs")))
        .string();
  }
  // A map pack: the prefix and the room's number plus the first map's.
  const std::string first = literal(size_t(LiteralId::firstMapPack));
  if (problem.pack.size() > prefix.size() && problem.pack.starts_with(prefix) && first.size() > 1 &&
      problem.pack.find_first_not_of("0123456789", prefix.size()) == std::string::npos) {
    try {
      const int room = std::stoi(problem.pack.substr(prefix.size())) - std::stoi(first.substr(1));
      return (m_folder / "maps" / ("room" + std::to_string(room) + ".map")).string();
    } catch (const std::exception&) {
    }
  }
  return "";
}

}  // namespace tools
