// The image data that follows the sprite tables: palettes, the pixel
// encoding and each module's encoded bytes; decoding into the shared pixel
// buffer; the palette alpha operations.
#include <algorithm>

#include "game/toolkit/ASprite.h"
#include "game/toolkit/SharedPixelBuffer.h"
#include "game/toolkit/SpriteBlockReader.h"
#include "game/toolkit/SpritePixelDecoding.h"
#include "game/toolkit/ToolkitStatics.h"
#include "runtime/lang/DebugLog.h"

namespace {

namespace paletteformat {
constexpr int32_t argb8888 = 0x8888;
constexpr int32_t argb4444 = 0x4444;
constexpr int32_t argb1555 = 0x5515;
constexpr int32_t rgb565 = 0x6505;
}  // namespace paletteformat

struct ColourFlags {
  bool transparency = false;
  bool alpha = false;
};

uint32_t paletteColour(int32_t format, uint32_t c, ColourFlags& seen) {
  switch (format) {
    case paletteformat::argb8888: {
      const uint32_t a = c >> 24;
      if (a != 0xFF) seen.transparency = true;
      if (a != 0xFF && a != 0) seen.alpha = true;
      return c;
    }
    case paletteformat::argb4444: {
      const uint32_t a = c >> 12 & 0xF;
      if (a < 0xF) seen.transparency = true;
      if (a < 0xF && a != 0) seen.alpha = true;
      return a * 0x11 << 24 | (c >> 8 & 0xF) * 0x11 << 16 | (c >> 4 & 0xF) * 0x11 << 8 | (c & 0xF) * 0x11;
    }
    case paletteformat::argb1555: {
      const bool opaque = (c & 0x8000) != 0;
      if (!opaque) seen.transparency = true;
      const uint32_t argb = (opaque ? 0xFF000000u : 0) | (c >> 10 & 0x1F) << 19 | (c >> 5 & 0x1F) << 11 | (c & 0x1F) << 3;
      return argb == 0x00F800F8u ? static_cast<uint32_t>(spriteTransparentKey) : argb;
    }
    case paletteformat::rgb565: {
      const bool key = c == 0xF81F;
      if (key) seen.transparency = true;
      const uint32_t argb = (key ? 0 : 0xFF000000u) | (c >> 11 & 0x1F) << 19 | (c >> 5 & 0x3F) << 10 | (c & 0x1F) << 3;
      return argb == 0x00F800F8u ? static_cast<uint32_t>(spriteTransparentKey) : argb;
    }
    default: return 0;
  }
}

bool knownPaletteFormat(int32_t format) {
  return format == paletteformat::argb8888 || format == paletteformat::argb4444 || format == paletteformat::argb1555 ||
         format == paletteformat::rgb565;
}

int32_t damaged(const char* what, int32_t position) {
  debugLog("ASprite: damaged image data (%s at byte %d)", what, position);
  return -1;
}

IntArray* paletteAt(ObjectArray* palettes, int32_t p) {
  if (palettes == nullptr || p < 0 || p >= palettes->length()) return nullptr;
  return static_cast<IntArray*>(palettes->get(p));
}

}  // namespace

int32_t ASprite::loadImageData(int32_t offset, ByteArray* data, int32_t) {
  if ((flags & spriteflag::imageData) == 0 || data == nullptr || offset >= data->length()) return offset;
  SpriteBlockReader in(data, offset);
  const int32_t format = in.u16();
  const int32_t count = in.u8();
  const int32_t coloursByte = in.u8();
  if (in.failed()) return damaged("palette header past the end", offset);
  if (count > spritelimit::maxPalettes) return damaged("more than 16 palettes", offset);
  const int32_t colours = coloursByte == 0 ? 256 : coloursByte;
  if (palettes == nullptr) palettes = newObjectArray(spritelimit::maxPalettes);
  if (palettes == nullptr) return damaged("no room for palettes", offset);
  ColourFlags seen;
  for (int32_t p = 0; p < count; ++p) {
    IntArray* palette = newIntArray(colours);
    if (palette == nullptr) return damaged("no room for a palette", offset);
    palettes->set(p, palette);
    // An unknown format reads no colours and leaves the palettes black.
    if (!knownPaletteFormat(format)) continue;
    for (int32_t c = 0; c < colours; ++c) {
      const uint32_t stored = format == paletteformat::argb8888 ? in.u32() : static_cast<uint32_t>(in.u16());
      palette->set(c, static_cast<int32_t>(paletteColour(format, stored, seen)));
    }
  }
  if (in.failed()) return damaged("palettes past the end", offset);
  if (!knownPaletteFormat(format)) debugLog("ASprite: unknown palette format 0x%04X", format);
  paletteCount = count;
  coloursPerPalette = colours;
  if (seen.transparency) hasTransparency = 1;
  if (seen.alpha) hasAlpha = 1;
  pixelEncoding = in.u16();
  if (in.failed()) return damaged("pixel encoding past the end", offset);
  if (pixelEncoding == spriteencoding::runsWithAlpha) hasTransparency = hasAlpha = 1;
  if (pixelEncoding == spriteencoding::packedRuns || pixelEncoding == spriteencoding::packedRunsUndefined) {
    int32_t bits = 0;
    while (((colours - 1) >> bits) != 0) ++bits;
    indexBits = bits;
    indexMask = (1 << bits) - 1;
  }
  // Two passes: the sizes first, so the offsets and the one byte array for
  // every module's bytes can be made before any byte is copied.
  const bool wideSizes = (flags & spriteflag::imageSizesU32) != 0;
  const int32_t modulesStart = in.position();
  int64_t total = 0;
  for (int32_t m = 0; m < moduleCount; ++m) {
    const int64_t size = wideSizes ? static_cast<int64_t>(in.u32()) : in.s16();
    if (size < 0) return damaged("negative module size", in.position());
    in.skip(size);
    if (in.failed()) return damaged("module bytes past the end", modulesStart);
    total += size;
  }
  moduleDataOffsets = newIntArray(moduleCount + 1);
  moduleImageData = newByteArray(static_cast<int32_t>(total));
  if (moduleDataOffsets == nullptr || moduleImageData == nullptr) return damaged("no room for module data", offset);
  SpriteBlockReader copy(data, modulesStart);
  int32_t at = 0;
  for (int32_t m = 0; m < moduleCount; ++m) {
    const int32_t size = wideSizes ? static_cast<int32_t>(copy.u32()) : copy.s16();
    moduleDataOffsets->set(m, at);
    // The loop above made every array this needs: the elements stay put.
    const int8_t* from = data->elements() + copy.position();
    std::copy(from, from + size, moduleImageData->elements() + at);
    copy.skip(size);
    at += size;
  }
  // The closing entry bounds the last module's bytes.
  moduleDataOffsets->set(moduleCount, at);
  return copy.position();
}

IntArray* ASprite::getPixelBuffer(IntArray* inUse, int32_t w, int32_t h) {
  IntArray* buffer = sharedPixelBuffer();
  if (buffer != nullptr && buffer == inUse) return newIntArray(w * h);
  return buffer;
}

bool ASprite::decodeModulePixels(ByteArray* data, int32_t offset, int32_t w, int32_t h) {
  IntArray* palette = paletteAt(palettes, currentPalette);
  if (paletteCount < 1 || palette == nullptr || data == nullptr) return false;
  const int64_t count = static_cast<int64_t>(w) * h;
  if (w < 0 || h < 0 || count > spritelimit::pixelBufferSize) return false;
  IntArray* buffer = getPixelBuffer(nullptr, w, h);
  if (buffer == nullptr || offset < 0 || offset > data->length()) return false;
  // The module's own bytes end where the next module's begin.
  int32_t end = data->length();
  if (data == moduleImageData && moduleDataOffsets != nullptr) {
    for (int32_t m = 0; m < moduleCount; ++m) {
      // Modules without bytes (shapes) share their offset with the next.
      if (moduleDataOffsets->get(m) == offset && moduleDataOffsets->get(m + 1) > offset) {
        end = moduleDataOffsets->get(m + 1);
        break;
      }
    }
  }
  const SpritePixelSource source{reinterpret_cast<const uint8_t*>(data->elements()) + offset,
                                 static_cast<size_t>(end - offset), pixelEncoding, indexBits, indexMask};
  return decodeSpritePixels(source, palette->elements(), palette->length(), buffer->elements(),
                            static_cast<int32_t>(count));
}

IntArray* ASprite::decodeModuleRGB(int32_t module) {
  if (moduleImageData == nullptr || moduleDataOffsets == nullptr || module < 0 || module >= moduleCount) return nullptr;
  if (getModuleKind(module) != spritemodule::image) return nullptr;  // shapes have no pixels
  if (!decodeModulePixels(moduleImageData, moduleDataOffsets->get(module), getModuleWidth(module),
                          getModuleHeight(module))) {
    debugLog("ASprite: module %d cannot be decoded (encoding 0x%04X)", module, pixelEncoding);
    return nullptr;
  }
  return toolkitStatics().ASprite.pixelBuffer;
}

void ASprite::setRGBMode(bool on) { drawMode = on ? (drawMode | 1) : (drawMode & ~1); }

void ASprite::setPaletteAlpha(int32_t p, int32_t alpha, bool withTransparency, bool withAlpha) {
  IntArray* palette = paletteAt(palettes, p);
  if (palette == nullptr) return;
  const uint32_t given = static_cast<uint32_t>(alpha) << 24;
  for (int32_t i = 0; i < palette->length(); ++i) {
    const uint32_t c = static_cast<uint32_t>(palette->get(i));
    uint32_t result = c;
    if (withAlpha) {
      result = ((c >> 24) * static_cast<uint32_t>(alpha) >> 8) << 24 | (c & 0xFFFFFF);
    } else if (withTransparency) {
      if ((c & 0xFFFFFF) != 0xFF00FF && c > 0xFFFFFF) result = given | (c & 0xFFFFFF);
    } else {
      result = given | (c & 0xFFFFFF);
    }
    palette->set(i, static_cast<int32_t>(result));
  }
}

void ASprite::applyAlphaPalette(int32_t p, int32_t source) {
  IntArray* palette = paletteAt(palettes, p);
  IntArray* mask = paletteAt(palettes, source);
  hasTransparency = hasAlpha = 1;
  if (palette == nullptr || mask == nullptr) return;
  for (int32_t i = 0; i < palette->length() && i < mask->length(); ++i) {
    const uint32_t c = static_cast<uint32_t>(palette->get(i));
    if ((c & 0xFFFFFF) == 0xFF00FF || (c >> 24) == 0) continue;
    const uint32_t alpha = static_cast<uint32_t>(mask->get(i)) >> 16 & 0xFF;
    palette->set(i, static_cast<int32_t>(alpha << 24 | (c & 0xFFFFFF)));
  }
}
