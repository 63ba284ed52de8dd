#include "tools/compiler/PromotionStage.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "tools/compiler/FontFace.h"
#include "tools/writers/PngWriter.h"
#include "tools/writers/PromotionPackWriter.h"

namespace tools {

namespace {

using Json = nlohmann::json;

constexpr int fontCellHeight = 13;  // the game spaces glyphs by 0 at this height
constexpr int fontPixelSize = 12;

uint32_t colourOf(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') throw std::runtime_error("colour \"" + text + "\" is not #RRGGBB");
  return 0xFF000000u | static_cast<uint32_t>(std::stoul(text.substr(1), nullptr, 16));
}

uint32_t darker(uint32_t colour) {
  uint32_t out = 0xFF000000u;
  for (int shift : {16, 8, 0}) out |= ((colour >> shift & 255) * 2 / 3) << shift;
  return out;
}

// A filled box with a 2-pixel frame of a darker shade.
std::vector<uint8_t> box(uint32_t width, uint32_t height, uint32_t colour) {
  PaletteImage image{width, height, {colour, darker(colour)}, {}};
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      image.pixels.push_back(x < 2 || y < 2 || x + 2 >= width || y + 2 >= height ? 1 : 0);
    }
  }
  return writePalettePng(image);
}

// A page arrow: a triangle pointing left or right on a transparent ground.
std::vector<uint8_t> arrow(uint32_t width, uint32_t height, uint32_t colour, bool pointsRight) {
  PaletteImage image{width, height, {0x00FFFFFFu, colour}, {}};
  for (uint32_t y = 0; y < height; ++y) {
    const uint32_t fromMiddle = y < height / 2 ? height / 2 - y : y - height / 2;
    const uint32_t reach = width - width * fromMiddle * 2 / height;
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t along = pointsRight ? width - 1 - x : x;
      image.pixels.push_back(along + reach >= width ? 1 : 0);
    }
  }
  return writePalettePng(image);
}

std::vector<uint8_t> fontEntry(const std::string& fontPath) {
  const FontFace font(fontPath, fontPixelSize);
  const FT_Face face = font.get();
  const int baseline = static_cast<int>(face->size->metrics.ascender >> 6);
  std::vector<PromotionGlyph> glyphs;
  std::vector<std::vector<uint8_t>> cells;
  uint32_t stripWidth = 0;
  for (uint16_t code = 32; code <= 122; ++code) {
    if (FT_Load_Char(face, code, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot slot = face->glyph;
    const uint32_t width = std::max<uint32_t>(1, static_cast<uint32_t>(slot->advance.x >> 6));
    std::vector<uint8_t> cell(width * fontCellHeight, 0);
    for (unsigned row = 0; row < slot->bitmap.rows; ++row) {
      for (unsigned column = 0; column < slot->bitmap.width; ++column) {
        const int x = slot->bitmap_left + static_cast<int>(column);
        const int y = baseline - slot->bitmap_top + static_cast<int>(row);
        if (x < 0 || y < 0 || x >= static_cast<int>(width) || y >= fontCellHeight) continue;
        if (slot->bitmap.buffer[row * slot->bitmap.pitch + column] >= 128) cell[y * width + x] = 1;
      }
    }
    glyphs.push_back({code, static_cast<uint16_t>(stripWidth), 0, static_cast<uint8_t>(width), fontCellHeight});
    cells.push_back(std::move(cell));
    stripWidth += width;
  }
  PaletteImage strip{stripWidth, fontCellHeight, {0x00FFFFFFu, 0xFF202020u}, {}};
  strip.pixels.assign(size_t(stripWidth) * fontCellHeight, 0);
  for (size_t g = 0; g < glyphs.size(); ++g) {
    const uint32_t width = glyphs[g].width;
    for (uint32_t y = 0; y < fontCellHeight; ++y) {
      for (uint32_t x = 0; x < width; ++x) strip.pixels[y * stripWidth + glyphs[g].x + x] = cells[g][y * width + x];
    }
  }
  return writePromotionFontEntry(writePalettePng(strip), glyphs, true);
}

std::vector<std::string> stringsOf(const Json& array) {
  std::vector<std::string> out;
  for (const Json& item : array) out.push_back(item.get<std::string>());
  return out;
}

std::vector<uint8_t> compile(const Json& description, const std::string& fontPath) {
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

  const Json& colours = description.at("colours");
  const uint32_t arrowColour = colourOf(colours.at("arrow"));
  const uint32_t pressedColour = colourOf(colours.at("pressed"));
  std::vector<uint8_t> fixed;
  const uint32_t header = colourOf(colours.at("header"));
  const std::vector<uint8_t> fixedImages[14] = {
      box(8, 8, header),
      box(8, 8, header),
      box(8, 8, header),
      box(8, 8, header),
      arrow(24, 48, pressedColour, false),
      arrow(24, 48, arrowColour, false),
      arrow(24, 48, pressedColour, true),
      arrow(24, 48, arrowColour, true),
      arrow(20, 20, 0xFFFFFFFFu, false),  // the back icon
      box(32, 32, header),
      box(320, 40, header),
      box(40, 40, colourOf(colours.at("lastRow"))),
      box(64, 40, arrowColour),
      box(64, 40, pressedColour),
  };
  for (const auto& image : fixedImages) appendPromotionChunk(fixed, image);

  std::vector<uint8_t> pages;
  for (const Json& colour : colours.at("pages")) appendPromotionChunk(pages, box(240, 160, colourOf(colour)));
  if (colours.at("pages").size() != metadata.pageNames.size()) throw std::runtime_error("one page colour per page");
  std::vector<uint8_t> mainLink;
  appendPromotionChunk(mainLink, box(200, 120, colourOf(colours.at("mainLink"))));
  for (size_t v = 0; v < metadata.parameterValues.size(); ++v) appendPromotionChunk(mainLink, box(32, 20, header));
  std::vector<uint8_t> rows[2];
  for (size_t list = 0; list < 2; ++list) {
    const size_t count = metadata.rowNames[list].size();
    for (size_t j = 0; j + 1 < count; ++j) appendPromotionChunk(rows[list], box(40, 40, colourOf(colours.at("row"))));
  }
  std::vector<uint8_t> banner;
  appendPromotionChunk(banner, box(300, 100, colourOf(colours.at("banner"))));

  return writePromotionPack({writePromotionMetadata(metadata), writePromotionTextEntry(blocks), fontEntry(fontPath),
                             fixed, pages, mainLink, rows[0], rows[1], banner});
}

}  // namespace

std::vector<uint8_t> compilePromotionPack(const std::string& source, const std::string& sourceName,
                                          const std::string& fontPath) {
  try {
    return compile(Json::parse(source), fontPath);
  } catch (const std::exception& error) {
    throw std::runtime_error(sourceName + ": " + error.what());
  }
}

}  // namespace tools
