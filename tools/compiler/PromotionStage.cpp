#include "tools/compiler/PromotionStage.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "tools/compiler/FontFace.h"
#include "tools/compiler/SpriteCompiler.h"
#include "tools/writers/PngWriter.h"
#include "tools/writers/PromotionPackWriter.h"

namespace tools {

namespace {

using Json = nlohmann::json;

uint32_t colourOf(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') throw std::runtime_error("colour \"" + text + "\" is not #RRGGBB");
  return 0xFF000000u | static_cast<uint32_t>(std::stoul(text.substr(1), nullptr, 16));
}

// The game reads each picture as one chunk with a 16-bit length.
constexpr size_t chunkLimit = 65535;

// A picture's art as a palette PNG: every colour kept exactly (the art is
// drawn with crisp edges), half-transparent pixels dropped to the key.
std::vector<uint8_t> pictureOf(const std::filesystem::path& file) {
  const ArtImage art = rasteriseArt(file, 1.0);
  PaletteImage image{static_cast<uint32_t>(art.width), static_cast<uint32_t>(art.height), {0x00FFFFFFu}, {}};
  std::map<uint32_t, uint8_t> indices;
  image.pixels.reserve(art.pixels.size());
  for (const uint32_t argb : art.pixels) {
    if ((argb >> 24) < 128) {
      image.pixels.push_back(0);
      continue;
    }
    const uint32_t opaque = argb | 0xFF000000u;
    auto found = indices.find(opaque);
    if (found == indices.end()) {
      if (image.palette.size() == 256) throw std::runtime_error(file.string() + ": more than 255 colours");
      found = indices.emplace(opaque, static_cast<uint8_t>(image.palette.size())).first;
      image.palette.push_back(opaque);
    }
    image.pixels.push_back(found->second);
  }
  std::vector<uint8_t> png = writePalettePng(image);
  if (png.size() > chunkLimit) {
    throw std::runtime_error(file.string() + ": " + std::to_string(png.size()) + " bytes as PNG, past " +
                             std::to_string(chunkLimit));
  }
  return png;
}

// The screen's bitmap font: bold glyphs with an outline, so that its three
// colours (as stored, and palette entry 1 recoloured by the game) read on
// the white page, on the link button and over the pictures. Palette: 0 the
// key, 1 the letter, 2 the outline.
struct FontStyle {
  int pixelSize;
  uint32_t colour;
  uint32_t outline;
};

std::vector<uint8_t> fontEntry(const std::string& fontPath, const FontStyle& style) {
  constexpr int ring = 2;  // outline width
  const FontFace font(fontPath, style.pixelSize);
  const FT_Face face = font.get();
  const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
  const int descent = static_cast<int>(-(face->size->metrics.descender >> 6));
  const int cellHeight = ascent + descent + 2 * ring;
  // The game spaces glyphs by 0 only at a height of 13; ours are taller.
  if (cellHeight == 13) throw std::runtime_error("font: a cell 13 pixels high would change the glyph spacing");
  std::vector<PromotionGlyph> glyphs;
  std::vector<std::vector<uint8_t>> cells;
  uint32_t stripWidth = 0;
  for (uint16_t code = 32; code <= 122; ++code) {
    if (FT_Load_Char(face, code, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot slot = face->glyph;
    const int advance = static_cast<int>(slot->advance.x >> 6);
    // The game moves the pen by half a space's width, and one pixel back
    // after every glyph, so that neighbouring outlines merge.
    const int inkedWidth = std::max(advance, slot->bitmap_left + int(slot->bitmap.width));
    const int width = code == ' ' ? 2 * advance + 1 : inkedWidth + 2 * ring - 1;
    std::vector<uint8_t> cell(size_t(width) * size_t(cellHeight), 0);
    auto inked = [&](int x, int y) {
      const int column = x - ring - slot->bitmap_left, row = y - ring - (ascent - slot->bitmap_top);
      if (column < 0 || row < 0 || column >= int(slot->bitmap.width) || row >= int(slot->bitmap.rows)) return false;
      return slot->bitmap.buffer[row * slot->bitmap.pitch + column] >= 112;
    };
    for (int y = 0; y < cellHeight; ++y) {
      for (int x = 0; x < width; ++x) {
        if (inked(x, y)) {
          cell[size_t(y) * size_t(width) + size_t(x)] = 1;
          continue;
        }
        bool near = false;
        for (int dy = -ring; dy <= ring && !near; ++dy)
          for (int dx = -ring; dx <= ring && !near; ++dx)
            near = dx * dx + dy * dy <= ring * ring + 1 && inked(x + dx, y + dy);
        if (near) cell[size_t(y) * size_t(width) + size_t(x)] = 2;
      }
    }
    glyphs.push_back({code, static_cast<uint16_t>(stripWidth), 0, static_cast<uint8_t>(width),
                      static_cast<uint8_t>(cellHeight)});
    cells.push_back(std::move(cell));
    stripWidth += static_cast<uint32_t>(width);
  }
  PaletteImage strip{stripWidth, static_cast<uint32_t>(cellHeight), {0x00FFFFFFu, style.colour, style.outline}, {}};
  strip.pixels.assign(size_t(stripWidth) * size_t(cellHeight), 0);
  for (size_t g = 0; g < glyphs.size(); ++g) {
    const uint32_t width = glyphs[g].width;
    for (uint32_t y = 0; y < uint32_t(cellHeight); ++y) {
      for (uint32_t x = 0; x < width; ++x) strip.pixels[y * stripWidth + glyphs[g].x + x] = cells[g][y * width + x];
    }
  }
  std::vector<uint8_t> png = writePalettePng(strip);
  if (png.size() > chunkLimit) {
    throw std::runtime_error("font: the glyph strip is past " + std::to_string(chunkLimit) + " bytes");
  }
  return writePromotionFontEntry(png, glyphs, true);
}

std::vector<std::string> stringsOf(const Json& array) {
  std::vector<std::string> out;
  for (const Json& item : array) out.push_back(item.get<std::string>());
  return out;
}

// The pictures a list of the art names, which must be count of them.
std::vector<std::string> namesIn(const Json& list, const std::string& what, size_t count) {
  std::vector<std::string> names = stringsOf(list);
  if (names.size() != count) {
    throw std::runtime_error("art \"" + what + "\" names " + std::to_string(names.size()) + " pictures, not " +
                             std::to_string(count));
  }
  return names;
}

std::vector<uint8_t> compile(const Json& description, const std::filesystem::path& folder,
                             const std::string& fontPath) {
  PromotionMetadata metadata;
  metadata.parameterValues = stringsOf(description.at("parameterValues"));
  metadata.pageNames = stringsOf(description.at("pageNames"));
  const Json& lists = description.at("rowNames");
  for (size_t list = 0; list < 3 && list < lists.size(); ++list) metadata.rowNames[list] = stringsOf(lists[list]);
  metadata.version = "2W";  // wide glyph records: the font strip is wider than 255 pixels

  std::vector<std::vector<uint8_t>> blocks;
  const Json& texts = description.at("texts");
  for (const std::string& value : metadata.parameterValues) {
    std::vector<std::string> table;
    for (const auto& [id, text] : texts.at(value).items()) {
      const size_t index = std::stoul(id);
      if (index > 1000) throw std::runtime_error("text id " + id + " past 1000");
      if (table.size() <= index) table.resize(index + 1);
      table[index] = text.get<std::string>();
    }
    blocks.push_back(writePromotionTextBlock(table));
  }

  const Json& fontStyle = description.at("font");
  const FontStyle style{fontStyle.at("size").get<int>(), colourOf(fontStyle.at("colour")),
                        colourOf(fontStyle.at("outline"))};
  if (style.pixelSize < 8 || style.pixelSize > 40) throw std::runtime_error("font size past 8..40");

  const Json& art = description.at("art");
  const std::filesystem::path artFolder = folder / art.at("folder").get<std::string>();
  auto appendPictures = [&](std::vector<uint8_t>& entry, const std::vector<std::string>& names) {
    for (const std::string& name : names) appendPromotionChunk(entry, pictureOf(artFolder / name));
  };
  std::vector<uint8_t> fixed;
  appendPictures(fixed, namesIn(art.at("fixed"), "fixed", 14));
  std::vector<uint8_t> pages;
  appendPictures(pages, namesIn(art.at("pages"), "pages", metadata.pageNames.size()));
  std::vector<uint8_t> mainLink;
  appendPictures(mainLink, {art.at("mainLink").get<std::string>()});
  appendPictures(mainLink, namesIn(art.at("parameters"), "parameters", metadata.parameterValues.size()));
  std::vector<uint8_t> rows[2];
  const Json& rowArt = art.at("rows");
  if (rowArt.size() != 2) throw std::runtime_error("art \"rows\" holds two lists");
  for (size_t list = 0; list < 2; ++list) {
    // The last row of a list shows a fixed picture.
    const size_t count = metadata.rowNames[list].size();
    appendPictures(rows[list], namesIn(rowArt.at(list), "rows " + std::to_string(list), count > 0 ? count - 1 : 0));
  }
  std::vector<uint8_t> banner;
  appendPictures(banner, {art.at("banner").get<std::string>()});

  return writePromotionPack({writePromotionMetadata(metadata), writePromotionTextEntry(blocks),
                             fontEntry(fontPath, style), fixed, pages, mainLink, rows[0], rows[1], banner});
}

}  // namespace

std::vector<uint8_t> compilePromotionPack(const std::string& source, const std::string& sourceName,
                                          const std::filesystem::path& folder, const std::string& fontPath) {
  try {
    return compile(Json::parse(source), folder, fontPath);
  } catch (const std::exception& error) {
    throw std::runtime_error(sourceName + ": " + error.what());
  }
}

}  // namespace tools
