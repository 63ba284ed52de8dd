// Path hazards (kind 20) along the route points, and the wandering critters
// (kind 21): running off when touched, turning back at the map's edge or a
// wall, resting, and dying under a hazard.
#include "tests/game/world/scene_object_fixture.h"

namespace {

using namespace playertest;

constexpr int32_t UP_BIT = 0x400, DOWN_BIT = 0x800, LEFT_BIT = 0x1000, RIGHT_BIT = 0x2000;

class SceneCritterTest : public SceneObjectFixture {
 protected:
  static constexpr int32_t critterSprite = 24;
  static constexpr int32_t hazardSprite = 25;

  void SetUp() override {
    SceneObjectFixture::SetUp();
    installSprite(critterSprite, {.animations = 14, .steps = 1});
    installSprite(hazardSprite, {.animations = 1, .steps = 1, .frameBox = [](int) {
                                   return worldkit::TestFrameBox{-10, -10, 20, 20};
                                 }});
    // 10 x 8 cells without walls, one wall cell at column 5, row 3.
    makeRoom({
        "..........",
        "..........",
        "..........",
        ".....#....",
        "..........",
        "..........",
        "..........",
        "..........",
    });
  }

  static cActor* makeCritter(int32_t px, int32_t py, int32_t direction, int32_t state, int32_t timer) {
    cActor* critter = makeObject(ActorKind::CRITTER, 40, px, py, {direction, timer, state});
    critter->setSprite(sprite(critterSprite));
    critter->setInteractBox(-8, -8, 16, 16);
    return critter;
  }
  static cActor* makeHazard(int32_t px, int32_t py, std::vector<int32_t> params, bool active = true) {
    cActor* hazard = makeObject(ActorKind::PATH_HAZARD, 41, px, py, std::move(params), active);
    hazard->setSprite(sprite(hazardSprite));
    hazard->setAnim(0, -1);
    return hazard;
  }
  static void step(cActor* actor, int32_t ms = framePeriod) {
    stepFrame(ms);
    runKind(actor);
  }
};

TEST_F(SceneCritterTest, ARunningCritterTurnsBackAtTheMapsEdgeOrAWallAndRests) {
  struct Case {
    const char* what;
    int32_t x, y, direction;
    bool turns;
    int32_t back;
  };
  // 62 ms at 100 px a second: a step of 6.2 px.
  const Case cases[] = {
      {"free floor", 100, 100, RIGHT_BIT, false, 0},
      {"the left edge", 3, 100, LEFT_BIT, true, RIGHT_BIT},
      {"the top edge", 100, 3, UP_BIT, true, DOWN_BIT},
      {"the right edge", 316, 100, RIGHT_BIT, true, LEFT_BIT},
      {"the bottom edge", 100, 252, DOWN_BIT, true, UP_BIT},
      {"a wall cell", 157, 100, RIGHT_BIT, true, LEFT_BIT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActor* critter = makeCritter(c.x, c.y, c.direction, 1, 4000);
    const int32_t x = critter->x, y = critter->y;
    step(critter);
    if (!c.turns) {
      EXPECT_EQ(critter->param(2), 1);
      EXPECT_EQ(critter->x, x + 1587);
      continue;
    }
    EXPECT_EQ(critter->x, x);
    EXPECT_EQ(critter->y, y);
    EXPECT_EQ(critter->param(0), c.back);
    EXPECT_EQ(critter->param(2), 2);
    EXPECT_EQ(critter->player->anim, cActor::directionCode(c.back) + 8);
    int32_t rested = 0;
    while (critter->param(2) == 2 && rested < 10000) {
      step(critter);
      rested += framePeriod;
    }
    EXPECT_GE(rested, 6000);
    EXPECT_LT(rested, 6000 + framePeriod) << "it rests 6000 ms";
    EXPECT_EQ(critter->param(1), 3000);
    EXPECT_EQ(critter->player->anim, cActor::directionCode(c.back));
  }
}

TEST_F(SceneCritterTest, TouchedByTheCharacterARestingCritterRunsOff) {
  cActor* critter = makeCritter(100, 100, UP_BIT, 0, 3000);
  makePlayer(300, 200);
  step(critter);
  EXPECT_EQ(critter->param(2), 0) << "not touched";
  makePlayer(100, 100);
  step(critter);
  EXPECT_EQ(critter->param(2), 1);
  EXPECT_EQ(critter->param(1), 4000 - framePeriod);
  const int32_t direction = critter->param(0);
  EXPECT_TRUE(direction == UP_BIT || direction == DOWN_BIT || direction == LEFT_BIT || direction == RIGHT_BIT);
  EXPECT_EQ(critter->player->anim, cActor::directionCode(direction) + 4);
}

TEST_F(SceneCritterTest, OnlyAnActiveHazardInPlayKillsACritter) {
  struct Case {
    const char* what;
    bool active, killed, touching;
    bool dies;
  };
  const Case cases[] = {
      {"active and touching", true, false, true, true},
      {"switched off", false, false, true, false},
      {"out of play", true, true, true, false},
      {"apart", true, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActor* critter = makeCritter(100, 100, LEFT_BIT, 0, 3000);
    cActor* hazard = makeHazard(c.touching ? 110 : 200, 100, {0, 0, 0, 0}, c.active);
    hazard->setFlag(ActorFlags::KILLED, c.killed);
    EXPECT_EQ(critter->isHitByPathHazard(), c.dies);
    step(critter);
    EXPECT_EQ(critter->param(2) == 3, c.dies);
  }
}

TEST_F(SceneCritterTest, ACritterUnderAHazardBlinksForThreeSecondsAndIsKilled) {
  struct Case {
    int32_t direction, animation;
  };
  for (const Case& c : {Case{UP_BIT, 12}, Case{LEFT_BIT, 12}, Case{DOWN_BIT, 13}, Case{RIGHT_BIT, 13}}) {
    SCOPED_TRACE(c.direction);
    cActor::initLists();
    cActor* critter = makeCritter(100, 100, c.direction, 1, 4000);
    cActor* hazard = makeHazard(100, 100, {0, 0, 0, 0});
    const int32_t x = critter->x;
    step(critter);
    EXPECT_EQ(critter->param(2), 3);
    EXPECT_EQ(critter->param(1), 3000);
    EXPECT_EQ(critter->player->anim, c.animation);
    EXPECT_EQ(critter->x, x) << "nothing else in the frame it is hit";
    hazard->setFlag(ActorFlags::ACTIVE, false);
    int32_t toggles = 0;
    int32_t elapsed = 0;
    bool hidden = critter->hasFlag(ActorFlags::HIDDEN);
    while (!critter->isKilled() && elapsed < 5000) {
      step(critter, 50);
      elapsed += 50;
      if (critter->hasFlag(ActorFlags::HIDDEN) != hidden) ++toggles;
      hidden = critter->hasFlag(ActorFlags::HIDDEN);
    }
    EXPECT_EQ(elapsed, 3000);
    EXPECT_EQ(toggles, 30) << "every 100 ms";
    EXPECT_EQ(critter->x, x) << "a dying critter stays put";
  }
}

TEST_F(SceneCritterTest, APathHazardWalksTheRoutePointsBackAndForth) {
  cGame::resetRoutePoints();
  cGame::addPathNode(1, 200, 100, 2);
  cGame::addPathNode(2, 300, 100, 1);
  // 100 px a second toward route point 1 first, then on along the points.
  cActor* hazard = makeHazard(100, 100, {1, 0, 25600, 250});
  auto runUntil = [&](int32_t px) {
    for (int32_t i = 0; i < 100; ++i) {
      step(hazard);
      if (hazard->getPixelX() == px) return true;
    }
    return false;
  };
  ASSERT_TRUE(runUntil(200));
  EXPECT_EQ(hazard->x, 200 << 8) << "it snaps onto the point";
  EXPECT_EQ(hazard->param(1), 1);
  ASSERT_TRUE(runUntil(300));
  EXPECT_EQ(hazard->x, 300 << 8);
  EXPECT_EQ(hazard->param(1), 2);
  ASSERT_TRUE(runUntil(200));
  EXPECT_EQ(hazard->param(1), 1);
  EXPECT_EQ(hazard->y, 100 << 8);
}

TEST_F(SceneCritterTest, APathHazardStartsTheCharactersDamagePeriodOnContact) {
  cActorMC* character = makePlayer(300, 200);
  cActor* hazard = makeHazard(100, 100, {0, 0, 0, 250});
  step(hazard);
  EXPECT_EQ(character->damageTimeLeft, 0);
  hazard->setX(300 << 8);
  hazard->setY(210 << 8);
  step(hazard);
  EXPECT_EQ(character->damageTimeLeft, 1000);
  EXPECT_EQ(character->damageInterval, 250);
  hazard->setFlag(ActorFlags::ACTIVE, false);
  character->damageTimeLeft = 0;
  step(hazard);
  EXPECT_EQ(character->damageTimeLeft, 0) << "a switched-off hazard hurts nobody";
}

}  // namespace
