// The world test kit holds what later tests take on trust: sprites read back
// as described, collision answers from the picture, paints recorded in
// order, and the clock, Random and screen as the fixture promises.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "game/shell/cGame.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "platform/java_util/java_util_Random.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/world/world_kit.h"

namespace {

using worldkit::PaintRecord;
using worldkit::PaintRecorder;
using worldkit::TestFrameBox;
using worldkit::TestSpriteDescription;

constexpr int testSlot = 40;

uint16_t rgb565(uint32_t argb) {
  return static_cast<uint16_t>(((argb >> 8) & 0xF800) | ((argb >> 5) & 0x07E0) | ((argb >> 3) & 0x001F));
}

class WorldKitTest : public WorldKitFixture {
 protected:
  CVLibPlayer* playerOf(ASprite* s, int anim) {
    CVLibPlayer* player = newObject<CVLibPlayer>();
    player->setSprite(s);
    player->setAnim(anim, -1);
    return player;
  }
};

TEST_F(WorldKitTest, TestSpriteReadsBackAsDescribed) {
  const TestSpriteDescription description{.animations = 3, .steps = 4, .palettes = 5, .stepTime = 2};
  ASprite* s = installSprite(testSlot, description);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(sprite(testSlot), s);
  EXPECT_EQ(s->getAnimCount(), 3);
  EXPECT_EQ(s->getFrameCount(), 12);
  EXPECT_EQ(s->paletteCount, 5);
  std::vector<int> widths;
  for (int a = 0; a < 3; ++a) {
    ASSERT_EQ(s->getAFrameCount(a), 4) << a;
    for (int step = 0; step < 4; ++step) {
      const int frame = description.frameOf(a, step);
      SCOPED_TRACE("anim " + std::to_string(a) + " step " + std::to_string(step));
      EXPECT_EQ(s->getAFrameFrame(a, step), frame);
      EXPECT_EQ(s->getAFrameTime(a, step), 2);
      EXPECT_EQ(s->getAFrameOffsetX(a, step), step + 1);
      EXPECT_EQ(s->getAFrameOffsetY(a, step), -(a + 1));
      const TestFrameBox box = worldkit::distinctFrameBox(frame);
      EXPECT_EQ((TestFrameBox{s->getFrameX(frame), s->getFrameY(frame), s->getFrameWidth(frame),
                              s->getFrameHeight(frame)}),
                box);
      // Standing on the painted point, centred on it.
      EXPECT_EQ(box.y + box.height, 0);
      EXPECT_EQ(box.x, -box.width / 2);
      for (int earlier : widths) EXPECT_NE(box.width, earlier);
      widths.push_back(box.width);
    }
  }
}

TEST_F(WorldKitTest, TestSpriteTakesItsOwnRectanglesAndOffsets) {
  TestSpriteDescription description{.animations = 1, .steps = 2, .palettes = 1};
  description.frameBox = [](int frame) { return TestFrameBox{-300, 5 * frame, 300, 1 + frame}; };
  description.stepOffset = [](int, int step) { return worldkit::TestStepOffset{-200 * step, 1000}; };
  ASprite* s = installSprite(3, description);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->getFrameX(1), -300);
  EXPECT_EQ(s->getFrameY(1), 5);
  EXPECT_EQ(s->getFrameWidth(1), 300);
  EXPECT_EQ(s->getFrameHeight(1), 2);
  EXPECT_EQ(s->getAFrameOffsetX(0, 1), -200);
  EXPECT_EQ(s->getAFrameOffsetY(0, 1), 1000);

  // Nothing the reader would refuse gets as far as the reader.
  description.frameBox = [](int) { return TestFrameBox{0, 0, 0, 4}; };
  EXPECT_THROW(worldkit::writeTestSprite(description), std::invalid_argument);
  EXPECT_THROW(worldkit::writeTestSprite({.palettes = 17}), std::invalid_argument);
}

TEST_F(WorldKitTest, EachPalettePaintsItsOwnColourWhereTheFrameStands) {
  const TestSpriteDescription description{.animations = 2, .steps = 2, .palettes = 3};
  for (bool caches : {false, true}) {
    SCOPED_TRACE(caches ? "with caches" : "without caches");
    ASprite* s = installSprite(testSlot, description, caches);
    ASSERT_NE(s, nullptr);
    for (int p = 0; p < 3; ++p) {
      fillScreen(0);
      s->setPalette(p);
      s->paintAFrame(screenGraphics(), 1, 1, 400, 240, 0, 0, 0);
      const TestFrameBox box = description.stepBox(1, 1);
      const int left = 400 + box.x, top = 240 + box.y;
      const uint16_t colour = rgb565(worldkit::testPaletteColour(p));
      EXPECT_EQ(pixelAt(left, top), colour) << p;
      EXPECT_EQ(pixelAt(left + box.width - 1, top + box.height - 1), colour) << p;
      EXPECT_EQ(pixelAt(left - 1, top), 0) << p;
      EXPECT_EQ(pixelAt(left + box.width, top + box.height - 1), 0) << p;
      EXPECT_EQ(pixelAt(left, top + box.height), 0) << p;
    }
  }
}

TEST_F(WorldKitTest, CollisionAnswersFromThePicture) {
  installCollisionMap({"#....",
                       "..4.w",
                       "....1"},
                      {{'w', 0x80}});
  struct Case {
    int x, y, mask;
    bool blocked;
  };
  // Points in cell centres: the box test reaches 16 pixels round them.
  const Case cases[] = {
      {16, 16, 0x01, true},     // '#' blocks every bit
      {16, 16, 0x80, true},
      {48, 16, 0xFF, false},    // free
      {80, 48, 0x04, true},     // '4' is bit 4
      {80, 48, 0x03, false},
      {144, 48, 0x80, true},    // the legend's 'w'
      {144, 48, 0x7F, false},
      {144, 80, 0x01, true},    // '1'
      {500, 80, 0xFF, false},   // outside the picture
  };
  for (const Case& c : cases)
    EXPECT_EQ(cGame::isBlockedAt(c.x, c.y, c.mask), c.blocked) << c.x << "," << c.y << " mask " << c.mask;
  EXPECT_TRUE(cGame::testCollision(2, 1, 4));
  EXPECT_FALSE(cGame::testCollision(1, 2, 0xFF));
  EXPECT_EQ(worldkit::collisionCell(4, 1), 0x80);
  EXPECT_EQ(worldkit::collisionCell(0, 0), 255);
  EXPECT_EQ(worldkit::collisionCell(5, 0), -1);
  // A line from a free cell into the wall of '#' stops.
  EXPECT_TRUE(cGame::lineBlocked(48, 16, 0, 16, nullptr, true, 1, 0, 0, 0, nullptr));
  EXPECT_FALSE(cGame::lineBlocked(48, 80, 112, 80, nullptr, true, 1, 0, 0, 0, nullptr));

  // Read back in the same characters; what no symbol names shows as '?'.
  cGame::createCollisionMap(2, 1);
  EXPECT_EQ(worldkit::collisionMapPicture(), (std::vector<std::string>{".."}));
  installCollisionMap({"#.4w", "9Fd."}, {{'w', 0x80}, {'d', 0x44}});
  EXPECT_EQ(worldkit::collisionMapPicture({{'w', 0x80}}), (std::vector<std::string>{"#.4w", "9F?."}));
}

TEST_F(WorldKitTest, CollisionPictureRefusesWhatItCannotRead) {
  installCollisionMap({"##"});
  EXPECT_THROW(installCollisionMap({"..", "."}), std::invalid_argument);
  EXPECT_THROW(installCollisionMap({".x"}), std::invalid_argument);
  EXPECT_THROW(installCollisionMap({".a"}, {{'a', 256}}), std::invalid_argument);
  // A refused picture leaves the table as it was.
  EXPECT_EQ(worldkit::collisionMapPicture(), (std::vector<std::string>{"##"}));
}

TEST_F(WorldKitTest, RecorderSeesAPlayersPaintAndAFillInOrder) {
  ASprite* s = installSprite(testSlot, {.animations = 2, .steps = 3, .palettes = 2});
  ASSERT_NE(s, nullptr);
  CVLibPlayer* player = playerOf(s, 1);
  player->x = 120;
  player->y = 300;
  player->flags = 1;
  const SpritePainterCalls original = spritePainterCalls();
  {
    PaintRecorder paints(screenGraphics());
    s->setPalette(1);
    player->paint();
    screenGraphics()->setColor(0x123456);
    screenGraphics()->fillRect(10, 20, 30, 40);
    stepFrame();
    player->update(shellStatics().cGameLoop.timeStep);
    player->update(shellStatics().cGameLoop.timeStep);
    s->setPalette(0);
    player->paint();
    EXPECT_EQ(paints.lines(), (std::vector<std::string>{
                                  "aframe slot 40 anim 1 step 0 at 120,300 flags 1 palette 1",
                                  "setColor 00123456",
                                  "fillRect 10,20,30,40 colour ff123456",
                                  "aframe slot 40 anim 1 step 1 at 120,300 flags 1 palette 0",
                              }));
    EXPECT_TRUE(paints.paintedBefore([](const PaintRecord& r) { return r.isAFrame(testSlot, 1, 0); },
                                     [](const PaintRecord& r) { return r.is(GraphicsCallKind::fillRect); }));
    EXPECT_FALSE(paints.paintedBefore([](const PaintRecord& r) { return r.isAFrame(testSlot, 1, 1); },
                                      [](const PaintRecord& r) { return r.is(GraphicsCallKind::fillRect); }));
    EXPECT_EQ(paints.indexOf([](const PaintRecord& r) { return r.at(10, 20); }), 2);
    EXPECT_EQ(paints.count([](const PaintRecord& r) { return r.isSprite(); }), 2);
    // The player's sprite was painted all the same.
    EXPECT_NE(pixelAt(120 - 2 + 2, 300 - 2 - 2), 0);
  }
  // The hooks are back.
  EXPECT_EQ(spritePainterCalls().paintAFrame, original.paintAFrame);
  EXPECT_EQ(spritePainterCalls().paintFrame, original.paintFrame);
  EXPECT_EQ(spritePainterCalls().paintModule, original.paintModule);
  EXPECT_EQ(installedGraphicsObserver, nullptr);
  PaintRecorder again;  // and a second recorder may start
}

TEST_F(WorldKitTest, RecorderKeepsToItsGraphicsAndHidesTheSpritesOwnDrawing) {
  ASprite* s = installSprite(testSlot, {.animations = 1, .steps = 1, .palettes = 1}, true);
  ASSERT_NE(s, nullptr);
  auto* other = javax_microedition_lcdui_Image::createImage(16, 16)->getGraphics();
  {
    PaintRecorder paints(screenGraphics());
    other->fillRect(0, 0, 4, 4);
    spritePainterCalls().paintFrame(s, other, 0, 1, 1, 0);
    screenGraphics()->setClip(0, 0, 800, 480);
    screenGraphics()->drawLine(1, 2, 3, 4);
    screenGraphics()->drawString(newString("Hi"), 400, 240, 17);
    EXPECT_EQ(paints.lines(), (std::vector<std::string>{"setClip 0,0,800,480", "drawLine 1,2,3,4 colour 00000000",
                                                        "drawText \"Hi\" at 400,240 anchor 17 colour 00000000"}));
  }
  {
    PaintRecorder all(nullptr, true);
    spritePainterCalls().paintFrame(s, screenGraphics(), 0, 50, 60, 0);
    other->drawRect(1, 1, 2, 2);
    const std::vector<std::string> lines = all.lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), "frame slot 40 frame 0 at 50,60 flags 0 palette 0");
    // A cached module is one image drawn inside the frame's paint.
    EXPECT_EQ(lines[1].substr(0, 2), "  ");
    EXPECT_EQ(lines.back(), "drawRect 1,1,2,2 colour 00000000");
    EXPECT_EQ(all.spriteLines(), (std::vector<std::string>{"frame slot 40 frame 0 at 50,60 flags 0 palette 0"}));
  }
  EXPECT_THROW(
      {
        PaintRecorder first;
        PaintRecorder second;
      },
      std::logic_error);
  EXPECT_EQ(installedGraphicsObserver, nullptr);
}

TEST_F(WorldKitTest, ClockRandomAndScreenAreFixed) {
  // The screen is cGame::graphics for the shell and the toolkit alike.
  ASSERT_NE(screen(), nullptr);
  EXPECT_EQ(screen()->getWidth(), 800);
  EXPECT_EQ(screen()->getHeight(), 480);
  EXPECT_EQ(shellStatics().cGameLoop.graphics, screenGraphics());
  EXPECT_EQ(toolkitStatics().cGameDraw.graphics, screenGraphics());
  EXPECT_EQ(toolkitStatics().cGameDraw.screenWidth, 800);
  // The class initialisers ran, over the content's literals.
  EXPECT_NE(worldStatics().cActor.layerHeads, nullptr);
  EXPECT_EQ(asciiOf(static_cast<String*>(shellStatics().cGameLoop.languageNames->get(0))), "en");

  EXPECT_EQ(now(), clockStart);
  EXPECT_EQ(shellStatics().cGameLoop.timeStep, framePeriod);
  stepFrame(40);
  stepFrame();
  EXPECT_EQ(now(), clockStart + 40 + framePeriod);
  EXPECT_EQ(shellStatics().cGameLoop.frameTime, framePeriod);
  EXPECT_EQ(shellStatics().cGameLoop.frameCount, 2);
  EXPECT_EQ(shellStatics().cGameLoop.playClock, 40 + framePeriod);
  setTimeStep(16);
  shellStatics().cGameShared.fullSpeedAnimation = false;  // as in a foreground cutscene
  EXPECT_EQ(cGame::animTimedStep(), 10);  // the world's 10/16 animation step

  // The same seed gives the same numbers in every run.
  std::vector<int32_t> first, second;
  for (int i = 0; i < 4; ++i) first.push_back(cGame::randomInRange(0, 1000));
  seedRandom(randomSeed);
  for (int i = 0; i < 4; ++i) second.push_back(cGame::randomInRange(0, 1000));
  EXPECT_EQ(first, second);
  EXPECT_EQ(first, (std::vector<int32_t>{99, 94, 234, 700}));
}

}  // namespace
