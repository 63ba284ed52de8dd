#pragma once
// The world test kit: a fixture for tests of actors, rooms, effects and
// story code, over the whole game's statics and class initialisers, with
//  - the content's own literal table (cGame's class initialisers read it),
//  - the fake clock (sleeps move it on) and the frame clock's statics,
//  - a fixed seed in the game's java_util_Random,
//  - an 800 x 480 screen Image whose Graphics is cGame::graphics (the
//    shell's and the toolkit's) and the screen Graphics, with the draw
//    effects made as the start-up makes them,
//  - cGame::sprites made (52 empty slots) for test sprites (test_sprite.h),
// and the collision map (ascii_collision_map.h) and the paint recorder
// (paint_recorder.h) at hand. No display, no canvas, no threads: a test
// plays the game thread and calls the world's operations itself.
//
//   class ActorPaintTest : public WorldKitFixture {};
//   TEST_F(ActorPaintTest, DeeperActorsPaintLater) {
//     installSprite(40, {.animations = 2, .steps = 3});
//     installCollisionMap({"....", "..#."});
//     worldkit::PaintRecorder paints(screenGraphics());
//     stepFrame(62);
//     ...
//   }
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "game/GameClassInitialisers.h"
#include "game/GameStatics.h"
#include "tests/game/world/ascii_collision_map.h"
#include "tests/game/world/paint_recorder.h"
#include "tests/game/world/test_sprite.h"
#include "tests/support/MappedFileSystem.h"
#include "tests/support/RuntimeFixture.h"

class ASprite;
class java_util_Random;
class javax_microedition_lcdui_Graphics;
class javax_microedition_lcdui_Image;

class WorldKitFixture : public RuntimeFixture {
 protected:
  static constexpr uint64_t clockStart = 100000;    // the fake clock's time at SetUp
  static constexpr int64_t randomSeed = 0x5EED;     // the game's Random at SetUp
  static constexpr int32_t framePeriod = 62;        // the game's frame period, ms
  static constexpr int32_t screenWidth = 800, screenHeight = 480;
  // The screen and the draw effects' back image take 1.5 MB of the native pool.
  static constexpr uint32_t objectHeapBytes = 4u << 20, nativePoolBytes = 8u << 20;

  WorldKitFixture() : RuntimeFixture(objectHeapBytes, nativePoolBytes, &gameClassInitialisers()) {}

  void SetUp() override;
  void TearDown() override;

  // --- sprites
  // A test sprite loaded into slot of cGame::sprites (test_sprite.h).
  static ASprite* installSprite(int slot, const worldkit::TestSpriteDescription& description = {},
                                bool buildCaches = false) {
    return worldkit::installTestSprite(slot, description, buildCaches);
  }
  // cGame::sprites[slot], or null.
  static ASprite* sprite(int slot);

  // --- collision (ascii_collision_map.h)
  static void installCollisionMap(const std::vector<std::string>& rows,
                                  std::initializer_list<worldkit::CollisionSymbol> legend = {}) {
    worldkit::installCollisionMap(rows, legend);
  }

  // --- random numbers
  // The game's Random (cGame::random), seeded with randomSeed at SetUp.
  static java_util_Random* random();
  // Seeds it again (java_util_Random::setSeed; made when missing).
  static void seedRandom(int64_t seed);

  // --- time
  // The fake clock (GetTickCount64): starts at clockStart, moves only when
  // a test moves it or game code sleeps.
  static uint64_t now();
  static void advanceClock(uint64_t ms);
  // cGame::frameTime and cGame::timeStep both set to ms, without a frame.
  static void setTimeStep(int32_t ms);
  // One frame of game time, as the frame loop and the in-game update see it:
  // the clock moves by ms; frameTime and timeStep are ms; the frame counter
  // and the play clock move on.
  static void stepFrame(int32_t ms = framePeriod);

  // --- screen
  // The 800 x 480 screen and its Graphics (cGame::graphics). The fixture
  // does not hold them alive: cGame::graphics and the toolkit's screen
  // Graphics do, so a test that points both elsewhere keeps its own.
  javax_microedition_lcdui_Image* screen() const { return m_screen; }
  javax_microedition_lcdui_Graphics* screenGraphics() const { return m_screenGraphics; }
  // A screen pixel (RGB565), and the whole screen set to one.
  uint16_t pixelAt(int32_t x, int32_t y) const;
  void fillScreen(uint16_t rgb565);

 private:
  testsupport::MappedFileSystem m_folders{"world", folderBase()};
  javax_microedition_lcdui_Image* m_screen = nullptr;  // rooted by cGame::graphics
  javax_microedition_lcdui_Graphics* m_screenGraphics = nullptr;

  static std::filesystem::path folderBase();
};
