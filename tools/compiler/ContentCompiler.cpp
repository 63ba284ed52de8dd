#include "tools/compiler/ContentCompiler.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "runtime/LiteralIds.h"
#include "tools/compiler/DescriptorCheck.h"
#include "tools/compiler/FontCompiler.h"
#include "tools/compiler/LevelStage.h"
#include "tools/compiler/LiteralTable.h"
#include "tools/compiler/MapCompiler.h"
#include "tools/compiler/MathTablePack.h"
#include "tools/compiler/SpriteSources.h"
#include "tools/compiler/PromotionStage.h"
#include "tools/compiler/PackStage.h"
#include "tools/compiler/TableSources.h"
#include "tools/compiler/SoundStage.h"
#include "tools/compiler/TextSources.h"
#include "tools/writers/ArchiveWriter.h"
#include "tools/writers/LiteralPoolWriter.h"
#include "tools/writers/TextPackWriter.h"

namespace tools {
namespace {

std::string readSource(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path.string() + ": cannot be read");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error(path.string() + ": read error");
  return text;
}

// Every literal the code names must have a text of its own, not a filler.
void checkNamedLiterals(const LiteralTable& table, const std::filesystem::path& source) {
  for (const NamedLiteral& literal : namedLiterals) {
    const size_t index = size_t(literal.index);
    if (index >= table.defined.size() || !table.defined[index])
      throw std::runtime_error(source.string() + ": literal " + std::to_string(literal.index) + " (" +
                               std::string(literal.name) + ") is named in runtime/LiteralIds.h but has no text");
  }
}

// A second entry of the same name would never be found, and a leading "/"
// would make the entry unreachable by the usual "/name" request.
void addEntry(ArchiveWriter& archive, const std::string& name, std::vector<uint8_t> bytes) {
  if (name.empty() || name[0] == '/' || archive.contains(name))
    throw std::runtime_error("archive entry \"" + name + "\" would not be found by a lookup");
  archive.add(name, std::move(bytes));
}

// texts/<suffix>.txt -> the text pack named literal 128 + suffix. The first
// language is the reference whose line order fixes the ids.
void addTextPacks(ArchiveWriter& archive, const LiteralTable& literals, const std::filesystem::path& folder) {
  if (!std::filesystem::is_directory(folder)) return;
  const auto& texts = literals.texts;
  const std::string& prefix = texts.at(static_cast<size_t>(LiteralId::packNamePrefix));
  const std::filesystem::path referenceSource = folder / (texts.at(static_cast<size_t>(languageSuffixLiterals[0])) + ".txt");
  const auto reference = parseTextSource(readSource(referenceSource), referenceSource.string());
  for (LiteralId suffixId : languageSuffixLiterals) {
    const std::string& suffix = texts.at(static_cast<size_t>(suffixId));
    const std::filesystem::path source = folder / (suffix + ".txt");
    if (!std::filesystem::exists(source)) continue;
    const auto sections = alignToReference(reference, parseTextSource(readSource(source), source.string()),
                                           source.string());
    PackWriter pack;
    const int lastEntry = sections.empty() ? -1 : sections.rbegin()->first;
    for (int entry = 0; entry <= lastEntry; ++entry) {
      const auto found = sections.find(entry);
      try {
        pack.add(0, writeTextPack(found != sections.end() ? found->second.texts : std::vector<std::string>{}),
                 PackWriter::Compression::ifSmaller);
      } catch (const std::runtime_error& error) {
        throw std::runtime_error(source.string() + ": entry " + std::to_string(entry) + ": " + error.what());
      }
    }
    addPack(archive, literals, prefix + suffix, pack);
  }
}

// The literal's text as an archive entry name (the lookup drops one "/").
std::string entryNameOf(const LiteralTable& literals, LiteralId id) {
  const std::string& text = literals.texts.at(static_cast<size_t>(id));
  return !text.empty() && text[0] == '/' ? text.substr(1) : text;
}

// sounds.json -> the sound pack (literal 168), one entry per sound id with
// its channel as the type, and its content-type table (literal 167), which
// the sounds do not need: their players tell WAV from Ogg by the bytes.
void addSounds(ArchiveWriter& archive, const LiteralTable& literals, const std::filesystem::path& source) {
  if (!std::filesystem::exists(source)) return;
  PackWriter pack;
  for (SoundPackEntry& entry : compileSounds(readSource(source), source.string())) {
    if (entry.bytes.empty()) {
      pack.addEmpty();
    } else {
      pack.add(uint8_t(entry.type), std::move(entry.bytes));
    }
  }
  addPack(archive, literals, literals.texts.at(static_cast<size_t>(LiteralId::soundPack)), pack, maxPackPartBytes);
  addEntry(archive, entryNameOf(literals, LiteralId::soundTypeTablePack), writePackStringTable({}));
}

// maps/room<r>.map with maps/tileset<t>.txt -> the map pack of room r: the
// pack named literal 128 and the number r + n, n being literal 155 without
// its first character, as the loading step names it.
void addMaps(ArchiveWriter& archive, const LiteralTable& literals, const std::filesystem::path& folder) {
  if (!std::filesystem::is_directory(folder)) return;
  const std::string& prefix = literals.texts.at(static_cast<size_t>(LiteralId::packNamePrefix));
  const std::string& first = literals.texts.at(static_cast<size_t>(LiteralId::firstMapPack));
  const int firstNumber = first.size() > 1 ? std::stoi(first.substr(1)) : 0;
  std::vector<std::filesystem::path> sources;
  for (const auto& file : std::filesystem::directory_iterator(folder))
    if (file.path().extension() == ".map") sources.push_back(file.path());
  std::sort(sources.begin(), sources.end());
  for (const std::filesystem::path& source : sources) {
    const std::string stem = source.stem().string();
    if (stem.rfind("room", 0) != 0 || stem.size() == 4 ||
        stem.find_first_not_of("0123456789", 4) != std::string::npos)
      throw std::runtime_error(source.string() + ": a map is named room<number>.map");
    const std::string text = readSource(source);
    const std::filesystem::path legendSource =
        folder / ("tileset" + std::to_string(mapTileSet(text, source.string())) + ".txt");
    const MapLegend legend = parseMapLegend(readSource(legendSource), legendSource.string());
    PackWriter pack;
    for (std::vector<uint8_t>& entry : compileMap(text, legend, source.string())) {
      if (entry.empty())
        pack.addEmpty();
      else
        pack.add(0, std::move(entry), PackWriter::Compression::ifSmaller);
    }
    addPack(archive, literals, prefix + std::to_string(std::stoi(stem.substr(4)) + firstNumber), pack);
  }
}

}  // namespace

// The promotion screen's font, from the fonts-dejavu-core package.
constexpr const char* promotionFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

std::vector<uint8_t> compileContent(const std::filesystem::path& contentFolder) {
  const std::filesystem::path literalSource = contentFolder / "literals.txt";
  const LiteralTable literals = parseLiteralTable(readSource(literalSource), literalSource.string());
  checkNamedLiterals(literals, literalSource);
  std::vector<uint8_t> pool;
  try {
    pool = writeLiteralPool(literals.texts);
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(literalSource.string() + ": " + error.what());
  }

  const std::filesystem::path descriptorSource = contentFolder / "app.jad";
  const std::string descriptor = readSource(descriptorSource);
  checkDescriptor(descriptor, descriptorSource.string());

  ArchiveWriter archive;
  addEntry(archive, "app.jad", std::vector<uint8_t>(descriptor.begin(), descriptor.end()));
  addEntry(archive, "constants.bin", std::move(pool));
  // A pack is opened by its literal's text; the archive drops its leading "/".
  const std::string mathPack = literals.texts[size_t(LiteralId::mathTablePack)];
  for (PackFile& file : writeMathTablePack(mathPack))
    addEntry(archive, file.name.starts_with('/') ? file.name.substr(1) : file.name, std::move(file.bytes));
  addPack(archive, literals, literals.texts[size_t(LiteralId::fontPack)], writeFontPack());
  addTextPacks(archive, literals, contentFolder / "texts");
  addTablePacks(archive, literals, contentFolder / "tables");
  addSounds(archive, literals, contentFolder / "sounds.json");
  addSpritePacks(archive, literals, contentFolder / "sprites");
  addMaps(archive, literals, contentFolder / "maps");
  addLevelPack(archive, literals, contentFolder / "levels");
  // The promotion screen is optional: without its pack the menus do not offer it.
  const std::filesystem::path promotionSource = contentFolder / "promotion.json";
  if (std::filesystem::exists(promotionSource)) {
    addEntry(archive, entryNameOf(literals, LiteralId::promotionPack),
             compilePromotionPack(readSource(promotionSource), promotionSource.string(), contentFolder, promotionFont));
  }
  return archive.write();
}

}  // namespace tools
