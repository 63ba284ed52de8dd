// Module decoding per pixel encoding against a plain copy of the same number
// of ARGB pixels, side by side in one run: ratio_vs_copy is decode time over
// copy time for one full-buffer module (160 x 128) of sprite-like art: flat
// areas, outlines and some dithered detail.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <random>
#include <vector>

#include "game/toolkit/SpritePixelDecoding.h"
#include "tools/writers/SpriteWriter.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int width = 160, height = 128, pixels = width * height;

std::vector<uint8_t> artIndices(int colours) {
  std::vector<uint8_t> indices(pixels);
  std::mt19937 random(109);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int dx = x - width / 2, dy = y - height / 2;
      const int r2 = dx * dx + dy * dy;
      int index = r2 > 55 * 55 ? 0 : r2 > 52 * 52 ? 1 : 2 + (x / 12 + y / 16) % 3;
      if (r2 < 30 * 30 && random() % 5 == 0) index = 5 + static_cast<int>(random() % 4);
      indices[static_cast<size_t>(y * width + x)] = static_cast<uint8_t>(index % colours);
    }
  }
  return indices;
}

void BM_DecodeModule(benchmark::State& state) {
  const int encoding = static_cast<int>(state.range(0));
  const int colours = encoding == 0x0200 ? 2 : encoding == 0x0400 ? 4 : 16;
  const std::vector<uint8_t> indices = artIndices(colours);
  std::vector<uint8_t> alpha;
  if (encoding == 0xA256)
    for (int i = 0; i < pixels; ++i) alpha.push_back(indices[static_cast<size_t>(i)] == 0 ? 0 : i % 7 == 0 ? 128 : 255);
  const std::vector<uint8_t> bytes = tools::encodeModulePixels(encoding, indices, alpha, colours);
  std::vector<int32_t> palette(static_cast<size_t>(colours));
  for (int i = 0; i < colours; ++i) palette[static_cast<size_t>(i)] = static_cast<int32_t>(0xFF000000u | i * 0x111111u);
  int bits = 0;
  while (((colours - 1) >> bits) != 0) ++bits;
  const SpritePixelSource source{bytes.data(), bytes.size(), encoding, bits, (1 << bits) - 1};
  std::vector<int32_t> out(pixels), copySource(pixels, 0x12345678), copyTarget(pixels);
  Clock::duration decodeTime{}, copyTime{};
  for (auto _ : state) {
    const auto start = Clock::now();
    const bool decoded = decodeSpritePixels(source, palette.data(), colours, out.data(), pixels);
    benchmark::DoNotOptimize(decoded);
    benchmark::ClobberMemory();
    const auto middle = Clock::now();
    std::memcpy(copyTarget.data(), copySource.data(), pixels * sizeof(int32_t));
    benchmark::ClobberMemory();
    const auto end = Clock::now();
    decodeTime += middle - start;
    copyTime += end - middle;
  }
  state.counters["ratio_vs_copy"] = double(decodeTime.count()) / double(copyTime.count() ? copyTime.count() : 1);
  state.counters["encoded_bytes"] = double(bytes.size());
  state.counters["megapixels_per_s"] =
      benchmark::Counter(double(pixels) * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

BENCHMARK(BM_DecodeModule)
    ->ArgName("encoding")
    ->Arg(0x0200)
    ->Arg(0x0400)
    ->Arg(0x1600)
    ->Arg(0x5602)
    ->Arg(0x27F1)
    ->Arg(0x56F2)
    ->Arg(0x64F0)
    ->Arg(0xA256);

}  // namespace

BENCHMARK_MAIN();
