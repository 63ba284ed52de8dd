// Sprite painting and text, each against a baseline measured side by side
// in the same run:
// - a 64 x 96 actor frame painted uncached (decoded at every paint) and
//   cached (a pooled Image), flags 0, 1 and 4, against drawRGB of the same
//   pixels: ratio_vs_drawRGB;
// - a 60-character line whose glyphs stay in the font's image pool against
//   the same length of line with more glyph and palette pairs than the pool
//   holds: ratio_thrash_vs_hit;
// - wrapText of 1,000 characters against measureText of the same text:
//   ratio_vs_measure.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "game/toolkit/ASprite.h"
#include "game/toolkit/ToolkitClassInitialisers.h"
#include "game/toolkit/ToolkitStatics.h"
#include "platform/java_lang/LangClassInitialisers.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/Application.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tools/compiler/FontCompiler.h"
#include "tools/writers/SpriteWriter.h"

namespace {

using Clock = std::chrono::steady_clock;
using Graphics = javax_microedition_lcdui_Graphics;
using Image = javax_microedition_lcdui_Image;
constexpr int32_t actorWidth = 64, actorHeight = 96;

struct Runtime {
  ClassInitialisers table;
  Application application;
  Image* screen = nullptr;
  Graphics* graphics = nullptr;
  Runtime() {
    table.gameStatics = describeGameStatics<ToolkitStatics>();
    setLangClassInitialisers(table);
    setToolkitClassInitialisers(table);
    application.init(&table, 8u << 20, 8u << 20);
    screen = Image::createImage(800, 480);
    graphics = screen->getGraphics();
    ASprite::initCachePools(2);
  }
  ~Runtime() { application.close(); }
};

ASprite* loadSprite(const tools::SpriteDescription& description) {
  const std::vector<uint8_t> bytes = tools::writeSprite(description);
  ByteArray* data = newByteArray(int32_t(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) data->set(int32_t(i), int8_t(bytes[i]));
  ASprite* sprite = newObject<ASprite>();
  return sprite->load(data, 0, 0xFFFFFF, 1) ? sprite : nullptr;
}

// An actor: an outlined body with flat areas and a transparent surround.
tools::SpriteDescription actorSprite() {
  tools::SpriteDescription s;
  s.flags = 0x1000000;
  tools::SpriteModule body;
  body.width = actorWidth;
  body.height = actorHeight;
  for (int y = 0; y < actorHeight; ++y)
    for (int x = 0; x < actorWidth; ++x) {
      const int dx = x - actorWidth / 2, dy = (y - actorHeight / 2) * 2 / 3;
      const int r2 = dx * dx + dy * dy;
      body.indices.push_back(uint8_t(r2 > 30 * 30 ? 0 : r2 > 28 * 28 ? 1 : 2 + (y / 12) % 4));
    }
  s.modules = {body};
  s.frames.resize(1);
  s.frames[0].modules = {{0, -actorWidth / 2, -actorHeight, 0, 0}};
  s.palettes = {{0x00FF00FF, 0xFF101010, 0xFFC08040, 0xFF4080C0, 0xFF80C040, 0xFFE0E0E0}};
  return s;
}

void BM_ActorFrame(benchmark::State& state) {
  const int32_t flags = int32_t(state.range(0));
  const bool cached = state.range(1) != 0;
  Runtime runtime;
  ASprite* actor = loadSprite(actorSprite());
  if (actor == nullptr) {
    state.SkipWithError("actor sprite refused");
    return;
  }
  if (cached) {
    ASprite::initCachePool(0, 4);
    ASprite::setCachePool(actor, 0);
  }
  IntArray* pixels = newIntArray(actorWidth * actorHeight);
  const IntArray* decoded = actor->decodeModuleRGB(0);
  for (int32_t i = 0; i < actorWidth * actorHeight; ++i) pixels->set(i, decoded->get(i));
  Clock::duration paintTime{}, baselineTime{};
  for (auto _ : state) {
    const auto start = Clock::now();
    actor->paintFrame(runtime.graphics, 0, 400, 300, flags, 0, 0);
    benchmark::ClobberMemory();
    const auto middle = Clock::now();
    runtime.graphics->drawRGB(pixels, 0, actorWidth, 400 - actorWidth / 2, 300 - actorHeight, actorWidth, actorHeight,
                              true);
    benchmark::ClobberMemory();
    const auto end = Clock::now();
    paintTime += middle - start;
    baselineTime += end - middle;
  }
  state.counters["ratio_vs_drawRGB"] = double(paintTime.count()) / double(baselineTime.count() ? baselineTime.count() : 1);
}
BENCHMARK(BM_ActorFrame)->ArgNames({"flags", "cached"})->ArgsProduct({{0, 1, 4}, {0, 1}});

ASprite* textFont() {
  ASprite* font = loadSprite(tools::compileFont(tools::textFontStyle()));
  if (font == nullptr) return nullptr;
  const std::vector<int32_t> map = tools::fontCharacterMap();
  ShortArray* shorts = newShortArray(int32_t(map.size()));
  for (size_t i = 0; i < map.size(); ++i) shorts->set(int32_t(i), int16_t(map[i]));
  font->setCharMap(shorts);
  font->initFontMetrics();
  return font;
}

String* asciiString(const std::string& text) { return newString(text.c_str()); }

void BM_TextLine(benchmark::State& state) {
  Runtime runtime;
  ASprite* font = textFont();
  if (font == nullptr) {
    state.SkipWithError("font refused");
    return;
  }
  // Pool 0 holds the hit line's 12 distinct glyphs; pool 1 holds 8 slots,
  // far fewer than the thrashing line's 60 glyph and palette pairs.
  ASprite::initCachePool(0, 50);
  ASprite::initCachePool(1, 8);
  String* hit = asciiString("Quendrill the quiet quill quells quarrels. Quendrill quills!!");
  std::string thrashText;
  for (int i = 0; thrashText.size() < 60 + 40; ++i) {
    thrashText += "\\" + std::to_string(i % 7);
    thrashText += char('A' + i % 26);
  }
  String* thrash = asciiString(thrashText);
  Clock::duration hitTime{}, thrashTime{};
  for (auto _ : state) {
    ASprite::setCachePool(font, 0);
    const auto start = Clock::now();
    font->drawStringAt(runtime.graphics, hit, 10, 100, 0, true);
    benchmark::ClobberMemory();
    const auto middle = Clock::now();
    font->cachePool = 1;
    font->drawStringAt(runtime.graphics, thrash, 10, 140, 0, true);
    benchmark::ClobberMemory();
    const auto end = Clock::now();
    hitTime += middle - start;
    thrashTime += end - middle;
  }
  state.counters["ratio_thrash_vs_hit"] = double(thrashTime.count()) / double(hitTime.count() ? hitTime.count() : 1);
  state.counters["hit_us_per_line"] =
      std::chrono::duration<double, std::micro>(hitTime).count() / double(state.iterations());
}
BENCHMARK(BM_TextLine);

void BM_WrapText(benchmark::State& state) {
  Runtime runtime;
  ASprite* font = textFont();
  if (font == nullptr) {
    state.SkipWithError("font refused");
    return;
  }
  std::string words;
  const char* sample[] = {"the ", "lantern ", "flickers ", "over ", "a ", "quiet ", "harbour\n", "and ", "\\^bold\\^ "};
  for (int i = 0; words.size() < 1000; ++i) words += sample[i % 9];
  words.resize(1000);
  String* text = asciiString(words);
  Clock::duration wrapTime{}, measureTime{};
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(font->wrapText(text, 300));
    benchmark::ClobberMemory();
    const auto middle = Clock::now();
    font->measureText(text, nullptr);
    benchmark::ClobberMemory();
    const auto end = Clock::now();
    wrapTime += middle - start;
    measureTime += end - middle;
  }
  state.counters["ratio_vs_measure"] = double(wrapTime.count()) / double(measureTime.count() ? measureTime.count() : 1);
  state.counters["wrap_us"] = std::chrono::duration<double, std::micro>(wrapTime).count() / double(state.iterations());
}
BENCHMARK(BM_WrapText);

}  // namespace
BENCHMARK_MAIN();
