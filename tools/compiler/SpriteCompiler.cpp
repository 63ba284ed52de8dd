#include "tools/compiler/SpriteCompiler.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

namespace tools {

namespace {

using nlohmann::json;

constexpr uint32_t transparentKey = 0x00FF00FF;
constexpr uint32_t imageDataFlag = 0x1000000;
constexpr uint32_t imageSizesU32 = 0x80;
constexpr uint32_t computeFrameRectsFlag = 0x1000;

struct Fault : std::runtime_error {
  using std::runtime_error::runtime_error;
};

const std::map<std::string, uint32_t> flagNames = {
    {"modulePositionsBytes", 0x2},  {"hasImages", 0x8},          {"moduleSizesShort", 0x10},
    {"modulePositionsShort", 0x20}, {"imageSizes32", 0x80},      {"offsetsShort", 0x400},
    {"computeFrameRects", 0x1000},  {"framePalettes", 0x4000},   {"collisionRects", 0x8000},
    {"aframeOffsetsShort", 0x40000}};
const std::map<std::string, int> encodingNames = {
    {"packed1", spriteformat::packed1}, {"packed2", spriteformat::packed2},
    {"packed4", spriteformat::packed4}, {"bytes", spriteformat::bytes},
    {"singleOrRun", spriteformat::singleOrRun}, {"runs", spriteformat::runOrLiterals},
    {"packedRuns", spriteformat::packedRuns}, {"alphaRuns", spriteformat::runsWithAlpha}};
const std::map<std::string, int> paletteFormatNames = {{"8888", spriteformat::argb8888},
                                                      {"4444", spriteformat::argb4444},
                                                      {"5515", spriteformat::argb1555},
                                                      {"6505", spriteformat::rgb565}};
const std::map<std::string, int> shapeNames = {{"rectangle", 1}, {"filledRectangle", 2}, {"arc", 3},
                                               {"filledArc", 4}, {"emptyBox", 5},        {"triangle", 6},
                                               {"filledTriangle", 7}};
const std::map<std::string, int> transformNames = {{"flipX", 1}, {"flipY", 2}, {"rotate90", 4}, {"painterBit", 8}};

template <class Value>
Value named(const std::map<std::string, Value>& names, const std::string& name, const char* what) {
  const auto found = names.find(name);
  if (found == names.end()) throw Fault(std::string("unknown ") + what + " \"" + name + "\"");
  return found->second;
}

// "#rrggbb" (opaque) or "#aarrggbb".
uint32_t colourOf(const json& value) {
  const std::string text = value.get<std::string>();
  if (text.size() != 7 && text.size() != 9) throw Fault("colour \"" + text + "\" is not #rrggbb or #aarrggbb");
  const uint32_t number = static_cast<uint32_t>(std::stoul(text.substr(1), nullptr, 16));
  return text.size() == 7 ? 0xFF000000u | number : number;
}

int transformOf(const json& item) {
  int flags = 0;
  for (const auto& name : item.value("flags", json::array())) flags |= named(transformNames, name.get<std::string>(), "transform");
  return flags;
}

std::array<int, 4> quad(const json& value, const char* what) {
  if (!value.is_array() || value.size() != 4) throw Fault(std::string(what) + " needs four numbers");
  return {value[0].get<int>(), value[1].get<int>(), value[2].get<int>(), value[3].get<int>()};
}

// The art's colours as palette 0: the key first, then each colour in the
// order the rows meet it. With an alpha channel in the encoding the palette
// holds opaque colours and the alpha goes with each pixel; otherwise a pixel
// is opaque from alpha 128 up.
class Palette {
 public:
  explicit Palette(bool perPixelAlpha) : m_perPixelAlpha(perPixelAlpha) { m_colours.push_back(transparentKey); }

  uint8_t indexOf(uint32_t argb) {
    const uint32_t alpha = argb >> 24;
    if (alpha == 0 || (!m_perPixelAlpha && alpha < 0x80)) return 0;
    const uint32_t colour = 0xFF000000u | (argb & 0xFFFFFF);
    const auto found = m_index.find(colour);
    if (found != m_index.end()) return found->second;
    if (m_colours.size() == 256)
      throw Fault("the art has more than 255 colours; draw it with fewer (shape-rendering=\"crispEdges\")");
    m_index[colour] = static_cast<uint8_t>(m_colours.size());
    m_colours.push_back(colour);
    return static_cast<uint8_t>(m_colours.size() - 1);
  }
  const std::vector<uint32_t>& colours() const { return m_colours; }

 private:
  bool m_perPixelAlpha;
  std::vector<uint32_t> m_colours;
  std::map<uint32_t, uint8_t> m_index;
};

// Pieces of a picture as the modules the frames place.
struct Piece {
  int module;
  int dx, dy;
};

class SpriteBuilder {
 public:
  SpriteBuilder(const json& source, const std::filesystem::path& folder) : m_source(source), m_folder(folder) {}

  SpriteDescription build() {
    for (const auto& name : m_source.value("flags", json::array()))
      m_sprite.flags |= named(flagNames, name.get<std::string>(), "flag");
    m_sprite.encoding = named(encodingNames, m_source.value("encoding", std::string("runs")), "encoding");
    m_sprite.paletteFormat = named(paletteFormatNames, m_source.value("paletteFormat", std::string("8888")),
                                   "palette format");
    m_palette = Palette(m_sprite.encoding == spriteformat::runsWithAlpha);
    for (const auto& module : m_source.value("modules", json::array())) addModule(module);
    for (const auto& frame : m_source.value("frames", json::array())) nameFrame(frame);
    for (const auto& frame : m_source.value("frames", json::array())) addFrame(frame);
    for (const auto& anim : m_source.value("animations", json::array())) addAnimation(anim);
    measureFrames();
    addPalettes();
    return m_sprite;
  }

 private:
  const ArtImage& art() {
    if (m_art.width == 0) {
      if (!m_source.contains("art")) throw Fault("modules cut from art need \"art\"");
      m_art = rasteriseArt(m_folder / m_source["art"].get<std::string>(), m_source.value("scale", 1.0));
    }
    return m_art;
  }

  void addModule(const json& module) {
    const std::string name = module.at("name").get<std::string>();
    if (m_pieces.count(name) != 0) throw Fault("module \"" + name + "\" is named twice");
    if (module.contains("shape")) {
      SpriteModule shape;
      shape.kind = named(shapeNames, module["shape"].get<std::string>(), "shape");
      if (shape.kind != 5) shape.colour = colourOf(module.at("colour"));
      if (module.contains("size")) {
        shape.width = module["size"].at(0).get<int>();
        shape.height = module["size"].at(1).get<int>();
      }
      for (const auto& value : module.value("parameters", json::array())) shape.parameters.push_back(value.get<int>());
      m_pieces[name] = {{static_cast<int>(m_sprite.modules.size()), 0, 0}};
      m_sprite.modules.push_back(shape);
      return;
    }
    const auto [x, y, w, h] = quad(module.at("rect"), "module rect");
    const ArtImage& image = art();
    if (x < 0 || y < 0 || w < 1 || h < 1 || x + w > image.width || y + h > image.height)
      throw Fault("module \"" + name + "\" lies outside the art");
    // Pieces no larger than the pixel buffer: whole rows up to 160 wide.
    const int pieceWidth = std::min(w, 160);
    const int pieceHeight = std::min(h, spriteformat::maxModulePixels / pieceWidth);
    for (int top = 0; top < h; top += pieceHeight) {
      for (int left = 0; left < w; left += pieceWidth) {
        SpriteModule piece;
        piece.x = x + left;
        piece.y = y + top;
        piece.width = std::min(pieceWidth, w - left);
        piece.height = std::min(pieceHeight, h - top);
        for (int row = 0; row < piece.height; ++row) {
          for (int column = 0; column < piece.width; ++column) {
            const uint32_t argb = image.pixels[static_cast<size_t>((piece.y + row) * image.width + piece.x + column)];
            piece.indices.push_back(m_palette.indexOf(argb));
            piece.alpha.push_back(static_cast<uint8_t>(argb >> 24));
          }
        }
        if (m_sprite.encoding != spriteformat::runsWithAlpha) piece.alpha.clear();
        m_pieces[name].push_back({static_cast<int>(m_sprite.modules.size()), left, top});
        m_sprite.modules.push_back(std::move(piece));
      }
    }
    m_hasImages = true;
  }

  void nameFrame(const json& frame) {
    const std::string name = frame.at("name").get<std::string>();
    if (!m_frames.emplace(name, static_cast<int>(m_frames.size())).second)
      throw Fault("frame \"" + name + "\" is named twice");
  }

  int frameNamed(const std::string& name) const {
    const auto found = m_frames.find(name);
    if (found == m_frames.end()) throw Fault("no frame \"" + name + "\"");
    return found->second;
  }

  void addFrame(const json& source) {
    SpriteFrame frame;
    for (const auto& item : source.value("modules", json::array())) {
      const int flags = transformOf(item);
      const int x = item.contains("at") ? item["at"].at(0).get<int>() : 0;
      const int y = item.contains("at") ? item["at"].at(1).get<int>() : 0;
      const int palette = item.value("palette", 0);
      if (item.contains("frame")) {
        frame.modules.push_back({frameNamed(item["frame"].get<std::string>()), x, y, palette, flags | 0x10});
        continue;
      }
      const std::string name = item.at("module").get<std::string>();
      const auto found = m_pieces.find(name);
      if (found == m_pieces.end()) throw Fault("no module \"" + name + "\"");
      if (found->second.size() > 1 && (flags & 7) != 0)
        throw Fault("module \"" + name + "\" is split in pieces and cannot be flipped as one");
      for (const Piece& piece : found->second) frame.modules.push_back({piece.module, x + piece.dx, y + piece.dy, palette, flags});
    }
    for (const auto& rect : source.value("collision", json::array())) frame.collisionRects.push_back(quad(rect, "collision rect"));
    m_givenRects.push_back(source.contains("rect"));
    if (source.contains("rect")) frame.rect = quad(source["rect"], "frame rect");
    m_sprite.frames.push_back(std::move(frame));
  }

  void addAnimation(const json& source) {
    SpriteAnim anim;
    for (const auto& item : source.value("frames", json::array())) {
      SpriteAFrame aframe;
      aframe.frame = frameNamed(item.at("frame").get<std::string>());
      aframe.time = item.value("time", 1);
      if (item.contains("at")) {
        aframe.x = item["at"].at(0).get<int>();
        aframe.y = item["at"].at(1).get<int>();
      }
      aframe.flags = transformOf(item);
      anim.aframes.push_back(aframe);
    }
    m_sprite.anims.push_back(std::move(anim));
  }

  void measureFrames() {
    if ((m_sprite.flags & computeFrameRectsFlag) != 0) return;
    for (size_t f = 0; f < m_sprite.frames.size(); ++f)
      if (!m_givenRects[f]) m_sprite.frames[f].rect = computeFrameRect(m_sprite, static_cast<int>(f));
  }

  void addPalettes() {
    if (!m_hasImages) return;
    m_sprite.flags |= imageDataFlag;
    const std::vector<uint32_t>& base = m_palette.colours();
    m_sprite.palettes = {base};
    for (const auto& recolour : m_source.value("recolours", json::array())) {
      std::vector<uint32_t> palette = base;
      for (const auto& [from, to] : recolour.items()) {
        const uint32_t match = colourOf(json(from)) & 0xFFFFFF;
        const auto found = std::find_if(palette.begin() + 1, palette.end(),
                                        [&](uint32_t c) { return (c & 0xFFFFFF) == match; });
        if (found == palette.end()) throw Fault("recolour: the art has no colour " + from);
        *found = colourOf(to);
      }
      m_sprite.palettes.push_back(std::move(palette));
    }
    // 16-bit sizes hold modules up to 32767 encoded bytes.
    for (const SpriteModule& module : m_sprite.modules) {
      if (module.kind != 0) continue;
      const size_t size = encodeModulePixels(m_sprite.encoding, module.indices, module.alpha,
                                             static_cast<int>(base.size())).size();
      if (size > 0x7FFF) m_sprite.flags |= imageSizesU32;
    }
  }

  const json& m_source;
  std::filesystem::path m_folder;
  SpriteDescription m_sprite;
  ArtImage m_art;
  Palette m_palette{false};
  bool m_hasImages = false;
  std::map<std::string, std::vector<Piece>> m_pieces;
  std::map<std::string, int> m_frames;
  std::vector<bool> m_givenRects;
};

}  // namespace

SpriteDescription compileSpriteDescription(const std::string& text, const std::filesystem::path& folder,
                                           const std::string& sourceName) {
  try {
    const json source = json::parse(text);
    return SpriteBuilder(source, folder).build();
  } catch (const std::exception& error) {
    throw std::runtime_error(sourceName + ": " + error.what());
  }
}

std::vector<uint8_t> compileSprite(const std::filesystem::path& descriptionFile) {
  std::ifstream in(descriptionFile, std::ios::binary);
  if (!in) throw std::runtime_error(descriptionFile.string() + ": cannot be read");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const SpriteDescription sprite =
      compileSpriteDescription(text, descriptionFile.parent_path(), descriptionFile.string());
  try {
    return writeSprite(sprite);
  } catch (const std::exception& error) {
    throw std::runtime_error(descriptionFile.string() + ": " + error.what());
  }
}

}  // namespace tools
