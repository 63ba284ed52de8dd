// The other characters: when they can be talked to, their speed model and
// brake chain, what an inactive or moving one still does, the step mover,
// taking one out of play and its painter.
#include <gtest/gtest.h>

#include "game/toolkit/CVLibPlayer.h"
#include "tests/game/world/creature_fixture.h"

namespace {

class NpcTest : public CreatureFixture {
 protected:
  static cActorNPC* makePerson(int32_t x, int32_t y, bool active = true) {
    IntArray* position = newIntArray(3);
    position->set(0, x << 8);
    position->set(1, y << 8);
    cActorNPC* person = cActorNPC::create(ActorKind::NPC, 0, position);
    person->id = 40;
    person->setSprite(sprite(creatureSlot));
    person->setAnim(0, -1);
    person->setInteractBox(-32, -64, 64, 64);
    person->setParams(newIntArray(4), 4);
    person->setFlag(ActorFlags::ACTIVE, active);
    person->reset();
    return person;
  }
};

TEST_F(NpcTest, WhoCanBeTalkedTo) {
  struct Case {
    const char* name;
    bool active;
    int32_t talkEvent, talkMode, moveMode, heroX;
    bool talks;
  };
  const Case cases[] = {
      {"mode 0 with an event", true, 272, 0, 0, 400, true},
      {"mode 1 with an event", true, 272, 1, 0, 400, true},
      {"mode 3 with an event", true, 272, 3, 0, 400, true},
      {"mode 2", true, 272, 2, 0, 400, false},
      {"mode 3 with event 0", true, 0, 3, 0, 400, false},
      {"no event, mode 0", true, -1, 0, 0, 400, false},
      {"no event, mode 3", true, -1, 3, 0, 400, false},
      {"inactive: any settings", false, -1, 2, 0, 400, true},
      {"walking", true, 272, 0, 1, 400, false},
      {"out of reach", true, 272, 0, 0, 600, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cActorNPC* person = makePerson(400, 300, c.active);
    person->talkEvent = c.talkEvent;
    person->talkMode = c.talkMode;
    person->moveMode = c.moveMode;
    cActorMC* hero = makeHero(c.heroX, 310);
    EXPECT_EQ(person->canTalkTo(hero), c.talks);
    person->kill();
    hero->unlink();
  }
  cActorNPC* person = makePerson(400, 300);
  EXPECT_FALSE(person->canTalkTo(nullptr));
  person->interactBox = nullptr;
  EXPECT_FALSE(person->canTalkTo(makeHero(400, 310))) << "without an interaction box";
}

TEST_F(NpcTest, AModeRequestAppliesItsSpeedRuleEvenWhenNothingChanges) {
  cActorNPC* person = makePerson(400, 300);
  person->direction = DirectionMask::RIGHT;
  person->setMode(1);
  EXPECT_EQ(person->moveMode, 1);
  EXPECT_EQ(person->modeDirection, DirectionMask::RIGHT);
  EXPECT_EQ(person->speedX, 1);
  EXPECT_EQ(person->speedY, 0);
  person->walkWork = 7;
  person->setMode(1);
  EXPECT_EQ(person->speedX, 2) << "the same mode and direction still walk faster";
  EXPECT_EQ(person->walkWork, 7) << "and keep the walk's work";

  person->setMode(3);
  EXPECT_EQ(person->speedX, 72);
  person->setMode(3);
  EXPECT_EQ(person->speedX, 90) << "capped";
  person->direction = DirectionMask::DOWN;
  person->setMode(4);
  EXPECT_EQ(person->modeDirection, DirectionMask::RIGHT) << "braking keeps the direction it had";
  EXPECT_EQ(person->speedX, 88);
  EXPECT_EQ(person->speedY, 0) << "never below 0";
  person->setMode(1);
  EXPECT_EQ(person->walkWork, 0) << "walking afresh";
  EXPECT_EQ(person->speedX, 0);
  EXPECT_EQ(person->speedY, 1);
}

TEST_F(NpcTest, TheBrakeChainEndsStandingAfterFourFrames) {
  cActorNPC* person = makePerson(400, 300);
  person->direction = DirectionMask::RIGHT;
  person->setMode(3);
  person->speedX = 4;
  std::vector<int32_t> modes;
  for (int i = 0; i < 9; ++i) {
    updateFrame();
    modes.push_back(person->moveMode);
  }
  EXPECT_EQ(modes, (std::vector<int32_t>{4, 4, 5, 5, 5, 5, 0, 0, 0}));
}

TEST_F(NpcTest, AnInactivePersonAnimatesAndCountsItsBalloonButNeitherStepsNorFollows) {
  cActor* carrier = makeActor(ActorKind::MOVER, 300, 300);
  for (bool active : {false, true}) {
    SCOPED_TRACE(active ? "active" : "inactive");
    cActorNPC* person = makePerson(400, 300, active);
    person->bindToActor(carrier->id = 77, -100, -100, 200, 200);
    person->setBalloon(3, 1000, 0, 0);
    person->moveMode = 3;
    const int32_t fromX = person->x;
    carrier->setX(carrier->x + (10 << 8));
    updateFrame();
    EXPECT_GT(person->player->aframe + person->player->time, 0);
    EXPECT_EQ(person->balloon->get(1), 1000 - framePeriod);
    EXPECT_EQ(person->moveMode, active ? 4 : 3);
    EXPECT_EQ(person->x, active ? fromX + (10 << 8) : fromX);
    person->kill();
  }
}

TEST_F(NpcTest, WhileAScriptedMoveRunsNothingElseHappens) {
  cActor* carrier = makeActor(ActorKind::MOVER, 300, 300);
  carrier->id = 78;
  cActorNPC* person = makePerson(400, 300);
  person->bindToActor(78, -100, -100, 400, 400);
  person->moveMode = 3;
  person->moveTo(600, 300, 100, 0);
  carrier->setY(carrier->y + (10 << 8));
  updateFrame();
  EXPECT_EQ(person->moveMode, 3);
  EXPECT_EQ(person->getPixelY(), 300) << "it does not follow what it is bound to";
  EXPECT_GT(person->getPixelX(), 400);
}

TEST_F(NpcTest, TheStepMoverStopsAtAWallOnTheCellGrid) {
  installMap({"........", "........", "......#.", "........"});
  cActorNPC* person = makePerson(80, 84);
  EXPECT_TRUE(person->stepMove(DirectionMask::RIGHT, 0, 0, 3584));
  EXPECT_FALSE(person->cornerAssisted);
  EXPECT_FALSE(person->stepMove(DirectionMask::RIGHT, 100 << 8, 0, 3584));
  EXPECT_TRUE(person->cornerAssisted);
  EXPECT_EQ(person->getPixelY(), 80) << "on the row's centre";
  EXPECT_EQ(person->getPixelX(), 176) << "the last free step before the wall";
  EXPECT_FALSE(cGame::isBlockedAt(person->getPixelX(), person->getPixelY(), 173));
}

TEST_F(NpcTest, KillingAPersonFreesTheCellsUnderItsStandingPicture) {
  installMap(std::vector<std::string>(20, std::string(40, '.')));
  cActorNPC* person = makePerson(400, 300);
  person->standAnim = 0;
  auto blockedCells = [] {
    int cells = 0;
    for (int c = 0; c < 40; ++c)
      for (int r = 0; r < 20; ++r) cells += cGame::testCollision(c, r, 8) ? 1 : 0;
    return cells;
  };
  cGame::restampAllFootprints();
  EXPECT_GT(blockedCells(), 0) << "its picture blocks the way";
  person->kill();
  EXPECT_EQ(blockedCells(), 0);
  EXPECT_TRUE(person->isKilled());
  EXPECT_EQ(person->hp, 0);
  worldkit::PaintRecorder paints(screenGraphics());
  person->paint();
  EXPECT_TRUE(paints.lines().empty());
}

TEST_F(NpcTest, AHighlightedPersonIsReportedAndPulsesWhileTheRingRuns) {
  cActorNPC* person = makePerson(400, 300);
  person->setParam(1, 1);
  play().highlightPresent = false;
  person->paint();
  EXPECT_TRUE(play().highlightPresent);
  play().highlightPresent = false;
  person->setParam(1, 0);
  person->paint();
  EXPECT_FALSE(play().highlightPresent);
}

}  // namespace
