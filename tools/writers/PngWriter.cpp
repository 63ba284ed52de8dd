#include "tools/writers/PngWriter.h"

#include <png.h>

#include <stdexcept>

namespace tools {

std::vector<uint8_t> writePalettePng(const PaletteImage& image) {
  if (image.width == 0 || image.height == 0 || image.palette.empty() || image.palette.size() > 256 ||
      image.pixels.size() != size_t(image.width) * image.height) {
    throw std::runtime_error("png: image size, palette or pixels do not agree");
  }
  std::vector<uint8_t> out;
  png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = writer != nullptr ? png_create_info_struct(writer) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(writer))) {
    png_destroy_write_struct(&writer, &info);
    throw std::runtime_error("png: libpng failed");
  }
  png_set_write_fn(
      writer, &out,
      [](png_structp w, png_bytep data, png_size_t count) {
        auto* bytes = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(w));
        bytes->insert(bytes->end(), data, data + count);
      },
      nullptr);
  png_set_IHDR(writer, info, image.width, image.height, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  std::vector<png_byte> alpha;
  for (uint32_t colour : image.palette) {
    palette.push_back({png_byte(colour >> 16), png_byte(colour >> 8), png_byte(colour)});
    alpha.push_back(png_byte(colour >> 24));
  }
  png_set_PLTE(writer, info, palette.data(), int(palette.size()));
  size_t lastTranslucent = 0;
  for (size_t i = 0; i < alpha.size(); ++i) {
    if (alpha[i] != 255) lastTranslucent = i + 1;
  }
  if (lastTranslucent > 0) png_set_tRNS(writer, info, alpha.data(), int(lastTranslucent), nullptr);
  png_write_info(writer, info);
  for (uint32_t y = 0; y < image.height; ++y) {
    png_write_row(writer, const_cast<png_bytep>(image.pixels.data() + size_t(y) * image.width));
  }
  png_write_end(writer, info);
  png_destroy_write_struct(&writer, &info);
  return out;
}

}  // namespace tools
