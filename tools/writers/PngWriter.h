#pragma once
// Palette PNG images (8 bits per pixel) written by libpng, for content that
// the game decodes as PNG.
#include <cstdint>
#include <vector>

namespace tools {

struct PaletteImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint32_t> palette;  // 0xAARRGGBB; alpha below 255 goes to tRNS
  std::vector<uint8_t> pixels;    // width x height palette indices, row by row
};

// Throws std::runtime_error for an empty image, a palette past 256 entries or
// pixels that do not fill the image.
std::vector<uint8_t> writePalettePng(const PaletteImage& image);

}  // namespace tools
