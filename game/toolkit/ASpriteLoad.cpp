// The sprite block's tables, read column-wise into the sprite's arrays.
#include <vector>

#include "game/toolkit/ASprite.h"
#include "game/toolkit/SpriteBlockReader.h"
#include "game/toolkit/ToolkitStatics.h"
#include "runtime/lang/DebugLog.h"

namespace {

int32_t damaged(const char* what, int32_t position) {
  debugLog("ASprite: damaged sprite data (%s at byte %d)", what, position);
  return -1;
}

// Stored kind of a module kind byte, -1 for a byte that names none.
int32_t moduleKindOf(int32_t kindByte) {
  switch (kindByte) {
    case 0: return spritemodule::image;
    case 255: return spritemodule::rectangle;
    case 254: return spritemodule::filledRectangle;
    case 253: return spritemodule::emptyBox;
    case 252: return spritemodule::arc;
    case 251: return spritemodule::filledArc;
    case 250: return spritemodule::triangle;
    case 249: return spritemodule::filledTriangle;
    default: return -1;
  }
}

bool hasColour(int32_t kind) { return kind != spritemodule::image && kind != spritemodule::emptyBox; }
bool hasSize(int32_t kind) { return kind != spritemodule::triangle && kind != spritemodule::filledTriangle; }
int32_t extraValues(int32_t kind) {
  if (kind == spritemodule::arc || kind == spritemodule::filledArc) return 2;
  if (kind == spritemodule::triangle || kind == spritemodule::filledTriangle) return 4;
  return 0;
}

// A table count that is within the reader's limits; a negative one (0x8000
// or more) is an empty table.
bool countFits(int32_t count, int32_t limit) { return count <= limit; }

bool allMade(std::initializer_list<const void*> arrays) {
  for (const void* array : arrays)
    if (array == nullptr) return false;
  return true;
}

ShortArray* shortsOf(const std::vector<int16_t>& values) {
  ShortArray* array = newShortArray(static_cast<int32_t>(values.size()));
  if (array == nullptr) return nullptr;
  for (size_t i = 0; i < values.size(); ++i) array->set(static_cast<int32_t>(i), values[i]);
  return array;
}

// One value of a rect table: s16 when wide, else one byte.
int32_t rectValue(SpriteBlockReader& in, bool wide) { return wide ? in.s16() : in.s8(); }

Array* newRectArray(int32_t length, bool wide) {
  if (wide) return newShortArray(length);
  return newByteArray(length);
}

void setRectValue(Array* array, int32_t index, int32_t value, bool wide) {
  if (wide)
    static_cast<ShortArray*>(array)->set(index, static_cast<int16_t>(value));
  else
    static_cast<ByteArray*>(array)->set(index, static_cast<int8_t>(value));
}

}  // namespace

bool ASprite::load(ByteArray* data, int32_t offset, int32_t, int32_t) {
  if (data == nullptr) return false;
  collectIfSwitched();
  SpriteBlockReader header(data, offset);
  header.skip(2);
  flags = static_cast<int32_t>(header.u32());
  if (header.failed()) {
    damaged("header", offset);
    return false;
  }
  int32_t position = loadModules(header.position(), data);
  if (position >= 0) position = loadFModules(position, data);
  if (position >= 0) position = loadFrames(position, data);
  if (position >= 0 && !checkHyperFrameIndices()) position = -1;
  if (position >= 0) position = loadAFrames(position, data);
  if (position >= 0) position = loadAnims(position, data);
  if (position >= 0 && moduleCount > 0) {
    if ((flags & spriteflag::imageData) != 0) position = loadImageData(position, data, 0);
    if (position >= 0 && (flags & spriteflag::computeFrameRects) != 0 && getFrameCount() > 0 && !computeFrameRects())
      position = -1;
  }
  collectIfSwitched();
  return position >= 0;
}

int32_t ASprite::loadModules(int32_t offset, ByteArray* data) {
  SpriteBlockReader in(data, offset);
  const int32_t count = in.s16();
  if (in.failed()) return damaged("module count", offset);
  if (count < 1) return in.position();
  if (!countFits(count, spritelimit::maxIndex)) return damaged("module count", offset);
  const bool xyShorts = (flags & spriteflag::moduleXYShorts) != 0;
  const bool xyBytes = !xyShorts && (flags & spriteflag::moduleXYBytes) != 0;
  const bool sizeShorts = (flags & spriteflag::moduleSizeShorts) != 0;
  moduleKind = newByteArray(count);
  moduleColour = newIntArray(count);
  moduleWidth = newShortArray(count);
  moduleHeight = newShortArray(count);
  if (xyShorts) {
    moduleXShorts = newShortArray(count);
    moduleYShorts = newShortArray(count);
  } else if (xyBytes) {
    moduleXBytes = newByteArray(count);
    moduleYBytes = newByteArray(count);
  }
  if (!allMade({moduleKind, moduleColour, moduleWidth, moduleHeight}) ||
      (xyShorts && !allMade({moduleXShorts, moduleYShorts})) || (xyBytes && !allMade({moduleXBytes, moduleYBytes})))
    return damaged("no room for the module table", offset);
  std::vector<int16_t> parameters;
  std::vector<int16_t> parameterIndex;
  for (int32_t m = 0; m < count; ++m) {
    const int32_t at = in.position();
    const int32_t kind = moduleKindOf(in.u8());
    if (kind < 0) return damaged("module kind", at);
    moduleKind->set(m, static_cast<int8_t>(kind));
    if (hasColour(kind)) moduleColour->set(m, static_cast<int32_t>(in.u32()));
    if (kind == spritemodule::image) {
      if (xyShorts) {
        moduleXShorts->set(m, static_cast<int16_t>(in.s16()));
        moduleYShorts->set(m, static_cast<int16_t>(in.s16()));
      } else if (xyBytes) {
        moduleXBytes->set(m, static_cast<int8_t>(in.u8()));
        moduleYBytes->set(m, static_cast<int8_t>(in.u8()));
      }
    }
    if (hasSize(kind)) {
      moduleWidth->set(m, static_cast<int16_t>(sizeShorts ? in.s16() : in.u8()));
      moduleHeight->set(m, static_cast<int16_t>(sizeShorts ? in.s16() : in.u8()));
    }
    if (const int32_t extra = extraValues(kind); extra > 0) {
      parameterIndex.push_back(static_cast<int16_t>(m));
      parameterIndex.push_back(static_cast<int16_t>(parameters.size()));
      for (int32_t i = 0; i < extra; ++i) parameters.push_back(static_cast<int16_t>(in.s16()));
    }
    if (in.failed()) return damaged("module record past the end", at);
    // The shared pixel buffer receives every decoded module; 65535 x 65535
    // must not wrap below its size.
    if (kind == spritemodule::image && hasImageModules() &&
        int64_t{getModuleWidth(m)} * getModuleHeight(m) > spritelimit::pixelBufferSize)
      return damaged("image module larger than the pixel buffer", at);
  }
  if (!parameters.empty()) {
    moduleParameters = shortsOf(parameters);
    moduleParameterIndex = shortsOf(parameterIndex);
    if (!allMade({moduleParameters, moduleParameterIndex})) return damaged("no room for module parameters", offset);
  }
  moduleCount = count;
  return in.position();
}

int32_t ASprite::loadFModules(int32_t offset, ByteArray* data) {
  SpriteBlockReader in(data, offset);
  const int32_t count = in.s16();
  if (in.failed()) return damaged("frame-module count", offset);
  if (count < 1) return in.position();
  const bool wide = (flags & spriteflag::offsetsShorts) != 0;
  const bool withPalette = (flags & spriteflag::fmodulePalettes) != 0;
  fmoduleModule = newByteArray(count);
  fmoduleFlags = newByteArray(count);
  fmoduleX = newShortArray(count);
  fmoduleY = newShortArray(count);
  if (withPalette) fmodulePalette = newByteArray(count);
  if (!allMade({fmoduleModule, fmoduleFlags, fmoduleX, fmoduleY}) || (withPalette && fmodulePalette == nullptr))
    return damaged("no room for the frame-module table", offset);
  for (int32_t i = 0; i < count; ++i) {
    const int32_t at = in.position();
    const int32_t low = in.u8();
    const int32_t x = wide ? in.s16() : in.s8();
    const int32_t y = wide ? in.s16() : in.s8();
    const int32_t palette = withPalette ? in.u8() : 0;
    const int32_t moduleFlags = in.u8();
    if (in.failed()) return damaged("frame-module record past the end", at);
    const int32_t index = low | (moduleFlags & spritetransform::indexHighBits) << 2;
    // Frame indices are checked once the frame table is known.
    if ((moduleFlags & spritetransform::hyperFrame) == 0 && index >= moduleCount)
      return damaged("frame module names a missing module", at);
    fmoduleModule->set(i, static_cast<int8_t>(low));
    fmoduleX->set(i, static_cast<int16_t>(x));
    fmoduleY->set(i, static_cast<int16_t>(y));
    if (withPalette) fmodulePalette->set(i, static_cast<int8_t>(palette));
    fmoduleFlags->set(i, static_cast<int8_t>(moduleFlags));
  }
  return in.position();
}

int32_t ASprite::loadFrames(int32_t offset, ByteArray* data) {
  SpriteBlockReader in(data, offset);
  const bool wide = (flags & spriteflag::offsetsShorts) != 0;
  const bool withCollision = (flags & spriteflag::collisionRects) != 0;
  int32_t collisionTotal = 0;
  if (withCollision) {
    collisionTotal = in.s16();
    if (collisionTotal < 0) collisionTotal = 0;
    if (in.failed()) return damaged("collision count", offset);
    collisionRects = newRectArray(collisionTotal * 4, wide);
    if (collisionRects == nullptr) return damaged("no room for collision rects", offset);
    for (int32_t i = 0; i < collisionTotal * 4; ++i) setRectValue(collisionRects, i, rectValue(in, wide), wide);
    if (in.failed()) return damaged("collision rects past the end", offset);
  }
  const int32_t countAt = in.position();
  const int32_t count = in.s16();
  if (in.failed()) return damaged("frame count", countAt);
  if (count < 1) return in.position();
  if (!countFits(count, spritelimit::maxIndex)) return damaged("frame count", countAt);
  const int32_t fmoduleTotal = fmoduleModule != nullptr ? fmoduleModule->length() : 0;
  frameModuleCount = newByteArray(count);
  frameFirstModule = newShortArray(count);
  if (withCollision) frameFirstCollisionRect = newShortArray(count + 1);
  if (!allMade({frameModuleCount, frameFirstModule}) || (withCollision && frameFirstCollisionRect == nullptr))
    return damaged("no room for the frame table", countAt);
  int32_t collisionSum = 0;
  for (int32_t f = 0; f < count; ++f) {
    const int32_t at = in.position();
    const int32_t modules = in.u16() & 0xFF;
    const int32_t first = in.s16();
    const int32_t rects = withCollision ? in.s8() : 0;
    if (in.failed()) return damaged("frame record past the end", at);
    if (modules > 0 && (first < 0 || first + modules > fmoduleTotal))
      return damaged("frame names missing frame modules", at);
    if (rects < 0 || collisionSum + rects > collisionTotal) return damaged("frame names missing collision rects", at);
    frameModuleCount->set(f, static_cast<int8_t>(modules));
    frameFirstModule->set(f, static_cast<int16_t>(first));
    if (withCollision) frameFirstCollisionRect->set(f, static_cast<int16_t>(collisionSum));
    collisionSum += rects;
  }
  if (withCollision) frameFirstCollisionRect->set(count, static_cast<int16_t>(collisionSum));
  if ((flags & spriteflag::computeFrameRects) == 0) {
    frameRects = newRectArray(count * 4, wide);
    if (frameRects == nullptr) return damaged("no room for frame rects", countAt);
    for (int32_t i = 0; i < count * 4; ++i) setRectValue(frameRects, i, rectValue(in, wide), wide);
    if (in.failed()) return damaged("frame rects past the end", countAt);
  }
  return in.position();
}

bool ASprite::checkHyperFrameIndices() {
  const int32_t total = fmoduleModule != nullptr ? fmoduleModule->length() : 0;
  for (int32_t i = 0; i < total; ++i) {
    if ((fmoduleFlags->get(i) & spritetransform::hyperFrame) != 0 && getFModuleModule(i) >= getFrameCount()) {
      debugLog("ASprite: damaged sprite data (frame module %d names a missing frame)", i);
      return false;
    }
  }
  return true;
}

int32_t ASprite::loadAFrames(int32_t offset, ByteArray* data) {
  SpriteBlockReader in(data, offset);
  const int32_t count = in.s16();
  if (in.failed()) return damaged("aframe count", offset);
  if (count < 1) return in.position();
  if (!countFits(count, spritelimit::maxIndex)) return damaged("aframe count", offset);
  const bool wide = (flags & spriteflag::aframeOffsetsShorts) != 0;
  aframeFrame = newByteArray(count);
  aframeTime = newByteArray(count);
  aframeX = newShortArray(count);
  aframeY = newShortArray(count);
  aframeFlags = newByteArray(count);
  if (!allMade({aframeFrame, aframeTime, aframeX, aframeY, aframeFlags}))
    return damaged("no room for the aframe table", offset);
  for (int32_t i = 0; i < count; ++i) {
    const int32_t at = in.position();
    const int32_t low = in.u8();
    const int32_t time = in.u8();
    const int32_t x = wide ? in.s16() : in.s8();
    const int32_t y = wide ? in.s16() : in.s8();
    const int32_t frameFlags = in.u8();
    if (in.failed()) return damaged("aframe record past the end", at);
    if ((low | (frameFlags & spritetransform::indexHighBits) << 2) >= getFrameCount())
      return damaged("aframe names a missing frame", at);
    aframeFrame->set(i, static_cast<int8_t>(low));
    aframeTime->set(i, static_cast<int8_t>(time));
    aframeX->set(i, static_cast<int16_t>(x));
    aframeY->set(i, static_cast<int16_t>(y));
    aframeFlags->set(i, static_cast<int8_t>(frameFlags));
  }
  return in.position();
}

int32_t ASprite::loadAnims(int32_t offset, ByteArray* data) {
  SpriteBlockReader in(data, offset);
  const int32_t count = in.s16();
  if (in.failed()) return damaged("animation count", offset);
  if (count < 1) return in.position();
  const int32_t aframeTotal = aframeFrame != nullptr ? aframeFrame->length() : 0;
  animAFrameCount = newByteArray(count);
  animFirstAFrame = newShortArray(count);
  if (!allMade({animAFrameCount, animFirstAFrame})) return damaged("no room for the animation table", offset);
  for (int32_t a = 0; a < count; ++a) {
    const int32_t at = in.position();
    const int32_t frames = in.u16() & 0xFF;
    const int32_t first = in.s16();
    if (in.failed()) return damaged("animation record past the end", at);
    if (frames > 0 && (first < 0 || first + frames > aframeTotal)) return damaged("animation names missing aframes", at);
    animAFrameCount->set(a, static_cast<int8_t>(frames));
    animFirstAFrame->set(a, static_cast<int16_t>(first));
  }
  return in.position();
}

bool ASprite::computeFrameRects() {
  const int32_t count = getFrameCount();
  const bool wide = (flags & spriteflag::offsetsShorts) != 0;
  frameRects = newRectArray(count * 4, wide);
  IntArray* bounds = toolkitStatics().ASprite.loaderBounds;
  if (frameRects == nullptr || bounds == nullptr) {
    debugLog("ASprite: no room for frame rects");
    return false;
  }
  for (int32_t f = 0; f < count; ++f) {
    getFrameBounds(bounds, f, 0, 0, 0);
    const int32_t minX = bounds->get(0), minY = bounds->get(1), maxX = bounds->get(2), maxY = bounds->get(3);
    // A frame without modules has no extent: an empty rect at the origin
    // rather than one made of the empty bounds' extremes.
    const bool empty = minX > maxX || minY > maxY;
    const int32_t rect[4] = {empty ? 0 : minX, empty ? 0 : minY, empty ? 0 : maxX - minX, empty ? 0 : maxY - minY};
    for (int32_t i = 0; i < 4; ++i) setRectValue(frameRects, f * 4 + i, rect[i], wide);
  }
  return true;
}

void ASprite::freeImageData() {
  moduleImageData = nullptr;
  moduleDataOffsets = nullptr;
  palettes = nullptr;
  collectIfSwitched();
}
