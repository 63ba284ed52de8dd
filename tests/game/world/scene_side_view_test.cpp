// The side-view scenes' objects: contact areas (kind 66), camera bands
// (kind 67) and the objects spawners make (kind 25): thrown, latching and
// static ones.
#include "tests/game/world/scene_object_fixture.h"

namespace {

using namespace playertest;

constexpr int32_t px = 256;

class SceneSideViewTest : public SceneObjectFixture {
 protected:
  static constexpr int32_t objectSprite = 40;

  void SetUp() override {
    SceneObjectFixture::SetUp();
    installSprite(objectSprite, {.animations = 30, .steps = 1, .frameBox = [](int) {
                                   return worldkit::TestFrameBox{-10, -20, 20, 20};
                                 }, .stepOffset = [](int, int) { return worldkit::TestStepOffset{0, 0}; }});
    shellStatics().cGameShared.results = newIntArray(13);
    camera().cameraY = 0;
    camera().sideViewSpeed = 0;
  }
  static cGameCameraStatics& camera() { return worldStatics().cGameCamera; }
  static int32_t chaseCount() { return shellStatics().cGameShared.results->get(3); }

  // The focus character in the side view, at pixel (x, y).
  cActorMC* makeRunner(int32_t x, int32_t y) {
    cActorMC* runner = makePlayer(x, y);
    shellStatics().cGameProgress.sideViewMode = true;
    return runner;
  }
  static cActor* makeWithSprite(int32_t kind, int32_t id, int32_t x, int32_t y, std::vector<int32_t> params) {
    cActor* object = makeObject(kind, id, x, y, std::move(params));
    object->setSprite(sprite(objectSprite));
    object->setAnim(0, -1);
    return object;
  }
  static cActor* makePursuer(int32_t x, int32_t y) {
    cActor* pursuer = makeWithSprite(ActorKind::BEHAVIOUR_MACHINE, 50, x, y, {4});
    pursuer->setInteractBox(-20, -40, 40, 40);
    pursuer->hp = 20;
    pursuer->reset();
    return pursuer;
  }
  static void step(cActor* actor, int32_t ms = framePeriod) {
    stepFrame(ms);
    runKind(actor);
  }
};

// --- contact areas

TEST_F(SceneSideViewTest, AContactAreaActsOnTheCharacterByItsEffect) {
  struct Case {
    const char* what;
    int32_t effect, characterState;
    int32_t areaAnim;  // -1: unchanged
    bool hurt;
    int32_t state, hp, dy;
    bool again;  // acts in the next frame of contact too
  };
  // p2 = 5, p7 = 8.
  const Case cases[] = {
      {"1: plays its next animation", 1, 0, 9, false, 0, 100, 0, false},
      {"2: hurts once", 2, 0, 9, true, 0, 100, 0, false},
      {"2: not a tripped character", 2, 113, -1, false, 113, 100, 0, false},
      {"3: trips the character", 3, 0, -1, false, 113, 100, 32, false},
      {"4: hurts in every frame", 4, 0, -1, true, 0, 100, 0, true},
      {"4: not a tripped character", 4, 113, -1, false, 113, 100, 0, false},
      {"5: plays p2", 5, 0, 5, false, 0, 100, 0, false},
      {"6: fells the character", 6, 0, 5, false, 14, 0, 0, false},
      {"0: nothing", 0, 0, -1, false, 0, 100, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActorMC* runner = makeRunner(300, 200);
    runner->state = c.characterState;
    cActor* area = makeWithSprite(ActorKind::CONTACT_AREA, 60, 300, 210, {c.effect, 0, 5, 0, 0, 0, 0, 8});
    step(area);
    EXPECT_EQ(area->player->anim, c.areaAnim == -1 ? 0 : c.areaAnim);
    EXPECT_EQ(runner->hurt, c.hurt);
    if (c.hurt) {
      EXPECT_EQ(runner->hurtTime, 1000);
    }
    EXPECT_EQ(runner->state, c.state);
    EXPECT_EQ(runner->hp, c.hp);
    EXPECT_EQ(runner->getPixelY(), 200 + c.dy);
    if (c.effect == 6) {
      EXPECT_EQ(runner->player->anim, 2);
    }
    if (c.effect == 3) {
      EXPECT_EQ(runner->player->anim, 1);
    }
    if (c.effect == 0 || c.effect == 6) continue;  // a felled character stops all areas
    runner->hurt = false;
    runner->setY(200 << 8);
    step(area);
    EXPECT_EQ(runner->hurt, c.again && c.hurt);
  }
}

TEST_F(SceneSideViewTest, AContactAreaCountsOnlyInsideTheViewAndNotForAFelledCharacter) {
  cActorMC* runner = makeRunner(300, 1000);
  cActor* area = makeWithSprite(ActorKind::CONTACT_AREA, 60, 300, 1010, {2, 0, 0, 0, 0, 0, 0, 8});
  area->setFlag(ActorFlags::KIND_STATE, true);
  step(area);
  EXPECT_FALSE(area->hasFlag(ActorFlags::KIND_STATE)) << "below the view the area forgets";
  EXPECT_FALSE(runner->hurt);
  camera().cameraY = 600 * px;
  runner->state = 14;
  step(area);
  EXPECT_FALSE(runner->hurt) << "a felled character";
  runner->state = 0;
  step(area);
  EXPECT_TRUE(runner->hurt);
}

TEST_F(SceneSideViewTest, AContactAreaHitsThePursuersItMeets) {
  struct Case {
    const char* what;
    int32_t effect;
    bool alreadyHit;
    bool hit;
    int32_t timer, mode, counted;
  };
  const Case cases[] = {
      {"2 marks a hit", 2, false, true, 1000, 0, 0},
      {"4 marks a hit", 4, false, true, 1000, 0, 0},
      {"4 keeps a running mark", 4, true, true, 400, 0, 0},
      {"6 destroys it", 6, false, false, 0, 20, 1},
      {"1 only plays", 1, false, false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    shellStatics().cGameShared.results->set(3, 0);
    makeRunner(600, 400);
    cActor* pursuer = makePursuer(300, 210);
    if (c.alreadyHit) {
      pursuer->hitMarked = true;
      pursuer->behaviourTimer = 400;
    }
    cActor* area = makeWithSprite(ActorKind::CONTACT_AREA, 60, 300, 210, {c.effect, 0, 5, 0, 0, 0, 0, 8});
    step(area);
    EXPECT_EQ(pursuer->hitMarked, c.hit);
    EXPECT_EQ(pursuer->behaviourTimer, c.timer);
    EXPECT_EQ(pursuer->behaviourMode, c.mode);
    EXPECT_EQ(chaseCount(), c.counted);
    if (c.effect == 6) {
      EXPECT_EQ(pursuer->player->anim, 2);
    }
  }
}

// --- camera bands

TEST_F(SceneSideViewTest, ACameraBandActsWhileTheViewIsInsideIt) {
  cActorMC* runner = makeRunner(300, 1500);
  // The band from y 1000 to 1600 px.
  auto makeBand = [](int32_t effect) {
    cActor* band = makeObject(ActorKind::CAMERA_BAND, 70, 100, 1000, {effect, 3});
    band->setInteractBox(4, 6, 700, 600);
    return band;
  };
  cActor* limits = makeBand(0);
  cActor* stop = makeBand(3);
  cActor* flagA = makeBand(5);
  cActor* flagB = makeBand(6);
  auto stepAll = [&] {
    stepFrame();
    for (cActor* band : {limits, stop, flagA, flagB}) runKind(band);
  };
  camera().cameraY = 1700 * px;
  stepAll();
  EXPECT_EQ(camera().sideViewLimits, nullptr);
  EXPECT_EQ(runner->state, 0);
  EXPECT_FALSE(runner->bandFlagA || runner->bandFlagB);

  camera().cameraY = 1600 * px;
  stepAll();
  ASSERT_NE(camera().sideViewLimits, nullptr);
  EXPECT_EQ(camera().sideViewLimits->get(0), 104 * px);
  EXPECT_EQ(camera().sideViewLimits->get(1), 1006 * px);
  EXPECT_EQ(camera().sideViewLimits->get(2), 800 * px);
  EXPECT_EQ(camera().sideViewLimits->get(3), 600 * px);
  EXPECT_EQ(camera().sideViewSpeed, 3 << 8);
  EXPECT_EQ(runner->state, 106);
  EXPECT_TRUE(runner->bandFlagA && runner->bandFlagB);

  // Once each while the view stays inside.
  runner->state = 0;
  runner->bandFlagA = runner->bandFlagB = false;
  camera().cameraY = 1000 * px;
  stepAll();
  EXPECT_EQ(runner->state, 0);
  EXPECT_FALSE(runner->bandFlagA || runner->bandFlagB);

  // Leaving and coming back arms them again.
  camera().cameraY = 999 * px;
  stepAll();
  EXPECT_FALSE(stop->hasFlag(ActorFlags::KIND_STATE));
  camera().cameraY = 1200 * px;
  stepAll();
  EXPECT_EQ(runner->state, 106);
  EXPECT_TRUE(runner->bandFlagA);
}

TEST_F(SceneSideViewTest, AWrappingBandTakesTheViewAndTheChaseBackOnce) {
  cActorMC* runner = makeRunner(300, 1400);
  // The band from y 1000 to 2600 px.
  cActor* band = makeObject(ActorKind::CAMERA_BAND, 70, 100, 1000, {4});
  band->setInteractBox(0, 0, 800, 1600);
  cActor* first = makePursuer(300, 1300);
  cActor* second = makePursuer(400, 1300);
  first->hp = 0;  // does not move by itself
  second->hp = 0;

  camera().cameraY = 1065 * px;
  step(band);
  EXPECT_EQ(camera().cameraY, 1065 * px) << "not yet within 64 px of the band's top";

  camera().cameraY = 1064 * px;
  step(band);
  EXPECT_EQ(camera().cameraY, 2120 * px) << "to the band's bottom less the view";
  EXPECT_EQ(runner->getPixelY(), 1400 + 1056) << "the character goes back with the view";
  EXPECT_TRUE(band->hasFlag(ActorFlags::KIND_STATE));
  stepFrame();
  runKind(first);
  runKind(second);
  EXPECT_EQ(first->getPixelY(), 1300 + 1056) << "the first pursuer of the pass takes the offset";
  EXPECT_EQ(second->getPixelY(), 1300) << "the others keep their y";

  camera().cameraY = 1064 * px;
  step(band);
  EXPECT_EQ(camera().cameraY, 1064 * px) << "a wrapping band wraps once";
  camera().cameraY = 3000 * px;
  step(band);
  EXPECT_TRUE(band->hasFlag(ActorFlags::KIND_STATE)) << "leaving the band keeps it spent";
}

TEST_F(SceneSideViewTest, TheChasesEndStopsTheWrapUntilTheViewHasPassedTheBand) {
  makeRunner(300, 1400);
  cActor* band = makeObject(ActorKind::CAMERA_BAND, 70, 100, 1000, {4});
  band->setInteractBox(0, 0, 800, 1600);
  camera().bandWrapRequest = true;
  camera().cameraY = 1000 * px;
  step(band);
  EXPECT_EQ(camera().cameraY, 1000 * px) << "the chase is over: no wrap";
  camera().cameraY = 520 * px;
  step(band);
  EXPECT_TRUE(camera().bandWrapRequest) << "480 px above the band is not yet past it";
  camera().cameraY = 519 * px;
  step(band);
  EXPECT_FALSE(camera().bandWrapRequest) << "past an unused band the request is dropped";
}

// --- spawned objects

class SceneSpawnedTest : public SceneSideViewTest {
 protected:
  cActor* makeLatching(int32_t x, int32_t y, int32_t side) {
    cActor* object = makeWithSprite(ActorKind::SPAWNED, 0, x, y, {0, 0, side});
    object->setAnim(21, 1);
    object->spawnedMode = cActor::SPAWNED_LATCHING;
    return object;
  }
  // Frames until the object reaches state (false when it never does).
  bool runUntilState(cActor* object, int32_t state, int32_t frames = 60) {
    for (int32_t i = 0; i < frames && object->spawnedState != state; ++i) step(object);
    return object->spawnedState == state;
  }
  static int8_t latchCount() { return worldStatics().cActor.latchCount; }
};

TEST_F(SceneSpawnedTest, LatchingObjectsHoldOnUntilTheCharacterStrugglesFree) {
  cActorMC* runner = makeRunner(300, 300);
  runner->struggleGauge = 60;
  // 16 px a frame sideways while it gathers and closes in: it arrives.
  cActor* first = makeLatching(60, 300, 1);
  ASSERT_TRUE(runUntilState(first, 3));
  EXPECT_EQ(runner->state, 117);
  EXPECT_EQ(first->latchSlot, 0);
  EXPECT_EQ(latchCount(), 1);
  cActor* second = makeLatching(60, 300, 1);
  ASSERT_TRUE(runUntilState(second, 3));
  EXPECT_EQ(second->latchSlot, 1);
  EXPECT_EQ(latchCount(), 2);

  // Held on: placed beside the character, a slot step apart, 120 px up.
  for (int32_t i = 0; i < 20 && first->player->anim != 26; ++i) step(first);
  for (int32_t i = 0; i < 20 && second->player->anim != 26; ++i) step(second);
  EXPECT_EQ(first->x, runner->x);
  EXPECT_EQ(second->x, runner->x + 512);
  EXPECT_EQ(first->y, runner->y - 120 * px);

  runner->struggleGauge = 120;
  ASSERT_TRUE(runUntilState(first, 4));
  EXPECT_EQ(first->player->anim, 22);
  EXPECT_EQ(first->x, runner->x - 10 * px);
  EXPECT_EQ(latchCount(), 0);
  EXPECT_EQ(chaseCount(), 1);
  const int32_t y = first->y;
  step(first);
  EXPECT_TRUE(first->isKilled() || first->y == y + 16 * px) << "it falls 16 px a frame";
  for (int32_t i = 0; i < 40 && !first->isKilled(); ++i) step(first);
  EXPECT_TRUE(first->isKilled());
  EXPECT_EQ(first->layer, -1) << "and leaves the lists";
}

TEST_F(SceneSpawnedTest, ASlotReachingTheFootprintsEdgeFallsBackToTheCharactersX) {
  struct Case {
    int32_t side, slot;
    int32_t x;  // from the character's x, px
  };
  // The footprint reaches 16 px either side of the character's x.
  const Case cases[] = {{1, 7, 14}, {1, 8, 0}, {-1, 7, -14}, {-1, 8, 0}, {-1, 9, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.side << " slot " << c.slot);
    cActor::initLists();
    cActorMC* runner = makeRunner(300, 300);
    runner->state = 117;
    cActor* object = makeLatching(300, 300, c.side);
    object->spawnedState = 3;
    object->latchSlot = static_cast<int8_t>(c.slot);
    object->setAnim(21, 1);
    for (int32_t i = 0; i < 20 && object->player->anim != 26; ++i) step(object);
    EXPECT_EQ(object->x, runner->x + c.x * px);
  }
}

TEST_F(SceneSpawnedTest, AFelledCharacterIsLetGoAndAMissNeverLatches) {
  cActorMC* runner = makeRunner(300, 300);
  cActor* held = makeLatching(300, 300, 1);
  held->spawnedState = 3;
  worldStatics().cActor.latchCount = 1;
  runner->state = 14;
  for (int32_t i = 0; i < 20 && held->spawnedState == 3; ++i) step(held);
  EXPECT_EQ(held->spawnedState, 6);
  EXPECT_EQ(latchCount(), 0);
  for (int32_t i = 0; i < 40 && !held->isKilled(); ++i) step(held);
  EXPECT_TRUE(held->isKilled());
  EXPECT_EQ(chaseCount(), 0) << "no point for the chase";

  runner->state = 0;
  cActor* missing = makeLatching(600, 300, 0);
  ASSERT_TRUE(runUntilState(missing, 5));
  EXPECT_EQ(missing->player->anim, 23);
  EXPECT_EQ(missing->z, 0);
  EXPECT_EQ(chaseCount(), 1);
  EXPECT_EQ(latchCount(), 0);
  for (int32_t i = 0; i < 40 && !missing->isKilled(); ++i) step(missing);
  EXPECT_TRUE(missing->isKilled());
  EXPECT_NE(runner->state, 117);
}

TEST_F(SceneSpawnedTest, TheEndOfTheStruggleAgainstLatchedObjectsClearsTheLatches) {
  struct Case {
    const char* what;
    int32_t state, gauge;
    bool press;
    int32_t endState, latches;
  };
  const Case cases[] = {
      {"won", 117, 118, true, 0, 0},
      {"lost", 117, 2, false, 14, 0},
      {"going on", 117, 60, false, 117, 2},
      {"a seizer's struggle", 114, 118, true, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActorMC* runner = makeRunner(300, 300);
    runner->reset();
    runner->state = c.state;
    runner->struggleGauge = c.gauge;
    worldStatics().cActor.latchCount = 2;
    if (c.press) tap(FIRE);
    else setKeys({}, {});
    frame(runner, 50);
    EXPECT_EQ(runner->state, c.endState);
    EXPECT_EQ(latchCount(), c.latches);
  }
}

TEST_F(SceneSpawnedTest, AThrownObjectArcsLandsAndLeavesNoSoonerThan200MsAfterLanding) {
  for (int32_t stepTime : {1, 40}) {
    SCOPED_TRACE(stepTime);
    cActor::initLists();
    installSprite(objectSprite, {.animations = 6, .steps = 2, .stepTime = stepTime});
    cActorMC* runner = makeRunner(600, 100);
    // Up 32 px a frame until more than 64 px above its start, then down 16.
    cActor* thrown = makeWithSprite(ActorKind::SPAWNED, 0, 300, 200, {0, 0, 1, 0, 64, 2});
    thrown->spawnedMode = cActor::SPAWNED_THROWN;
    thrown->startHeight = thrown->y;
    int32_t highest = thrown->getPixelY();
    int64_t landedAt = -1;
    int64_t settledAt = -1;
    for (int32_t i = 0; i < 200 && !thrown->isKilled(); ++i) {
      step(thrown);
      highest = std::min(highest, thrown->getPixelY());
      if (thrown->landed && landedAt < 0) {
        landedAt = static_cast<int64_t>(now());
        EXPECT_EQ(thrown->player->anim, 4);
        EXPECT_EQ(thrown->getPixelY(), 280) << "80 px below its start";
      }
      if (thrown->settled && settledAt < 0) settledAt = static_cast<int64_t>(now());
    }
    ASSERT_TRUE(thrown->isKilled());
    EXPECT_EQ(highest, 200 - 96);
    EXPECT_GE(static_cast<int64_t>(now()) - landedAt, 200);
    ASSERT_GE(settledAt, 0) << "not before its landing animation has ended";
    EXPECT_EQ(settledAt - landedAt < 200, stepTime == 1) << "a short and a long landing animation";
    if (settledAt - landedAt < 200) {
      EXPECT_LT(static_cast<int64_t>(now()) - landedAt, 200 + framePeriod);
    } else {
      EXPECT_EQ(static_cast<int64_t>(now()), settledAt);
    }
    EXPECT_FALSE(runner->hurt) << "it landed far from the character";
  }
}

TEST_F(SceneSpawnedTest, ALandedThrownObjectHurtsTheCharacterStandingOnIt) {
  cActorMC* runner = makeRunner(300, 280);
  cActor* thrown = makeWithSprite(ActorKind::SPAWNED, 0, 300, 200, {0, 0, 0, 0, 64, 0});
  thrown->spawnedMode = cActor::SPAWNED_THROWN;
  thrown->startHeight = thrown->y;
  for (int32_t i = 0; i < 40 && !thrown->landed; ++i) {
    step(thrown);
    if (!thrown->landed) {
      EXPECT_FALSE(runner->hurt) << "only once it has landed";
    }
  }
  EXPECT_TRUE(runner->hurt) << "from the frame it lands";
  EXPECT_EQ(runner->hurtTime, 1000);
}

TEST_F(SceneSpawnedTest, AFelledCharacterStopsAllButTheLatchingOnes) {
  cActorMC* runner = makeRunner(300, 300);
  runner->state = 14;
  cActor* thrown = makeWithSprite(ActorKind::SPAWNED, 0, 300, 200, {0, 0, 1, 0, 64, 2});
  thrown->spawnedMode = cActor::SPAWNED_THROWN;
  thrown->startHeight = thrown->y;
  cActor* latching = makeLatching(60, 300, 1);
  step(thrown);
  step(latching);
  EXPECT_EQ(thrown->getPixelY(), 200);
  EXPECT_EQ(latching->spawnedFrames, 1) << "a latching object goes on counting";
  EXPECT_EQ(latching->getPixelX(), 60) << "but does not move while the character is down";
}

}  // namespace
