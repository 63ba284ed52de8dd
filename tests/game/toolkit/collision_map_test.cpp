#include <gtest/gtest.h>

#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameAlias.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/toolkit/tile_layer_support.h"

namespace {

class CollisionMapTest : public TileLayerFixture {
 protected:
  // A free table of columns x rows with the given cells set.
  static void makeTable(int columns, int rows) {
    buildFilledLayer(4, columns, rows, 0);
    cGame::createCollisionMap(columns, rows);
    cGame::buildCollisionFromLayer(4);
  }
  static void setCell(int cx, int cy, int value) {
    auto* column = static_cast<ByteArray*>(toolkitStatics().cGameCollision.collisionMap->get(cx));
    column->set(cy, static_cast<int8_t>(value));
  }
  static int cell(int cx, int cy) {
    auto* column = static_cast<ByteArray*>(toolkitStatics().cGameCollision.collisionMap->get(cx));
    return column->get(cy) & 0xFF;
  }
  static IntArray* pair() { return newIntArray(2); }
};

TEST_F(CollisionMapTest, CellsComeFromTheCollisionLayersTiles) {
  const std::vector<uint8_t> tiles = {0, 1, 2, 3, 4, 5, 6, 255, 7};
  buildLayer(4, 9, 1, tiles);
  cGame::createCollisionMap(10, 2);  // sized from a larger layer 0
  cGame::buildCollisionFromLayer(4);
  const int expected[] = {0, 0, 2, 32, 3, 0, 68, 1, 0};
  for (int cx = 0; cx < 9; ++cx) EXPECT_EQ(cell(cx, 0), expected[cx]) << cx;
  // Cells beyond layer 4 read as free.
  EXPECT_EQ(cell(9, 0), 0);
  EXPECT_EQ(cell(0, 1), 0);

  // Only a built layer 4 makes cells: a cleared one leaves them all free.
  CVLibPlayer::clearLayer(4, true);
  cGame::buildCollisionFromLayer(4);
  for (int cx = 0; cx < 9; ++cx) EXPECT_EQ(cell(cx, 0), 0) << cx;
}

TEST_F(CollisionMapTest, ClearDynamicBlockingKeepsTheStaticBits) {
  makeTable(3, 1);
  setCell(0, 0, 0x8F);
  setCell(1, 0, 68);
  setCell(2, 0, 0x73);
  cGame::clearDynamicBlocking();
  EXPECT_EQ(cell(0, 0), 0x03);
  EXPECT_EQ(cell(1, 0), 64);  // bit 4 of a static tile-6 cell goes too
  EXPECT_EQ(cell(2, 0), 0x73);
}

TEST_F(CollisionMapTest, PixelsTruncateTowardZeroAndOutsideNeverBlocks) {
  makeTable(4, 4);
  setCell(0, 0, 1);
  EXPECT_TRUE(cGame::isBlockedVertical(-10, 5, 1));  // column 0, not -1
  EXPECT_TRUE(cGame::testCollision(0, 0, 1));
  EXPECT_FALSE(cGame::testCollision(-1, 0, 0xFF));
  EXPECT_FALSE(cGame::testCollision(4, 0, 0xFF));
  EXPECT_FALSE(cGame::testCollision(0, 4, 0xFF));
  EXPECT_FALSE(cGame::isBlockedAt(1000, 1000, 0xFF));

  // The segment walk shifts: pixel -10 is column -1, outside and free.
  IntArray* stop = pair();
  EXPECT_FALSE(cGame::lineBlocked(-10, 40, -10, 40, stop, true, 1, 0, 0, 0, nullptr));
  EXPECT_EQ(stop->get(0), -10 * 256);
  EXPECT_TRUE(cGame::lineBlocked(5, 5, 5, 5, stop, true, 1, 0, 0, 0, nullptr));
}

TEST_F(CollisionMapTest, BoxTestsProbeTheCornersWithinSixteenPixels) {
  makeTable(4, 4);
  setCell(0, 2, 4);  // below left of the centre cell (1, 1)
  EXPECT_TRUE(cGame::isBlockedAt(40, 50, 4));   // (24, 65) reaches cell (0, 2)
  EXPECT_FALSE(cGame::isBlockedAt(48, 48, 4));  // (32, 63): the corners stay in column 1
  EXPECT_FALSE(cGame::isBlockedAt(40, 50, 2));  // another bit
  EXPECT_FALSE(cGame::isBlockedVertical(40, 50, 4));
  EXPECT_FALSE(cGame::isBlockedHorizontal(40, 50, 4));
  setCell(0, 1, 4);
  EXPECT_TRUE(cGame::isBlockedHorizontal(40, 50, 4));
  setCell(1, 2, 4);
  EXPECT_TRUE(cGame::isBlockedVertical(40, 50, 4));
}

TEST_F(CollisionMapTest, MarkSpriteBoxStampsOnlyBitEight) {
  tools::SpriteDescription description;
  description.modules = {imageModule(8, 8), imageModule(64, 64)};
  description.frames.resize(2);
  description.frames[0].modules = {{0, 0, 0, 0, 0}};
  description.frames[0].rect = {0, 0, 8, 8};
  description.frames[1].modules = {{1, 0, 0, 0, 0}};
  description.frames[1].rect = {0, 0, 64, 64};
  description.anims = {{{{0, 1}}}, {{{1, 1}}}};
  ASprite* sprite = loadSpriteDescription(description);
  ASSERT_NE(sprite, nullptr);
  makeTable(6, 6);
  setCell(2, 2, 0x21);
  Object* actor = newObject<Object>();

  // Narrower than 16 pixels: one column at x / 32, the row of y - 16.
  cGame::markSpriteBox(actor, sprite, 0, 80, 100, false, 0);
  for (int cx = 0; cx < 6; ++cx)
    for (int cy = 0; cy < 6; ++cy) EXPECT_EQ(cell(cx, cy) & 8, cx == 2 && cy == 2 ? 8 : 0) << cx << "," << cy;
  cGame::markSpriteBox(actor, sprite, 0, 80, 100, false, 1);
  EXPECT_EQ(cell(2, 2), 0x21);

  // 64 wide, full height: columns (x - 40 + 16) / 32 on for (64 + 16) >> 5 = 2,
  // rows (y - 64) / 32 on for 2; a box half outside marks what is inside.
  cGame::markSpriteBox(actor, sprite, 1, 96, 128, true, 0);
  int marked = 0;
  for (int cx = 0; cx < 6; ++cx)
    for (int cy = 0; cy < 6; ++cy) marked += (cell(cx, cy) & 8) != 0;
  EXPECT_EQ(marked, 4);
  EXPECT_EQ(cell(2, 2) & 8, 8);
  EXPECT_EQ(cell(3, 3) & 8, 8);
  cGame::markSpriteBox(actor, sprite, 1, 10, 20, true, 0);  // columns -1..0, rows -2..-1: nothing inside
  cGame::markSpriteBox(nullptr, sprite, 1, 96, 128, true, 1);  // no actor: nothing
  EXPECT_EQ(cell(3, 3) & 8, 8);
  cGame::markSpriteBox(actor, sprite, 7, 96, 128, true, 1);  // no such animation: nothing
  EXPECT_EQ(cell(3, 3) & 8, 8);
}

TEST_F(CollisionMapTest, LineBlockedWalksTwoStepsPerCell) {
  makeTable(8, 4);
  setCell(5, 1, 1);
  IntArray* stop = pair();
  IntArray* side = pair();
  // Zero length: two steps in place, both on the start cell.
  EXPECT_FALSE(cGame::lineBlocked(40, 40, 40, 40, stop, true, 1, 0, 0, 0, side));
  EXPECT_EQ(stop->get(0), 40 * 256);
  EXPECT_EQ(side->get(1), 40 * 256);

  // Along row 1 toward cell 5: stops at the first step inside it.
  EXPECT_TRUE(cGame::lineBlocked(16, 48, 240, 48, stop, true, 1, 0, 0, 0, side));
  // steps = 2 * (224 / 32 + 1) = 16, step 14 px: 16 + 14 * 11 = 170 is the first in column 5.
  EXPECT_EQ(stop->get(0), 170 * 256);
  EXPECT_EQ(stop->get(1), 48 * 256);

  // Widened by one row, a side cell with sideMask blocks and reports its point.
  setCell(5, 1, 0);
  setCell(3, 2, 16);
  EXPECT_TRUE(cGame::lineBlocked(16, 48, 240, 48, stop, true, 1, 0, 1, 16, side));
  EXPECT_EQ(stop->get(0), 100 * 256);
  EXPECT_EQ(side->get(0), 100 * 256);
  EXPECT_EQ(side->get(1), 48 * 256 + 8192);
  EXPECT_FALSE(cGame::lineBlocked(16, 48, 240, 48, stop, true, 1, 0, 0, 16, side));
  EXPECT_EQ(stop->get(0), 240 * 256);
  EXPECT_EQ(side->get(0), 240 * 256);
}

TEST_F(CollisionMapTest, RequiredMaskStopsWhereTheBitEnds) {
  makeTable(8, 2);
  for (int cx = 0; cx < 4; ++cx) setCell(cx, 0, 64);
  IntArray* stop = pair();
  EXPECT_TRUE(cGame::lineBlocked(16, 16, 240, 16, stop, true, 0, 64, 0, 0, nullptr));
  EXPECT_EQ(stop->get(0) >> 13, 4);  // the first point in column 4
  // Within the bit's cells nothing stops; outside the table nothing stops either.
  EXPECT_FALSE(cGame::lineBlocked(16, 16, 100, 16, stop, true, 0, 64, 0, 0, nullptr));
  EXPECT_FALSE(cGame::lineBlocked(-400, -400, -200, -200, nullptr, true, 0xFF, 64, 1, 0xFF, nullptr));
}

}  // namespace
