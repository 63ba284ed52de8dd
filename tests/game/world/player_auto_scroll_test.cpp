// The side-view rooms' running control: the struggle, the hurt, the speed
// cap, companions placed beside the focus character and the defeat.
#include "tests/game/world/player_fixture.h"

namespace {

using namespace playertest;

class PlayerAutoScrollTest : public PlayerFixture {
 protected:
  void SetUp() override {
    PlayerFixture::SetUp();
    makeOpenRoom();
    shellStatics().cGameProgress.sideViewMode = true;
  }

  cActorMC* makeRunner(int32_t px, int32_t py, bool focus = true, int32_t id = 1) {
    cActorMC* player = makePlayer(px, py, 0, focus, id);
    player->reset();
    return player;
  }

  // Frames of the struggle, fire pressed in the listed ones (1-based); the
  // frame it ended in and its state then, or {0, 114}.
  std::pair<int32_t, int32_t> struggle(cActorMC* player, std::initializer_list<int32_t> presses) {
    player->state = 114;
    player->struggleGauge = 60;
    player->struggleFrames = 0;
    for (int32_t f = 1; f <= 40; ++f) {
      if (std::find(presses.begin(), presses.end(), f) != presses.end()) tap(FIRE);
      else setKeys({}, {});
      frame(player, 50);
      if (player->state != 114) return {f, player->state};
    }
    return {0, 114};
  }
};

TEST_F(PlayerAutoScrollTest, TheStruggleIsWonByTwoPressesInTwentyFramesAndLostAtThirtyOrThirtyFive) {
  cActorMC* player = makeRunner(400, 300);
  EXPECT_EQ(struggle(player, {19, 20}), std::make_pair(20, 0)) << "60 - 40 + 100 = 120";
  EXPECT_EQ(player->struggleGauge, 120);
  EXPECT_EQ(struggle(player, {}), std::make_pair(30, 14)) << "the gauge is empty at frame 30";
  player->hp = 100;
  EXPECT_EQ(struggle(player, {10}), std::make_pair(35, 14)) << "frame 35 ends it whatever the gauge";
}

TEST_F(PlayerAutoScrollTest, AHurtTakesTenPointsOnce) {
  cActorMC* player = makeRunner(400, 300);
  player->hurt = true;
  player->hurtTime = 1000;
  for (int i = 0; i < 25; ++i) frame(player, 50);
  EXPECT_EQ(player->hp, 90);
  EXPECT_FALSE(player->hurt);
  player->hurt = true;
  player->hurtTime = 1000;
  frame(player, 50);
  EXPECT_EQ(player->hp, 80);
}

TEST_F(PlayerAutoScrollTest, SteeringAgainstHomeIsCappedByTheMove) {
  cActorMC* player = makeRunner(600, 300);
  player->setRunDirection(1);
  player->state = 104;
  const int32_t before = player->x;
  setKeys({LEFT}, {LEFT});
  frame(player, 50);
  EXPECT_EQ(player->speedX, 20480);
  EXPECT_EQ(player->x - before, -(50 * 5632 * 32 / 1000));
}

TEST_F(PlayerAutoScrollTest, ACharacterWithoutInputIsPulledHome) {
  makeRunner(400, 300, true, 1);
  cActorMC* other = makeRunner(600, 300, false, 2);
  other->setRunDirection(-1);
  other->state = 104;
  const int32_t before = other->x;
  frame(other, 50);
  EXPECT_EQ(other->speedX, 1536);
  EXPECT_EQ(other->x - before, -(50 * 1536 * 32 / 1000));
}

TEST_F(PlayerAutoScrollTest, ARowBlockedAcrossTheMapNeverShovesTheRunnerIntoTheRightEdge) {
  // Row 10 is blocked from wall to wall, as a side-view room's channel is.
  std::vector<std::string> rows(20, "#" + std::string(38, '.') + "#");
  rows.front() = rows.back() = rows[10] = std::string(40, '#');
  makeRoom(rows);
  worldStatics().cGameCamera.sideViewSpeed = 0;
  worldStatics().cGameCamera.cameraY = 0;
  cActorMC* player = makeRunner(1232, 336);
  for (int i = 0; i < 10; ++i) {
    frame(player, 50);
    EXPECT_LT(player->getPixelX(), 1248) << "frame " << i << ": the last column is the edge's wall";
  }
  // Away from the edge the shove still goes right.
  player->setX(400 << 8);
  frame(player, 50);
  EXPECT_EQ(player->getPixelX(), 432);
}
TEST_F(PlayerAutoScrollTest, HealthTakenByAScriptFellsTheRunnerAndOpensTheGameOver) {
  cActorMC* player = makeRunner(400, 300);
  player->hp = 20;
  player->addHealth(-10);
  frame(player, 50);
  EXPECT_EQ(player->hp, 10);
  EXPECT_EQ(player->state, 0) << "health left: she runs on";
  player->addHealth(-20);
  for (int i = 0; i < 20 && !cGame::isCinematicActive(); ++i) frame(player, 50);
  EXPECT_EQ(player->state, 14);
  EXPECT_TRUE(cGame::isCinematicActive());
  EXPECT_EQ(cGame::cinematicKind(), 2);
}
TEST_F(PlayerAutoScrollTest, ARunnerRestoredForARetryOpensTheGameOverAgainAtHerNextDefeat) {
  cActorMC* player = makeRunner(400, 300);
  for (int round = 1; round <= 2; ++round) {
    player->hp = 10;
    player->hurt = true;
    player->hurtTime = 1000;
    for (int i = 0; i < 30 && !cGame::isCinematicActive(); ++i) frame(player, 50);
    EXPECT_TRUE(cGame::isCinematicActive()) << "defeat " << round;
    EXPECT_EQ(cGame::cinematicKind(), 2) << "defeat " << round;
    // The retry: the screen closes and the room's restore resets her.
    cGame::closeCinematic();
    player->hp = 100;
    player->reset();
    EXPECT_EQ(player->state, 0);
  }
}

TEST_F(PlayerAutoScrollTest, ACompanionIsPlacedBesideTheFocusCharacter) {
  makeRunner(400, 300, true, 1);
  cActorMC* left = makeRunner(700, 300, false, 2);
  left->state = 111;
  frame(left, 50);
  EXPECT_EQ(left->getPixelX(), 368);
  EXPECT_EQ(left->state, 0);
}

TEST_F(PlayerAutoScrollTest, DefeatOpensTheCinematicOnceAndABlockedCellNeitherHurtsNorMoves) {
  cActorMC* player = makeRunner(400, 300);
  player->contactFlagA = true;
  player->state = 14;
  player->hp = 0;
  player->setAnim(2, 1);
  installCollisionMap(std::vector<std::string>(20, std::string(40, '#')));
  for (int i = 0; i < 20 && !cGame::isCinematicActive(); ++i) frame(player, 50);
  EXPECT_EQ(cGame::cinematicKind(), 2);
  // A second opening would start the screen's clock again.
  storyStatics().cGameCinematic.cinematicElapsed = 123;
  for (int i = 0; i < 10; ++i) frame(player, 50);
  EXPECT_EQ(storyStatics().cGameCinematic.cinematicElapsed, 123) << "opened once";
  EXPECT_FALSE(player->hurt);
  EXPECT_EQ(player->getPixelX(), 400);
}

}  // namespace
