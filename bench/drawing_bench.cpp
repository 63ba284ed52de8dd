// The toolkit's translucent fill (64 x 64 ARGB tiles through drawRGB)
// against the rasteriser's own blended fillRect of the same area, measured
// side by side in one run: ratio_vs_blended_fillRect is fill time over
// fillRect time.
#include <benchmark/benchmark.h>

#include <chrono>

#include "game/toolkit/ToolkitClassInitialisers.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameToolkit.h"
#include "platform/java_lang/LangClassInitialisers.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/Application.h"
#include "runtime/lcdui/raster/Fill.h"

namespace {

using Clock = std::chrono::steady_clock;
using cGame = cGameToolkit;
constexpr int32_t screenWidth = 800, screenHeight = 480;
constexpr uint32_t panelColour = 0xB0203040;  // a dimming panel

void BM_FillRectAlphaFullScreen(benchmark::State& state) {
  ClassInitialisers table;
  table.gameStatics = describeGameStatics<ToolkitStatics>();
  setLangClassInitialisers(table);
  setToolkitClassInitialisers(table);
  Application application;
  application.init(&table, 4u << 20, 4u << 20);
  javax_microedition_lcdui_Image* screen = javax_microedition_lcdui_Image::createImage(screenWidth, screenHeight);
  javax_microedition_lcdui_Graphics* graphics = screen->getGraphics();
  cGameDrawStatics& draw = toolkitStatics().cGameDraw;
  draw.graphics = draw.screenGraphics = graphics;
  draw.screenWidth = screenWidth;
  draw.screenHeight = screenHeight;
  cGame::setFillColor(int32_t(panelColour));
  raster::GraphicsState blended = graphics->state;
  blended.colour = panelColour;

  Clock::duration fillTime{}, baselineTime{};
  for (auto _ : state) {
    const auto start = Clock::now();
    cGame::fillRectAlpha(graphics, 0, 0, screenWidth, screenHeight);
    benchmark::ClobberMemory();
    const auto middle = Clock::now();
    raster::fillRect(screen->surface(), blended, 0, 0, screenWidth, screenHeight);
    benchmark::ClobberMemory();
    const auto end = Clock::now();
    fillTime += middle - start;
    baselineTime += end - middle;
  }
  state.counters["ratio_vs_blended_fillRect"] =
      double(fillTime.count()) / double(baselineTime.count() ? baselineTime.count() : 1);
  state.counters["fill_us_per_iteration"] =
      std::chrono::duration<double, std::micro>(fillTime).count() / double(state.iterations());
  application.close();
}
BENCHMARK(BM_FillRectAlphaFullScreen);

}  // namespace

BENCHMARK_MAIN();
