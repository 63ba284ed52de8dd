#pragma once
// A toolkit runtime with a small RGB565 screen: an opaque mutable image
// whose Graphics is both cGame::graphics and the screen Graphics, and a
// quarter-wave cosine table in cGame's statics.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "game/toolkit/MathHelpers.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameToolkit.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/Arrays.h"
#include "tests/game/toolkit/toolkit_fixture.h"
#include "tools/compiler/MathTablePack.h"

using cGame = cGameToolkit;
using Image = javax_microedition_lcdui_Image;
using Graphics = javax_microedition_lcdui_Graphics;

// The cosines the content compiler packs: T[0] = 256, T[64] = 0.
inline void fillCosineTable(int32_t* table) {
  const std::vector<int32_t> cosines = tools::quarterWaveCosine();
  std::copy(cosines.begin(), cosines.end(), table);
}

inline IntArray* newCosineTable() {
  IntArray* table = newIntArray(cosTableLength);
  fillCosineTable(table->elements());
  return table;
}

class DrawingFixture : public ToolkitFixture {
 protected:
  static constexpr int32_t screenWidth = 120, screenHeight = 80;
  static constexpr uint16_t background = 0x4208;  // a dark grey, RGB565

  void SetUp() override {
    ToolkitFixture::SetUp();
    screen = Image::createImage(screenWidth, screenHeight);
    graphics = screen->getGraphics();
    cGameDrawStatics& draw = toolkitStatics().cGameDraw;
    draw.graphics = graphics;
    draw.screenGraphics = graphics;
    draw.screenWidth = screenWidth;
    draw.screenHeight = screenHeight;
    toolkitStatics().cGameMath.cosTable = newCosineTable();
    clearScreen();
  }

  void clearScreen(uint16_t value = background) {
    const raster::Surface surface = screen->surface();
    for (int32_t y = 0; y < surface.height; ++y)
      for (int32_t x = 0; x < surface.width; ++x) surface.row(y)[x] = value;
  }
  uint16_t pixelAt(int32_t x, int32_t y) const { return screen->surface().row(y)[x]; }
  // How many screen pixels differ from the background.
  int drawnCount(uint16_t under = background) const {
    int count = 0;
    for (int32_t y = 0; y < screenHeight; ++y)
      for (int32_t x = 0; x < screenWidth; ++x) count += pixelAt(x, y) != under;
    return count;
  }

  // What drawRGB makes of one ARGB element over a background pixel.
  static uint16_t blendedOver(uint16_t under, uint32_t argb) {
    Image* probe = Image::createImage(1, 1);
    probe->surface().row(0)[0] = under;
    IntArray* element = newIntArray(1);
    element->set(0, int32_t(argb));
    probe->getGraphics()->drawRGB(element, 0, 1, 0, 0, 1, 1, true);
    return probe->surface().row(0)[0];
  }

  static IntArray* intArray(std::initializer_list<uint32_t> values) {
    IntArray* array = newIntArray(int32_t(values.size()));
    int32_t index = 0;
    for (uint32_t value : values) array->set(index++, int32_t(value));
    return array;
  }

  Image* screen = nullptr;
  Graphics* graphics = nullptr;
};
