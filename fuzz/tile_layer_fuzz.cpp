// Tile layers and the collision table over arbitrary map entries: a header,
// tile and attribute planes of any size, any layer mode and scroll. Painting
// (direct and pre-rendered) with a tile sprite of frames or of modules only,
// and the collision tests, stay inside the planes.
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/fuzz_leak_checking.h"
#include "fuzz/toolkit_fuzz_support.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/ToolkitClassInitialisers.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameToolkit.h"
#include "platform/java_lang/LangClassInitialisers.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/Application.h"
#include "runtime/object/ObjectFactory.h"
#include "tools/writers/SpriteWriter.h"

QUENDRILL_FUZZ_WITHOUT_LEAK_CHECKING

namespace {

Application* startRuntime() { return toolkitfuzz::startRuntimeWithLanguageClasses(); }

ByteArray* bytesOf(const uint8_t* data, size_t size) {
  ByteArray* bytes = newByteArray(static_cast<int32_t>(size));
  if (bytes != nullptr && size > 0) std::memcpy(bytes->m_elements, data, size);
  return bytes;
}

int32_t s16(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }

// Eight 32 x 32 tiles, none symmetric so that flips paint differently; with
// frames, 40 of them (one past the byte tiles a map uses most), some
// flipped, some of two modules.
std::vector<uint8_t> tileSpriteBlock(bool withFrames) {
  tools::SpriteDescription description;
  description.flags = 0x1000000;
  for (int m = 0; m < 8; ++m) {
    tools::SpriteModule module;
    module.width = module.height = 32;
    for (int i = 0; i < 32 * 32; ++i) module.indices.push_back(uint8_t(((i % 32) / 4 + (i / 32) / 8 * 3 + m * 5) % 16));
    description.modules.push_back(module);
  }
  std::vector<uint32_t> palette;
  for (uint32_t c = 0; c < 16; ++c) palette.push_back(c == 0 ? 0x00FF00FFu : 0xFF000000u | (c * 0x0F1020u + 0x203040u));
  description.palettes = {palette};
  if (withFrames) {
    description.frames.resize(40);
    for (int f = 0; f < 40; ++f) {
      auto& frame = description.frames[size_t(f)];
      frame.modules = {{f % 8, 0, 0, 0, f / 8 % 4}};
      if (f % 5 == 4) frame.modules.push_back({(f + 3) % 8, 16, 8, 0, 0});
      frame.rect = tools::computeFrameRect(description, f);
    }
  }
  return tools::writeSprite(description);
}

ASprite* loadTileSprite(bool withFrames) {
  static const std::vector<uint8_t> blocks[] = {tileSpriteBlock(false), tileSpriteBlock(true)};
  const std::vector<uint8_t>& block = blocks[withFrames ? 1 : 0];
  ASprite* sprite = newObject<ASprite>();
  ByteArray* bytes = bytesOf(block.data(), block.size());
  toolkitfuzz::require(sprite != nullptr && bytes != nullptr && sprite->load(bytes, 0, 0xFFFFFF, 1));
  return sprite;
}

}  // namespace

// Layout: mode byte (bits 0-1 xMode, 2-3 yWrapMode, 4 pre-rendered, 5 y
// flipped, 6 the line test's mode, 7 a tile sprite of modules only), scroll x
// and y (int16), header length byte, attribute length (uint16), then the
// header, the attributes and the tiles (the rest).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Application* application = startRuntime();
  if (size < 8 || size > (16u << 10)) return 0;
  const int32_t mode = data[0];
  const int32_t scrollX = s16(data + 1) * 4;
  const int32_t scrollY = s16(data + 3) * 4;
  size_t headerLength = data[5];
  size_t attributeLength = size_t(data[6] | (data[7] << 8));
  data += 8;
  size -= 8;
  if (headerLength > size) headerLength = size;
  ByteArray* header = bytesOf(data, headerLength);
  data += headerLength;
  size -= headerLength;
  if (attributeLength > size) attributeLength = size;
  ByteArray* attributes = attributeLength > 0 ? bytesOf(data, attributeLength) : nullptr;
  ByteArray* tiles = bytesOf(data + attributeLength, size - attributeLength);

  CVLibPlayer::initLayerTables(800, 480, 32, 32);
  ASprite* tileSprite = loadTileSprite((mode & 128) == 0);
  CVLibPlayer::buildLayer(0, header, tiles, attributes, tileSprite, (mode & 16) != 0 ? 0 : -1,
                          (mode & 32) != 0 ? 32 : 16, mode & 3, (mode >> 2) & 3);
  CVLibPlayer::setLayerScroll(0, scrollX, scrollY);
  static javax_microedition_lcdui_Image* screen = javax_microedition_lcdui_Image::createImage(800, 480);
  toolkitStatics().cGameDraw.graphics = screen->getGraphics();
  CVLibPlayer::paintLayers(screen->getGraphics(), 0, 0, -1);
  CVLibPlayer::paintLayers(screen->getGraphics(), 0, 0, 0);

  const int32_t columns = CVLibPlayer::getLayerColumns(0);
  const int32_t rows = CVLibPlayer::getLayerRows(0);
  cGameToolkit::createCollisionMap(columns > 0 && columns < 256 ? columns : 8, rows > 0 && rows < 256 ? rows : 8);
  cGameToolkit::buildCollisionFromLayer(0);
  cGameToolkit::isBlockedAt(scrollX, scrollY, 0xFF);
  cGameToolkit::lineBlocked(scrollX, scrollY, scrollY, scrollX, nullptr, true, 1, mode & 64, mode & 3, 2, nullptr);
  cGameToolkit::clearDynamicBlocking();
  application->m_pending = nullptr;
  return 0;
}
