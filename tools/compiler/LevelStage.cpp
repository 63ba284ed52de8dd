#include "tools/compiler/LevelStage.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>

#include "runtime/LiteralIds.h"
#include "tools/compiler/PackStage.h"
#include "tools/compiler/ScriptAssembler.h"
#include "tools/compiler/TextSources.h"
#include "tools/writers/PackWriter.h"

namespace tools {
namespace {

std::string readText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path.string() + ": cannot be read");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The number of texts in each room's section of the reference language's
// text source; none when the content has no texts.
std::optional<std::vector<int32_t>> roomTextCounts(const LiteralTable& literals, const std::filesystem::path& levels) {
  const size_t suffix = static_cast<size_t>(languageSuffixLiterals[0]);
  if (literals.texts.size() <= suffix) return std::nullopt;
  const std::filesystem::path source = levels.parent_path() / "texts" / (literals.texts[suffix] + ".txt");
  if (!std::filesystem::exists(source)) return std::nullopt;
  std::vector<int32_t> counts;
  for (const auto& [entry, section] : parseTextSource(readText(source), source.string())) {
    if (entry < 1) continue;
    counts.resize(size_t(entry), 0);
    counts[size_t(entry) - 1] = int32_t(section.names.size());
  }
  return counts;
}

}  // namespace

std::vector<uint8_t> assembleLevelRecords(const std::string& text, const std::string& source) {
  return assembleLevel(text, source).bytes;
}

std::vector<uint8_t> assembleEventScript(const std::string& text, const std::string& source) {
  return assembleScript(text, source).bytes;
}

void addLevelPack(ArchiveWriter& archive, const LiteralTable& literals, const std::filesystem::path& folder) {
  if (!std::filesystem::is_directory(folder)) return;
  PackWriter pack;
  const auto warn = [](const std::vector<std::string>& warnings) {
    for (const std::string& warning : warnings) fprintf(stderr, "contentc: warning: %s\n", warning.c_str());
  };
  const std::optional<std::vector<int32_t>> textCounts = roomTextCounts(literals, folder);
  const std::filesystem::path sharedSource = folder / "shared.lvl";
  const AssembledLevel shared = assembleLevel(readText(sharedSource), sharedSource.string());
  warn(shared.warnings);
  pack.add(0, shared.bytes, PackWriter::Compression::none);
  int rooms = 0;
  while (std::filesystem::exists(folder / ("room" + std::to_string(rooms) + ".lvl"))) {
    const std::filesystem::path objects = folder / ("room" + std::to_string(rooms) + ".lvl");
    const std::filesystem::path script = folder / ("room" + std::to_string(rooms) + ".evs");
    const std::string scriptText = readText(script);
    const ScriptCutscenes cutscenes = declareScriptCutscenes(scriptText, script.string());
    const AssembledLevel room = assembleLevel(readText(objects), objects.string(),
                                              {rooms, &shared, &cutscenes.names, &cutscenes.ids, script.string()});
    warn(room.warnings);
    ScriptContext context{rooms, std::nullopt, &room, &shared};
    if (textCounts) context.textCount = size_t(rooms) < textCounts->size() ? (*textCounts)[size_t(rooms)] : 0;
    const AssembledScript events = assembleScript(scriptText, script.string(), context);
    warn(events.warnings);
    pack.add(0, room.bytes, PackWriter::Compression::none);
    pack.add(0, events.bytes, PackWriter::Compression::none);
    ++rooms;
  }
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    const std::string name = file.path().filename().string();
    if (name == "shared.lvl") continue;
    const bool known = name.starts_with("room") && (name.ends_with(".lvl") || name.ends_with(".evs")) &&
                       name.size() > 8 && name.find_first_not_of("0123456789", 4) == name.size() - 4 &&
                       std::stoi(name.substr(4, name.size() - 8)) < rooms;
    if (!known) throw std::runtime_error(file.path().string() + ": not a room of 0.." + std::to_string(rooms - 1));
  }
  addPack(archive, literals, literals.texts.at(static_cast<size_t>(LiteralId::levelPack)), pack);
}

}  // namespace tools
