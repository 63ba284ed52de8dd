#include "tools/compiler/SpriteSources.h"

#include <stdexcept>
#include <string>

#include "tools/compiler/PackSources.h"
#include "tools/compiler/PackStage.h"
#include "tools/compiler/SpriteCompiler.h"
#include "tools/writers/PackWriter.h"

namespace tools {

void addSpritePacks(ArchiveWriter& archive, const LiteralTable& literals, const std::filesystem::path& folder) {
  using nlohmann::json;
  forEachPackSource(folder, ".pack.json", literals, [&](const json& description, const std::string& packName) {
    const json& sprites = description.value("sprites", json());
    if (!sprites.is_array()) throw std::runtime_error("\"sprites\" must be a list of sprite descriptions");
    const bool compress = description.value("compress", false);
    PackWriter writer;
    for (const json& sprite : sprites) {
      writer.add(0, compileSprite(folder / sprite.get<std::string>()),
                 compress ? PackWriter::Compression::ifSmaller : PackWriter::Compression::none);
    }
    addPack(archive, literals, packName, writer);
  });
}

}  // namespace tools
