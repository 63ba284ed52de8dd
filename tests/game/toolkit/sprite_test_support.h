#pragma once
// Sprite blocks for tests: bytes into a ByteArray, loaded into a new ASprite
// as cGame's loader would.
#include <cstdint>
#include <vector>

#include "game/toolkit/ASprite.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/toolkit/game_data_fixture.h"
#include "tools/writers/SpriteWriter.h"

class SpriteFixture : public GameDataFixture {
 protected:
  // The sprite, or null when its block is refused.
  static ASprite* loadSpriteBytes(const std::vector<uint8_t>& bytes) {
    ASprite* sprite = newObject<ASprite>();
    return sprite->load(byteArrayOf(bytes), 0, 0xFFFFFF, 1) ? sprite : nullptr;
  }
  static ASprite* loadSpriteDescription(const tools::SpriteDescription& description) {
    return loadSpriteBytes(tools::writeSprite(description));
  }
};

// Little-endian byte helpers for hand-written blocks.
inline void putU16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}
inline void putU32(std::vector<uint8_t>& out, uint32_t value) {
  putU16(out, value & 0xFFFF);
  putU16(out, value >> 16);
}

// One image module of w x h pixels, all index 0 unless given.
inline tools::SpriteModule imageModule(int w, int h, std::vector<uint8_t> indices = {}) {
  tools::SpriteModule module;
  module.width = w;
  module.height = h;
  module.indices = indices.empty() ? std::vector<uint8_t>(static_cast<size_t>(w * h), 0) : std::move(indices);
  return module;
}
