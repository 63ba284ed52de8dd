#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/cGameAlias.h"
#include "tests/game/toolkit/tile_layer_support.h"
#include "tools/compiler/MapCompiler.h"

namespace {

class MapCompilerTest : public TileLayerFixture {
 protected:
  static std::string grid(int columns, int rows, char fill, char corner = 0) {
    std::string text;
    for (int r = 0; r < rows; ++r) {
      std::string row(size_t(columns), fill);
      if (corner != 0 && r == 0) row[0] = corner;
      text += row + "\n";
    }
    return text;
  }
  static std::string map(int columns, int rows, int collisionColumns, int collisionRows) {
    return "tileset 0\n; the floor with a wall in the corner\nlayer 0\n" + grid(columns, rows, 'f', 'W') +
           "\nlayer 2\n" + grid(columns, rows, '.') + "\nlayer 4\n" +
           grid(collisionColumns, collisionRows, '.', '#') + "\n";
  }
  const tools::MapLegend legend = tools::parseMapLegend("; tile set 0\nf 3\nW 7 1\n. 255\n", "legend0.txt");
};

TEST_F(MapCompilerTest, LayersReadBackThroughTheLayerBuildAndCollisionTable) {
  EXPECT_EQ(tools::mapTileSet(map(26, 15, 26, 15), "room.map"), 0);
  const auto entries = tools::compileMap(map(26, 15, 26, 15), legend, "room.map");
  ASSERT_EQ(entries.size(), 15u);
  for (int e : {3, 4, 5}) EXPECT_TRUE(entries[size_t(e)].empty()) << e;  // layer 1
  for (int layer : {0, 2, 3, 4}) {
    EXPECT_EQ(entries[size_t(3 * layer)], (std::vector<uint8_t>{26, 0, 15, 0})) << layer;
    EXPECT_EQ(entries[size_t(3 * layer + 2)].size(), 26u * 15u) << layer;  // full attribute planes
  }
  for (int layer : {0, 2, 3, 4})
    CVLibPlayer::loadLayer(layer, byteArrayOf(entries[size_t(3 * layer)]), byteArrayOf(entries[size_t(3 * layer + 1)]),
                           byteArrayOf(entries[size_t(3 * layer + 2)]), nullptr, false, 16, 0, 0);
  EXPECT_EQ(CVLibPlayer::getLayerTile(0, 0, 0), 7);
  EXPECT_EQ(CVLibPlayer::getLayerAttribute(0, 0, 0), 1);
  EXPECT_EQ(CVLibPlayer::getLayerTile(0, 25, 14), 3);
  EXPECT_EQ(CVLibPlayer::getLayerTile(2, 3, 3), 255);
  EXPECT_EQ(CVLibPlayer::getLayerTile(3, 3, 3), 255);  // left out: empty
  cGame::createCollisionMap(cGame::getMapWidth() / 32, cGame::getMapHeight() / 32);
  cGame::buildCollisionFromLayer(4);
  EXPECT_TRUE(cGame::testCollision(0, 0, 1));
  EXPECT_FALSE(cGame::testCollision(1, 0, 0xFF));
}

TEST_F(MapCompilerTest, MistakesAreRefusedWithTheirPlace) {
  struct Case {
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {map(24, 15, 24, 15), "less than one screen"},
      {map(25, 14, 25, 14), "less than one screen"},
      {map(26, 15, 25, 15), "row of 25 cells"},
      {map(26, 15, 26, 16), "has 16 rows"},
      {"tileset 0\nlayer 0\n" + grid(25, 15, 'f'), "layer 0 and the collision layer"},
      {"tileset 0\nlayer 0\n" + grid(25, 15, 'x') + "\nlayer 4\n" + grid(25, 15, '.'), "'x' is not in layer 0"},
      {"tileset 0\nlayer 0\n" + grid(25, 15, 'f') + "\nlayer 4\n" + grid(25, 15, 'f'), "'f' is not in layer 4"},
      {"tileset 0\nlayer 1\n", "layers are 0, 2, 3 and 4"},
      {"f\n", "outside any layer"},
  };
  for (const Case& c : cases) {
    try {
      tools::compileMap(c.text, legend, "room.map");
      ADD_FAILURE() << "accepted: " << c.message;
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
      EXPECT_EQ(std::string(error.what()).rfind("room.map:", 0), 0u) << error.what();
    }
  }
  EXPECT_THROW(tools::parseMapLegend("f 256\n", "legend"), std::runtime_error);
  EXPECT_THROW(tools::parseMapLegend("f 1\nf 2\n", "legend"), std::runtime_error);
  EXPECT_THROW(tools::mapTileSet("layer 0\n", "room.map"), std::runtime_error);
}

}  // namespace
