// spriteview: paints frames of sprite descriptions into an RGB PNG, to look
// at art as the game will place it.
//   spriteview --sheet <description.json> <out.png> [palette]
//       every frame in a grid, its anchor marked by a grey cross
//   spriteview --scene <out.png> <#rrggbb> <description.json>:<frame>@<x>,<y>[:<palette>] ...
//       an 800 x 480 screen with each frame drawn at its anchor, in order
// Image modules only; transforms are ignored.
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/compiler/SpriteCompiler.h"

namespace {

struct Canvas {
  int width, height;
  std::vector<uint32_t> pixels;
  Canvas(int w, int h, uint32_t fill) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}
  void put(int x, int y, uint32_t rgb) {
    if (x >= 0 && y >= 0 && x < width && y < height) pixels[size_t(y) * size_t(width) + size_t(x)] = rgb;
  }
};

tools::SpriteDescription load(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error(file.string() + ": cannot be read");
  const std::string json((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return tools::compileSpriteDescription(json, file.parent_path(), file.string());
}

void drawFrame(Canvas& canvas, const tools::SpriteDescription& sprite, int frame, int x, int y, int palette) {
  if (frame < 0 || size_t(frame) >= sprite.frames.size()) throw std::runtime_error("no frame " + std::to_string(frame));
  const auto& colours = sprite.palettes.at(size_t(std::min<size_t>(size_t(palette), sprite.palettes.size() - 1)));
  for (const tools::SpriteFModule& placed : sprite.frames[size_t(frame)].modules) {
    const tools::SpriteModule& module = sprite.modules.at(size_t(placed.index));
    if (module.kind != 0) continue;
    for (int row = 0; row < module.height; ++row)
      for (int column = 0; column < module.width; ++column) {
        const uint8_t index = module.indices[size_t(row * module.width + column)];
        if (index != 0) canvas.put(x + placed.x + column, y + placed.y + row, colours[index] & 0xFFFFFF);
      }
  }
}

void writePng(const Canvas& canvas, const std::filesystem::path& file) {
  FILE* out = fopen(file.c_str(), "wb");
  if (out == nullptr) throw std::runtime_error(file.string() + ": cannot be written");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    fclose(out);
    throw std::runtime_error(file.string() + ": libpng failed");
  }
  png_init_io(png, out);
  png_set_IHDR(png, info, png_uint_32(canvas.width), png_uint_32(canvas.height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(size_t(canvas.width) * 3);
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      const uint32_t rgb = canvas.pixels[size_t(y) * size_t(canvas.width) + size_t(x)];
      row[size_t(x) * 3] = png_byte(rgb >> 16);
      row[size_t(x) * 3 + 1] = png_byte(rgb >> 8);
      row[size_t(x) * 3 + 2] = png_byte(rgb);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  fclose(out);
}

void sheet(const std::filesystem::path& description, const std::filesystem::path& output, int palette) {
  const tools::SpriteDescription sprite = load(description);
  int cell = 40;
  for (size_t f = 0; f < sprite.frames.size(); ++f) {
    const auto rect = tools::computeFrameRect(sprite, int(f));
    cell = std::max({cell, 2 * std::max(-rect[0], rect[0] + rect[2]) + 8, 2 * std::max(-rect[1], rect[1] + rect[3]) + 8});
  }
  const int columns = std::max(1, std::min(int(sprite.frames.size()), 1600 / cell));
  const int rows = (int(sprite.frames.size()) + columns - 1) / columns;
  Canvas canvas(columns * cell, rows * cell, 0x404040);
  for (int f = 0; f < int(sprite.frames.size()); ++f) {
    const int left = f % columns * cell, top = f / columns * cell;
    for (int y = 1; y < cell; ++y)
      for (int x = 1; x < cell; ++x) canvas.put(left + x, top + y, ((x / 8 + y / 8) % 2) ? 0x6a6a6a : 0x5a5a5a);
    const int cx = left + cell / 2, cy = top + cell / 2;
    drawFrame(canvas, sprite, f, cx, cy, palette);
    for (int d = -4; d <= 4; ++d) {
      canvas.put(cx + d, cy, 0xff00ff);
      canvas.put(cx, cy + d, 0xff00ff);
    }
  }
  writePng(canvas, output);
}

void scene(const std::filesystem::path& output, const std::string& fill, int argc, char** argv) {
  Canvas canvas(800, 480, uint32_t(std::stoul(fill.substr(1), nullptr, 16)));
  std::map<std::string, tools::SpriteDescription> sprites;
  for (int i = 0; i < argc; ++i) {
    const std::string item = argv[i];
    const size_t colon = item.find(':'), at = item.find('@'), comma = item.find(',', at);
    if (colon == std::string::npos || at == std::string::npos || comma == std::string::npos)
      throw std::runtime_error("\"" + item + "\" is not description:frame@x,y[:palette]");
    const std::string file = item.substr(0, colon);
    if (!sprites.contains(file)) sprites.emplace(file, load(file));
    const size_t paletteColon = item.find(':', comma);
    const int palette = paletteColon == std::string::npos ? 0 : std::stoi(item.substr(paletteColon + 1));
    drawFrame(canvas, sprites.at(file), std::stoi(item.substr(colon + 1)), std::stoi(item.substr(at + 1)),
              std::stoi(item.substr(comma + 1)), palette);
  }
  writePng(canvas, output);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc >= 4 && std::string(argv[1]) == "--sheet") {
      sheet(argv[2], argv[3], argc > 4 ? std::stoi(argv[4]) : 0);
      return 0;
    }
    if (argc >= 4 && std::string(argv[1]) == "--scene") {
      scene(argv[2], argv[3], argc - 4, argv + 4);
      return 0;
    }
    fprintf(stderr, "usage: spriteview --sheet <description.json> <out.png> [palette]\n"
                    "       spriteview --scene <out.png> <#rrggbb> <description.json>:<frame>@<x>,<y>[:<palette>] ...\n");
    return 2;
  } catch (const std::exception& error) {
    fprintf(stderr, "spriteview: %s\n", error.what());
    return 1;
  }
}
