#include "tools/compiler/LevelStage.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "runtime/LiteralIds.h"
#include "tools/compiler/PackStage.h"
#include "tools/writers/PackWriter.h"

namespace tools {
namespace {

std::string readText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path.string() + ": cannot be read");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The words of each line without its comment, with the line's number.
template <typename Visit>
void forEachStatement(const std::string& text, Visit visit) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::vector<std::string> statement{std::istream_iterator<std::string>(words), {}};
    if (!statement.empty()) visit(statement, number);
  }
}

}  // namespace

std::vector<uint8_t> assembleLevelRecords(const std::string& text, const std::string& source) {
  return assembleLevel(text, source).bytes;
}

std::vector<uint8_t> assembleEventScript(const std::string& text, const std::string& source) {
  forEachStatement(text, [&](const std::vector<std::string>& words, int line) {
    throw std::runtime_error(source + ":" + std::to_string(line) + ": unknown statement \"" + words[0] + "\"");
  });
  return {0};  // no cutscenes
}

void addLevelPack(ArchiveWriter& archive, const LiteralTable& literals, const std::filesystem::path& folder) {
  if (!std::filesystem::is_directory(folder)) return;
  PackWriter pack;
  const auto warn = [](const AssembledLevel& level) {
    for (const std::string& warning : level.warnings) fprintf(stderr, "contentc: warning: %s\n", warning.c_str());
  };
  const std::filesystem::path sharedSource = folder / "shared.lvl";
  const AssembledLevel shared = assembleLevel(readText(sharedSource), sharedSource.string());
  warn(shared);
  pack.add(0, shared.bytes, PackWriter::Compression::none);
  int rooms = 0;
  while (std::filesystem::exists(folder / ("room" + std::to_string(rooms) + ".lvl"))) {
    const std::filesystem::path objects = folder / ("room" + std::to_string(rooms) + ".lvl");
    const std::filesystem::path script = folder / ("room" + std::to_string(rooms) + ".evs");
    const AssembledLevel room = assembleLevel(readText(objects), objects.string(), {rooms, &shared});
    warn(room);
    pack.add(0, room.bytes, PackWriter::Compression::none);
    pack.add(0, assembleEventScript(readText(script), script.string()), PackWriter::Compression::none);
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
