#include <gtest/gtest.h>

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
  tools::SpriteDescription description;
  description.flags = 0x1000000;
  description.modules = {imageModule(4, 4)};
  description.palettes = {{0xFFF0F0F0}};
  description.frames.resize(1);
  description.frames[0].modules = {{0, 0, 0, 0, 0}};
  description.anims = {{{{0, 1, 2, 3}}}};
  ASprite* painted = loadSpriteDescription(description);
  ASSERT_NE(painted, nullptr);
  Image* screen = Image::createImage(16, 16);
  cGameDrawStatics& draw = toolkitStatics().cGameDraw;
  draw.graphics = draw.screenGraphics = screen->getGraphics();
  draw.screenWidth = draw.screenHeight = 16;
  toolkitStatics().DrawEffects.available = 1;
  cGame::initDrawEffects();
  auto clear = [&] {
    screen->getGraphics()->setColor(0xFF000000);
    screen->getGraphics()->fillRect(0, 0, 16, 16);
  };
  clear();
  const uint16_t black = screen->surface().row(0)[0];
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

}  // namespace
