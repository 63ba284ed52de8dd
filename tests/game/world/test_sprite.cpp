#include "tests/game/world/test_sprite.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "game/GameStatics.h"
#include "game/toolkit/ASprite.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/object/ObjectFactory.h"

namespace worldkit {

namespace {

constexpr int spriteTableSize = 52;

}  // namespace

TestFrameBox distinctFrameBox(int frame) {
  const int width = 8 + 2 * frame;
  const int height = 16 + 2 * frame;
  return {-width / 2, -height, width, height};
}

TestStepOffset distinctStepOffset(int anim, int step) { return {step + 1, -(anim + 1)}; }

uint32_t testPaletteColour(int palette) {
  static constexpr uint32_t colours[spritelimit::maxPalettes] = {
      0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF, 0xFFFFFFFF, 0xFF080808,
      0xFF101010, 0xFF202020, 0xFF303030, 0xFF404040, 0xFF505050, 0xFF606060, 0xFF707070, 0xFF808080};
  if (palette < 0 || palette >= spritelimit::maxPalettes) throw std::out_of_range("no test palette " + std::to_string(palette));
  return colours[palette];
}

tools::SpriteDescription describeTestSprite(const TestSpriteDescription& description) {
  if (description.animations < 0 || description.steps < 0 || description.palettes < 1 ||
      description.palettes > spritelimit::maxPalettes)
    throw std::invalid_argument("a test sprite needs counts of 0 or more and 1 to 16 palettes");
  tools::SpriteDescription sprite;
  // Offsets and frame rectangles as shorts, so any test rectangle fits.
  sprite.flags = spriteflag::imageData | spriteflag::offsetsShorts | spriteflag::aframeOffsetsShorts;
  for (int p = 0; p < description.palettes; ++p) sprite.palettes.push_back({testPaletteColour(p)});
  for (int f = 0; f < description.frameCount(); ++f) {
    const TestFrameBox box = description.frameBox(f);
    if (box.width < 1 || box.height < 1)
      throw std::invalid_argument("test frame " + std::to_string(f) + " needs a size of at least 1 x 1");
    tools::SpriteModule module;
    module.width = box.width;
    module.height = box.height;
    module.indices.assign(static_cast<size_t>(box.width * box.height), 0);
    sprite.modules.push_back(std::move(module));
    if (box.width > 255 || box.height > 255) sprite.flags |= spriteflag::moduleSizeShorts;
    tools::SpriteFrame frame;
    frame.modules = {{f, box.x, box.y, 0, 0}};
    sprite.frames.push_back(std::move(frame));
  }
  for (size_t f = 0; f < sprite.frames.size(); ++f)
    sprite.frames[f].rect = tools::computeFrameRect(sprite, static_cast<int>(f));
  for (int a = 0; a < description.animations; ++a) {
    tools::SpriteAnim anim;
    for (int s = 0; s < description.steps; ++s) {
      const TestStepOffset offset = description.stepOffset(a, s);
      anim.aframes.push_back({description.frameOf(a, s), description.stepTime, offset.x, offset.y, 0});
    }
    sprite.anims.push_back(std::move(anim));
  }
  return sprite;
}

std::vector<uint8_t> writeTestSprite(const TestSpriteDescription& description) {
  return tools::writeSprite(describeTestSprite(description));
}

ASprite* loadTestSprite(const TestSpriteDescription& description, bool buildCaches) {
  const std::vector<uint8_t> bytes = writeTestSprite(description);
  ByteArray* data = newByteArray(static_cast<int32_t>(bytes.size()));
  if (data == nullptr) {
    ADD_FAILURE() << "no room for a test sprite of " << bytes.size() << " bytes";
    return nullptr;
  }
  for (size_t i = 0; i < bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
  ASprite* sprite = newObject<ASprite>();
  if (sprite == nullptr || !sprite->load(data, 0, 0xFFFFFF, 1)) {
    ADD_FAILURE() << "the sprite reader refused a test sprite";
    return nullptr;
  }
  if (buildCaches)
    for (int32_t p = 0; p < sprite->paletteCount; ++p) sprite->buildModuleCache(p, 0, -1, -1);
  return sprite;
}

ASprite* installTestSprite(int slot, const TestSpriteDescription& description, bool buildCaches) {
  ObjectArray*& sprites = shellStatics().cGameLoop.sprites;
  if (sprites == nullptr) sprites = newObjectArray(spriteTableSize);
  if (sprites == nullptr || slot < 0 || slot >= sprites->length()) {
    ADD_FAILURE() << "no sprite slot " << slot;
    return nullptr;
  }
  ASprite* sprite = loadTestSprite(description, buildCaches);
  sprites->set(slot, sprite);
  return sprite;
}

}  // namespace worldkit
