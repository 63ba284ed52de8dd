#pragma once
// Tile layers for tests: a header, tile and attribute planes, built into
// layer n of 800 x 480 tables with 32 x 32 tiles, clamped like the game's.
#include <cstdint>
#include <vector>

#include "game/toolkit/CVLibPlayer.h"
#include "tests/game/toolkit/sprite_test_support.h"

class TileLayerFixture : public SpriteFixture {
 protected:
  void SetUp() override {
    SpriteFixture::SetUp();
    CVLibPlayer::initLayerTables(800, 480, 32, 32);
  }

  static ByteArray* layerHeader(int columns, int rows) {
    std::vector<uint8_t> header;
    putU16(header, static_cast<uint32_t>(columns));
    putU16(header, static_cast<uint32_t>(rows));
    return byteArrayOf(header);
  }
  // tiles row by row; attributes empty = no attribute plane.
  static void buildLayer(int n, int columns, int rows, const std::vector<uint8_t>& tiles,
                         const std::vector<uint8_t>& attributes = {}, ASprite* sprite = nullptr,
                         bool preRender = false) {
    CVLibPlayer::loadLayer(n, layerHeader(columns, rows), byteArrayOf(tiles),
                           attributes.empty() ? nullptr : byteArrayOf(attributes), sprite, preRender, 16, 0, 0);
  }
  static void buildFilledLayer(int n, int columns, int rows, uint8_t tile) {
    buildLayer(n, columns, rows, std::vector<uint8_t>(static_cast<size_t>(columns * rows), tile));
  }
};
