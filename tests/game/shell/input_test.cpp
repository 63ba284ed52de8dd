// Key and touch input as the game thread applies the queued events: the
// latch, the key maps, the hit test, the HUD pad's keys, and events from
// another thread arriving while frames latch.
#include <atomic>
#include <thread>

#include "game/shell/InputQueue.h"
#include "platform/java_util/java_util_Vector.h"
#include "tests/game/shell/shell_fixture.h"

namespace {

class Input : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    canvas = makeCanvas();
  }
  cGame* canvas = nullptr;
};

constexpr int32_t bit(int32_t key) { return 1 << key; }

TEST_F(Input, LatchShowsPressedReleasedAndHeldPerFrame) {
  canvas->keyPressed('1');
  canvas->keyReleased('1');
  cGame::latchInput();
  EXPECT_TRUE(cGame::isKeyPressed(7));
  EXPECT_TRUE(cGame::isKeyReleased(7));
  EXPECT_FALSE(cGame::isKeyHeld(7));

  canvas->keyPressed(-6);
  cGame::latchInput();
  EXPECT_EQ(keys().framePressed, bit(18));
  EXPECT_TRUE(cGame::isKeyHeld(18));
  cGame::latchInput();
  EXPECT_EQ(keys().framePressed, 0);
  EXPECT_TRUE(cGame::isKeyHeld(18));
  canvas->keyReleased(-6);
  cGame::latchInput();
  EXPECT_EQ(keys().frameReleased, bit(18));
  EXPECT_TRUE(cGame::isKeyNotHeld(18));
  EXPECT_EQ(cGame::getReleasedKey(), 18);
  cGame::latchInput();
  EXPECT_EQ(cGame::getReleasedKey(), -1);
  EXPECT_FALSE(cGame::isKeyHeld(40));
}

TEST_F(Input, KeyCodesMapToGameKeys) {
  static constexpr struct {
    int32_t code, key;
  } cases[] = {{'0', 6},  {'1', 7},  {'2', 8},  {'3', 9},  {'4', 10}, {'5', 11}, {'6', 12}, {'7', 13},
               {'8', 14}, {'9', 15}, {'#', 17}, {'*', 16}, {-6, 18},  {-7, 19},  {-5, 5},   {-4, 1},
               {-3, 2},   {-1, 3},   {-2, 4},   {-999, 0}, {13, 0},   {0, 0}};
  for (const auto& c : cases) EXPECT_EQ(cGame::mapKeyCode(c.code), c.key) << c.code;
  canvas->keyPressed(-999);
  cGame::latchInput();
  EXPECT_EQ(keys().framePressed, bit(0));
}

TEST_F(Input, AReleaseCountsOnlyForAPressSeenSinceTheLastClear) {
  canvas->keyPressed('5');
  cGame::latchInput();
  cGame::clearFrameKeys();  // as a state change does
  canvas->keyReleased('5');
  cGame::latchInput();
  EXPECT_EQ(keys().frameReleased, 0);
  EXPECT_EQ(keys().frameHeld, 0);
}

TEST_F(Input, HitTestIsStrictAndTheLastAddedAreaWins) {
  cGame::addTouchArea(100, 100, 50, 50, 1);
  cGame::addTouchArea(120, 120, 50, 50, 2);
  static constexpr struct {
    int32_t x, y, id;
  } cases[] = {{101, 101, 1}, {100, 120, -1}, {150, 110, -1}, {130, 130, 2}, {149, 149, 2},
               {169, 169, 2}, {170, 130, -1}, {125, 120, 1},  {0, 0, -1}};
  for (const auto& c : cases) {
    cGame::hitTestTouchAreas(c.x, c.y);
    const int32_t hit = touch().touchedArea != nullptr ? touch().touchedArea->id : -1;
    EXPECT_EQ(hit, c.id) << c.x << "," << c.y;
    EXPECT_EQ(touch().touchHit, c.id != -1);
  }
}

TEST_F(Input, OneEventHitsAnAreaInEachList) {
  cGame::addTouchArea(0, 0, 800, 480, 0);
  cGame::addOverlayTouchArea(0, 0, 70, 70, 1001);
  canvas->pointerPressed(10, 10);
  canvas->pointerReleased(10, 10);
  cGame::latchInput();
  ASSERT_NE(touch().touchedArea, nullptr);
  ASSERT_NE(touch().touchedOverlayArea, nullptr);
  EXPECT_EQ(touch().touchedArea->id, 0);
  EXPECT_EQ(touch().touchedOverlayArea->id, 1001);
  EXPECT_TRUE(touch().releasedOnArea);
  EXPECT_TRUE(touch().pointerWasReleased);
  EXPECT_TRUE(touch().overlayHit);
}

TEST_F(Input, TheListsTakeNoAreasOnceComplete) {
  cGame::addTouchArea(0, 0, 10, 10, 1);
  touch().touchAreasComplete = true;
  cGame::addTouchArea(0, 0, 10, 10, 2);
  EXPECT_EQ(touch().touchAreas->size(), 1);
}

// The pad's areas as digit keys, each event of the pen seen in order.
TEST_F(Input, ThePadPressesDragsAndReleasesAsKeys) {
  cGame::addTouchArea(0, 300, 60, 60, 210);    // "2": GameKey 8
  cGame::addTouchArea(60, 300, 60, 60, 212);   // "4": GameKey 10
  cGame::addTouchArea(200, 300, 60, 60, 300);  // not the pad
  touch().hudActive = true;
  struct Step {
    char what;  // p press, d drag, r release
    int32_t x;
    int32_t pressed, released, held;
  };
  static constexpr Step steps[] = {
      {'p', 30, bit(8), 0, bit(8)},             // press on 210
      {'d', 31, 0, 0, bit(8)},                  // staying presses once
      {'d', 90, bit(10), bit(8), bit(10)},      // across: release "2", press "4"
      {'d', 230, 0, 0, bit(10)},                // onto a non-pad area: kept
      {'d', 500, 0, bit(10), 0},                // off every area: released
      {'p', 90, bit(10), 0, bit(10)},
      {'r', 90, 0, bit(10), 0},                 // release on the pad
  };
  for (const Step& step : steps) {
    if (step.what == 'p') canvas->pointerPressed(step.x, 330);
    if (step.what == 'd') canvas->pointerDragged(step.x, 330);
    if (step.what == 'r') canvas->pointerReleased(step.x, 330);
    cGame::latchInput();
    EXPECT_EQ(keys().framePressed, step.pressed) << step.what << step.x;
    EXPECT_EQ(keys().frameReleased, step.released) << step.what << step.x;
    EXPECT_EQ(keys().frameHeld, step.held) << step.what << step.x;
  }
}

TEST_F(Input, TheHudMenuButtonActsOnReleaseOnlyAndNotWhileHidden) {
  enterState(GameState::inGame);
  touch().hudActive = true;
  cGame::addTouchArea(700, 0, 100, 60, 1003);
  canvas->pointerPressed(750, 30);
  cGame::latchInput();
  EXPECT_FALSE(machine().stateChangePending);
  states().hudHidden = true;
  canvas->pointerReleased(750, 30);
  cGame::latchInput();
  EXPECT_FALSE(machine().stateChangePending);
  EXPECT_FALSE(touch().pointerWasReleased) << "the release is consumed even so";
  states().hudHidden = false;
  canvas->pointerReleased(750, 30);
  cGame::latchInput();
  EXPECT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::inGameMenu);
  EXPECT_TRUE(states().menuSuspended);
  EXPECT_TRUE(touch().menuButtonUsed);
  EXPECT_EQ(touch().touchedArea, nullptr);
  EXPECT_FALSE(touch().releasedOnArea);
}

TEST_F(Input, TouchesAreIgnoredWhileLoading) {
  enterState(GameState::loading);
  cGame::addTouchArea(0, 0, 800, 480, 0);
  canvas->pointerPressed(10, 10);
  canvas->pointerReleased(10, 10);
  cGame::latchInput();
  EXPECT_EQ(touch().touchedArea, nullptr);
  EXPECT_FALSE(touch().pointerWasReleased);
  EXPECT_FALSE(touch().pointerIsDown);
}

// Releases one key a frame and runs the detector as the menu's update does.
bool releaseAndDetect(cGame* canvas, int32_t code) {
  canvas->keyPressed(code);
  canvas->keyReleased(code);
  cGame::latchInput();
  return cGame::updateKeySequence();
}

TEST_F(Input, TheOverlaySequenceTogglesDiagnosticsAndAWrongKeyStartsOver) {
  // Right softkey twice, left twice, right, left, fire.
  static constexpr int32_t overlay[] = {-7, -7, -6, -6, -7, -6, -5};
  enterState(GameState::mainMenu);
  for (int32_t code : {-7, -7, -6}) EXPECT_FALSE(releaseAndDetect(canvas, code));
  EXPECT_FALSE(releaseAndDetect(canvas, -5)) << "a wrong key";
  cGame::latchInput();
  EXPECT_FALSE(cGame::updateKeySequence()) << "a frame without a release changes nothing";
  for (size_t i = 0; i < 7; ++i) EXPECT_EQ(releaseAndDetect(canvas, overlay[i]), i == 6);
  EXPECT_TRUE(loop().diagnosticsOn);
  enterState(GameState::inGame);
  for (int32_t code : overlay) releaseAndDetect(canvas, code);
  EXPECT_FALSE(loop().diagnosticsOn);
  enterState(GameState::title);
  for (int32_t code : overlay) EXPECT_FALSE(releaseAndDetect(canvas, code)) << "not on the title";
}

// A full queue drops presses first: the releases of the presses it holds
// still get in, so no key is left held.
TEST_F(Input, AFullQueueKeepsRoomForReleases) {
  InputQueue& queue = inputQueue();
  queue.clear();
  const size_t pressRoom = InputQueue::capacity - InputQueue::roomKeptForReleases;
  for (size_t i = 0; i < pressRoom; ++i) EXPECT_TRUE(queue.push({InputEvent::Kind::keyPressed, '1'}));
  EXPECT_FALSE(queue.push({InputEvent::Kind::keyPressed, '2'}));
  EXPECT_FALSE(queue.push({InputEvent::Kind::pointerDragged, 1, 1}));
  EXPECT_TRUE(queue.push({InputEvent::Kind::keyReleased, '1'}));
  EXPECT_TRUE(queue.push({InputEvent::Kind::resumed}));
  cGame::latchInput();
  EXPECT_EQ(keys().keysHeld, 0);
  EXPECT_EQ(keys().frameReleased, bit(7));
  EXPECT_TRUE(queue.push({InputEvent::Kind::keyPressed, '2'})) << "room again once taken";
}

// The UI thread queues while the game thread latches: every release reported
// belongs to a press seen, and once the UI thread is done no key stays held.
TEST_F(Input, EventsFromAnotherThreadAreNeverLostOrHalfSeen) {
  std::atomic<bool> done{false};
  std::thread ui([&] {
    for (int round = 0; round < 5000; ++round) {
      const int32_t code = '1' + round % 9;
      canvas->keyPressed(code);
      canvas->pointerDragged(round % 800, 10);
      canvas->keyReleased(code);
    }
    done = true;
  });
  int32_t previousHeld = 0;
  int32_t releasedSeen = 0;
  for (;;) {
    const bool finished = done.load();
    cGame::latchInput();
    EXPECT_EQ(keys().frameReleased & ~(previousHeld | keys().framePressed), 0);
    releasedSeen |= keys().frameReleased;
    previousHeld = keys().frameHeld;
    if (finished) break;
  }
  ui.join();
  cGame::latchInput();
  releasedSeen |= keys().frameReleased;
  EXPECT_EQ(keys().keysHeld, 0);
  EXPECT_EQ(releasedSeen, 0xFF80) << "keys 7..15 each came up";
}

}  // namespace
