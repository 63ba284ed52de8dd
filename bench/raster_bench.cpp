// The rasteriser's hot paths against the plainest copy of the same bytes,
// measured side by side in one run: each benchmark times the kernel and its
// baseline batch by batch and reports ratio_vs_<baseline> (kernel time over
// baseline time). A frame is about a thousand small blits.
#include <benchmark/benchmark.h>
#include <png.h>

#include <chrono>
#include <cstring>
#include <random>
#include <vector>

#include "runtime/lcdui/png/PngDecoder.h"
#include "runtime/lcdui/raster/DrawRegion.h"
#include "runtime/lcdui/raster/DrawRgb.h"
#include "runtime/lcdui/raster/Fill.h"
#include "runtime/lcdui/raster/GraphicsState.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int screenWidth = 800, screenHeight = 480, tileSize = 32, tilesPerFrame = 1000;

struct Image {
  std::vector<uint16_t> store;
  raster::Surface surface;
  Image(int width, int height, int32_t pixelType) {
    const int32_t pitch = int32_t(raster::pixelStorePitch(width));
    store.resize(size_t(pitch / 2) * height);
    surface = {store.data(), width, height, pitch, pixelType};
    std::mt19937 random(uint32_t(width * 31 + height + pixelType));
    for (uint16_t& pixel : store) {
      pixel = uint16_t(random());
      if (pixelType == raster::keyedRgb565 && random() % 4 == 0) pixel = raster::transparentKey;
    }
  }
};

struct TilePosition {
  int x, y;
};

const std::vector<TilePosition>& framePositions() {
  static const std::vector<TilePosition> positions = [] {
    std::vector<TilePosition> list;
    std::mt19937 random(1116);
    for (int k = 0; k < tilesPerFrame; ++k)
      list.push_back({int(random() % (screenWidth - tileSize)), int(random() % (screenHeight - tileSize))});
    return list;
  }();
  return positions;
}

// Runs kernel and baseline alternately and reports the ratio of their times.
template <class Kernel, class Baseline>
void compare(benchmark::State& state, const char* counterName, Kernel kernel, Baseline baseline) {
  Clock::duration kernelTime{}, baselineTime{};
  for (auto _ : state) {
    const auto start = Clock::now();
    kernel();
    const auto middle = Clock::now();
    baseline();
    const auto end = Clock::now();
    kernelTime += middle - start;
    baselineTime += end - middle;
  }
  state.counters[counterName] = double(kernelTime.count()) / double(baselineTime.count() ? baselineTime.count() : 1);
  state.counters["kernel_us_per_iteration"] =
      std::chrono::duration<double, std::micro>(kernelTime).count() / double(state.iterations());
}

// Row by row, the copy a blit of the tile could not do with less.
void copyTileRows(const raster::Surface& screen, const raster::Surface& tile, int x, int y) {
  for (int row = 0; row < tile.height; ++row)
    std::memcpy(screen.row(y + row) + x, tile.row(row), size_t(tile.width) * 2);
}

void BM_FillRectFullScreen(benchmark::State& state) {
  Image screen(screenWidth, screenHeight, raster::opaqueRgb565);
  raster::GraphicsState graphics = raster::makeGraphicsState(screen.surface);
  raster::setColor(graphics, 0x336699);
  compare(
      state, "ratio_vs_memset",
      [&] {
        raster::fillRect(screen.surface, graphics, 0, 0, screenWidth, screenHeight);
        benchmark::ClobberMemory();
      },
      [&] {
        std::memset(screen.store.data(), 0x5A, screen.store.size() * 2);
        benchmark::ClobberMemory();
      });
}
BENCHMARK(BM_FillRectFullScreen);

void BM_FillRectTiles(benchmark::State& state) {
  Image screen(screenWidth, screenHeight, raster::opaqueRgb565);
  raster::GraphicsState graphics = raster::makeGraphicsState(screen.surface);
  raster::setColor(graphics, 0x336699);
  compare(
      state, "ratio_vs_memset",
      [&] {
        for (const TilePosition& at : framePositions()) raster::fillRect(screen.surface, graphics, at.x, at.y, 32, 32);
        benchmark::ClobberMemory();
      },
      [&] {
        for (const TilePosition& at : framePositions())
          for (int row = 0; row < tileSize; ++row) std::memset(screen.surface.row(at.y + row) + at.x, 0x5A, 64);
        benchmark::ClobberMemory();
      });
}
BENCHMARK(BM_FillRectTiles);

// A frame of 32x32 tiles of one pixel type under one transform.
void tileFrame(benchmark::State& state, int32_t pixelType, int32_t transform) {
  Image screen(screenWidth, screenHeight, raster::opaqueRgb565);
  const Image tile(tileSize, tileSize, pixelType);
  const raster::GraphicsState graphics = raster::makeGraphicsState(screen.surface);
  compare(
      state, "ratio_vs_memcpy",
      [&] {
        for (const TilePosition& at : framePositions())
          raster::drawRegion(screen.surface, graphics, &tile.surface, 0, 0, tileSize, tileSize, transform, at.x, at.y, 0);
        benchmark::ClobberMemory();
      },
      [&] {
        for (const TilePosition& at : framePositions()) copyTileRows(screen.surface, tile.surface, at.x, at.y);
        benchmark::ClobberMemory();
      });
}

void BM_OpaqueTiles(benchmark::State& state) { tileFrame(state, raster::opaqueRgb565, 0); }
BENCHMARK(BM_OpaqueTiles);
void BM_KeyedTiles(benchmark::State& state) { tileFrame(state, raster::keyedRgb565, 0); }
BENCHMARK(BM_KeyedTiles);
void BM_Argb4444Tiles(benchmark::State& state) { tileFrame(state, raster::argb4444, 0); }
BENCHMARK(BM_Argb4444Tiles);
void BM_MirroredKeyedTiles(benchmark::State& state) { tileFrame(state, raster::keyedRgb565, 2); }
BENCHMARK(BM_MirroredKeyedTiles);
void BM_TurnedTiles(benchmark::State& state) { tileFrame(state, raster::keyedRgb565, int32_t(state.range(0))); }
BENCHMARK(BM_TurnedTiles)->DenseRange(4, 7);

void BM_OpaqueFullScreenImage(benchmark::State& state) {
  Image screen(screenWidth, screenHeight, raster::opaqueRgb565);
  const Image picture(screenWidth, screenHeight, raster::opaqueRgb565);
  const raster::GraphicsState graphics = raster::makeGraphicsState(screen.surface);
  compare(
      state, "ratio_vs_memcpy",
      [&] {
        raster::drawImage(screen.surface, graphics, &picture.surface, 0, 0, 0);
        benchmark::ClobberMemory();
      },
      [&] {
        std::memcpy(screen.store.data(), picture.store.data(), screen.store.size() * 2);
        benchmark::ClobberMemory();
      });
}
BENCHMARK(BM_OpaqueFullScreenImage);

// What one 32x32 opaque tile call costs beyond copying its rows.
void BM_TileCallOverhead(benchmark::State& state) {
  Image screen(screenWidth, screenHeight, raster::opaqueRgb565);
  const Image tile(tileSize, tileSize, raster::opaqueRgb565);
  const raster::GraphicsState graphics = raster::makeGraphicsState(screen.surface);
  Clock::duration kernelTime{}, baselineTime{};
  for (auto _ : state) {
    const auto start = Clock::now();
    for (const TilePosition& at : framePositions())
      raster::drawImage(screen.surface, graphics, &tile.surface, at.x, at.y, 0);
    benchmark::ClobberMemory();
    const auto middle = Clock::now();
    for (const TilePosition& at : framePositions()) copyTileRows(screen.surface, tile.surface, at.x, at.y);
    benchmark::ClobberMemory();
    const auto end = Clock::now();
    kernelTime += middle - start;
    baselineTime += end - middle;
  }
  const double calls = double(state.iterations()) * tilesPerFrame;
  state.counters["overhead_ns_per_call"] =
      std::chrono::duration<double, std::nano>(kernelTime - baselineTime).count() / calls;
  state.counters["ratio_vs_memcpy"] = double(kernelTime.count()) / double(baselineTime.count() ? baselineTime.count() : 1);
}
BENCHMARK(BM_TileCallOverhead);

// The baseline writes the same target bytes: a 32x32 tile copied to each place.
void BM_DrawRgbWithAlpha(benchmark::State& state) {
  Image screen(screenWidth, screenHeight, raster::opaqueRgb565);
  const Image tile(tileSize, tileSize, raster::opaqueRgb565);
  const raster::GraphicsState graphics = raster::makeGraphicsState(screen.surface);
  std::vector<int32_t> pixels(tileSize * tileSize);
  std::mt19937 random(7);
  for (int32_t& pixel : pixels) pixel = int32_t(random());
  constexpr int tilesPerBatch = 100;
  compare(
      state, "ratio_vs_memcpy",
      [&] {
        for (int k = 0; k < tilesPerBatch; ++k) {
          const TilePosition& at = framePositions()[k];
          raster::drawRGB(screen.surface, graphics, pixels.data(), pixels.size(), 0, tileSize, at.x, at.y, tileSize,
                          tileSize, true);
        }
        benchmark::ClobberMemory();
      },
      [&] {
        for (int k = 0; k < tilesPerBatch; ++k) {
          const TilePosition& at = framePositions()[k];
          copyTileRows(screen.surface, tile.surface, at.x, at.y);
        }
        benchmark::ClobberMemory();
      });
}
BENCHMARK(BM_DrawRgbWithAlpha);

std::vector<uint8_t> screenSizedPng() {
  std::vector<uint8_t> bytes;
  png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(writer);
  if (setjmp(png_jmpbuf(writer))) std::abort();
  png_set_write_fn(
      writer, &bytes,
      [](png_structp w, png_bytep data, png_size_t count) {
        auto& out = *static_cast<std::vector<uint8_t>*>(png_get_io_ptr(w));
        out.insert(out.end(), data, data + count);
      },
      nullptr);
  png_set_IHDR(writer, info, screenWidth, screenHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(writer, info);
  std::vector<uint8_t> row(screenWidth * 3);
  for (int y = 0; y < screenHeight; ++y) {
    for (int x = 0; x < screenWidth; ++x) {
      row[x * 3] = uint8_t(x ^ y);
      row[x * 3 + 1] = uint8_t(x * 3 + y);
      row[x * 3 + 2] = uint8_t((x * y) >> 4);
    }
    png_write_row(writer, row.data());
  }
  png_write_end(writer, nullptr);
  png_destroy_write_struct(&writer, &info);
  return bytes;
}

// libpng's own decode of the same file into RGB rows, nothing more.
void decodeWithLibpngAlone(const std::vector<uint8_t>& bytes, std::vector<uint8_t>& rows) {
  struct Reader {
    const std::vector<uint8_t>* bytes;
    size_t position;
  } reader{&bytes, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) std::abort();
  png_set_read_fn(png, &reader, [](png_structp p, png_bytep out, png_size_t count) {
    auto& r = *static_cast<Reader*>(png_get_io_ptr(p));
    std::memcpy(out, r.bytes->data() + r.position, count);
    r.position += count;
  });
  png_read_info(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  const uint32_t height = png_get_image_height(png, info);
  rows.resize(rowBytes * height);
  std::vector<png_bytep> pointers(height);
  for (uint32_t y = 0; y < height; ++y) pointers[y] = rows.data() + y * rowBytes;
  png_read_image(png, pointers.data());
  png_destroy_read_struct(&png, &info, nullptr);
}

void BM_PngDecodeScreenImage(benchmark::State& state) {
  const std::vector<uint8_t> bytes = screenSizedPng();
  std::vector<uint8_t> rows;
  compare(
      state, "ratio_vs_libpng",
      [&] {
        png::DecodedPng image;
        png::decodePng(bytes.data(), bytes.size(), image);
        benchmark::DoNotOptimize(image.pixels.get());
      },
      [&] {
        decodeWithLibpngAlone(bytes, rows);
        benchmark::DoNotOptimize(rows.data());
      });
}
BENCHMARK(BM_PngDecodeScreenImage);

}  // namespace

BENCHMARK_MAIN();
