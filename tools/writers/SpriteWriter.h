#pragma once
// The sprite block (little-endian): flags, the module, frame-module, frame,
// aframe and animation tables, then, under flag 0x1000000, the palettes,
// the pixel encoding and each module's encoded pixels. The description
// names indices plainly (0..1023); the writer splits them into the low byte
// and the flags' bits 6 and 7, narrows every value to the width the flags
// choose and refuses what the reader would refuse.
#include <array>
#include <cstdint>
#include <vector>

#include "game/toolkit/SpriteLimits.h"

namespace tools {

struct SpriteModule {
  int kind = 0;  // the sprite's own kinds: 0 image, 1 rectangle, 2 filled rectangle, 3 arc,
                 // 4 filled arc, 5 empty box, 6 triangle, 7 filled triangle
  int x = 0, y = 0;  // stored for images when flags ask for positions
  int width = 0, height = 0;
  uint32_t colour = 0;              // ARGB, shapes
  std::vector<int> parameters;      // arcs: start, arc; triangles: x2, y2, x3, y3
  std::vector<uint8_t> indices;     // images: width x height palette indices, row by row
  std::vector<uint8_t> alpha;       // images under 0xA256: one per pixel; empty = all 0xFF
};

struct SpriteFModule {
  int index = 0;  // module, or frame when flags has 0x10
  int x = 0, y = 0;
  int palette = 0;  // written under flag 0x4000
  int flags = 0;    // transform bits 0..3 and 0x10
};

struct SpriteFrame {
  std::vector<SpriteFModule> modules;
  std::vector<std::array<int, 4>> collisionRects;  // under flag 0x8000
  // Written unless flag 0x1000; computeFrameRect fills it as the game
  // measures the frame.
  std::array<int, 4> rect{};
};

struct SpriteAFrame {
  int frame = 0;
  int time = 1;
  int x = 0, y = 0;
  int flags = 0;
};

struct SpriteAnim {
  std::vector<SpriteAFrame> aframes;
};

struct SpriteDescription {
  uint32_t flags = 0;
  std::vector<SpriteModule> modules;
  std::vector<SpriteFrame> frames;
  std::vector<SpriteAnim> anims;
  // Image data (flag 0x1000000).
  int paletteFormat = 0x8888;
  std::vector<std::vector<uint32_t>> palettes;  // ARGB; all of one size, at most 256
  int encoding = 0x56F2;
};

namespace spriteformat {
constexpr int argb8888 = 0x8888, argb4444 = 0x4444, argb1555 = 0x5515, rgb565 = 0x6505;
constexpr int packed1 = 0x0200, packed2 = 0x0400, packed4 = 0x1600, bytes = 0x5602, singleOrRun = 0x27F1,
              runOrLiterals = 0x56F2, packedRuns = 0x64F0, runsWithAlpha = 0xA256;
constexpr int maxModulePixels = spritelimit::pixelBufferSize;
}  // namespace spriteformat

// Throws std::runtime_error naming what does not fit the reader's limits.
std::vector<uint8_t> writeSprite(const SpriteDescription& sprite);

// A palette colour in a stored format (its little-endian value).
uint32_t encodePaletteColour(int format, uint32_t argb);
// One module's pixels in an encoding; colours sets the packed-run index bits.
std::vector<uint8_t> encodeModulePixels(int encoding, const std::vector<uint8_t>& indices,
                                        const std::vector<uint8_t>& alpha, int colours);
// {minX, minY, maxX, maxY} of the frame painted at (0, 0) without flips,
// exactly as the game measures it; a frame without modules gives {0,0,0,0}.
std::array<int, 4> measureFrame(const SpriteDescription& sprite, int frame);
// The frame's rect {x, y, width, height} from measureFrame.
std::array<int, 4> computeFrameRect(const SpriteDescription& sprite, int frame);

}  // namespace tools
