#pragma once
// Small PNG fixtures written by libpng's own writer, so that the decoder
// tests never depend on binary files.
#include <png.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

struct PngFixture {
  uint32_t width = 1;
  uint32_t height = 1;
  int bitDepth = 8;
  int colourType = PNG_COLOR_TYPE_RGB;
  bool interlaced = false;
  std::vector<png_color> palette;
  std::vector<uint8_t> paletteAlpha;     // tRNS of a palette image
  bool hasTransparentColour = false;     // tRNS of a grey or RGB image
  png_color_16 transparentColour{};
  std::vector<std::vector<uint8_t>> rows;  // packed as PNG stores them
};

inline std::vector<uint8_t> writePng(const PngFixture& fixture) {
  std::vector<uint8_t> bytes;
  png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(writer);
  if (setjmp(png_jmpbuf(writer))) {
    png_destroy_write_struct(&writer, &info);
    throw std::runtime_error("png fixture");
  }
  png_set_write_fn(
      writer, &bytes,
      [](png_structp w, png_bytep data, png_size_t count) {
        auto& out = *static_cast<std::vector<uint8_t>*>(png_get_io_ptr(w));
        out.insert(out.end(), data, data + count);
      },
      nullptr);
  png_set_IHDR(writer, info, fixture.width, fixture.height, fixture.bitDepth, fixture.colourType,
               fixture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!fixture.palette.empty())
    png_set_PLTE(writer, info, fixture.palette.data(), int(fixture.palette.size()));
  if (!fixture.paletteAlpha.empty())
    png_set_tRNS(writer, info, fixture.paletteAlpha.data(), int(fixture.paletteAlpha.size()), nullptr);
  if (fixture.hasTransparentColour) png_set_tRNS(writer, info, nullptr, 0, &fixture.transparentColour);
  png_write_info(writer, info);
  std::vector<png_bytep> rowPointers;
  for (const auto& row : fixture.rows) rowPointers.push_back(const_cast<png_bytep>(row.data()));
  png_write_image(writer, rowPointers.data());
  png_write_end(writer, nullptr);
  png_destroy_write_struct(&writer, &info);
  return bytes;
}

// An 8-bit RGB or RGBA fixture from ARGB words (alpha ignored for RGB).
inline PngFixture truecolourFixture(uint32_t width, uint32_t height, const std::vector<uint32_t>& argb, bool alpha) {
  PngFixture fixture;
  fixture.width = width;
  fixture.height = height;
  fixture.colourType = alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
  for (uint32_t y = 0; y < height; ++y) {
    std::vector<uint8_t> row;
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t pixel = argb[y * width + x];
      row.push_back(uint8_t(pixel >> 16));
      row.push_back(uint8_t(pixel >> 8));
      row.push_back(uint8_t(pixel));
      if (alpha) row.push_back(uint8_t(pixel >> 24));
    }
    fixture.rows.push_back(row);
  }
  return fixture;
}
