// The player character's states: keys into walking and stopping, the speed
// rule, refusals, hits, the damage timer, following, defeat and the
// animation chosen for each state.
#include "tests/game/world/player_fixture.h"

namespace {

using namespace playertest;

class PlayerStatesTest : public PlayerFixture {
 protected:
  void SetUp() override {
    PlayerFixture::SetUp();
    makeOpenRoom();
  }
};

TEST_F(PlayerStatesTest, ATapTurnsAHoldWalksAndAReleaseSlowsDownThenStands) {
  cActorMC* player = makePlayer(400, 300);
  tap(RIGHT);
  frame(player);
  EXPECT_EQ(player->facing, DirectionMask::RIGHT);
  EXPECT_EQ(player->state, 0);
  EXPECT_EQ(player->getPixelX(), 400) << "a tap turns on the spot";

  setKeys({RIGHT}, {RIGHT});
  frame(player);
  EXPECT_EQ(player->state, 0) << "the press itself only turns";
  setKeys({}, {RIGHT});
  frame(player);
  EXPECT_EQ(player->state, 3);
  EXPECT_EQ(player->speedX, 90);
  EXPECT_EQ(player->speedY, 0);
  EXPECT_GT(player->getPixelX(), 400);

  std::vector<int32_t> states;
  setKeys({}, {});
  for (int i = 0; i < 4; ++i) {
    frame(player);
    states.push_back(player->state);
  }
  EXPECT_EQ(states, (std::vector<int32_t>{4, 5, 0, 0})) << "90 - 60 = 30, then 0 stops; one frame of 5";
}

TEST_F(PlayerStatesTest, StoppingNearACreatureGuards) {
  cActorMC* player = makePlayer(400, 300);
  makeCreature(500, 300);
  player->setState(3);
  player->setState(4);
  for (int i = 0; i < 3 && player->state != 9; ++i) frame(player);
  EXPECT_EQ(player->state, 9);
}

TEST_F(PlayerStatesTest, TheSpeedRuleByStateAndFacing) {
  struct Case {
    int32_t state, facing, startSpeed, speedX, speedY;
  };
  const int32_t diagonal = DirectionMask::UP | DirectionMask::RIGHT;
  for (const Case& c : {Case{3, DirectionMask::RIGHT, 0, 90, 0}, Case{3, diagonal, 0, 60, 60},
                        Case{3, DirectionMask::UP, 50, 0, 90}, Case{4, DirectionMask::RIGHT, 90, 30, 30},
                        Case{4, diagonal, 100, 40, 40}, Case{4, DirectionMask::RIGHT, 40, 0, 0},
                        Case{12, DirectionMask::LEFT, 0, 70, 0}, Case{12, diagonal, 0, 46, 46},
                        Case{109, DirectionMask::DOWN, 0, 0, 70}, Case{15, DirectionMask::RIGHT, 90, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << "state " << c.state << " facing " << c.facing);
    cActorMC* player = makePlayer(400, 300);
    player->facing = c.facing;
    player->speedX = player->speedY = c.startSpeed;
    player->setState(c.state);
    EXPECT_EQ(player->speedX, c.speedX);
    EXPECT_EQ(player->speedY, c.speedY);
    player->kill();
  }
}

TEST_F(PlayerStatesTest, WalkingDiagonallyIsCappedAtSixty) {
  cActorMC* player = makePlayer(400, 300);
  setKeys({}, {UP, RIGHT});
  frame(player);
  frame(player);
  EXPECT_EQ(player->state, 3);
  EXPECT_EQ(player->speedX, 60);
  EXPECT_EQ(player->speedY, 60);
}

TEST_F(PlayerStatesTest, RefusedChanges) {
  cActorMC* player = makePlayer(400, 300);
  ASSERT_TRUE(player->startHop(420, 300));
  EXPECT_EQ(player->state, 18);
  EXPECT_FALSE(player->startHop(500, 300));
  player->setState(3);
  EXPECT_EQ(player->state, 18) << "a hop only ends in state 0";
  player->setState(0);
  EXPECT_EQ(player->state, 0);

  player->abilityFlags = 2;
  player->setState(10);
  EXPECT_EQ(player->state, 0) << "may not push";
  player->abilityFlags = 0;
  player->setState(10);
  EXPECT_EQ(player->state, 10);

  player->setState(11);
  EXPECT_TRUE(player->enterHit(1, DirectionMask::LEFT, 10));
  EXPECT_EQ(player->state, 11) << "a hit while pushing keeps pushing";
  EXPECT_EQ(player->hp, 90) << "but takes its damage";
}

TEST_F(PlayerStatesTest, AHitWhileHoldingABlockReleasesItThenKnocksBack) {
  cActorMC* player = makePlayer(400, 300);
  cActor* block = makeActor(ActorKind::MOVER, 460, 300);
  block->setParams(newIntArray(8), 8);
  block->setParam(0, 1);
  player->pushable = block;
  player->setState(10);
  ASSERT_TRUE(player->enterHit(0, DirectionMask::LEFT, 5));
  EXPECT_EQ(player->state, 100);
  EXPECT_EQ(player->stateBeforeHit, 10);
  EXPECT_EQ(block->param(0), 0) << "released";
  frame(player);
  EXPECT_LT(player->getPixelX(), 400) << "pushed along the hit";
  EXPECT_FALSE(player->enterHit(0, DirectionMask::LEFT, 5)) << "no second hit while hit";
}

TEST_F(PlayerStatesTest, HopHalvesTheWayAndEndsOnlyCloseVertically) {
  cActorMC* player = makePlayer(400, 300);
  player->startHop(440, 340);
  frame(player);
  EXPECT_EQ(player->getPixelX(), 420);
  EXPECT_EQ(player->getPixelY(), 320);
  for (int i = 0; i < 10 && player->state == 18; ++i) frame(player);
  EXPECT_EQ(player->state, 0);
  EXPECT_EQ(player->getPixelX(), 440);
  EXPECT_EQ(player->getPixelY(), 340);
}

TEST_F(PlayerStatesTest, ADamageTickWithOneHitPointKnocksDownAndEndsTheTimer) {
  cActorMC* player = makePlayer(400, 300);
  player->hp = 1;
  ASSERT_TRUE(player->startDamageTimer(100));
  frame(player, 62);
  EXPECT_EQ(player->state, 0);
  frame(player, 62);  // 124 ms: the first whole interval
  EXPECT_EQ(player->state, 100);
  EXPECT_EQ(player->actionCode, 0);
  EXPECT_EQ(player->hp, 0);
  EXPECT_EQ(player->damageInterval, 0x7FFFFFFF);
}

TEST_F(PlayerStatesTest, ASecondDamageStartKeepsTheShorterIntervalAndTheClock) {
  cActorMC* player = makePlayer(400, 300);
  EXPECT_FALSE(player->startDamageTimer(0));
  ASSERT_TRUE(player->startDamageTimer(300));
  frame(player, 200);
  EXPECT_EQ(player->damageElapsed, 200);
  ASSERT_TRUE(player->startDamageTimer(500));
  EXPECT_EQ(player->damageInterval, 300);
  EXPECT_EQ(player->damageTimeLeft, 1000);
  EXPECT_EQ(player->damageElapsed, 200) << "the elapsed clock runs on";
  frame(player, 200);
  EXPECT_EQ(player->hp, 99) << "one point at 300 ms";
  player->setState(100);
  EXPECT_FALSE(player->startDamageTimer(100)) << "refused while hit";
}

TEST_F(PlayerStatesTest, FollowingStartsPast128AndStopsWithin64) {
  cActorMC* leader = makePlayer(400, 300, 0, true, 1);
  cActorMC* follower = makePlayer(600, 300, 1, false, 2);
  follower->attachCompanion(leader, 1);
  frame(follower);
  EXPECT_EQ(follower->state, 21) << "200 px away";
  const int32_t before = follower->getPixelX();
  frame(follower);
  EXPECT_EQ(follower->facing, DirectionMask::LEFT);
  EXPECT_EQ(before - follower->getPixelX(), 19) << "300 px a second: 18.6 px a frame";
  follower->setX(460 << 8);
  frame(follower);
  EXPECT_EQ(follower->state, 0) << "60 px away";
  follower->setX(500 << 8);
  frame(follower);
  EXPECT_EQ(follower->state, 0) << "100 px: still close enough";
  follower->setX(530 << 8);
  frame(follower);
  EXPECT_EQ(follower->state, 21);
}

TEST_F(PlayerStatesTest, TheAnimationOfEachStateFacingAndPartner) {
  struct Case {
    int32_t partner, state, facing, actionCode, anim, loops;
  };
  const int32_t L = DirectionMask::LEFT, R = DirectionMask::RIGHT, U = DirectionMask::UP, D = DirectionMask::DOWN;
  for (const Case& c : {Case{0, 0, U, 0, 0, -1},     Case{0, 0, R, 0, 3, -1},    Case{0, 3, L, 0, 13, -1},
                        Case{0, 4, D, 0, 6, -1},     Case{0, 12, L, 0, 18, -1},  Case{0, 12, U, 0, 19, -1},
                        Case{0, 9, R, 0, 17, -1},    Case{0, 10, R, 0, 79, -1},  Case{0, 11, U, 1, 72, -1},
                        Case{0, 11, U, 0, 80, -1},   Case{0, 13, L, 0, 38, 1},   Case{0, 15, R, 0, 41, 1},
                        Case{0, 100, R, 1, 35, 1},   Case{0, 100, L, 2, 38, 1},  Case{0, 103, R, 0, 55, 1},
                        Case{0, 107, L, 0, 100, 1},  Case{0, 110, R, 0, 107, 1}, Case{1, 3, R, 0, 11, -1},
                        Case{1, 12, U, 0, 8, -1},    Case{1, 9, R, 0, 3, -1},    Case{1, 13, R, 0, 29, 1},
                        Case{1, 100, L, 0, 26, 1},   Case{1, 15, L, 0, 32, 1}}) {
    SCOPED_TRACE(testing::Message() << "partner " << c.partner << " state " << c.state << " facing " << c.facing);
    cActorMC* player = makePlayer(400, 300, c.partner, false);
    player->actionCode = c.actionCode;
    player->lastAnim = -1;
    if (c.partner == 0) player->playStateAnim(c.state, c.facing);
    else player->playStateAnimAlt(c.state, c.facing);
    EXPECT_EQ(player->lastAnim, c.anim);
    EXPECT_EQ(player->lastAnimLoops, c.loops);
    EXPECT_EQ(player->player->anim, c.anim);
    player->kill();
  }
}

TEST_F(PlayerStatesTest, TheActionAnimations) {
  struct Case {
    int32_t code, facing, anim;
  };
  for (const Case& c : {Case{199, DirectionMask::LEFT, 16}, Case{200, DirectionMask::LEFT, 20},
                        Case{202, DirectionMask::RIGHT, 26}, Case{203, DirectionMask::UP, 27},
                        Case{204, DirectionMask::RIGHT, 29}, Case{205, DirectionMask::LEFT, 60},
                        Case{300, DirectionMask::DOWN, 17}, Case{250, DirectionMask::RIGHT, 4},
                        Case{301, DirectionMask::LEFT, 0}}) {
    cActorMC* player = makePlayer(400, 300, 0, false);
    player->actionCode = c.code;
    player->facing = c.facing;
    EXPECT_EQ(player->getActionAnim(), c.anim) << c.code;
    player->kill();
  }
}

TEST_F(PlayerStatesTest, DefeatOpensItsCinematicOnceTheDefeatHasPlayedOut) {
  cActorMC* player = makePlayer(400, 300);
  player->enterHit(0, DirectionMask::LEFT, 100);
  EXPECT_EQ(player->state, 100);
  EXPECT_FALSE(cGame::isCinematicActive());
  for (int i = 0; i < 60 && !cGame::isCinematicActive(); ++i) frame(player);
  EXPECT_EQ(player->state, 14) << "hit, knocked down, defeated";
  EXPECT_EQ(cGame::cinematicKind(), 2);
  // A second opening would start the screen's clock again.
  storyStatics().cGameCinematic.cinematicElapsed = 123;
  for (int i = 0; i < 20; ++i) frame(player);
  EXPECT_EQ(storyStatics().cGameCinematic.cinematicElapsed, 123) << "opened once";
}

TEST_F(PlayerStatesTest, ADefeatEnteredDuringALoopingAnimationStillOpensItsCinematic) {
  cActorMC* player = makePlayer(400, 300);
  player->setState(3);  // walking loops for ever
  player->hp = 0;
  player->setState(14);
  EXPECT_FALSE(cGame::isCinematicActive());
  for (int i = 0; i < 20 && !cGame::isCinematicActive(); ++i) frame(player);
  EXPECT_EQ(cGame::cinematicKind(), 2);
}

TEST_F(PlayerStatesTest, DamageToTheFocusFlashesAndADefeatOpensTheCinematic) {
  cActorMC* player = makePlayer(400, 300);
  player->addHealth(-30);
  EXPECT_EQ(player->hp, 70);
  EXPECT_EQ(play().damageFlashTime, 500);
  player->addHealth(50);
  EXPECT_EQ(player->hp, 100) << "capped at the maximum";
  player->addHealth(-200);
  EXPECT_EQ(player->hp, 0);
  EXPECT_EQ(player->state, 14);
  EXPECT_EQ(cGame::cinematicKind(), 2);
  player->addHealth(10);
  EXPECT_EQ(player->hp, 0) << "no healing once defeated";
}

TEST_F(PlayerStatesTest, OnlyTheFocusCharacterTellsTheHudWhatIsInReach) {
  cActorMC* focus = makePlayer(400, 300, 0, true, 1);
  cActorMC* partner = makePlayer(600, 300, 1, false, 2);
  focus->hotspotInReach = makeActor(ActorKind::COLLECTIBLE, 400, 300);
  frame(focus);
  EXPECT_TRUE(play().interactionAvailable);
  frame(partner);
  EXPECT_TRUE(play().interactionAvailable) << "the partner has nothing in reach, but is not asked";
}

TEST_F(PlayerStatesTest, KillingThePlayerLeavesTheCollisionMapAlone) {
  cActorMC* player = makePlayer(400, 300);
  installCollisionMap(std::vector<std::string>(20, std::string(40, '4')));
  const auto before = worldkit::collisionMapPicture();
  player->kill();
  EXPECT_EQ(worldkit::collisionMapPicture(), before);
  EXPECT_TRUE(player->isKilled());
  EXPECT_EQ(player->state, 14);
  EXPECT_EQ(player->enemyCount + player->breakableCount + player->moverCount + player->otherCount, 0);
}

TEST_F(PlayerStatesTest, HealingUsesTheFirstOfItemsOneToThreeWithACount) {
  IntArray* record = newIntArray(7);
  record->set(5, 1);   // amount
  record->set(6, 20);  // value: 20 % of the maximum
  for (int32_t id : {1, 2, 3}) cGame::setItemRecord(record, id);
  cActorMC* player = makePlayer(400, 300);
  player->hp = 50;
  IntArray* usedUp = newIntArray(2);
  usedUp->set(0, 1);
  player->items->set(0, usedUp);
  player->addItem(2, 1, false);
  tap(HASH);
  frame(player);
  EXPECT_EQ(player->hp, 70) << "item 1 has no count left: item 2 heals";
  EXPECT_EQ(player->findInventorySlot(2), -1) << "its last one used";
  EXPECT_EQ(player->findInventorySlot(1), 0);
}

TEST_F(PlayerStatesTest, ACharacterWithFewerParamsThanTheSideViewReadsGetsZeros) {
  IntArray* position = newIntArray(3);
  cActorMC* player = cActorMC::create(ActorKind::PLAYER, 0, position);
  player->params = newIntArray(2);
  player->paramCount = 2;
  player->hp = 10;
  cGame::setFocusActor(player);
  shellStatics().cGameProgress.sideViewMode = true;
  player->reset();
  frame(player);
  frame(player);
  EXPECT_EQ(player->param(8), 0);
  EXPECT_EQ(player->params->length(), 2);
  shellStatics().cGameProgress.sideViewMode = false;
}

}  // namespace
