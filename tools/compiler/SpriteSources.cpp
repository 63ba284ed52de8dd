#include "tools/compiler/SpriteSources.h"

#include <map>
#include <stdexcept>
#include <string>

#include "tools/compiler/PackSources.h"
#include "tools/compiler/PackStage.h"
#include "tools/compiler/SpriteCompiler.h"
#include "tools/writers/PackWriter.h"
#include "tools/writers/PngWriter.h"

namespace tools {

namespace {

// Fully transparent pixels share one entry; every other colour keeps its alpha.
std::vector<uint8_t> paletteImageOf(const std::filesystem::path& file) {
  const ArtImage art = rasteriseArt(file, 1);
  PaletteImage image;
  image.width = uint32_t(art.width);
  image.height = uint32_t(art.height);
  std::map<uint32_t, uint8_t> index;
  image.pixels.reserve(art.pixels.size());
  for (uint32_t argb : art.pixels) {
    if (argb >> 24 == 0) argb = 0;
    auto found = index.find(argb);
    if (found == index.end()) {
      if (image.palette.size() == 256) throw std::runtime_error(file.string() + ": more than 256 colours");
      found = index.emplace(argb, uint8_t(image.palette.size())).first;
      image.palette.push_back(argb);
    }
    image.pixels.push_back(found->second);
  }
  return writePalettePng(image);
}

}  // namespace

void addSpritePacks(ArchiveWriter& archive, const LiteralTable& literals, const std::filesystem::path& folder) {
  using nlohmann::json;
  forEachPackSource(folder, ".pack.json", literals, [&](const json& description, const std::string& packName) {
    const json& sprites = description.value("sprites", json());
    if (!sprites.is_array()) throw std::runtime_error("\"sprites\" must be a list of sprite descriptions");
    const auto compression = description.value("compress", false) ? PackWriter::Compression::ifSmaller
                                                                  : PackWriter::Compression::none;
    PackWriter writer;
    for (const json& entry : sprites) {
      if (entry.is_string()) {
        writer.add(0, compileSprite(folder / entry.get<std::string>()), compression);
      } else if (entry.is_object() && entry.contains("sprite") && entry["sprite"].is_string()) {
        // One entry may leave the pack's compression: packs then mix both.
        const auto own = entry.contains("compress") ? (entry.value("compress", false)
                                                           ? PackWriter::Compression::ifSmaller
                                                           : PackWriter::Compression::none)
                                                    : compression;
        writer.add(0, compileSprite(folder / entry["sprite"].get<std::string>()), own);
      } else if (entry.is_object() && entry.contains("image") && entry["image"].is_string()) {
        writer.add(0, paletteImageOf(folder / entry["image"].get<std::string>()), compression);
      } else if (entry.is_object() && entry.value("empty", false)) {
        writer.addEmpty();
      } else {
        throw std::runtime_error(
            "an entry is a description's path, {\"sprite\": path, \"compress\": bool}, {\"image\": path} or "
            "{\"empty\": true}");
      }
    }
    // "partBytes" splits the pack into parts of at most that many bytes.
    const json& partBytes = description.value("partBytes", json());
    if (!partBytes.is_null() && (!partBytes.is_number_unsigned() || partBytes.get<uint64_t>() < 1024 ||
                                 partBytes.get<uint64_t>() > maxPackPartBytes))
      throw std::runtime_error("\"partBytes\" must be 1024.." + std::to_string(maxPackPartBytes));
    addPack(archive, literals, packName, writer, partBytes.is_null() ? maxPackPartBytes : partBytes.get<size_t>());
  });
}

}  // namespace tools
