#include <gtest/gtest.h>

#include <algorithm>

#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/DrawEffectsStatics.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameAlias.h"
#include "runtime/object/ObjectFactory.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "tests/game/toolkit/sprite_test_support.h"

namespace {

class AnimationPlayerTest : public SpriteFixture {
 protected:
  void SetUp() override {
    SpriteFixture::SetUp();
    // Animation 0: three aframes of 1, 2 and 0 time units; 1: one aframe of
    // 1 unit; 2: no aframes.
    tools::SpriteDescription description;
    description.modules = {imageModule(4, 4)};
    description.frames.resize(1);
    description.frames[0].modules = {{0, 0, 0, 0, 0}};
    description.anims = {{{{0, 1}, {0, 2}, {0, 0}}}, {{{0, 1}}}, {}};
    sprite = loadSpriteDescription(description);
    ASSERT_NE(sprite, nullptr);
    player = newObject<CVLibPlayer>();
    player->setSprite(sprite);
  }
  // Frame 0: one size x size image module of one colour; animation 0 shows
  // it in one aframe at (dx, dy).
  static tools::SpriteDescription oneColourSprite(int size, uint32_t argb, int dx, int dy) {
    tools::SpriteDescription description;
    description.flags = 0x1000000;
    description.modules = {imageModule(size, size)};
    description.palettes = {{argb}};
    description.frames.resize(1);
    description.frames[0].modules = {{0, 0, 0, 0, 0}};
    description.anims = {{{{0, 1, dx, dy}}}};
    return description;
  }
  // A w x h RGB565 screen as cGame's graphics, with draw effects available.
  static javax_microedition_lcdui_Image* useScreen(int32_t w, int32_t h) {
    auto* screen = javax_microedition_lcdui_Image::createImage(w, h);
    cGameDrawStatics& draw = toolkitStatics().cGameDraw;
    draw.graphics = draw.screenGraphics = screen->getGraphics();
    draw.screenWidth = w;
    draw.screenHeight = h;
    toolkitStatics().DrawEffects.available = 1;
    cGame::initDrawEffects();
    return screen;
  }
  // Written straight into the store: a fresh Graphics fills nothing
  // until its colour is set.
  static void fillScreen(javax_microedition_lcdui_Image* screen, uint16_t value) {
    const raster::Surface surface = screen->surface();
    for (int32_t y = 0; y < surface.height; ++y) std::fill_n(surface.row(y), surface.width, value);
  }

  ASprite* sprite = nullptr;
  CVLibPlayer* player = nullptr;
};

TEST_F(AnimationPlayerTest, StatesFromFreshToEnded) {
  CVLibPlayer* fresh = newObject<CVLibPlayer>();
  EXPECT_EQ(fresh->anim, -1);
  EXPECT_EQ(fresh->over, 1);
  EXPECT_EQ(fresh->loops, 1);
  EXPECT_EQ(fresh->alpha, -1);
  EXPECT_TRUE(fresh->isAnimOver());
  EXPECT_EQ(fresh->getAFrameCount(), -1);
  EXPECT_EQ(fresh->getFrameDuration(), 0);
  EXPECT_EQ(fresh->setFrame(0), -1);

  // After setSprite: (-1, 0), nothing shown, update does nothing.
  EXPECT_EQ(player->anim, -1);
  EXPECT_EQ(player->over, 0);
  player->update(1000);
  EXPECT_EQ(player->time, 0);

  // Playing (a, 0), then ended (a, 1) on the last aframe.
  player->setAnim(1, 1);
  EXPECT_EQ(player->anim, 1);
  EXPECT_EQ(player->over, 0);
  EXPECT_FALSE(player->isAnimOver());
  player->update(61);  // the first aframe shows for at least one update
  EXPECT_EQ(player->over, 0);
  player->update(1);
  EXPECT_EQ(player->over, 0);  // time reached 62 only now, tested next call
  player->update(0);
  EXPECT_EQ(player->over, 1);
  EXPECT_EQ(player->aframe, 0);
  EXPECT_TRUE(player->isAnimOver());

  // The same animation after it ended starts again.
  player->setAnim(1, 1);
  EXPECT_EQ(player->over, 0);
  EXPECT_EQ(player->time, 0);
  player->reset();
  EXPECT_EQ(player->sprite, nullptr);
  EXPECT_EQ(player->anim, -1);
}

TEST_F(AnimationPlayerTest, SetAnimAgainKeepsItsLoopsAndSetAnimExRestarts) {
  player->setAnim(0, 3);
  player->update(100);
  player->update(0);
  ASSERT_EQ(player->aframe, 1);
  player->setAnim(0, 7);
  EXPECT_EQ(player->aframe, 1);
  EXPECT_EQ(player->loops, 2);
  EXPECT_EQ(player->time, 100 - 62);

  player->setAnimEx(0, 7, true);
  EXPECT_EQ(player->aframe, 0);
  EXPECT_EQ(player->time, 0);
  EXPECT_EQ(player->loops, 6);
  player->setAnimEx(0, 2, false);
  EXPECT_EQ(player->loops, 6);

  player->setAnim(1, 0);
  EXPECT_EQ(player->loops, -1);
  EXPECT_FALSE(player->isAnimOver());
}

TEST_F(AnimationPlayerTest, OneAFramePerUpdateAndLoopsCountDown) {
  player->setAnim(0, 2);
  player->update(100000);  // a huge step moves nothing yet: time was 0
  EXPECT_EQ(player->aframe, 0);
  player->update(0);
  EXPECT_EQ(player->aframe, 1);  // one aframe, however large the time
  player->update(0);
  EXPECT_EQ(player->aframe, 2);
  player->update(0);  // the 0-unit aframe lasts one call
  EXPECT_EQ(player->aframe, 0);
  EXPECT_EQ(player->loops, 0);
  player->update(0);  // the carried time still covers every aframe
  player->update(0);
  EXPECT_EQ(player->aframe, 2);
  EXPECT_EQ(player->over, 0);
  player->update(0);
  EXPECT_EQ(player->over, 1);
  EXPECT_EQ(player->aframe, 2);
  EXPECT_EQ(player->getFrameDuration(), 0);
  player->setAnim(0, 1);
  EXPECT_EQ(player->getFrameDuration(), 62);
  player->update(61);
  player->update(0);
  EXPECT_EQ(player->aframe, 0);  // 61 ms do not reach 62
  player->update(1);
  player->update(0);
  EXPECT_EQ(player->aframe, 1);
  EXPECT_EQ(player->getFrameDuration(), 124);
}

TEST_F(AnimationPlayerTest, AnimationsWithoutAFramesDoNothing) {
  for (int anim : {2, 3, 200}) {
    player->setAnim(anim, 1);
    EXPECT_EQ(player->getAFrameCount(), 0) << anim;
    player->update(500);
    player->update(500);
    EXPECT_EQ(player->aframe, 0) << anim;
    EXPECT_EQ(player->time, 0) << anim;
    EXPECT_EQ(player->getFrameDuration(), 0) << anim;
    player->paint();
  }
}

TEST_F(AnimationPlayerTest, PaintClearsThePlayersEffectsAfterAlpha) {
  cGame::initDrawEffects();
  DrawEffectsStatics& effects = toolkitStatics().DrawEffects;
  player->setAnim(0, 0);
  player->alpha = 128;
  effects.active = 1 << 9;  // an effect the player leaves alone
  player->paint();
  auto* alphaParameters = static_cast<IntArray*>(effects.parameters->get(effect::alpha));
  EXPECT_EQ(alphaParameters->get(1), 128);
  EXPECT_EQ(effects.active, 1 << 9);

  effects.active |= 0xDE0;
  CVLibPlayer* opaque = newObject<CVLibPlayer>();
  opaque->setSprite(sprite);
  opaque->setAnim(0, 0);
  opaque->paint();
  EXPECT_EQ(effects.active, 1 << 9);
}

TEST_F(AnimationPlayerTest, PaintsTheCurrentAFrameAtItsPlaceAndTheNextPlayerOpaque) {
  using Image = javax_microedition_lcdui_Image;
  ASprite* painted = loadSpriteDescription(oneColourSprite(4, 0xFFF0F0F0, 2, 3));
  ASSERT_NE(painted, nullptr);
  Image* screen = useScreen(16, 16);
  auto clear = [&] { fillScreen(screen, 0); };
  clear();
  const uint16_t black = 0;
  player->setSprite(painted);
  player->setAnim(0, 0);
  player->x = 5;
  player->y = 6;
  player->paint();  // opaque, at (x, y) plus the aframe's offset (2, 3)
  const uint16_t opaque = screen->surface().row(9)[7];
  EXPECT_NE(opaque, black);
  EXPECT_EQ(screen->surface().row(8)[7], black);
  clear();
  player->alpha = 128;
  player->paint();
  EXPECT_NE(screen->surface().row(9)[7], black);
  clear();
  CVLibPlayer* next = newObject<CVLibPlayer>();
  next->setSprite(painted);
  next->setAnim(0, 0);
  next->x = 5;
  next->y = 6;
  next->paint();
  EXPECT_EQ(screen->surface().row(9)[7], opaque);
}

TEST_F(AnimationPlayerTest, AlphaBlendsOverTheBackgroundOnEveryModulePath) {
  const tools::SpriteDescription description = oneColourSprite(2, 0xFFF08000, 0, 0);
  auto* screen = useScreen(8, 8);
  constexpr uint16_t background = 0x4208;  // 8, 16, 8
  constexpr uint16_t opaque = 0xF400;      // 30, 32, 0
  // Alpha 128 reaches the screen as ARGB4444 0x8F80: weight 8 * 17 = 136,
  // source fields 30, 32, 0; each field moves d + floor((s - d) * 136 / 256).
  constexpr uint16_t blended = (19 << 11) | (24 << 5) | 3;
  ASprite::initCachePools(1);
  ASprite::initCachePool(0, 4);
  enum Path { decoded, pooled, imageCache, pixelCache };
  for (Path path : {decoded, pooled, imageCache, pixelCache}) {
    SCOPED_TRACE(path);
    ASprite* painted = loadSpriteDescription(description);
    ASSERT_NE(painted, nullptr);
    if (path == pooled) ASprite::setCachePool(painted, 0);
    if (path == pixelCache) painted->setRGBMode(true);
    if (path == imageCache || path == pixelCache) painted->buildModuleCache(0, 0, -1, -1);
    player->setSprite(painted);
    player->setAnim(0, 0);
    player->x = player->y = 3;
    auto paintAt = [&](int32_t alpha) {
      fillScreen(screen, background);
      player->alpha = alpha;
      player->paint();
      return screen->surface().row(4)[4];
    };
    EXPECT_EQ(paintAt(128), blended);
    EXPECT_EQ(screen->surface().row(2)[2], background);
    EXPECT_EQ(paintAt(-1), opaque);
    // From here on a pooled module is an image read back for the effect.
    if (path == pooled) {
      EXPECT_NE(painted->getModuleImage(0, 0), nullptr);
    }
    EXPECT_EQ(paintAt(128), blended);
  }
}

}  // namespace
