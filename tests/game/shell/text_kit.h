#pragma once
// Text for tests that draw it: a text pack holding exactly the given texts,
// and a font whose every character is one 6 x 8 block.
#include <map>
#include <string>
#include <vector>

#include "game/GameStatics.h"
#include "game/toolkit/ASprite.h"
#include "runtime/lang/Arrays.h"
#include "runtime/object/ObjectFactory.h"
#include "tools/writers/SpriteWriter.h"

namespace textkit {

// The text pack holds exactly these texts, ids below count.
inline void setTexts(const std::map<int32_t, std::string>& entries, int32_t count) {
  std::string bytes;
  IntArray* offsets = newIntArray(count + 1);
  for (int32_t id = 0; id < count; ++id) {
    offsets->set(id, static_cast<int32_t>(bytes.size()));
    if (auto found = entries.find(id); found != entries.end()) bytes += found->second;
  }
  offsets->set(count, static_cast<int32_t>(bytes.size()));
  ByteArray* data = newByteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
  cGameTextStatics& texts = toolkitStatics().cGameText;
  texts.count = count;
  texts.encoding = nullptr;
  texts.bytes = data;
  texts.offsets = offsets;
}

// Frame 0 the metrics (ascent 8, line height 10), frame 1 the block every
// character falls back to; palettes 0..6 all visible on black.
inline ASprite* blockFont() {
  tools::SpriteDescription s;
  s.flags = 0x1000000;
  tools::SpriteModule metrics;
  metrics.kind = 5;
  s.modules.push_back(metrics);
  tools::SpriteModule block;
  block.width = 6;
  block.height = 8;
  block.indices.assign(48, 1);
  s.modules.push_back(block);
  s.frames.resize(2);
  s.frames[0].modules = {{0, 0, -8, 0, 0}, {0, 0, 2, 0, 0}, {0, 0, 4, 0, 0}};
  s.frames[1].modules = {{0, 7, 0, 0, 0}, {1, 0, -8, 0, 0}};
  for (int p = 0; p < 7; ++p) s.palettes.push_back({0, 0xFF000000u | 0xF8F8F8u});
  s.encoding = tools::spriteformat::bytes;
  const std::vector<uint8_t> bytes = tools::writeSprite(s);
  ByteArray* data = newByteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
  ASprite* font = newObject<ASprite>();
  if (!font->load(data, 0, 0xFFFFFF, 1)) return nullptr;
  ShortArray* map = newShortArray(1);
  map->set(0, 0);
  font->setCharMap(map);
  font->initFontMetrics();
  return font;
}

}  // namespace textkit
