// The creature's state machine: blows and their reactions, wearing out,
// the caller's reinforcements, the leader's pause, the wake bit, the
// timers drawn from the game's Random and the animation chosen per state.
#include <gtest/gtest.h>

#include "game/toolkit/CVLibPlayer.h"
#include "platform/java_util/java_util_Random.h"
#include "tests/game/world/creature_fixture.h"

namespace {

using creaturekit::heardCount;

class CreatureTest : public CreatureFixture {
 protected:
  // Updates until the creature leaves the state it is in; false after 200.
  static bool updateUntilStateLeaves(cActorEnemy* creature, int32_t state) {
    for (int i = 0; i < 200; ++i) {
      creature->updatedThisFrame = false;
      stepFrame(framePeriod);
      creature->update();
      if (creature->state != state) return true;
    }
    return false;
  }
  static int countReinforcements() {
    int count = 0;
    for (cActor* actor : layerOrder()) {
      cActorEnemy* creature = cActorEnemy::asCreature(actor);
      if (creature != nullptr && creature->callerId != 0 && !creature->isKilled()) ++count;
    }
    return count;
  }
};

TEST_F(CreatureTest, ABlowInAHitOrOnADefeatedCreatureChangesNothing) {
  struct Case {
    const char* name;
    int32_t state, hp;
    bool taken;
  };
  for (const Case& c : {Case{"reeling from a blow", 100, 30, false}, Case{"out of hit points", 0, 0, false},
                        Case{"out of play", 104, 30, false}, Case{"standing", 0, 30, true}}) {
    SCOPED_TRACE(c.name);
    cActorEnemy* creature = makeCreature(400, 300);
    creature->state = c.state;
    creature->hp = c.hp;
    EXPECT_EQ(creature->takeBlow(2, DirectionMask::LEFT, 10), c.taken);
    EXPECT_EQ(creature->hp, c.taken ? c.hp - 10 : c.hp);
    EXPECT_EQ(creature->state, c.taken ? 100 : c.state);
    EXPECT_EQ(creature->param(19), c.taken ? 10 : 0);
  }
}

TEST_F(CreatureTest, EachTypeReactsToABlowItsOwnWay) {
  struct Case {
    const char* name;
    int32_t type, state, blow, reaction, palette;
  };
  for (const Case& c : {Case{"ordinary", cActorEnemy::ORDINARY, 5, 3, 3, 0},
                        Case{"leader knocked", cActorEnemy::LEADER, 5, 3, 6, 0},
                        Case{"leader struck", cActorEnemy::LEADER, 5, 10, 6, 0},
                        Case{"leader pausing", cActorEnemy::LEADER, 99, 2, 8, 0},
                        Case{"caller", cActorEnemy::CALLER, 5, 2, 12, 1}}) {
    SCOPED_TRACE(c.name);
    cActorEnemy* creature = makeCreature(400, 300, c.type, 0, 200);
    creature->state = c.state;
    ASSERT_TRUE(creature->takeBlow(c.blow, DirectionMask::RIGHT, 5));
    EXPECT_EQ(creature->subState, c.reaction);
    EXPECT_EQ(creature->pushDirection, DirectionMask::RIGHT);
    EXPECT_EQ(creature->resumeState, c.state);
    EXPECT_EQ(creature->palette, c.palette);
    EXPECT_EQ(creature->param(18), c.type == cActorEnemy::LEADER ? 1 : 0);
  }
}

TEST_F(CreatureTest, AWearingOutCreatureLosesOneHitPointEachWholeSecondOnScreen) {
  struct Case {
    const char* name;
    int32_t frameMs, frames, cameraX, hpLeft;
  };
  for (const Case& c : {Case{"three seconds on screen", 62, 49, 0, 7}, Case{"off screen", 62, 49, 3000, 10},
                        Case{"one long frame", 2500, 1, 0, 9}}) {
    SCOPED_TRACE(c.name);
    play().cameraPixelX = c.cameraX;
    cActorEnemy* creature = makeCreature(400, 300, cActorEnemy::ORDINARY, cActorEnemy::OPTION_WEARS_OUT, 10);
    for (int i = 0; i < c.frames; ++i) {
      creature->updatedThisFrame = false;
      stepFrame(c.frameMs);
      creature->update();
    }
    EXPECT_EQ(creature->hp, c.hpLeft);
    creature->kill();
  }
}

TEST_F(CreatureTest, AWearingOutCreatureDiesWithItsLastHitPoint) {
  cActorEnemy* creature = makeCreature(400, 300, cActorEnemy::ORDINARY, cActorEnemy::OPTION_WEARS_OUT, 1);
  ASSERT_TRUE(updateUntilStateLeaves(creature, creature->state));
  while (creature->state == 105) ASSERT_TRUE(updateUntilStateLeaves(creature, 105));
  EXPECT_EQ(creature->state, 666);
  EXPECT_EQ(creature->hp, 0);
  EXPECT_TRUE(creature->isKilled());
}

TEST_F(CreatureTest, AWearingOutCreatureDiesOnTouchingTheFocusCharacter) {
  cActorMC* hero = makeHero(390, 300);
  cActorEnemy* creature = makeCreature(400, 300, cActorEnemy::ORDINARY, cActorEnemy::OPTION_WEARS_OUT, 10);
  creature->state = 5;
  creature->direction = DirectionMask::LEFT;
  updateFrame();
  EXPECT_EQ(hero->state, 100) << "the touch is a blow";
  EXPECT_EQ(hero->hp, 92);
  EXPECT_EQ(creature->state, 666);
  EXPECT_EQ(creature->hp, 0);
}

TEST_F(CreatureTest, ACallerCallsItsReinforcementsEveryFiftyDamageUpToItsCap) {
  cGame::resetRoutePoints();
  cGame::addPathNode(1, 200, 200, 2);
  cGame::addPathNode(2, 600, 200, 1);
  cActorEnemy* caller = makeCreature(400, 300, cActorEnemy::CALLER, 0, 1000);
  caller->id = 9;
  caller->setParam(20, 1);
  caller->setParam(21, 2);
  auto blow = [caller](int32_t damage) {
    caller->state = 5;
    return caller->takeBlow(2, DirectionMask::LEFT, damage);
  };
  ASSERT_TRUE(blow(30));
  EXPECT_EQ(countReinforcements(), 0);
  ASSERT_TRUE(blow(30));
  EXPECT_EQ(countReinforcements(), 2) << "60 damage reached 50";
  EXPECT_EQ(caller->param(19), 0);
  ASSERT_TRUE(blow(50));
  EXPECT_EQ(countReinforcements(), 4);
  ASSERT_TRUE(blow(50));
  EXPECT_EQ(countReinforcements(), cActorEnemy::reinforcementCap) << "refused past the cap";

  // One falls: there is room for one more.
  for (cActor* actor : layerOrder()) {
    cActorEnemy* called = cActorEnemy::asCreature(actor);
    if (called == nullptr || called->callerId != 9) continue;
    EXPECT_EQ(called->param(0), cActorEnemy::ORDINARY);
    EXPECT_EQ(called->options() & 0x101, 0x101);
    EXPECT_EQ(called->hp, 50);
    EXPECT_EQ(called->param(23), 60);
    EXPECT_EQ(called->param(24), 10);
    EXPECT_TRUE(called->isActive());
    EXPECT_TRUE(called->hasFlag(ActorFlags::RESTORED));
    EXPECT_EQ(called->player->sprite, sprite(19));
  }
  for (cActor* actor : layerOrder()) {
    cActorEnemy* called = cActorEnemy::asCreature(actor);
    if (called != nullptr && called->callerId == 9) {
      called->kill();
      break;
    }
  }
  ASSERT_TRUE(blow(50));
  EXPECT_EQ(countReinforcements(), cActorEnemy::reinforcementCap);
  EXPECT_FALSE(caller->callReinforcement(77)) << "no such route point";
}

TEST_F(CreatureTest, ALeaderPausesAfterItsFourthBlow) {
  cActorEnemy* leader = makeCreature(400, 300, cActorEnemy::LEADER, 0, 100);
  for (int blowNumber = 1; blowNumber <= 4; ++blowNumber) {
    SCOPED_TRACE(blowNumber);
    leader->state = 5;
    ASSERT_TRUE(leader->takeBlow(2, DirectionMask::LEFT, 1));
    ASSERT_TRUE(updateUntilStateLeaves(leader, 100));
    EXPECT_EQ(leader->state, blowNumber < 4 ? 10 : 99);
  }
  EXPECT_EQ(leader->param(18), 0);
  EXPECT_EQ(leader->subState, 0);
}

TEST_F(CreatureTest, ACreatureThatIsNotAwakeOnlyAnimatesAndCountsItsBalloon) {
  makeHero(300, 300);
  cActorEnemy* creature = makeCreature(400, 300);
  creature->setParam(23, 180);
  creature->setParam(24, 10);
  creature->flags &= ~ActorFlags::ACTIVE;
  creature->state = 0;
  creature->setBalloon(5, 1000, 0, 0);
  const int32_t x = creature->x;
  for (int i = 0; i < 5; ++i) updateFrame();
  EXPECT_EQ(creature->state, 0) << "it does not see, chase or idle";
  EXPECT_EQ(creature->x, x);
  EXPECT_GT(creature->player->aframe + creature->player->time, 0) << "it animates";
  EXPECT_EQ(creature->balloon->get(1), 1000 - 5 * framePeriod);

  worldkit::PaintRecorder paints(screenGraphics());
  creature->paint();
  EXPECT_TRUE(paints.lines().empty());
  creature->flags |= ActorFlags::ACTIVE;
  creature->paint();
  EXPECT_FALSE(paints.lines().empty()) << "awake, it is painted";
  updateFrame();
  EXPECT_NE(creature->state, 0) << "awake, it sees the character";
}

TEST_F(CreatureTest, TimersDrawnFromTheRandomAreNeverNegative) {
  cActorEnemy* creature = makeCreature(400, 300);
  struct Case {
    int32_t state, low, high, step;
  };
  for (int64_t seed = 1; seed <= 60; ++seed) {
    seedRandom(seed * 7919);
    for (const Case& c : {Case{9, 300, 900, 300}, Case{12, 300, 900, 300}, Case{11, 0, 500, 500},
                          Case{13, 300, 600, 300}, Case{26, 1500, 2500, 500}}) {
      creature->setState(c.state, 0);
      const int32_t timer = creature->param(15);
      EXPECT_GE(timer, c.low) << "state " << c.state << " seed " << seed;
      EXPECT_LE(timer, c.high) << "state " << c.state;
      EXPECT_EQ(timer % c.step, 0);
    }
    creature->setState(10, 0);
    EXPECT_GE(creature->param(17), 0);
    EXPECT_LE(creature->param(17), 3);
  }
}

TEST_F(CreatureTest, TheAnimationFollowsTypeStateSpeedAndFacing) {
  struct Case {
    const char* name;
    int32_t type, options, base, state, subState, speed, direction, expected, loops;
  };
  constexpr int32_t L = DirectionMask::LEFT, R = DirectionMask::RIGHT, U = DirectionMask::UP,
                    D = DirectionMask::DOWN, wears = cActorEnemy::OPTION_WEARS_OUT;
  const Case cases[] = {
      {"patrol left", 0, 0, 0, 1, 0, 60, L, 5, -1},
      {"patrol wearing out", 0, wears, 0, 1, 0, 96, R, 44, -1},
      {"chase running down", 0, 0, 0, 5, 0, 120, D, 22, -1},
      {"chase walking left", 0, 0, 0, 5, 0, 60, L, 26, -1},
      {"chase standing right", 0, 0, 0, 5, 0, 0, R, 3, -1},
      {"ready, shifted by the base", 0, 0, 100, 9, 0, 60, R, 125, -1},
      {"collapse, phase 1", 0, 0, 0, 102, 1, 60, R, 67, 1},
      {"get up", 0, 0, 0, 103, 0, 60, L, 14, 1},
      {"dying, phase 2", 0, 0, 0, 666, 2, 60, L, 18, -1},
      {"use variant 1 facing up", 0, 0, 0, 23, 1, 60, U, 55, -1},
      {"subdued", 0, 0, 0, 107, 0, 60, R, 58, -1},
      {"watch", 0, 0, 7, 105, 0, 60, D, 9, -1},
      {"leader chase", 1, 0, 100, 5, 0, 90, R, 5, -1},
      {"leader pause starts", 1, 0, 0, 99, 0, 90, R, 29, 1},
      {"leader pause holds", 1, 0, 0, 99, 1, 90, L, 30, -1},
      {"leader hit, reaction 7", 1, 0, 0, 100, 7, 90, L, 28, 1},
      {"leader charge", 1, 0, 0, 16, 0, 90, R, 25, 1},
      {"caller retreating", 2, 0, 0, 26, 0, 60, L, 4, -1},
      {"caller pausing", 2, 0, 0, 26, 2, 60, L, 1, -1},
      {"caller throwing", 2, 0, 0, 26, 1, 60, L, 10, 1},
      {"caller collapsed", 2, 0, 0, 108, 0, 60, L, 1, -1},
      {"caller hit", 2, 0, 0, 100, 12, 60, L, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cActorEnemy* creature = makeCreature(400, 300, c.type, c.options);
    creature->setParam(8, c.base);
    creature->state = c.state;
    creature->subState = c.subState;
    creature->walkSpeed = c.speed;
    creature->direction = c.direction;
    int32_t loops = 0;
    EXPECT_EQ(creature->chooseAnimation(loops), c.expected);
    if (c.expected >= 0) {
      EXPECT_EQ(loops, c.loops);
    }
    creature->kill();
  }
}

TEST_F(CreatureTest, TheAttackAndKnockBackPicturesComeFromTheVariantAndTheBlow) {
  cActorEnemy* creature = makeCreature(400, 300);
  int32_t loops = 0;
  creature->state = 10;
  for (int32_t variant = 0; variant < 4; ++variant) {
    creature->setParam(17, variant);
    creature->direction = DirectionMask::RIGHT;
    EXPECT_EQ(creature->chooseAnimation(loops), 29 + 2 * variant);
    EXPECT_EQ(loops, 1);
  }
  creature->state = 100;
  creature->subState = 4;
  creature->direction = DirectionMask::RIGHT;
  creature->pushDirection = DirectionMask::LEFT;
  EXPECT_EQ(creature->chooseAnimation(loops), 39) << "it faces the way it is pushed";
}

TEST_F(CreatureTest, AnAnimationIsNotRestartedWhenItIsAlreadyShown) {
  cActorEnemy* creature = makeCreature(400, 300);
  creature->state = 5;
  creature->walkSpeed = 60;
  creature->applyBehaviour();
  creature->player->aframe = 2;
  creature->applyBehaviour();
  EXPECT_EQ(creature->player->aframe, 2);
}

TEST_F(CreatureTest, DyingCountsTheResultAndEndsOutOfPlay) {
  IntArray* results = newIntArray(13);
  shellStatics().cGameShared.results = results;
  cGame::createItemTable();
  IntArray* item = newIntArray(7);
  item->set(0, 23);
  item->set(1, 2);
  cGame::setItemRecord(item, 3);
  cActorEnemy* creature = makeCreature(400, 300);
  creature->setParam(25, 3);
  creature->startDying(1);
  EXPECT_EQ(results->get(3), 1);
  int32_t drops = 0;
  for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
    if (actor->kind == ActorKind::COLLECTIBLE && actor->param(6) == 3) {
      ++drops;
      EXPECT_EQ(actor->getPixelX(), creature->getPixelX());
      EXPECT_EQ(actor->getPixelY(), creature->getPixelY());
    }
  }
  EXPECT_EQ(drops, 1) << "the item it carried, dropped where it fell";
  creature->setState(666, 0);
  EXPECT_EQ(results->get(3), 1) << "counted once";
  ASSERT_TRUE(updateUntilStateLeaves(creature, 666));
  EXPECT_EQ(creature->state, 104);
  worldkit::PaintRecorder paints(screenGraphics());
  creature->paint();
  EXPECT_TRUE(paints.lines().empty());
}

TEST_F(CreatureTest, ResetTakesTheFacingFromTheAnimationAndTheStateFromTheOptions) {
  cGame::resetRoutePoints();
  cGame::addPathNode(4, 100, 100, 4);
  struct Case {
    const char* name;
    int32_t options, route, anim, direction, state;
  };
  for (const Case& c : {Case{"standing up", 0, 0, 0, DirectionMask::UP, 0},
                        Case{"standing right", 0, 0, 3, DirectionMask::RIGHT, 0},
                        Case{"a patrol", cActorEnemy::OPTION_PATROLS, 4, 1, DirectionMask::LEFT, 1},
                        Case{"a patrol without a route", cActorEnemy::OPTION_PATROLS, 0, 2, DirectionMask::DOWN, 0},
                        Case{"kept subdued", 0x210, 0, 1, DirectionMask::LEFT, 107}}) {
    SCOPED_TRACE(c.name);
    cActorEnemy* creature = makeCreature(400, 300, 0, c.options);
    creature->setParam(7, c.route);
    creature->setAnim(c.anim, -1);
    creature->reset();
    EXPECT_EQ(creature->direction, c.direction);
    EXPECT_EQ(creature->state, c.state);
    EXPECT_EQ(creature->patrolNode, c.state == 1 ? 0 : -1);
    creature->kill();
  }
}

}  // namespace

namespace {

class CreatureStatesTest : public CreatureTest {};

TEST_F(CreatureStatesTest, ACallerRetreatsThrowsOneVolleyPausesAndWalksOn) {
  cGame::resetRoutePoints();
  cGame::addPathNode(1, 700, 300, 1);
  makeHero(300, 300);
  cActorEnemy* caller = makeCreature(400, 300, cActorEnemy::CALLER);
  caller->setParam(7, 1);
  caller->patrolNode = 0;
  caller->setState(26, 0);
  // Each picture shows for several frames, the throwing one too.
  toolkitStatics().CVLibPlayerLayers.timeUnit = 200;
  const int32_t timer = caller->param(15);
  ASSERT_GE(timer, 1500);
  const int32_t fromX = caller->getPixelX();
  std::vector<int32_t> phases;
  int projectiles = 0;
  for (int frame = 0; frame < 200 && phases.size() < 4; ++frame) {
    updateFrame();
    if (phases.empty() || phases.back() != caller->subState) phases.push_back(caller->subState);
    projectiles = 0;
    for (cActor* actor : layerOrder()) projectiles += actor->kind == ActorKind::THROWN_OBJECT ? 1 : 0;
    if (caller->subState == 1) {
      EXPECT_LE(projectiles, 4) << "one volley a throw";
    }
  }
  EXPECT_EQ(phases, (std::vector<int32_t>{0, 1, 2, 0}));
  EXPECT_GT(caller->getPixelX(), fromX) << "it walked toward its route point, away from the player";
  EXPECT_GE(projectiles, 1);
  EXPECT_LE(projectiles, 4);
}

TEST_F(CreatureStatesTest, AStunnedCreatureCanBeRacedWhileItsTimerRuns) {
  cActorMC* hero = makeHero(400, 310);
  cActorEnemy* creature = makeCreature(400, 300);
  // The race plays only where its pictures are loaded.
  installSprite(15, worldkit::TestSpriteDescription{.animations = 12, .steps = 1});
  installSprite(27, worldkit::TestSpriteDescription{.animations = 36, .steps = 1});
  const cGameInteractionStatics& race = storyStatics().cGameInteraction;
  creature->setState(106, 0);
  EXPECT_TRUE(creature->hasEffect);
  updateFrame();
  EXPECT_EQ(race.interactionTarget, nullptr) << "no action key yet";
  shellStatics().cGameKeys.framePressed = 1 << 5;
  updateFrame();
  shellStatics().cGameKeys.framePressed = 0;
  EXPECT_EQ(race.interactionTarget, creature);
  EXPECT_EQ(race.interactionKind, 1);
  EXPECT_FALSE(creature->hasEffect);

  // Out of time it gets up instead.
  hero->setX(900 << 8);
  creature->setState(106, 0);
  for (int i = 0; i < 60 && creature->state == 106; ++i) updateFrame();
  EXPECT_EQ(creature->state, 103);
  EXPECT_FALSE(creature->hasEffect);
}

TEST_F(CreatureStatesTest, ANoticedPlayerRaisesTheAlarmByTypeAndOptions) {
  cGame::resetRoutePoints();
  cGame::addPathNode(5, 200, 200, 5);
  struct Case {
    const char* name;
    int32_t type, options, state;
  };
  for (const Case& c : {Case{"plain: ready at once", cActorEnemy::ORDINARY, 0, 9},
                        Case{"with options: the chase", cActorEnemy::ORDINARY, 4, 5},
                        Case{"with a cone: the alarm", cActorEnemy::ORDINARY, cActorEnemy::OPTION_VIEW_CONE, 25},
                        Case{"a caller retreats", cActorEnemy::CALLER, 4, 26}}) {
    SCOPED_TRACE(c.name);
    cActor* hero = makeHero(300, 300);
    cActorEnemy* creature = makeCreature(400, 300, c.type, c.options);
    creature->setParam(23, 60);
    creature->setParam(24, 8);
    creature->setParam(20, 5);
    creature->state = 0;
    updateFrame();
    EXPECT_EQ(creature->state, c.state);
    if (c.options == cActorEnemy::OPTION_VIEW_CONE) {
      EXPECT_TRUE(hero->hasFlag(ActorFlags::HELD)) << "the alarm holds the player";
      EXPECT_EQ(creature->balloon->get(0), 228);
    }
    creature->kill();
    hero->unlink();
  }
}

}  // namespace

namespace {

TEST_F(CreatureStatesTest, AGrabBindsToThePerchAndHoldsThePlayerUntilTheAttack) {
  cActor* perch = makeActor(ActorKind::BLOCKING_OBJECT, 300, 300);
  perch->id = 60;
  cActorMC* hero = makeHero(320, 300);
  hero->bindToActor(60, 0, 0, 20, 10);
  cActorEnemy* creature = makeCreature(380, 320);
  creature->setState(21, 0);
  creature->applyBehaviour();
  toolkitStatics().CVLibPlayerLayers.timeUnit = 62;
  bool grabbed = false, prompted = false;
  for (int frame = 0; frame < 60 && creature->state == 21; ++frame) {
    updateFrame();
    grabbed = grabbed || hero->grabTarget == creature;
    prompted = prompted || cGame::isPopupActive();
  }
  EXPECT_TRUE(grabbed);
  EXPECT_EQ(creature->boundActor, perch) << "it holds on to the player's perch";
  EXPECT_TRUE(prompted) << "the grab holds the player with the key prompt";
  EXPECT_FALSE(play().playerControl);
  EXPECT_EQ(creature->state, 10) << "the grab ends in the attack";
  EXPECT_FALSE(cGame::isPopupActive()) << "the attack closed the prompt";
  EXPECT_LT(creature->getPixelX(), 380) << "it closed in beside the perch";
}

}  // namespace
