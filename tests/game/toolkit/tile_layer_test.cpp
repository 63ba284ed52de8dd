#include <gtest/gtest.h>

#include <vector>

#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameAlias.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "tests/game/toolkit/tile_layer_support.h"
#include "wince/log.h"

namespace {

using Graphics = javax_microedition_lcdui_Graphics;
using Image = javax_microedition_lcdui_Image;

struct PaintCall {
  bool frame;
  int index, x, y, flags, spriteTag;
  bool operator==(const PaintCall&) const = default;
};

std::vector<PaintCall>& calls() {
  static std::vector<PaintCall> recorded;
  return recorded;
}

void recordFrame(ASprite* sprite, Graphics*, int32_t index, int32_t x, int32_t y, int32_t flags) {
  calls().push_back({true, index, x, y, flags, sprite->getModuleCount()});
}
void recordModule(ASprite* sprite, Graphics*, int32_t index, int32_t x, int32_t y, int32_t flags) {
  calls().push_back({false, index, x, y, flags, sprite->getModuleCount()});
}


class TileLayerTest : public TileLayerFixture {
 protected:
  void SetUp() override {
    TileLayerFixture::SetUp();
    saved = spritePainterCalls();
    spritePainterCalls().paintFrame = &recordFrame;
    spritePainterCalls().paintModule = &recordModule;
    calls().clear();
    screen = Image::createImage(800, 480);
    cGameDrawStatics& draw = toolkitStatics().cGameDraw;
    draw.screenWidth = 800;
    draw.screenHeight = 480;
  }
  void TearDown() override {
    spritePainterCalls() = saved;
    TileLayerFixture::TearDown();
  }
  // frames tiles of 32 x 32, one module each; with frames 0, modules only.
  ASprite* tileSprite(int modules, int frames) {
    tools::SpriteDescription description;
    for (int m = 0; m < modules; ++m) description.modules.push_back(imageModule(32, 32));
    description.frames.resize(static_cast<size_t>(frames));
    for (int f = 0; f < frames; ++f) description.frames[static_cast<size_t>(f)].modules = {{f % modules, 0, 0, 0, 0}};
    ASprite* sprite = loadSpriteDescription(description);
    EXPECT_NE(sprite, nullptr);
    return sprite;
  }
  Graphics* graphics() { return screen->getGraphics(); }

  // frames tiles painted by the sprite painter: opaque 32 x 32 pictures,
  // none symmetric, so a mirrored tile shows.
  ASprite* paintedTileSprite(int frames) {
    tools::SpriteDescription description;
    description.flags = 0x1000000;
    for (int m = 0; m < 8; ++m) {
      std::vector<uint8_t> indices(32 * 32);
      for (int i = 0; i < 32 * 32; ++i) indices[size_t(i)] = uint8_t(((i % 32) / 4 + (i / 32) / 8 * 3 + m * 5) % 16);
      description.modules.push_back(imageModule(32, 32, indices));
    }
    std::vector<uint32_t> palette;
    for (uint32_t c = 0; c < 16; ++c) palette.push_back(0xFF000000u | (c * 0x0F1020u + 0x203040u));
    description.palettes = {palette};
    description.frames.resize(size_t(frames));
    for (int f = 0; f < frames; ++f) {
      description.frames[size_t(f)].modules = {{f % 8, 0, 0, 0, 0}};
      description.frames[size_t(f)].rect = {0, 0, 32, 32};
    }
    ASprite* sprite = loadSpriteDescription(description);
    EXPECT_NE(sprite, nullptr);
    return sprite;
  }

  SpritePainterCalls saved{};
  Image* screen = nullptr;
};

TEST_F(TileLayerTest, BuildReadsTheHeaderAndSetsTheModeFlags) {
  buildLayer(0, 50, 30, std::vector<uint8_t>(1500, 1));
  EXPECT_TRUE(CVLibPlayer::isLayerBuilt(0));
  EXPECT_EQ(cGame::getMapWidth(), 1600);
  EXPECT_EQ(cGame::getMapHeight(), 960);
  EXPECT_EQ(CVLibPlayer::getLayerProperty(0, layerprop::flags), layerflag::clampX | layerflag::clampY);
  EXPECT_EQ(CVLibPlayer::getLayerProperty(0, layerprop::heldFirstColumn), -1);

  struct Case {
    int yMode, xMode, yWrapMode, flags;
  };
  for (const Case& c : {Case{16, 1, 1, layerflag::wrapX | layerflag::wrapY}, Case{32, 2, 2, layerflag::flippedY},
                        Case{0, 0, 1, layerflag::clampX | layerflag::wrapY}}) {
    CVLibPlayer::buildLayer(1, layerHeader(4, 4), byteArrayOf(std::vector<uint8_t>(16)), nullptr, nullptr, -1,
                            c.yMode, c.xMode, c.yWrapMode);
    EXPECT_EQ(CVLibPlayer::getLayerProperty(1, layerprop::flags), c.flags);
  }
  CVLibPlayer::buildLayer(2, layerHeader(4, 4), byteArrayOf(std::vector<uint8_t>(16)), nullptr, nullptr, 2, 16, 0,
                          0);
  EXPECT_EQ(CVLibPlayer::getLayerProperty(2, layerprop::bufferWidth), 832);
  EXPECT_EQ(CVLibPlayer::getLayerProperty(2, layerprop::bufferHeight), 512);
  EXPECT_TRUE(CVLibPlayer::isLayerFlagSet(2, layerflag::preRendered));
  CVLibPlayer::setLayerFlag(2, layerflag::preRendered, false);
  EXPECT_FALSE(CVLibPlayer::isLayerFlagSet(2, layerflag::preRendered));

  // A header without both sizes refuses the layer.
  wince::LogCapture log;
  CVLibPlayer::loadLayer(3, byteArrayOf({5, 0, 5}), byteArrayOf(std::vector<uint8_t>(25)), nullptr, nullptr, false,
                         16, 0, 0);
  EXPECT_FALSE(CVLibPlayer::isLayerBuilt(3));
  EXPECT_NE(log.text().find("buildLayer"), std::string::npos);
  CVLibPlayer::loadLayer(3, byteArrayOf({0xFF, 0xFF, 5, 0}), byteArrayOf(std::vector<uint8_t>(25)), nullptr, nullptr,
                         false, 16, 0, 0);
  EXPECT_FALSE(CVLibPlayer::isLayerBuilt(3));
  EXPECT_TRUE(log.contains("claims -1 x 5 tiles"));

  CVLibPlayer::clearLayer(0, true);
  EXPECT_FALSE(CVLibPlayer::isLayerBuilt(0));
  EXPECT_EQ(cGame::getMapWidth(), 0);
}

TEST_F(TileLayerTest, ScrollClampsToTheMapAndNeverBelowZero) {
  buildFilledLayer(0, 50, 30, 1);
  CVLibPlayer::setLayerScroll(0, -50, 10000);
  EXPECT_EQ(CVLibPlayer::getLayerScrollX(0), 0);
  EXPECT_EQ(CVLibPlayer::getLayerScrollY(0), 960 - 480);
  CVLibPlayer::setLayerScroll(0, 10000, -1);
  EXPECT_EQ(CVLibPlayer::getLayerScrollX(0), 1600 - 800);
  EXPECT_EQ(CVLibPlayer::getLayerScrollY(0), 0);
  CVLibPlayer::setLayerScroll(0, 123, 45);
  EXPECT_EQ(CVLibPlayer::getLayerScrollX(0), 123);
  EXPECT_EQ(CVLibPlayer::getLayerScrollY(0), 45);

  // Smaller than the view: 0, not a negative scroll.
  buildFilledLayer(1, 10, 5, 1);
  CVLibPlayer::setLayerScroll(1, 40, 40);
  EXPECT_EQ(CVLibPlayer::getLayerScrollX(1), 0);
  EXPECT_EQ(CVLibPlayer::getLayerScrollY(1), 0);

  // A flipped layer stores y from the bottom and reads it back as given.
  CVLibPlayer::buildLayer(2, layerHeader(50, 30), byteArrayOf(std::vector<uint8_t>(1500)), nullptr, nullptr, -1, 32,
                          0, 0);
  EXPECT_EQ(CVLibPlayer::toLayerY(2, 100), 960 - 100 - 480);
  CVLibPlayer::setLayerScroll(2, 0, 100);
  EXPECT_EQ(CVLibPlayer::getLayerProperty(2, layerprop::scrollY), 380);
  EXPECT_EQ(CVLibPlayer::getLayerScrollY(2), 100);
}

TEST_F(TileLayerTest, CellReadsAndMissingAttributes) {
  std::vector<uint8_t> tiles(12);
  for (size_t i = 0; i < tiles.size(); ++i) tiles[i] = static_cast<uint8_t>(i + 1);
  buildLayer(0, 4, 3, tiles, {9, 8, 7});  // attributes shorter than the tiles
  EXPECT_EQ(CVLibPlayer::getLayerTile(0, 1, 2), 10);
  EXPECT_EQ(CVLibPlayer::getLayerAttribute(0, 1, 0), 8);
  EXPECT_EQ(CVLibPlayer::getLayerAttribute(0, 1, 2), 0);
  EXPECT_EQ(CVLibPlayer::getLayerTile(0, 4, 0), 0);  // outside the layer
  EXPECT_EQ(CVLibPlayer::getLayerTile(0, -1, 1), 0);
  buildLayer(1, 4, 3, tiles);
  EXPECT_EQ(CVLibPlayer::getLayerAttribute(1, 1, 1), 0);
  EXPECT_EQ(CVLibPlayer::getLayerTile(4, 0, 0), 0);  // never built
}

TEST_F(TileLayerTest, DirectModeDrawsOnlyTheCellsThatExist) {
  ASprite* sprite = tileSprite(4, 0);  // modules only
  std::vector<uint8_t> tiles(25 * 15);
  for (int r = 0; r < 15; ++r)
    for (int c = 0; c < 25; ++c) tiles[static_cast<size_t>(r * 25 + c)] = static_cast<uint8_t>((c + r) % 4);
  buildLayer(0, 25, 15, tiles, {}, sprite);
  CVLibPlayer::paintLayers(graphics(), 0, 0, 0);
  ASSERT_EQ(calls().size(), 25u * 15u);
  for (int r = 0; r < 15; ++r)
    for (int c = 0; c < 25; ++c) {
      const PaintCall& call = calls()[static_cast<size_t>(r * 25 + c)];
      EXPECT_EQ(call, (PaintCall{false, (c + r) % 4, 32 * c, 32 * r, 0, 4})) << c << "," << r;
    }

  // Scrolled to -32 with the clamp lifted: two columns to the left, one off
  // screen; the cells left of the map are skipped, not read from the row above.
  calls().clear();
  CVLibPlayer::setLayerFlag(0, layerflag::clampX, false);
  CVLibPlayer::setLayerScroll(0, -32, 0);
  CVLibPlayer::setLayerFlag(0, layerflag::clampX, true);
  CVLibPlayer::paintLayers(graphics(), 0, 0, 0);
  ASSERT_EQ(calls().size(), 24u * 15u);
  EXPECT_EQ(calls()[0], (PaintCall{false, 0, 32, 0, 0, 4}));

  // Without wrap or clamp the range is cut to the map instead.
  calls().clear();
  CVLibPlayer::setLayerFlag(0, layerflag::clampX, false);
  CVLibPlayer::paintLayers(graphics(), 0, 0, 0);
  ASSERT_EQ(calls().size(), 24u * 15u);
  EXPECT_EQ(calls()[0], (PaintCall{false, 0, 32, 0, 0, 4}));
}

TEST_F(TileLayerTest, EmptyCellsMirroredTilesAndTilesPastTheSprite) {
  ASprite* sprite = tileSprite(2, 3);
  std::vector<uint8_t> tiles(25 * 15, 255);
  tiles[0] = 1;
  tiles[1] = 2;
  tiles[2] = 3;   // past the sprite's 3 frames
  tiles[26] = 0;  // (1, 1)
  std::vector<uint8_t> attributes(25 * 15, 0);
  attributes[1] = 1;
  attributes[26] = 3;
  buildLayer(0, 25, 15, tiles, attributes, sprite);
  CVLibPlayer::paintLayers(graphics(), 10, 20, 0);
  const std::vector<PaintCall> expected = {{true, 1, 10, 20, 0, 2}, {true, 2, 10 + 64, 20, 1, 2},
                                           {true, 0, 10 + 64, 20 + 64, 3, 2}};
  EXPECT_EQ(calls(), expected);
}

TEST_F(TileLayerTest, PaintLayersMinusOnePaintsEveryLayerInOrder) {
  ASprite* sprites[] = {tileSprite(1, 0), tileSprite(2, 0), tileSprite(3, 0), tileSprite(4, 0)};
  for (int n : {3, 0, 2, 1}) buildLayer(n, 25, 15, {0}, {}, sprites[n]);
  CVLibPlayer::clearLayer(2, true);
  CVLibPlayer::paintLayers(graphics(), 0, 0, -1);
  std::vector<int> order;
  for (const PaintCall& call : calls()) order.push_back(call.spriteTag);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 4}));
}

// The pre-rendered mode's frames equal the direct mode's along a scroll
// path, in each wrap and clamp mode.
TEST_F(TileLayerTest, PreRenderedFramesMatchDirectFrames) {
  spritePainterCalls() = saved;  // the sprite painter itself
  ASprite* sprite = paintedTileSprite(40);
  std::vector<uint8_t> tiles(50 * 30);
  std::vector<uint8_t> attributes(50 * 30);
  for (size_t i = 0; i < tiles.size(); ++i) {
    tiles[i] = static_cast<uint8_t>((i * 7 + i / 50) % 40);
    attributes[i] = static_cast<uint8_t>(i % 3);
  }
  struct Mode {
    int xMode, yWrapMode;
  };
  const int path[][2] = {{0, 0},      {5, 3},      {37, 70},   {-20, -45}, {400, 200}, {1000, 500},
                         {-700, 900}, {1590, 950}, {33, 2000}, {800, 480}, {799, 479}, {-33, -1}};
  for (const Mode& mode : {Mode{0, 0}, Mode{1, 1}, Mode{2, 2}, Mode{1, 0}}) {
    CVLibPlayer::buildLayer(0, layerHeader(50, 30), byteArrayOf(tiles), byteArrayOf(attributes), sprite, -1, 16,
                            mode.xMode, mode.yWrapMode);
    CVLibPlayer::buildLayer(1, layerHeader(50, 30), byteArrayOf(tiles), byteArrayOf(attributes), sprite, 1, 16,
                            mode.xMode, mode.yWrapMode);
    Image* direct = Image::createImage(800, 480);
    Image* preRendered = Image::createImage(800, 480);
    for (const auto& point : path) {
      for (int n : {0, 1}) CVLibPlayer::setLayerScroll(n, point[0], point[1]);
      // Scrolls left of or above a map that neither wraps nor clamps leave
      // screen uncovered: both start from the same background.
      direct->getGraphics()->setColor(0xFF123456);
      direct->getGraphics()->fillRect(0, 0, 800, 480);
      preRendered->getGraphics()->setColor(0xFF123456);
      preRendered->getGraphics()->fillRect(0, 0, 800, 480);
      const uint16_t background = direct->surface().row(0)[0];
      CVLibPlayer::paintLayers(direct->getGraphics(), 0, 0, 0);
      CVLibPlayer::paintLayers(preRendered->getGraphics(), 0, 0, 1);
      int differing = 0;
      int uncovered = 0;
      for (int32_t y = 0; y < 480; ++y)
        for (int32_t x = 0; x < 800; ++x) {
          differing += direct->surface().row(y)[x] != preRendered->surface().row(y)[x];
          uncovered += direct->surface().row(y)[x] == background;
        }
      if (point[0] == 0 && point[1] == 0) {
        EXPECT_EQ(uncovered, 0);
      }
      EXPECT_EQ(differing, 0) << "mode " << mode.xMode << "/" << mode.yWrapMode << " at " << point[0] << ","
                              << point[1];
    }
  }
}

}  // namespace
