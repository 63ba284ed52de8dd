// Tile layers: three full layers of a 50 x 30 map painted per frame in the
// direct mode, against full-screen opaque image blits of the same pixel
// count (ratio_vs_screen_blits: three layers over three blits); and the
// pre-rendered mode's scrolled frame against the direct mode's frame of one
// layer (ratio_vs_direct). The tiles are opaque 32 x 32 image modules of a
// sprite with one palette, painted by the sprite painter; argument 1 caches
// them as images first, argument 0 decodes each tile as it is painted.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/ToolkitClassInitialisers.h"
#include "game/toolkit/ToolkitStatics.h"
#include "platform/java_lang/LangClassInitialisers.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/Application.h"
#include "runtime/lang/Arrays.h"
#include "runtime/object/ObjectFactory.h"
#include "tools/writers/SpriteWriter.h"

namespace {

using Clock = std::chrono::steady_clock;
using Image = javax_microedition_lcdui_Image;
using Graphics = javax_microedition_lcdui_Graphics;
constexpr int32_t screenWidth = 800, screenHeight = 480, columns = 50, rows = 30;

ByteArray* bytesOf(const std::vector<uint8_t>& bytes) {
  ByteArray* array = newByteArray(int32_t(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) array->set(int32_t(i), int8_t(bytes[i]));
  return array;
}

struct LayerBench {
  ClassInitialisers table;
  Application application;
  Image* screen = nullptr;

  explicit LayerBench(bool cached) {
    table.gameStatics = describeGameStatics<ToolkitStatics>();
    setLangClassInitialisers(table);
    setToolkitClassInitialisers(table);
    application.init(&table, 8u << 20, 8u << 20);
    screen = Image::createImage(screenWidth, screenHeight);
    toolkitStatics().cGameDraw.graphics = screen->getGraphics();
    toolkitStatics().cGameDraw.screenWidth = screenWidth;
    toolkitStatics().cGameDraw.screenHeight = screenHeight;

    tools::SpriteDescription description;
    description.flags = 0x1000000;
    tools::SpriteModule module;
    module.width = module.height = 32;
    for (int i = 0; i < 32 * 32; ++i) module.indices.push_back(uint8_t((i % 32 + i / 32) % 4));
    description.modules = {module};
    description.palettes = {{0xFF336699, 0xFF446688, 0xFF557799, 0xFF6688AA}};
    description.frames.resize(8);
    for (auto& frame : description.frames) {
      frame.modules = {{0, 0, 0, 0, 0}};
      frame.rect = {0, 0, 32, 32};
    }
    ASprite* sprite = newObject<ASprite>();
    sprite->load(bytesOf(tools::writeSprite(description)), 0, 0xFFFFFF, 1);
    // Cached as module images, as a loaded tile set is .
    if (cached) sprite->buildModuleCache(0, 0, -1, -1);
    CVLibPlayer::initLayerTables(screenWidth, screenHeight, 32, 32);
    std::vector<uint8_t> tiles(columns * rows), attributes(columns * rows);
    for (size_t i = 0; i < tiles.size(); ++i) tiles[i] = uint8_t(i % 8);
    const std::vector<uint8_t> header = {columns, 0, rows, 0};
    for (int n = 0; n < 3; ++n)
      CVLibPlayer::buildLayer(n, bytesOf(header), bytesOf(tiles), bytesOf(attributes), sprite, -1, 16, 0, 0);
    CVLibPlayer::buildLayer(3, bytesOf(header), bytesOf(tiles), bytesOf(attributes), sprite, 3, 16, 0, 0);
  }
  ~LayerBench() { application.close(); }
};

void BM_ThreeLayersDirect(benchmark::State& state) {
  LayerBench bench(state.range(0) != 0);
  Image* full = Image::createImage(screenWidth, screenHeight);
  Graphics* g = bench.screen->getGraphics();
  Clock::duration layerTime{}, blitTime{};
  int32_t step = 0;
  for (auto _ : state) {
    step = (step + 7) % 800;
    for (int n = 0; n < 3; ++n) CVLibPlayer::setLayerScroll(n, step, step / 2);
    const auto start = Clock::now();
    CVLibPlayer::paintLayers(g, 0, 0, 0);
    CVLibPlayer::paintLayers(g, 0, 0, 1);
    CVLibPlayer::paintLayers(g, 0, 0, 2);
    benchmark::ClobberMemory();
    const auto middle = Clock::now();
    for (int n = 0; n < 3; ++n) g->drawImage(full, 0, 0, 0);
    benchmark::ClobberMemory();
    const auto end = Clock::now();
    layerTime += middle - start;
    blitTime += end - middle;
  }
  // Three layers against three screen blits: the same pixel count.
  state.counters["ratio_vs_screen_blits"] = double(layerTime.count()) / double(blitTime.count() ? blitTime.count() : 1);
}
BENCHMARK(BM_ThreeLayersDirect)->Arg(0)->Arg(1);

void BM_PreRenderedScrolledFrame(benchmark::State& state) {
  LayerBench bench(state.range(0) != 0);
  Graphics* g = bench.screen->getGraphics();
  Clock::duration preTime{}, directTime{};
  int32_t step = 0;
  for (auto _ : state) {
    step = (step + 3) % 800;
    CVLibPlayer::setLayerScroll(0, step, step / 2);
    CVLibPlayer::setLayerScroll(3, step, step / 2);
    const auto start = Clock::now();
    CVLibPlayer::paintLayers(g, 0, 0, 3);
    benchmark::ClobberMemory();
    const auto middle = Clock::now();
    CVLibPlayer::paintLayers(g, 0, 0, 0);
    benchmark::ClobberMemory();
    const auto end = Clock::now();
    preTime += middle - start;
    directTime += end - middle;
  }
  state.counters["ratio_vs_direct"] = double(preTime.count()) / double(directTime.count() ? directTime.count() : 1);
}
BENCHMARK(BM_PreRenderedScrolledFrame)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
