#pragma once
// Sprites painted onto the drawing fixture's RGB565 screen.
#include <algorithm>
#include <array>
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

  // {minX, minY, maxX + 1, maxY + 1} of the pixels off the background.
  std::array<int, 4> drawnBox() const {
    std::array<int, 4> box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int y = 0; y < screenHeight; ++y)
      for (int x = 0; x < screenWidth; ++x)
        if (pixelAt(x, y) != background)
          box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1), std::max(box[3], y + 1)};
    return box;
  }

  std::vector<uint16_t> screenPixels() const {
    std::vector<uint16_t> pixels;
    for (int32_t y = 0; y < screenHeight; ++y)
      for (int32_t x = 0; x < screenWidth; ++x) pixels.push_back(pixelAt(x, y));
    return pixels;
  }
};
