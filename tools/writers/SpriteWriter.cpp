#include "tools/writers/SpriteWriter.h"

#include <climits>
#include <stdexcept>
#include <string>
#include <utility>

#include "game/toolkit/SpriteLimits.h"
#include "tools/writers/LittleEndianWriter.h"

namespace tools {

namespace {

constexpr uint32_t moduleXYBytes = 0x2, moduleSizeShorts = 0x10, moduleXYShorts = 0x20, imageSizesU32 = 0x80,
                   offsetsShorts = 0x400, computeFrameRects = 0x1000, fmodulePalettes = 0x4000,
                   collisionRects = 0x8000, aframeOffsetsShorts = 0x40000, imageData = 0x1000000;
constexpr int maxIndex = spritelimit::maxIndex;
constexpr int minEntryBytes = spritelimit::minEntryBytes;

void need(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error("sprite: " + what);
}

// Writes that refuse a value the field cannot hold.
class LittleEndian {
 public:
  LittleEndianWriter writer;

  void u8(int value, const char* what) {
    need(value >= 0 && value <= 0xFF, std::string(what) + " " + std::to_string(value) + " does not fit a byte");
    writer.writeByte(static_cast<uint8_t>(value));
  }
  void s8(int value, const char* what) {
    need(value >= -128 && value <= 127, std::string(what) + " " + std::to_string(value) + " does not fit a byte");
    writer.writeByte(static_cast<uint8_t>(value));
  }
  // Read back as a signed byte or, for widths, as an unsigned one.
  void anyByte(int value, const char* what) {
    need(value >= -128 && value <= 255, std::string(what) + " " + std::to_string(value) + " does not fit a byte");
    writer.writeByte(static_cast<uint8_t>(value));
  }
  void s16(int value, const char* what) {
    need(value >= -32768 && value <= 32767, std::string(what) + " " + std::to_string(value) + " does not fit 16 bits");
    writer.writeShort(static_cast<uint16_t>(value));
  }
  void u16raw(uint32_t value) { writer.writeShort(static_cast<uint16_t>(value)); }
  void u32(uint32_t value) { writer.writeInt(value); }
  void value(int v, bool wide, const char* what) {
    if (wide)
      s16(v, what);
    else
      s8(v, what);
  }
};

int kindByte(int kind) {
  static constexpr int bytes[] = {0, 255, 254, 252, 251, 253, 250, 249};
  need(kind >= 0 && kind <= 7, "unknown module kind " + std::to_string(kind));
  return bytes[kind];
}

int extraValues(int kind) { return kind == 3 || kind == 4 ? 2 : kind == 6 || kind == 7 ? 4 : 0; }

// The index's low byte; its bits 8 and 9 go to the flags' bits 6 and 7.
int withIndexBits(int flags, int index, const char* what) {
  need(index >= 0 && index < maxIndex, std::string(what) + " index " + std::to_string(index) + " past 1023");
  need((flags & 0xC0) == 0, std::string(what) + " flags carry index bits of their own");
  return flags | (index >> 8) << 6;
}

void writeModules(LittleEndian& out, const SpriteDescription& sprite) {
  const size_t count = sprite.modules.size();
  need(count <= maxIndex, "more than 1024 modules");
  out.s16(static_cast<int>(count), "module count");
  const bool xyShorts = (sprite.flags & moduleXYShorts) != 0;
  const bool xyBytes = !xyShorts && (sprite.flags & moduleXYBytes) != 0;
  const bool sizeShorts = (sprite.flags & moduleSizeShorts) != 0;
  for (const SpriteModule& module : sprite.modules) {
    out.u8(kindByte(module.kind), "module kind");
    if (module.kind != 0 && module.kind != 5) out.u32(module.colour);
    if (module.kind == 0) {
      if (xyShorts) {
        out.s16(module.x, "module x");
        out.s16(module.y, "module y");
      } else if (xyBytes) {
        out.u8(module.x, "module x");
        out.u8(module.y, "module y");
      }
    }
    if (module.kind != 6 && module.kind != 7) {
      if (sizeShorts) {
        out.s16(module.width, "module width");
        out.s16(module.height, "module height");
      } else {
        out.u8(module.width, "module width");
        out.u8(module.height, "module height");
      }
    }
    need(module.parameters.size() == static_cast<size_t>(extraValues(module.kind)),
         "module of kind " + std::to_string(module.kind) + " needs " + std::to_string(extraValues(module.kind)) +
             " parameters");
    for (int value : module.parameters) out.s16(value, "module parameter");
  }
}

void writeFModules(LittleEndian& out, const SpriteDescription& sprite) {
  size_t count = 0;
  for (const SpriteFrame& frame : sprite.frames) count += frame.modules.size();
  out.s16(static_cast<int>(count), "frame-module count");
  const bool wide = (sprite.flags & offsetsShorts) != 0;
  for (const SpriteFrame& frame : sprite.frames) {
    need(frame.modules.size() <= 255, "more than 255 modules in a frame");
    for (const SpriteFModule& fm : frame.modules) {
      const size_t limit = (fm.flags & 0x10) != 0 ? sprite.frames.size() : sprite.modules.size();
      need(fm.index >= 0 && static_cast<size_t>(fm.index) < limit,
           "frame module names missing " + std::string((fm.flags & 0x10) != 0 ? "frame " : "module ") +
               std::to_string(fm.index));
      const int flags = withIndexBits(fm.flags, fm.index, "frame-module");
      out.u8(fm.index & 0xFF, "frame-module index");
      out.value(fm.x, wide, "frame-module x");
      out.value(fm.y, wide, "frame-module y");
      if ((sprite.flags & fmodulePalettes) != 0) out.u8(fm.palette, "frame-module palette");
      out.u8(flags, "frame-module flags");
    }
  }
}

void writeFrames(LittleEndian& out, const SpriteDescription& sprite) {
  const bool wide = (sprite.flags & offsetsShorts) != 0;
  const bool withCollision = (sprite.flags & collisionRects) != 0;
  if (withCollision) {
    size_t total = 0;
    for (const SpriteFrame& frame : sprite.frames) total += frame.collisionRects.size();
    out.s16(static_cast<int>(total), "collision rect count");
    for (const SpriteFrame& frame : sprite.frames)
      for (const auto& rect : frame.collisionRects)
        for (int value : rect) wide ? out.s16(value, "collision rect") : out.anyByte(value, "collision rect");
  }
  need(sprite.frames.size() <= maxIndex, "more than 1024 frames");
  out.s16(static_cast<int>(sprite.frames.size()), "frame count");
  int first = 0;
  for (const SpriteFrame& frame : sprite.frames) {
    out.u16raw(static_cast<uint32_t>(frame.modules.size()));
    out.s16(first, "first frame module");
    if (withCollision) out.s8(static_cast<int>(frame.collisionRects.size()), "collision rects of a frame");
    first += static_cast<int>(frame.modules.size());
  }
  if ((sprite.flags & computeFrameRects) != 0) {
    // The game stores what it measures in the form the flags choose.
    for (size_t f = 0; f < sprite.frames.size() && !wide; ++f) {
      const auto rect = computeFrameRect(sprite, static_cast<int>(f));
      need(rect[0] >= -128 && rect[0] <= 127 && rect[1] >= -128 && rect[1] <= 127 && rect[2] <= 255 && rect[3] <= 255,
           "frame " + std::to_string(f) + " measures past the byte form of frame rects (flag 0x400)");
    }
    return;
  }
  for (const SpriteFrame& frame : sprite.frames)
    for (int value : frame.rect) wide ? out.s16(value, "frame rect") : out.anyByte(value, "frame rect");
}

void writeAFrames(LittleEndian& out, const SpriteDescription& sprite) {
  size_t count = 0;
  for (const SpriteAnim& anim : sprite.anims) count += anim.aframes.size();
  need(count <= maxIndex, "more than 1024 animation frames");
  out.s16(static_cast<int>(count), "aframe count");
  const bool wide = (sprite.flags & aframeOffsetsShorts) != 0;
  for (const SpriteAnim& anim : sprite.anims) {
    need(anim.aframes.size() <= 255, "more than 255 frames in an animation");
    for (const SpriteAFrame& aframe : anim.aframes) {
      need(aframe.frame >= 0 && static_cast<size_t>(aframe.frame) < sprite.frames.size(),
           "animation frame names missing frame " + std::to_string(aframe.frame));
      const int flags = withIndexBits(aframe.flags, aframe.frame, "animation frame");
      out.u8(aframe.frame & 0xFF, "aframe frame");
      out.u8(aframe.time, "aframe time");
      out.value(aframe.x, wide, "aframe x");
      out.value(aframe.y, wide, "aframe y");
      out.u8(flags, "aframe flags");
    }
  }
}

void writeAnims(LittleEndian& out, const SpriteDescription& sprite) {
  out.s16(static_cast<int>(sprite.anims.size()), "animation count");
  int first = 0;
  for (const SpriteAnim& anim : sprite.anims) {
    out.u16raw(static_cast<uint32_t>(anim.aframes.size()));
    out.s16(first, "first aframe");
    first += static_cast<int>(anim.aframes.size());
  }
}

void writeImageData(LittleEndian& out, const SpriteDescription& sprite) {
  const auto& palettes = sprite.palettes;
  need(!palettes.empty() && palettes.size() <= 16, "1 to 16 palettes");
  const size_t colours = palettes[0].size();
  need(colours >= 1 && colours <= 256, "1 to 256 colours per palette");
  for (const auto& palette : palettes) need(palette.size() == colours, "palettes of one size");
  out.u16raw(static_cast<uint32_t>(sprite.paletteFormat));
  out.u8(static_cast<int>(palettes.size()), "palette count");
  out.u8(static_cast<int>(colours & 0xFF), "colours");
  for (const auto& palette : palettes) {
    for (uint32_t colour : palette) {
      const uint32_t stored = encodePaletteColour(sprite.paletteFormat, colour);
      if (sprite.paletteFormat == spriteformat::argb8888)
        out.u32(stored);
      else
        out.u16raw(stored);
    }
  }
  out.u16raw(static_cast<uint32_t>(sprite.encoding));
  const bool wideSizes = (sprite.flags & imageSizesU32) != 0;
  for (size_t m = 0; m < sprite.modules.size(); ++m) {
    const SpriteModule& module = sprite.modules[m];
    std::vector<uint8_t> pixels;
    if (module.kind == 0 && module.width > 0 && module.height > 0) {
      need(module.width * module.height <= spriteformat::maxModulePixels,
           "module " + std::to_string(m) + " larger than 20480 pixels");
      need(module.indices.size() == static_cast<size_t>(module.width * module.height),
           "module " + std::to_string(m) + " needs width x height pixels");
      for (uint8_t index : module.indices) need(index < colours, "module " + std::to_string(m) + " index past the palette");
      pixels = encodeModulePixels(sprite.encoding, module.indices, module.alpha, static_cast<int>(colours));
    }
    if (wideSizes) {
      out.u32(static_cast<uint32_t>(pixels.size()));
    } else {
      need(pixels.size() <= 0x7FFF, "module " + std::to_string(m) + " needs 32-bit sizes (flag 0x80)");
      out.u16raw(static_cast<uint32_t>(pixels.size()));
    }
    out.writer.writeBytes(pixels);
  }
}

// The game's painter arithmetic, measuring only.
struct Measure {
  const SpriteDescription& sprite;
  int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;

  static int composed(const int (&table)[8], int f) { return table[f & 7] | (f & ~7); }

  void frame(int index, int x, int y, int flags, int depth) {
    static constexpr int flipX[8] = {1, 0, 3, 2, 6, 7, 4, 5};
    static constexpr int flipY[8] = {2, 3, 0, 1, 5, 4, 7, 6};
    static constexpr int rotate[8] = {4, 5, 6, 7, 3, 2, 1, 0};
    need(depth <= 16, "frames nest deeper than 16");
    for (const SpriteFModule& fm : sprite.frames.at(static_cast<size_t>(index)).modules) {
      int f = fm.flags & 0xFF;
      const bool namesFrame = (f & 0x10) != 0;
      int w = namesFrame ? 0 : sprite.modules.at(static_cast<size_t>(fm.index)).width;
      int h = namesFrame ? 0 : sprite.modules.at(static_cast<size_t>(fm.index)).height;
      int ox = fm.x, oy = fm.y;
      if ((f & 4) != 0) std::swap(w, h);
      if ((flags & 1) != 0) {
        f = composed(flipX, f);
        ox = -(w + ox);
      }
      if ((flags & 2) != 0) {
        f = composed(flipY, f);
        oy = -(h + oy);
      }
      if ((flags & 4) != 0) {
        f = composed(rotate, f);
        const int rotatedX = -(h + oy);
        oy = ox;
        ox = rotatedX;
      }
      if (namesFrame) {
        frame(fm.index, x + ox, y + oy, f & 15, depth + 1);
      } else {
        const SpriteModule& module = sprite.modules.at(static_cast<size_t>(fm.index));
        int mw = module.width, mh = module.height;
        if ((f & 4) != 0) std::swap(mw, mh);
        minX = std::min(minX, x + ox);
        minY = std::min(minY, y + oy);
        maxX = std::max(maxX, x + ox + mw);
        maxY = std::max(maxY, y + oy + mh);
      }
    }
  }
};

}  // namespace

std::array<int, 4> measureFrame(const SpriteDescription& sprite, int frame) {
  Measure measure{sprite};
  measure.frame(frame, 0, 0, 0, 0);
  if (measure.minX > measure.maxX || measure.minY > measure.maxY) return {0, 0, 0, 0};
  return {measure.minX, measure.minY, measure.maxX, measure.maxY};
}

std::array<int, 4> computeFrameRect(const SpriteDescription& sprite, int frame) {
  const auto b = measureFrame(sprite, frame);
  return {b[0], b[1], b[2] - b[0], b[3] - b[1]};
}

std::vector<uint8_t> writeSprite(const SpriteDescription& sprite) {
  LittleEndian out;
  out.u16raw(1);  // format version of our writer; the game does not read it
  out.u32(sprite.flags);
  writeModules(out, sprite);
  writeFModules(out, sprite);
  writeFrames(out, sprite);
  writeAFrames(out, sprite);
  writeAnims(out, sprite);
  if ((sprite.flags & imageData) != 0 && !sprite.modules.empty()) writeImageData(out, sprite);
  // Shorter entries are not sprites to the game; the reader stops before
  // the padding.
  while (out.writer.size() < minEntryBytes) out.writer.writeByte(0);
  return out.writer.take();
}

}  // namespace tools
