// The shared actor: position setters and the MOVED flag, straight moves,
// boxes, lookups, bindings, frame rectangles, visibility and touching.
#include <gtest/gtest.h>

#include <climits>

#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
#include "runtime/glue/ElementAccess.h"
#include "tests/game/world/world_fixture.h"

namespace {

class ActorModelTest : public WorldFixture {};

std::vector<int32_t> valuesOf(IntArray* array) {
  std::vector<int32_t> out;
  if (array == nullptr) return out;
  for (int32_t i = 0; i < array->length(); ++i) out.push_back(array->get(i));
  return out;
}

TEST_F(ActorModelTest, PositionSettersSetMovedOnlyOnARealChange) {
  struct Case {
    void (cActor::*setter)(int32_t);
    int32_t cActor::*field;
  };
  for (const Case& c : {Case{&cActor::setX, &cActor::x}, Case{&cActor::setY, &cActor::y},
                        Case{&cActor::setZ, &cActor::z}}) {
    cActor* actor = makeActor(63, 10, 20, 3);
    actor->flags = 0;
    (actor->*c.setter)(actor->*c.field);
    EXPECT_FALSE(actor->hasFlag(ActorFlags::MOVED)) << "the same value keeps MOVED clear";
    (actor->*c.setter)(actor->*c.field + 1);
    EXPECT_TRUE(actor->hasFlag(ActorFlags::MOVED));
    EXPECT_EQ(actor->*c.field, (c.field == &cActor::x ? 10 : c.field == &cActor::y ? 20 : 3) * 256 + 1);
  }
}

TEST_F(ActorModelTest, InitClearsFlagsAndSetsKindPositionAndMoved) {
  cActor* actor = makeActor(16, 7, -8, 2);
  EXPECT_EQ(actor->kind, 16);
  EXPECT_EQ(actor->x, 7 * 256);
  EXPECT_EQ(actor->y, -8 * 256);
  EXPECT_EQ(actor->z, 2 * 256);
  EXPECT_EQ(actor->flags, ActorFlags::MOVED);
  EXPECT_EQ(actor->layer, 0);
  EXPECT_EQ(actor->getPixelY(), -8);
}

TEST_F(ActorModelTest, MoveToComputesSpeedsPerSecond) {
  struct Case {
    const char* what;
    int32_t toX, toY, speed, ms;
    int32_t speedX, speedY;
  };
  // From (100, 100): 100 px right is 25600 units; the approximate distance
  // of (25600, 0) is 246 x 25600 >> 8 = 24600.
  const Case cases[] = {
      {"speed along x", 200, 100, 50, 0, 25600 * (50 << 8) / 24600, 0},
      {"negative speed counts by size", 200, 100, -50, 0, 25600 * (50 << 8) / 24600, 0},
      {"time", 200, 150, 0, 500, 25600 * 1000 / 500, 12800 * 1000 / 500},
      {"neither", 200, 150, 0, 0, 0, 0},
      {"-1 keeps both", -1, -1, 80, 0, 0, 0},
      {"own position", 100, 100, 80, 0, 0, 0},
  };
  for (const Case& c : cases) {
    cActor* actor = makeActor(63, 100, 100);
    actor->moveTo(c.toX, c.toY, c.speed, c.ms);
    ASSERT_NE(actor->moveRecord, nullptr) << c.what;
    const int32_t targetX = c.toX == -1 ? 100 * 256 : c.toX << 8;
    const int32_t targetY = c.toY == -1 ? 100 * 256 : c.toY << 8;
    EXPECT_EQ(valuesOf(actor->moveRecord), (std::vector<int32_t>{targetX, targetY, c.speedX, c.speedY})) << c.what;
  }
}

TEST_F(ActorModelTest, MoveToWithoutDistanceOrSpeedArrivesAtTheNextStep) {
  for (auto [toX, toY, speed, ms] : {std::array{-1, -1, 60, 0}, std::array{100, 100, 60, 0},
                                     std::array{300, 40, 0, 0}}) {
    cActor* actor = makeActor(63, 100, 100);
    actor->moveTo(toX, toY, speed, ms);
    EXPECT_TRUE(actor->updateMove());
    EXPECT_EQ(actor->moveRecord, nullptr);
    EXPECT_EQ(actor->getPixelX(), toX == -1 ? 100 : toX);
    EXPECT_EQ(actor->getPixelY(), toY == -1 ? 100 : toY);
  }
}

TEST_F(ActorModelTest, LongMovesKeepTheirSpeedInSixtyFourBits) {
  // 30000 px at 30000 px/s: the products pass 2^31 many times over.
  cActor* actor = makeActor(63, 0, 0);
  actor->moveTo(30000, 0, 30000, 0);
  const int32_t speedX = actor->moveRecord->get(2);
  EXPECT_GT(speedX, 0);
  EXPECT_NEAR(speedX, 30000LL * 256 * 256 / 246, 2);
  setTimeStep(500);
  EXPECT_FALSE(actor->updateMove());
  EXPECT_NEAR(actor->getPixelX(), 15000 * 256 / 246, 2);
}

TEST_F(ActorModelTest, UpdateMoveStepsThenArrivesByPixelRounding) {
  cActor* actor = makeActor(63, 0, 0);
  actor->moveTo(10, 0, 0, 1000);  // 2560 units a second
  setTimeStep(250);
  EXPECT_FALSE(actor->updateMove());
  EXPECT_EQ(actor->x, 640);
  actor->x = 2560 - 100;  // 9.6 px rounds to 10: arrived
  EXPECT_TRUE(actor->updateMove());
  EXPECT_EQ(actor->moveRecord, nullptr);
  EXPECT_TRUE(actor->updateMove()) << "no move runs";
}

TEST_F(ActorModelTest, ASlowAxisStillArrivesAndATimelessFrameMovesNothing) {
  cActor* actor = makeActor(63, 0, 0);
  actor->moveTo(0, 0, 0, 1000);
  actor->moveRecord->set(0, 5000);
  actor->moveRecord->set(2, 3);  // 3 units a second: step 0 at 62 ms
  setTimeStep(0);
  EXPECT_FALSE(actor->updateMove());
  EXPECT_EQ(actor->x, 0) << "no time, no move";
  setTimeStep(62);
  EXPECT_TRUE(actor->updateMove());
  EXPECT_EQ(actor->x, 5000);
}

TEST_F(ActorModelTest, BoxesCoverTheSameAreaForNegativeSizesAndFootprintsCentre) {
  struct Case {
    int32_t bx, by, w, h;
    std::vector<int32_t> box, footprint;
  };
  const Case cases[] = {
      {10, 20, 30, 40, {10, 20, 30, 40}, {10 - 15, 20 - 40, 30, 40}},
      {10, 20, -30, 40, {-20, 20, 30, 40}, {-20 - 15, 20 - 40, 30, 40}},
      {10, 20, 30, -40, {10, -20, 30, 40}, {10 - 15, -20 - 40, 30, 40}},
      {0, 0, 5, 3, {0, 0, 5, 3}, {-2, -3, 5, 3}},
  };
  for (const Case& c : cases) {
    cActor* actor = makeActor(63, 0, 0);
    actor->setInteractBox(c.bx, c.by, c.w, c.h);
    actor->setTriggerBox(c.bx, c.by, c.w, c.h);
    actor->setFootprint(c.bx, c.by, c.w, c.h);
    EXPECT_EQ(valuesOf(actor->interactBox), c.box);
    EXPECT_EQ(valuesOf(actor->triggerBox), c.box);
    EXPECT_EQ(valuesOf(actor->footprint), c.footprint);
  }
}

TEST_F(ActorModelTest, LookupsByIdSkipIdsBelowOne) {
  cActor* zero = makeActor(63, 0, 0);
  zero->id = 0;
  cActor* first = makeActor(16, 10, 0);
  first->id = 5;
  cActor* second = makeActor(63, 20, 0);
  second->id = 5;
  EXPECT_EQ(cActor::findById(0), nullptr);
  EXPECT_EQ(cActor::findById(-1), nullptr);
  EXPECT_EQ(cActor::findById(5), first);
  EXPECT_EQ(cActor::findByKindAndId(5, 63), second);
  EXPECT_EQ(cActor::findByKindAndId(5, 12), nullptr);
  second->unlink();
  EXPECT_EQ(cActor::findByKindAndId(5, 63), nullptr) << "an unlinked actor is not found";
}

TEST_F(ActorModelTest, OppositeDirectionSwapsBothAxesAndKeepsOtherBits) {
  const std::pair<int32_t, int32_t> cases[] = {
      {0x1010, 0x2040}, {0x2040, 0x1010}, {0x404, 0x900}, {0x900, 0x404},
      {0x1010 | 0x404, 0x2040 | 0x900}, {0x20000 | 0x900, 0x20000 | 0x404}, {0, 0},
  };
  for (auto [mask, opposite] : cases) EXPECT_EQ(cActor::oppositeDirection(mask), opposite) << std::hex << mask;
}

TEST_F(ActorModelTest, AddHealthOnlyWhileAlive) {
  cActor* actor = makeActor(13, 0, 0);
  actor->hp = 0;
  actor->addHealth(5);
  EXPECT_EQ(actor->hp, 0);
  actor->hp = 3;
  actor->addHealth(-5);
  EXPECT_EQ(actor->hp, -2);
}

TEST_F(ActorModelTest, ABindingFollowsWithinItsBoxAndEndsWhenTheBoundActorIsKilled) {
  cActor* leader = makeActor(63, 100, 100);
  leader->id = 3;
  cActor* follower = makeActor(63, 100, 100);
  follower->bindToActor(3, 0, 0, 0, 0);
  EXPECT_EQ(valuesOf(follower->bindRecord), (std::vector<int32_t>{0, 0, 0, 0, 100 * 256, 100 * 256}));
  leader->setX(130 * 256);
  follower->followBoundActor();
  EXPECT_EQ(follower->getPixelX(), 130) << "pinned to the leader";

  // A box of 10 px right of the leader (5 units of 2 px).
  follower->bindToActor(3, 0, 0, 5, 0);
  leader->setX(110 * 256);
  follower->followBoundActor();
  EXPECT_EQ(follower->getPixelX(), 110);

  leader->setFlag(ActorFlags::KILLED, true);
  leader->setX(500 * 256);
  follower->followBoundActor();
  EXPECT_EQ(follower->boundActor, nullptr);
  EXPECT_EQ(follower->bindRecord, nullptr);
  EXPECT_EQ(follower->getPixelX(), 110) << "keeps its place";

  follower->bindToActor(99, 1, 1, 1, 1);
  EXPECT_EQ(follower->boundActor, nullptr) << "no actor with that id";
}

TEST_F(ActorModelTest, FrameRectFollowsTheShownStepAndNeedsAnAnimation) {
  ASprite* sprite = makeSprite(20, {{-10, -30, 20, 30}, {-4, -8, 8, 8}}, {{0, 1}});
  cActor* actor = makeActor(63, 50, 60);
  EXPECT_EQ(actor->getFrameRect(), nullptr) << "no player";
  actor->setSprite(sprite);
  EXPECT_EQ(actor->getFrameRect(), nullptr) << "no animation";
  actor->setAnim(0, -1);
  EXPECT_EQ(valuesOf(actor->getFrameRect()), (std::vector<int32_t>{40, 30, 60, 60}));
  EXPECT_EQ(valuesOf(actor->getLocalFrameRect()), (std::vector<int32_t>{-10, -30, 10, 0}));
  // A spawner shows a contact animation the sheet may not have: no frame,
  // and the next on-screen test falls back on the position.
  actor->setAnim(146, 1);
  EXPECT_EQ(actor->getLocalFrameRect(), nullptr) << "an animation past the sheet's";
  EXPECT_EQ(actor->getFrameRect(), nullptr);
}

TEST_F(ActorModelTest, OnScreenByFrameOrElseByPosition) {
  ASprite* sprite = makeSprite(20, {{-10, -30, 20, 30}}, {{0}});
  play().cameraPixelX = 1000;
  play().cameraPixelY = 0;
  struct Case {
    int32_t x, y;
    bool withFrame, onScreen;
  };
  const Case cases[] = {
      {1000, 100, true, true},  {995, 100, true, true},   {989, 100, true, false}, {1810, 100, true, true},
      {1811, 100, true, false}, {1000, 510, true, true},  {1000, 511, true, false}, {999, 100, false, false},
      {1000, 0, false, true},   {1800, 480, false, true}, {1801, 480, false, false},
  };
  for (const Case& c : cases) {
    cActor* actor = makeActor(63, c.x, c.y);
    if (c.withFrame) {
      actor->setSprite(sprite);
      actor->setAnim(0, -1);
    }
    EXPECT_EQ(actor->isOnScreen(), c.onScreen) << c.x << "," << c.y << (c.withFrame ? " framed" : "");
  }
  cActor* path = makeActor(29, -5000, -5000);
  EXPECT_TRUE(path->isOnScreen()) << "a path is always on screen";
}

TEST_F(ActorModelTest, AnimationRunsSlowerUnlessFullSpeedAndNotHeld) {
  // Steps of one tick each; the toolkit's time unit decides how long a tick is.
  ASprite* sprite = makeSprite(20, {{0, 0, 4, 4}, {0, 0, 5, 5}}, {{0, 1}});
  cActor* actor = makeActor(63, 0, 0);
  actor->setSprite(sprite);
  actor->setAnim(0, -1);
  const int32_t tick = actor->player->getFrameDuration();
  ASSERT_GT(tick, 0);
  setTimeStep(tick);
  shellStatics().cGameShared.fullSpeedAnimation = true;
  actor->animate();
  actor->animate();
  EXPECT_EQ(actor->player->aframe, 1) << "a full tick each frame";
  actor->setAnim(0, -1);
  actor->setFlag(ActorFlags::HELD, true);
  actor->animate();
  actor->animate();
  EXPECT_EQ(actor->player->aframe, 0) << "held: 10/16 of a tick";
}

TEST_F(ActorModelTest, TouchesNeedsABoxAndMeetsTheOthersFootprintEdgesIncluded) {
  cActor* object = makeActor(63, 100, 100);
  cActor* hero = makeActor(63, 100, 100);
  EXPECT_FALSE(object->touches(hero)) << "no interact box";
  EXPECT_FALSE(object->touches(nullptr));
  object->setInteractBox(0, 0, 10, 10);  // 100..110
  hero->setFootprint(0, 0, 20, 10);      // x 90..110, y 90..100
  EXPECT_TRUE(object->touches(hero)) << "edges meet at y 100, no params";
  hero->setY(89 * 256);
  EXPECT_FALSE(object->touches(hero));
  hero->setY(100 * 256);
  object->setFlag(ActorFlags::ACTIVE, true);
  EXPECT_FALSE(object->touches(hero)) << "an active object with p4, p5 below 1 and p6 0";
  IntArray* source = newIntArray(7);
  source->set(6, 1);
  object->setParams(source, 7);
  EXPECT_TRUE(object->touches(hero));
}

TEST_F(ActorModelTest, ParamsAreAtLeastTheKindsSizeAndKeepTheGivenCount) {
  IntArray* source = newIntArray(3);
  source->set(0, 7);
  source->set(1, 8);
  source->set(2, 9);
  cActor* plain = makeActor(16, 0, 0);
  plain->setParams(source, 2);
  EXPECT_EQ(plain->params->length(), 25);
  EXPECT_EQ(plain->paramCount, 2);
  EXPECT_EQ(plain->params->get(1), 8);
  EXPECT_EQ(plain->params->get(2), 0) << "only n are copied";
  cActor* path = makeActor(29, 0, 0);
  path->setParams(source, 3);
  EXPECT_EQ(path->params->length(), 91);
  EXPECT_EQ(plain->param(24), 0);
  EXPECT_EQ(plain->param(25), 0) << "past the array reads 0";
}

TEST_F(ActorModelTest, CharactersAreMadeByTheirFactoriesIntoTheLayerList) {
  IntArray* position = newIntArray(3);
  position->set(0, 10 << 8);
  cActorMC* hero = cActorMC::create(10, 0, position);
  cActorEnemy* creature = cActorEnemy::create(12, 0, position);
  cActorNPC* person = cActorNPC::create(11, 0, position);
  ASSERT_NE(hero, nullptr);
  ASSERT_NE(creature, nullptr);
  ASSERT_NE(person, nullptr);
  EXPECT_EQ(layerOrder(), (std::vector<cActor*>{hero, creature, person}));
  EXPECT_EQ(hero->stateTimer, -1);
  EXPECT_EQ(hero->dirX, 1);
  EXPECT_EQ(hero->damageInterval, 0x7FFFFFFF);
  EXPECT_EQ(hero->layer, 0);
  ASSERT_NE(hero->targetPoint, nullptr);
  EXPECT_EQ(hero->enemiesInReach->length(), 10);
  EXPECT_EQ(hero->moversInReach->length(), 4);
  EXPECT_EQ(creature->params->length(), 30);
  EXPECT_EQ(creature->coneWork->length(), 4);
  EXPECT_EQ(person->talkEvent, -1);
  EXPECT_EQ(person->npcTag, -1);
  EXPECT_EQ(person->signX, 1);
  for (cActor* actor : {static_cast<cActor*>(hero), static_cast<cActor*>(creature), static_cast<cActor*>(person)}) {
    EXPECT_EQ(Object::instanceOf(actor, classid::cActor), 1);
    EXPECT_EQ(Object::instanceOf(actor, classid::IDefines), 1);
  }
  EXPECT_EQ(Object::instanceOf(makeActor(63, 0, 0), classid::IDefines), 0);
}

TEST_F(ActorModelTest, SpriteThirtySevenPlaysSixAndSevenAsTwoAndFive) {
  std::vector<std::vector<int>> anims(8, std::vector<int>{0});
  ASprite* sprite = makeSprite(37, {{0, 0, 4, 4}}, anims);
  cActor* actor = makeActor(63, 0, 0);
  actor->setSprite(sprite);
  actor->setAnim(6, -1);
  EXPECT_EQ(actor->player->anim, 2);
  actor->setAnim(7, -1);
  EXPECT_EQ(actor->player->anim, 5);
  actor->setSprite(makeSprite(38, {{0, 0, 4, 4}}, anims));
  actor->setAnim(6, -1);
  EXPECT_EQ(actor->player->anim, 6);
}

}  // namespace
