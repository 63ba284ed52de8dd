#pragma once
// Sprites painted onto the drawing fixture's RGB565 screen.
#include <cstdint>
#include <vector>

#include "game/toolkit/ASprite.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/toolkit/drawing_fixture.h"
#include "tools/writers/SpriteWriter.h"

class SpritePaintFixture : public DrawingFixture {
 protected:
  // The sprite, or null when its block is refused.
  static ASprite* loadSprite(const tools::SpriteDescription& description) {
    const std::vector<uint8_t> bytes = tools::writeSprite(description);
    ByteArray* data = newByteArray(static_cast<int32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
    ASprite* sprite = newObject<ASprite>();
    return sprite->load(data, 0, 0xFFFFFF, 1) ? sprite : nullptr;
  }

  std::vector<uint16_t> screenPixels() const {
    std::vector<uint16_t> pixels;
    for (int32_t y = 0; y < screenHeight; ++y)
      for (int32_t x = 0; x < screenWidth; ++x) pixels.push_back(pixelAt(x, y));
    return pixels;
  }
};
