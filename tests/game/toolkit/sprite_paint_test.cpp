// Sprite painting: every stored and painted flag combination through every
// drawing path against a geometric reference, the placement arithmetic,
// shape modules, clip rejection and damaged indices.
#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "game/toolkit/ToolkitStatics.h"
#include "tests/game/toolkit/sprite_paint_fixture.h"
#include "wince/log.h"

namespace {

using tools::SpriteAFrame;
using tools::SpriteDescription;
using tools::SpriteFModule;
using tools::SpriteModule;

constexpr int32_t originX = 60, originY = 40;

// Opaque colours whose RGB565 forms all differ.
const std::vector<uint32_t> paintPalette = {0xFF000000, 0xFFF80000, 0xFF00FC00, 0xFF0000F8, 0xFFF8FC00,
                                            0xFFF800F8, 0xFF00FCF8, 0xFFF8FCF8, 0xFF800000, 0xFF008000};

SpriteModule pictureModule(int w, int h, int firstColour) {
  SpriteModule m;
  m.width = w;
  m.height = h;
  for (int i = 0; i < w * h; ++i) m.indices.push_back(static_cast<uint8_t>(1 + (firstColour + i) % 9));
  return m;
}

// Frame 0: a 3x2 module at (1, 2) with stored flags; frame 1: a 2x3 module
// at (-4, 0) and frame 0 named at (3, -1). Every pixel has its own colour
// within a module; the two modules do not overlap.
SpriteDescription asymmetricSprite(int storedFlags) {
  SpriteDescription s;
  s.flags = 0x1000000;
  s.modules = {pictureModule(3, 2, 0), pictureModule(2, 3, 6)};
  s.frames.resize(2);
  s.frames[0].modules = {{0, 1, 2, 0, storedFlags}};
  s.frames[1].modules = {{1, -4, 0, 0, 0}, {0, 3, -1, 0, 0x10}};
  s.anims.resize(1);
  s.anims[0].aframes = {SpriteAFrame{1, 1, 5, -3, 0}};
  s.palettes = {paintPalette};
  return s;
}

// A point of a frame's local space under flags: flips first, then the
// clockwise quarter turn, each about the origin's pixel.
std::pair<int, int> turnPoint(int x, int y, int flags) {
  if (flags & 1) x = -x - 1;
  if (flags & 2) y = -y - 1;
  if (flags & 4) std::tie(x, y) = std::pair{-y - 1, x};
  return {x, y};
}

// A pixel of a w x h module under its stored flags, within its own box.
std::pair<int, int> turnInBox(int x, int y, int w, int h, int flags) {
  if (flags & 1) x = w - 1 - x;
  if (flags & 2) y = h - 1 - y;
  if (flags & 4) std::tie(x, y) = std::pair{h - 1 - y, x};
  return {x, y};
}

class SpritePaintTest : public SpritePaintFixture {
 protected:
  // The reference picture of frame 1 painted at the origin with flags.
  std::vector<uint16_t> expectedFrame1(const SpriteDescription& s, int storedFlags, int flags) {
    clearScreen();
    std::vector<uint16_t> picture = screenPixels();
    auto put = [&](const SpriteModule& m, int ox, int oy, int stored) {
      for (int sy = 0; sy < m.height; ++sy)
        for (int sx = 0; sx < m.width; ++sx) {
          const auto [lx, ly] = turnInBox(sx, sy, m.width, m.height, stored);
          const auto [px, py] = turnPoint(ox + lx, oy + ly, flags);
          const uint32_t colour = paintPalette[m.indices[size_t(sy * m.width + sx)]];
          picture[size_t((originY + py) * screenWidth + originX + px)] = blendedOver(background, colour);
        }
    };
    put(s.modules[1], -4, 0, 0);
    put(s.modules[0], 3 + 1, -1 + 2, storedFlags);
    return picture;
  }

  std::vector<uint16_t> painted(ASprite* sprite, int flags) {
    clearScreen();
    sprite->paintFrame(graphics, 1, originX, originY, flags, 0, 0);
    return screenPixels();
  }
};

TEST_F(SpritePaintTest, EveryFlagCombinationMatchesTheReferenceOnEveryPath) {
  ASprite::initCachePools(1);
  ASprite::initCachePool(0, 16);
  for (int stored = 0; stored < 8; ++stored) {
    const SpriteDescription s = asymmetricSprite(stored);
    ASprite* decoded = loadSprite(s);
    ASprite* pooled = loadSprite(s);
    ASprite* imageCached = loadSprite(s);
    ASprite* pixelCached = loadSprite(s);
    ASSERT_TRUE(decoded && pooled && imageCached && pixelCached);
    ASprite::setCachePool(pooled, 0);
    imageCached->buildModuleCache(0, 0, -1, -1);
    pixelCached->setRGBMode(true);
    pixelCached->buildModuleCache(0, 0, -1, -1);
    for (int flags = 0; flags < 8; ++flags) {
      SCOPED_TRACE(testing::Message() << "stored " << stored << " flags " << flags);
      const std::vector<uint16_t> expected = expectedFrame1(s, stored, flags);
      EXPECT_EQ(painted(decoded, flags), expected);
      EXPECT_EQ(painted(pooled, flags), expected);  // decodes into the pool
      EXPECT_EQ(painted(pooled, flags), expected);  // draws the pooled image
      EXPECT_EQ(painted(imageCached, flags), expected);
      EXPECT_EQ(painted(pixelCached, flags), expected);
    }
    EXPECT_NE(pooled->getModuleImage(0, 0), nullptr);
  }
}

TEST_F(SpritePaintTest, AnAFrameMovesAndTurnsItsFrame) {
  const SpriteDescription s = asymmetricSprite(0);
  ASprite* sprite = loadSprite(s);
  ASSERT_NE(sprite, nullptr);
  for (int flags = 0; flags < 8; ++flags) {
    SCOPED_TRACE(flags);
    // The aframe's offset (5, -3) turns with the flags, as a point would
    // between pixel corners.
    int dx = 5, dy = -3;
    if (flags & 1) dx = -dx;
    if (flags & 2) dy = -dy;
    if (flags & 4) std::tie(dx, dy) = std::pair{-dy, dx};
    clearScreen();
    sprite->paintFrame(graphics, 1, originX + dx, originY + dy, flags, 0, 0);
    const std::vector<uint16_t> expected = screenPixels();
    clearScreen();
    sprite->paintAFrame(graphics, 0, 0, originX, originY, flags, 0, 0);
    EXPECT_EQ(screenPixels(), expected);
  }
}

TEST_F(SpritePaintTest, PlacementCases) {
  SpriteDescription s;
  s.flags = 0x1000000;
  s.modules = {pictureModule(20, 2, 0), pictureModule(2, 6, 0)};
  s.frames.resize(4);
  s.frames[0].modules = {{0, 5, 0, 0, 0}};      // width 20 at offset 5
  s.frames[1].modules = {{1, 3, 1, 0, 4}};      // 2x6 turned by its own bit: 6x2
  s.frames[2].modules = {{0, 0, 0, 0, 1}};      // stored mirror
  s.frames[3].modules = {{1, 2, 7, 0, 0x10}};   // names frame 1 at (2, 7)
  s.palettes = {paintPalette};
  ASprite* sprite = loadSprite(s);
  ASSERT_NE(sprite, nullptr);
  struct Case {
    int frame, flags;
    std::array<int, 4> box;  // relative to the origin
  };
  const Case cases[] = {
      {0, 1, {-25, 0, -5, 2}},   // ox = -(20 + 5)
      {0, 0, {5, 0, 25, 2}},
      {1, 4, {-3, 3, -1, 9}},    // (-(h + oy), ox) with h = 2 after the module's own turn
      {3, 0, {5, 8, 11, 10}},    // hyper frame: offsets add up
      {3, 1, {-11, 8, -5, 10}},  // w = h = 0 in the hyper frame's arithmetic
      {3, 4, {-10, 5, -8, 11}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "frame " << c.frame << " flags " << c.flags);
    clearScreen();
    sprite->paintFrame(graphics, c.frame, originX, originY, c.flags, 0, 0);
    std::array<int, 4> box = drawnBox();
    for (int i = 0; i < 4; ++i) box[size_t(i)] -= (i % 2 == 0 ? originX : originY);
    EXPECT_EQ(box, c.box);
    IntArray* bounds = newIntArray(4);
    sprite->getFrameBounds(bounds, c.frame, originX, originY, c.flags);
    EXPECT_EQ((std::array<int, 4>{bounds->get(0) - originX, bounds->get(1) - originY, bounds->get(2) - originX,
                                  bounds->get(3) - originY}),
              c.box);
  }
  // A stored mirror painted mirrored draws the module as stored.
  clearScreen();
  sprite->paintModule(graphics, 0, originX - 20, originY, 0);
  const std::vector<uint16_t> unmirrored = screenPixels();
  clearScreen();
  sprite->paintFrame(graphics, 2, originX, originY, 1, 0, 0);
  EXPECT_EQ(screenPixels(), unmirrored);
}

TEST_F(SpritePaintTest, ShapeModulesCountInBoundsAndFilledRectanglesBlendOnlyWhenTranslucent) {
  SpriteDescription s;
  for (uint32_t colour : {0x80FF0000u, 0xFFFF0000u, 0x00FF0000u}) {
    SpriteModule fill;
    fill.kind = 2;
    fill.width = 4;
    fill.height = 3;
    fill.colour = colour;
    s.modules.push_back(fill);
  }
  s.frames.resize(1);
  s.frames[0].modules = {{0, -2, -6, 0, 0}, {1, 10, 1, 0, 0}};
  ASprite* sprite = loadSprite(s);
  ASSERT_NE(sprite, nullptr);
  IntArray* bounds = newIntArray(4);
  sprite->getFrameBounds(bounds, 0, 0, 0, 0);
  EXPECT_EQ((std::array<int, 4>{bounds->get(0), bounds->get(1), bounds->get(2), bounds->get(3)}),
            (std::array<int, 4>{-2, -6, 14, 4}));
  const uint16_t red = 0xF800;
  const struct {
    int module;
    uint16_t expected;
  } cases[] = {{0, blendedOver(background, 0x80FF0000)}, {1, red}, {2, red}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.module);
    clearScreen();
    sprite->paintModule(graphics, c.module, 10, 10, 0);
    EXPECT_EQ(pixelAt(10, 10), c.expected);
    EXPECT_EQ(pixelAt(13, 12), c.expected);
    EXPECT_EQ(pixelAt(14, 12), background);
    EXPECT_EQ(drawnCount(), 12);
  }
  // Blended against an opaque rectangle under it.
  clearScreen();
  sprite->paintModule(graphics, 1, 10, 10, 0);
  sprite->paintModule(graphics, 0, 12, 10, 0);
  EXPECT_EQ(pixelAt(10, 10), red);
  EXPECT_EQ(pixelAt(12, 10), blendedOver(red, 0x80FF0000));
  EXPECT_EQ(pixelAt(15, 10), blendedOver(background, 0x80FF0000));
}

// Outlines, arcs and triangles against the Graphics calls they stand for:
// an arc's angles follow the flips and the quarter turn (which also swaps
// its box), a triangle's corners are its parameters from the module's
// place, an outline is one pixel short of the module's size, the alpha
// effect draws it translucent, and the grey effect copies red into green
// and blue. Arcs cover whole quadrants.
TEST_F(SpritePaintTest, ShapeModulesMatchTheirGraphicsCallsUnderEveryFlagAndEffect) {
  SpriteDescription s;
  auto shape = [&](int kind, uint32_t colour, std::vector<int> parameters) {
    SpriteModule m;
    m.kind = kind;
    m.width = 20;
    m.height = 14;
    m.colour = colour;
    m.parameters = std::move(parameters);
    s.modules.push_back(m);
  };
  constexpr uint32_t colour = 0xFFF08040;
  shape(spritemodule::rectangle, colour, {});
  shape(spritemodule::arc, colour, {0, 180});
  shape(spritemodule::filledArc, colour, {90, 270});
  shape(6, colour, {15, 4, 6, 12});  // triangle
  shape(7, colour, {-8, 9, 10, 11});  // filled triangle
  s.frames.resize(1);
  ASprite* sprite = loadSprite(s);
  ASSERT_NE(sprite, nullptr);
  const int32_t x = 40, y = 30;
  Graphics* g = graphics;
  auto drawReference = [&](int module, int flags, uint32_t argb) {
    g->setColor(int32_t(argb));
    const int32_t w = (flags & 4) ? 14 : 20, h = (flags & 4) ? 20 : 14;
    switch (module) {
      case 0: g->drawRect(x, y, w - 1, h - 1); break;
      case 1:
      case 2: {
        int start = module == 1 ? 0 : 90, arc = module == 1 ? 180 : 270;
        if (flags & 1) start = 90 - start;
        if (flags & 2) start = -start, arc = -arc;
        if (flags & 4) start -= 90;
        module == 1 ? g->drawArc(x, y, w, h, start, arc) : g->fillArc(x, y, w, h, start, arc);
        break;
      }
      case 3:
        g->drawLine(x, y, x + 15, y + 4);
        g->drawLine(x + 15, y + 4, x + 6, y + 12);
        g->drawLine(x, y, x + 6, y + 12);
        break;
      case 4: g->fillTriangle(x, y, x - 8, y + 9, x + 10, y + 11); break;
    }
  };
  for (int module = 0; module < 5; ++module) {
    for (int flags = 0; flags < 8; ++flags) {
      SCOPED_TRACE(testing::Message() << "module " << module << " flags " << flags);
      clearScreen();
      drawReference(module, flags, colour);
      const std::vector<uint16_t> expected = screenPixels();
      clearScreen();
      sprite->paintModule(graphics, module, x, y, flags);
      EXPECT_EQ(screenPixels(), expected);
      if (flags == 0) {
        EXPECT_GT(drawnCount(), 0);
      }
    }
  }
  // Greyed: red, red, red.
  cGame::enableEffect(effect::grey, false);
  for (int module = 0; module < 5; ++module) {
    SCOPED_TRACE(testing::Message() << "grey module " << module);
    clearScreen();
    drawReference(module, 0, 0xFFF0F0F0);
    const std::vector<uint16_t> expected = screenPixels();
    clearScreen();
    sprite->paintModule(graphics, module, x, y, 0);
    EXPECT_EQ(screenPixels(), expected);
  }
  cGame::clearEffects(1 << effect::grey);
  // The outline under the alpha effect: translucent over the ground.
  cGame::enableEffect(effect::alpha, true);
  cGame::setEffectParameter(effect::alpha, 1, 128);
  clearScreen();
  cGame::drawRectRGB(graphics, x, y, 19, 13, int32_t((colour & 0xFFFFFF) | 128u << 24));
  const std::vector<uint16_t> translucent = screenPixels();
  clearScreen();
  sprite->paintModule(graphics, 0, x, y, 0);
  EXPECT_EQ(screenPixels(), translucent);
  EXPECT_NE(pixelAt(x, y), background);
  EXPECT_NE(pixelAt(x, y), blendedOver(background, colour)) << "not opaque";
  cGame::clearEffects(1 << effect::alpha);
}

TEST_F(SpritePaintTest, ModulesOutsideTheClipAreNotDecoded) {
  SpriteDescription s;
  s.flags = 0x1000000;
  s.modules = {pictureModule(4, 4, 0)};
  s.frames.resize(1);
  s.frames[0].modules = {{0, 0, 0, 0, 0}};
  s.palettes = {paintPalette};
  ASprite* sprite = loadSprite(s);
  ASSERT_NE(sprite, nullptr);
  // Damaged pixel data: every decode is a log line.
  sprite->moduleImageData->set(sprite->getModuleDataOffset(0), static_cast<int8_t>(0xFF));
  wince::LogCapture log;
  auto decodes = [&] {
    int count = 0;
    const std::string text = log.text();
    for (size_t at = text.find("cannot be decoded"); at != std::string::npos; at = text.find("cannot be decoded", at + 1))
      ++count;
    return count;
  };
  graphics->setClip(20, 20, 10, 10);
  const std::pair<int, int> outside[] = {{15, 20}, {20, 15}, {30, 20}, {20, 30}, {-100, -100}};
  for (const auto& [x, y] : outside) sprite->paintFrame(graphics, 0, x, y, 0, 0, 0);
  EXPECT_EQ(decodes(), 0) << log.text();
  const std::pair<int, int> inside[] = {{16, 20}, {20, 16}, {29, 29}};
  for (const auto& [x, y] : inside) sprite->paintFrame(graphics, 0, x, y, 0, 0, 0);
  EXPECT_EQ(decodes(), 3) << log.text();
}

TEST_F(SpritePaintTest, FramesNamingFramesManyTimesStopAfterAFixedWalk) {
  // Frame 0 names itself four times: 4^16 walks within the nesting depth.
  SpriteDescription s;
  s.flags = 0x1000000;
  s.modules = {pictureModule(2, 2, 0)};
  s.frames.resize(1);
  s.frames[0].modules = {{0, 0, 0, 0, 0}, {0, 1, 0, 0, 0x10}, {0, 0, 1, 0, 0x10}, {0, 1, 1, 0, 0x10}, {0, 2, 0, 0, 0x10}};
  s.palettes = {paintPalette};
  ASprite* sprite = loadSprite(s);
  ASSERT_NE(sprite, nullptr);
  wince::LogCapture log;
  sprite->paintFrame(graphics, 0, 10, 10, 0, 0, 0);
  EXPECT_NE(pixelAt(10, 10), background);
  IntArray* bounds = newIntArray(4);
  sprite->getFrameBounds(bounds, 0, 0, 0, 0);
  EXPECT_EQ(bounds->get(0), 0);
  sprite->buildFrameCache(0, 0);
  EXPECT_NE(log.text().find("past " + std::to_string(spritelimit::maxFrameModulesPerWalk) + " frame modules; painted"),
            std::string::npos)
      << log.text();
  EXPECT_NE(log.text().find("frame modules; measured in part"), std::string::npos);
}

TEST_F(SpritePaintTest, DamagedIndicesAndSelfNamingFramesPaintSafely) {
  SpriteDescription s;
  s.flags = 0x1000000;
  s.modules = {pictureModule(2, 2, 0)};
  s.frames.resize(1);
  s.frames[0].modules = {{0, 0, 0, 0, 0}, {0, 1, 1, 0, 0x10}};  // frame 0 names itself
  s.anims.resize(1);
  s.anims[0].aframes = {SpriteAFrame{0, 1, 0, 0, 0}};
  s.palettes = {paintPalette};
  ASprite* sprite = loadSprite(s);
  ASSERT_NE(sprite, nullptr);
  {
    wince::LogCapture log;
    sprite->paintModule(graphics, 1, 10, 10, 0);
    sprite->paintModule(graphics, -1, 10, 10, 0);
    sprite->paintFrame(graphics, 1, 10, 10, 0, 0, 0);
    sprite->paintFrame(graphics, -1, 10, 10, 0, 0, 0);
    sprite->paintFModule(graphics, 0, 2, 10, 10, 0, 0, 0);
    sprite->paintAFrame(graphics, 1, 0, 10, 10, 0, 0, 0);
    sprite->paintAFrame(graphics, 0, 1, 10, 10, 0, 0, 0);
    EXPECT_EQ(drawnCount(), 0);
    EXPECT_EQ(log.text(), "");
  }
  wince::LogCapture log;
  sprite->paintFrame(graphics, 0, 10, 10, 0, 0, 0);
  const std::string text = log.text();
  EXPECT_NE(text.find("nests frames deeper"), std::string::npos);
  EXPECT_EQ(text.find("nests frames deeper"), text.rfind("nests frames deeper"));
  // A staircase of one copy per level reached, then nothing more.
  EXPECT_NE(pixelAt(10 + spritelimit::maxFrameNesting, 10 + spritelimit::maxFrameNesting), background);
  EXPECT_EQ(pixelAt(12 + spritelimit::maxFrameNesting + 1, 12 + spritelimit::maxFrameNesting + 1), background);
}

}  // namespace
