// The interpreter: keyframe timing and the motion between keyframes, the
// skip table against what the commands read, and what each command does.
#include <gtest/gtest.h>

#include <functional>

#include "game/story/EventScriptFormat.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "tests/game/story/story_fixture.h"

namespace {

class EventInterpreterTest : public StoryFixture {
 protected:
  // Starts track t of the loaded script and steps it once by ms.
  static bool stepBy(int32_t t, int32_t ms) {
    setTimeStep(ms);
    return cGame::stepEventTrack(t, 0);
  }
};

TEST_F(EventInterpreterTest, KeyframesRunWhenTheirTimeComesAndTheActorMovesBetweenThem) {
  struct Case {
    const char* what;
    std::vector<int32_t> steps;  // time steps, ms
    int32_t x, y;                // 24.8 after them
  };
  // Keyframes at 0, 200 and 600 ms: x 0 -> 100 -> 500 px, y kept from 40.
  const Case cases[] = {
      {"the keyframe at 0 on the first step, then 62 ms of motion", {62}, 128 * 62, 40 << 8},
      {"two keyframes in one step, the rest interpolated", {300}, (100 << 8) + 256 * 100, 40 << 8},
      {"every keyframe passed", {300, 300, 300}, 500 << 8, 40 << 8},
      {"exactly on a keyframe", {200}, 100 << 8, 40 << 8},
      {"a step of no time runs the first keyframe only", {0}, 0, 40 << 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cGame::clearScriptActors();
    cActor* actor = scriptActor(42, 7, 40);
    ScriptBuilder script;
    script.cutscene(1, 1).track(2, 1, 42);
    script.key(0).cmd(21, {0, -1}).key(2).cmd(21, {100, -1}).key(6).cmd(56).cmd(21, {500, -1});
    load(script);
    cGame::startEventTrack(0, false);
    for (int32_t ms : c.steps) stepBy(0, ms);
    EXPECT_EQ(actor->x, c.x);
    EXPECT_EQ(actor->y, c.y);
  }
}

TEST_F(EventInterpreterTest, VelocitiesNeedAGapOfMoreThan100MsAndTruncateTowardZero) {
  struct Case {
    const char* what;
    int32_t gapTenths, fromX, toX, toY;
    int32_t velocityX, velocityY;
  };
  const Case cases[] = {
      {"a gap of 100 ms: the actor jumps", 1, 0, 50, 50, 0, 0},
      {"a gap of 200 ms", 2, 0, 50, 50, 64, (50 - 20) * 256 / 200},
      {"truncated, not floored", 10, 1000, 999, -1, 0, 0},
      {"a negative target keeps the axis still", 10, 0, -1, 70, 0, (70 - 20) * 256 / 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cGame::clearScriptActors();
    scriptActor(42, c.fromX, 20);
    ScriptBuilder script;
    script.cutscene(1, 1).track(2, 1, 42).key(0).cmd(56).key(c.gapTenths).cmd(21, {c.toX, c.toY});
    load(script);
    cGame::startEventTrack(0, false);
    stepBy(0, 1);
    EXPECT_EQ(events().trackVelocityX->get(0), c.velocityX);
    EXPECT_EQ(events().trackVelocityY->get(0), c.velocityY);
  }
}

TEST_F(EventInterpreterTest, TracksLookAheadForTheirOwnMoveCommandOnly) {
  cActor* actor = scriptActor(42, 0, 0);
  installSprite(16);
  ScriptBuilder script;
  // Type 2 moves with 21, type 3 with 41, the camera with 11; plain tracks
  // never move.
  script.cutscene(1, 4);
  script.track(2, 1, 42).key(0).key(10).cmd(41, {100, 100}).cmd(21, {200, 0});
  script.track(3, 1, 0).key(0).key(10).cmd(21, {300, 0}).cmd(41, {100, 0});
  script.track(1, 1).key(0).cmd(11, {0, 0}).key(10).cmd(11, {400, 0});
  script.track(0, 1).key(0).key(10).cmd(11, {400, 0});
  load(script);
  for (int32_t t = 0; t < 4; ++t) cGame::startEventTrack(t, false);
  for (int32_t t = 0; t < 4; ++t) stepBy(t, 500);
  // Velocities are 24.8 per ms, truncated: (200 << 8) / 1000 is 51.
  EXPECT_EQ(actor->x, 51 * 500);
  EXPECT_EQ(cGame::getTrackActor(1)->x, 25 * 500);
  EXPECT_EQ(camera().cameraX, 102 * 500);
  EXPECT_EQ(events().trackVelocityX->get(3), 0);
}

TEST_F(EventInterpreterTest, TheSkipTableMatchesWhatEveryCommandReads) {
  scriptActor(42, 0, 0);
  for (int op = 0; op < 256; ++op) {
    const auto opcode = static_cast<uint8_t>(op);
    if (eventscript::isRefused(opcode)) {
      EXPECT_EQ(cGame::skipOpcode(op), -1);
      continue;
    }
    SCOPED_TRACE(op);
    const eventscript::Command* command = eventscript::findCommand(opcode);
    EXPECT_EQ(cGame::skipOpcode(op), eventscript::operandBytes(opcode));
    // Operands of -1 everywhere: every reader still reads exactly its bytes,
    // which the marker command after it shows (its z lands on the actor).
    ScriptBuilder script;
    script.cutscene(1, 1).track(2, 0, 42).key(0);
    script.raw({opcode});
    if (command != nullptr)
      for (int32_t i = 0; i < eventscript::operandBytes(opcode); ++i) script.raw({0xFF});
    script.cmd(26, {33}).commands(2);
    // Run, and passed over by a fast-forward: the same bytes either way.
    for (const bool fastForward : {false, true}) {
      SCOPED_TRACE(fastForward);
      load(script);
      auto* actor = static_cast<cActor*>(events().scriptActors->get(0));
      actor->setZ(0);
      cGame::startEventTrack(0, false);
      cutscene().cutsceneFastForward = fastForward;
      testing::internal::CaptureStdout();
      stepBy(0, 62);
      testing::internal::GetCapturedStdout();
      cutscene().cutsceneFastForward = false;
      EXPECT_EQ(actor->z, 33 << 8);
      EXPECT_EQ(events().trackReadPos->get(0), -1);
    }
  }
}

}  // namespace
