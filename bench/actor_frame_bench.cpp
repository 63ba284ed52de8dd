// A frame of the world's actors: 20 actors walking about are updated,
// re-sorted, listed by depth and painted between three map layers, against
// the 62 ms frame period (frame_period_ratio: below 1 the frame fits). The
// room's whole frame adds the speech balloons and the hint over play, run
// through GameState 14's own update and paint. The sprites and the font are
// made by the content compiler's writers; the runtime has the whole game's
// statics.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "game/GameClassInitialisers.h"
#include "game/ContentRequirements.h"
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActor.h"
#include "platform/java_util/java_util_Random.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/Application.h"
#include "runtime/lang/Arrays.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/lang/String.h"
#include "tools/compiler/FontCompiler.h"
#include "tools/writers/SpriteWriter.h"

namespace {

using Clock = std::chrono::steady_clock;
using Image = javax_microedition_lcdui_Image;
constexpr double framePeriodMs = 62.0;
constexpr int32_t columns = 50, rows = 30, actorCount = 20;

ByteArray* bytesOf(const std::vector<uint8_t>& bytes) {
  ByteArray* array = newByteArray(int32_t(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) array->set(int32_t(i), int8_t(bytes[i]));
  return array;
}

// One image module per frame, frames of w x h, animations of four steps.
ASprite* imageSprite(int32_t w, int32_t h, int32_t frames, bool cached) {
  tools::SpriteDescription description;
  description.flags = 0x1000000 | 0x400;
  description.palettes = {{0x00FF00FF, 0xFF446688, 0xFF557799, 0xFF6688AA}};
  for (int32_t f = 0; f < frames; ++f) {
    tools::SpriteModule module;
    module.width = w;
    module.height = h;
    for (int32_t i = 0; i < w * h; ++i) module.indices.push_back(uint8_t((i % w + i / w + f) % 4));
    description.modules.push_back(module);
    tools::SpriteFrame frame;
    frame.modules = {{f, -w / 2, -h, 0, 0}};
    frame.rect = {-w / 2, -h, w, h};
    description.frames.push_back(frame);
  }
  for (int32_t a = 0; a < 2; ++a) {
    tools::SpriteAnim anim;
    for (int32_t s = 0; s < 4; ++s) anim.aframes.push_back({(a + s) % frames, 2, 0, 0, 0});
    description.anims.push_back(anim);
  }
  ASprite* sprite = newObject<ASprite>();
  sprite->load(bytesOf(tools::writeSprite(description)), 0, 0xFFFFFF, 1);
  if (cached) sprite->buildModuleCache(0, 0, -1, -1);
  return sprite;
}

// The game's text font, with its character map and metrics.
ASprite* textFont() {
  ASprite* font = newObject<ASprite>();
  if (!font->load(bytesOf(tools::writeSprite(tools::compileFont(tools::textFontStyle()))), 0, 0xFFFFFF, 1)) {
    return nullptr;
  }
  const std::vector<int32_t> map = tools::fontCharacterMap();
  ShortArray* shorts = newShortArray(int32_t(map.size()));
  for (size_t i = 0; i < map.size(); ++i) shorts->set(int32_t(i), int16_t(map[i]));
  font->setCharMap(shorts);
  font->initFontMetrics();
  return font;
}

// A text pack of one line, text 0; every other id is empty.
void loadOneText(const std::string& line) {
  cGameTextStatics& texts = toolkitStatics().cGameText;
  texts.count = 300;
  texts.encoding = nullptr;
  texts.bytes = bytesOf(std::vector<uint8_t>(line.begin(), line.end()));
  texts.offsets = newIntArray(texts.count + 1);
  for (int32_t i = 1; i <= texts.count; ++i) texts.offsets->set(i, int32_t(line.size()));
}

struct WorldFrame {
  Application application;
  Image* screen = nullptr;

  WorldFrame() {
    application.init(&gameClassInitialisers(), 16u << 20, 16u << 20, Application::LiteralPool::none);
    cGameLoopStatics& loop = shellStatics().cGameLoop;
    loop.sprites = newObjectArray(52);
    loop.random = newObject<java_util_Random>(int64_t{42});
    loop.timeStep = 62;
    screen = Image::createImage(800, 480);
    loop.graphics = screen->getGraphics();
    toolkitStatics().cGameDraw.graphics = loop.graphics;
    toolkitStatics().cGameDraw.screenGraphics = loop.graphics;
    toolkitStatics().cGameDraw.screenWidth = 800;
    toolkitStatics().cGameDraw.screenHeight = 480;
    worldStatics().cGamePlay.behavioursEnabled = true;

    ASprite* tiles = imageSprite(32, 32, 8, true);
    for (int32_t n = 0; n < 4; ++n) loop.sprites->set(7 + n, tiles);
    CVLibPlayer::initLayerTables(800, 480, 32, 32);
    std::vector<uint8_t> plane(columns * rows), attributes(columns * rows);
    for (size_t i = 0; i < plane.size(); ++i) plane[i] = uint8_t(i % 8);
    const std::vector<uint8_t> header = {columns, 0, rows, 0};
    for (int32_t n : {0, 2, 3})
      CVLibPlayer::buildLayer(n, bytesOf(header), bytesOf(plane), bytesOf(attributes), tiles, -1, 16, 0, 0);
    cGame::createCollisionMap(columns, rows);

    ASprite* body = imageSprite(64, 96, 6, true);
    IntArray* position = newIntArray(3);
    for (int32_t i = 0; i < actorCount; ++i) {
      position->set(0, (40 + i * 37) << 8);
      position->set(1, (120 + (i * 53) % 340) << 8);
      cActor* actor = cActor::create(63, 0, position);
      actor->flags |= ActorFlags::ACTIVE;
      actor->setSprite(body);
      actor->setAnim(i % 2, -1);
    }
  }
  ~WorldFrame() { application.close(); }
};

void BM_ActorFrame(benchmark::State& state) {
  WorldFrame world;
  javax_microedition_lcdui_Graphics* g = shellStatics().cGameLoop.graphics;
  int32_t frame = 0;
  const auto start = Clock::now();
  for (auto _ : state) {
    // Half of them walk to a new spot now and then, so the list re-sorts.
    if (++frame % 8 == 0) {
      int32_t i = 0;
      for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer, ++i) {
        if (i % 2 == 0) actor->moveTo((40 + (i * 37 + frame * 11) % 700), 120 + (i * 53 + frame * 7) % 340, 120, 0);
      }
    }
    cActor::updateAll();
    CVLibPlayer::paintLayers(g, 0, 0, 0);
    CVLibPlayer::paintLayers(g, 0, 0, 2);
    cActor::paintLayer(0);
    CVLibPlayer::paintLayers(g, 0, 0, 3);
    benchmark::ClobberMemory();
  }
  const double perFrameMs =
      std::chrono::duration<double, std::milli>(Clock::now() - start).count() / double(state.iterations());
  state.counters["frame_period_ratio"] = perFrameMs / framePeriodMs;
}
BENCHMARK(BM_ActorFrame)->Unit(benchmark::kMillisecond);

// The room's whole frame as GameState 14 runs it: the update (modes, actors,
// effects, marker, camera) and the paint (layers, actors, balloons over
// every fourth actor, the hint box and the HUD).
void BM_RoomFrame(benchmark::State& state) {
  WorldFrame world;
  ASprite* font = textFont();
  if (font == nullptr) {
    state.SkipWithError("font refused");
    return;
  }
  cGameLoopStatics& loop = shellStatics().cGameLoop;
  loop.sprites->set(contentrequirement::textFontSlot, font);
  ASprite::initCachePool(3, 50);
  ASprite::setCachePool(font, 3);
  loadOneText("Over here! The quill lies by the pond.");
  if (cGame::getText(0) == nullptr) {
    state.SkipWithError("no balloon text");
    return;
  }
  loop.frameTime = 62;
  int32_t i = 0;
  for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer, ++i) {
    if (i % 4 == 0) actor->setBalloon(0, -1, 1, 0);
  }
  cGameNoticeStatics& hint = shellStatics().cGameNotice;
  hint.noticeText = newString("Find the quill before the rain comes.");
  int32_t frame = 0;
  const auto start = Clock::now();
  for (auto _ : state) {
    hint.noticeRemaining = 100000;
    if (++frame % 8 == 0) {
      int32_t n = 0;
      for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer, ++n) {
        if (n % 2 == 0) actor->moveTo((40 + (n * 37 + frame * 11) % 700), 120 + (n * 53 + frame * 7) % 340, 120, 0);
      }
    }
    cGame::stateInGame(StateMessage::update);
    cGame::stateInGame(StateMessage::paint);
    benchmark::ClobberMemory();
  }
  if (world.application.getPending() != nullptr) state.SkipWithError("the frame raised an exception");
  const double perFrameMs =
      std::chrono::duration<double, std::milli>(Clock::now() - start).count() / double(state.iterations());
  state.counters["frame_period_ratio"] = perFrameMs / framePeriodMs;
}
BENCHMARK(BM_RoomFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
