// The spawners: each sub-kind's own behaviour over a few frames, what they
// create, and the end at the focus character's touch.
#include "game/world/cGameCameraStatics.h"
#include "game/world/cGameEffectsStatics.h"
#include "tests/game/world/level_stream.h"
#include "tests/game/world/scene_object_fixture.h"

namespace {

using namespace playertest;

constexpr int32_t px = 256;

class SpawnerTest : public SceneObjectFixture {
 public:
  static constexpr int32_t spawnAnim = 5;  // p8: the spawner's own animation

 protected:
  static constexpr int32_t spawnerSprite = 30;

  void SetUp() override {
    SceneObjectFixture::SetUp();
    const auto square = [](int) { return worldkit::TestFrameBox{-16, -32, 32, 32}; };
    installSprite(spawnerSprite, {.animations = 160, .steps = 2, .frameBox = square});
    installSprite(28, {.animations = 4, .steps = 2});
    installSprite(40, {.animations = 30, .steps = 2});
    // The carried-object icon's sprite.
    installSprite(27, {.animations = 80, .steps = 3, .frameBox = square});
    shellStatics().cGameShared.results = newIntArray(13);
  }

  static cGameCameraStatics& camera() { return worldStatics().cGameCamera; }
  static int32_t counted() { return shellStatics().cGameShared.results->get(3); }

  // A spawner of that sub-kind at pixel (x, y) as the room loader leaves
  // it: params {p0 = sub, then p1...}, p8 its animation (once for the
  // thrower and the dropper, else endless), an interaction box of 32 x 32
  // around its point and no trigger box unless given.
  cActor* makeSpawner(int32_t sub, int32_t x, int32_t y, std::vector<int32_t> rest = {}) {
    std::vector<int32_t> values{sub};
    values.insert(values.end(), rest.begin(), rest.end());
    values.resize(9, 0);
    values[8] = spawnAnim;
    cActor* spawner = makeObject(ActorKind::SPAWNER, 50, x, y, values);
    spawner->setSprite(sprite(spawnerSprite));
    spawner->setInteractBox(-16, -16, 32, 32);
    spawner->hp = 7;
    spawner->reset();
    spawner->setAnim(spawnAnim, sub == 2 || sub == 5 ? 1 : -1);
    return spawner;
  }
  static void frames(cActor* spawner, int32_t n = 1) {
    for (int32_t i = 0; i < n; ++i) {
      stepFrame();
      runKind(spawner);
    }
  }
  static std::vector<cActor*> ofKind(int32_t kind) {
    std::vector<cActor*> found;
    for (cActor* actor : layerOrder()) {
      if (actor->kind == kind) found.push_back(actor);
    }
    return found;
  }
  static int32_t shownAnim(cActor* actor) { return actor->player->anim; }
};

TEST_F(SpawnerTest, WithoutAFocusActorNothingHappens) {
  cActor* faller = makeSpawner(1, 300, 100);
  cActor* maker = makeSpawner(3, 500, 100);
  cActor* seizer = makeSpawner(7, 600, 300, {0, -1});
  seizer->setTriggerBox(-400, -400, 800, 800);
  frames(faller, 3);
  frames(maker, 3);
  frames(seizer, 3);
  EXPECT_EQ(faller->y, 100 * px);
  EXPECT_FALSE(maker->childMade);
  EXPECT_TRUE(ofKind(ActorKind::BEHAVIOUR_MACHINE).empty());
  EXPECT_FALSE(seizer->spawnerTriggered);
}

struct MakerCase {
  int32_t sub;
  int32_t p6;
  int32_t childY;  // px
  bool sideViewTarget;
};

class SpawnerMakerTest : public SpawnerTest, public ::testing::WithParamInterface<MakerCase> {};

TEST_P(SpawnerMakerTest, MakesItsMachineOnceUntilReset) {
  const MakerCase c = GetParam();
  makePlayer(700, 400);
  cActor* maker = makeSpawner(c.sub, 200, 100, {3, 4, 5, 6, 0, c.p6});
  maker->setTriggerBox(-20, -30, 40, 60);
  // A fraction of a pixel is rounded away.
  maker->setX(maker->x + 100);
  maker->setY(maker->y + 100);
  frames(maker);
  std::vector<cActor*> made = ofKind(ActorKind::BEHAVIOUR_MACHINE);
  ASSERT_EQ(made.size(), 1u);
  cActor* machine = made[0];
  EXPECT_EQ(machine->x, 200 * px);
  EXPECT_EQ(machine->y, c.childY * px);
  EXPECT_EQ(machine->z, 0);
  EXPECT_EQ(machine->player->sprite, sprite(40));
  EXPECT_EQ(shownAnim(machine), 0);
  EXPECT_EQ(machine->interactBox->get(0), -16);
  EXPECT_EQ(machine->interactBox->get(3), 32);
  EXPECT_EQ(machine->triggerBox->get(1), -30);
  EXPECT_EQ(machine->triggerBox->get(2), 40);
  EXPECT_EQ(machine->param(0), c.sub);
  EXPECT_EQ(machine->param(4), 6);
  EXPECT_EQ(machine->param(8), spawnAnim);
  EXPECT_EQ(machine->hp, 7);
  EXPECT_EQ(machine->kindState, c.sub) << "its reset takes p0 as the machine type";
  EXPECT_EQ(cGame::sideViewTarget(), c.sideViewTarget ? machine : nullptr);

  // Out of view and back again: still the one.
  maker->setX(5000 * px);
  frames(maker, 2);
  maker->setX(200 * px);
  frames(maker, 2);
  EXPECT_EQ(ofKind(ActorKind::BEHAVIOUR_MACHINE).size(), 1u);
  maker->reset();
  frames(maker);
  EXPECT_EQ(ofKind(ActorKind::BEHAVIOUR_MACHINE).size(), 2u) << "armed again by reset";
}

INSTANTIATE_TEST_SUITE_P(Makers, SpawnerMakerTest,
                         ::testing::Values(MakerCase{3, 0, 820, false}, MakerCase{3, 1, 100, false},
                                           MakerCase{8, 0, 820, false}, MakerCase{8, 2, 100, false},
                                           MakerCase{4, 0, 100, true}));

// The loader's ten spawned objects for such a spawner stay as they are made:
// the spawner drives only the machine it makes.
TEST_F(SpawnerTest, ALoadedIdleMachineSpawnerMakesOneMachineBesideTheLoadersTenObjects) {
  makePlayer(700, 400);
  LevelStream stream;
  stream.record(18, {51, 200, 100, 1, spawnerSprite - 16, spawnAnim, -16, -16, 32, 32, 4, 0, -20, -30, 40, 60, 0, 0,
                     0, 0, 0, 9, 0});
  cGame::loadRoomObjects(stream.array());
  ASSERT_EQ(ofKind(ActorKind::SPAWNED).size(), 10u);
  ASSERT_TRUE(ofKind(ActorKind::BEHAVIOUR_MACHINE).empty());
  for (int32_t i = 0; i < 3; ++i) {
    stepFrame();
    cActor::updateAll();
  }
  const std::vector<cActor*> machines = ofKind(ActorKind::BEHAVIOUR_MACHINE);
  ASSERT_EQ(machines.size(), 1u);
  EXPECT_EQ(cGame::sideViewTarget(), machines[0]);
  EXPECT_EQ(machines[0]->hp, 9);
  EXPECT_EQ(machines[0]->y, 100 * px) << "made where the spawner stands";
  EXPECT_EQ(ofKind(ActorKind::SPAWNED).size(), 10u);
}

TEST_F(SpawnerTest, TheSideViewTargetIsForgottenWithTheRoom) {
  makePlayer(700, 400);
  cActor* maker = makeSpawner(4, 200, 100);
  frames(maker);
  ASSERT_NE(cGame::sideViewTarget(), nullptr);
  cGame::forgetRoomActors();
  EXPECT_EQ(cGame::sideViewTarget(), nullptr);
}

TEST_F(SpawnerTest, TheLauncherWaitsForItsTriggerThenRushesToItsSide) {
  makePlayer(400, 300);
  cActor* launcher = makeSpawner(0, 300, 300, {0, -1});
  launcher->interactBox = nullptr;
  frames(launcher, 2);
  EXPECT_EQ(launcher->x, 300 * px) << "untouched, it waits";
  EXPECT_EQ(launcher->launchState, 0);
  launcher->setTriggerBox(-150, -50, 300, 100);
  frames(launcher);
  EXPECT_EQ(launcher->launchState, 1);
  EXPECT_EQ(shownAnim(launcher), 43) << "p2 < 0";
  EXPECT_EQ(launcher->x, 300 * px);
  frames(launcher);
  EXPECT_EQ(launcher->x, 300 * px - 2 * (62 * 2048 * 32 / 1000));
}

TEST_F(SpawnerTest, TheFallerAndTheDropperMoveDown) {
  makePlayer(700, 400);
  cActor* faller = makeSpawner(1, 100, 100);
  frames(faller);
  EXPECT_EQ(faller->y, 100 * px + 62 * 2048 * 32 / 1000);

  cActor* dropper = makeSpawner(5, 300, 100);
  int32_t frame = 0;
  while (ofKind(ActorKind::SPAWNED).empty() && frame++ < 20) frames(dropper);
  ASSERT_EQ(ofKind(ActorKind::SPAWNED).size(), 1u);
  EXPECT_EQ(dropper->y, 100 * px + frame * (62 * 3072 * 32 / 1000));
  cActor* dropped = ofKind(ActorKind::SPAWNED)[0];
  EXPECT_EQ(dropped->x, 300 * px);
  EXPECT_EQ(dropped->y, ((dropper->y + 128) & ~0xFF) - 80 * px);
  EXPECT_EQ(dropped->z, -dropper->getPixelY());
  EXPECT_EQ(dropped->palette, 1);
  EXPECT_EQ(dropped->player->sprite, sprite(16));
  EXPECT_EQ(shownAnim(dropped), 71);
  EXPECT_EQ(dropped->spawnedMode, cActor::SPAWNED_STATIC) << "resting";
  EXPECT_EQ(shownAnim(dropper), spawnAnim) << "p8 again";
}

struct ThrowerCase {
  int32_t p2;
  int32_t p3;
};

class SpawnerThrowerTest : public SpawnerTest, public ::testing::WithParamInterface<ThrowerCase> {};

// Without an interval each drop follows the last at once.
TEST_P(SpawnerThrowerTest, WithoutAnIntervalItDropsEachTimeItsAnimationEnds) {
  makePlayer(700, 400);
  cActor* thrower = makeSpawner(2, 200, 200, {0, GetParam().p2, GetParam().p3, 9});
  size_t drops = 0;
  for (int32_t i = 0; i < 30; ++i) {
    frames(thrower);
    const size_t now = ofKind(ActorKind::SPAWNED).size();
    EXPECT_LE(now, drops + 1);
    drops = now;
    EXPECT_EQ(shownAnim(thrower), spawnAnim) << "no waiting animation, frame " << i;
  }
  EXPECT_GE(drops, 3u);
  cActor* thrown = ofKind(ActorKind::SPAWNED)[0];
  EXPECT_EQ(thrown->x, 200 * px);
  EXPECT_EQ(thrown->y, 120 * px);
  EXPECT_EQ(thrown->z, 200 * px);
  EXPECT_EQ(thrown->startHeight, 120 * px) << "its start height";
  EXPECT_EQ(thrown->spawnedMode, cActor::SPAWNED_THROWN) << "thrown";
  EXPECT_EQ(thrown->player->sprite, sprite(28));
  EXPECT_EQ(shownAnim(thrown), 2);
  EXPECT_LT(thrown->player->loops, 0) << "endless";
  EXPECT_EQ(thrown->param(4), 9);
}

INSTANTIATE_TEST_SUITE_P(Intervals, SpawnerThrowerTest,
                         ::testing::Values(ThrowerCase{0, 0}, ThrowerCase{-1, -500}, ThrowerCase{1, 0}));

TEST_F(SpawnerTest, TheThrowerWaitsItsIntervalBetweenDrops) {
  makePlayer(700, 400);
  for (int32_t side : {-1, 0}) {
    SCOPED_TRACE(side);
    cActor* thrower = makeSpawner(2, 200 + 200 * (side + 1), 200, {0, side, 1000});
    const auto drops = [thrower] {
      int32_t n = 0;
      for (cActor* actor : ofKind(ActorKind::SPAWNED)) n += actor->x == thrower->x;
      return n;
    };
    const uint64_t start = now();
    std::vector<uint64_t> dropTimes;
    for (int32_t frame = 0; frame < 60 && dropTimes.size() < 2; ++frame) {
      const int32_t before = drops();
      frames(thrower);
      if (drops() > before) dropTimes.push_back(now());
      if (dropTimes.size() == 1 && now() - dropTimes[0] < 1000) {
        // p2 = -1 waits with animation 1; any other p2 shows nothing new.
        EXPECT_EQ(shownAnim(thrower), side == -1 ? 1 : spawnAnim);
        if (side == 0) {
          EXPECT_FALSE(thrower->spawnReady);
        }
      }
    }
    ASSERT_EQ(dropTimes.size(), 2u);
    EXPECT_LE(dropTimes[0], start + 5 * framePeriod) << "a fresh thrower drops at once";
    EXPECT_GE(dropTimes[1] - dropTimes[0], 1000u);
    EXPECT_LE(dropTimes[1] - dropTimes[0], 1000u + 6 * framePeriod) << "then its spawn animation again";
  }
}

TEST_F(SpawnerTest, TheCatcherCountsOverlapFramesAcrossTouchesAndCatchesAtTheEighth) {
  cActorMC* player = makePlayer(400, 300);
  cActor* catcher = makeSpawner(9, 400, 300, {1, -1, 0, 0, 0, 1});
  catcher->setTriggerBox(-200, -100, 400, 200);
  frames(catcher);
  EXPECT_EQ(catcher->spawnerStep, 1);
  const int32_t step = 62 * 1 * 8192 / 1000;
  EXPECT_EQ(catcher->y, 300 * px + step) << "step 0 moves down";
  int32_t y = catcher->y;
  frames(catcher, 3);
  EXPECT_EQ(catcher->contactFrames, 3);
  EXPECT_EQ(catcher->y, y) << "it holds still while touching";
  player->setX(100 * px);
  frames(catcher, 2);
  EXPECT_EQ(catcher->contactFrames, 3) << "kept between touches";
  EXPECT_EQ(catcher->y, y + 2 * step);
  player->setX(400 * px);
  frames(catcher, 4);
  EXPECT_EQ(catcher->spawnerStep, 1);
  EXPECT_FALSE(player->seizeFlag);
  frames(catcher);
  EXPECT_EQ(catcher->spawnerStep, 2);
  EXPECT_EQ(catcher->contactFrames, 0);
  EXPECT_TRUE(player->seizeFlag) << "p2 < 0";
  EXPECT_EQ(shownAnim(catcher), 18);

  int32_t frame = 0;
  while (catcher->spawnerStep == 2 && frame++ < 20) frames(catcher);
  ASSERT_EQ(catcher->spawnerStep, 8);
  ASSERT_EQ(ofKind(ActorKind::SPAWNED).size(), 1u);
  cActor* caught = ofKind(ActorKind::SPAWNED)[0];
  EXPECT_EQ(caught->spawnedMode, cActor::SPAWNED_LATCHING) << "latching";
  EXPECT_EQ(caught->kindState, 0);
  EXPECT_EQ(caught->player->sprite, sprite(40));
  EXPECT_EQ(shownAnim(caught), 21);
  EXPECT_EQ(caught->interactBox->get(2), 32);
  EXPECT_EQ(caught->z, caught->y);
  EXPECT_EQ(shownAnim(catcher), 17);
  EXPECT_EQ(catcher->spawnerStatus, 0) << "its touch does not end it";

  camera().cameraY = catcher->y - 600 * px;
  frames(catcher);
  EXPECT_TRUE(catcher->isKilled()) << "below the view";
}

TEST_F(SpawnerTest, TheCatcherFromBelowStartsUnderTheViewAndRises) {
  makePlayer(100, 100);
  camera().cameraY = 50 * px;
  camera().sideViewSpeed = 1000;
  cActor* catcher = makeSpawner(9, 400, 300, {1, 1, 0, 0, 0, 0});
  const int32_t step = 62 * 1 * 8192 / 1000;
  const int32_t carry = 62 * 1000 * 32 / 1000;
  frames(catcher);
  EXPECT_EQ(catcher->y, 50 * px + 720 * px - step + carry);
  frames(catcher);
  EXPECT_EQ(catcher->y, 50 * px + 720 * px - 2 * step + 2 * carry);
}

TEST_F(SpawnerTest, TheRiserWaitsForItsIconThenHurtsInEveryFrameOfContact) {
  cActorMC* player = makePlayer(100, 100);
  player->setState(0);
  cActor* riser = makeSpawner(11, 400, 300);
  player->setX(riser->x);
  player->setY(riser->y);
  frames(riser);
  EXPECT_TRUE(worldStatics().cGameEffects.carriedIconShown);
  EXPECT_FALSE(player->hurt) << "not before its icon has played";
  // Started once and advanced, the icon plays out: three steps.
  int32_t frame = 1;
  while (riser->riserStep == 0 && frame++ < 10) frames(riser);
  ASSERT_EQ(riser->riserStep, 1);
  EXPECT_LE(frame, 6);
  EXPECT_FALSE(worldStatics().cGameEffects.carriedIconShown);
  EXPECT_EQ(riser->y, 720 * px + 2 * px);

  player->setX(riser->x);
  player->setY(riser->y);
  for (int32_t i = 1; i <= 3; ++i) {
    player->hurtTime = 0;
    frames(riser);
    EXPECT_TRUE(player->hurt);
    EXPECT_EQ(player->hurtTime, 1000);
    player->setY(riser->y);
    player->tickAutoScrollHurt();
    EXPECT_EQ(player->hp, 100 - 10 * i) << "the damage is taken again";
  }
  player->hurt = false;
  player->setState(14);
  frames(riser);
  EXPECT_FALSE(player->hurt) << "not once defeated";
}

TEST_F(SpawnerTest, TheRiserRisesAtTheFirstBandFallsBackAndLeavesAtTheSecond) {
  cActorMC* player = makePlayer(100, 100);
  cActor* riser = makeSpawner(11, 400, 300, {10});
  riser->riserStep = 1;
  riser->setY(720 * px);
  frames(riser);
  EXPECT_LT(riser->y, 720 * px) << "comes up to the view's lower edge";
  player->bandFlagA = true;
  int32_t frame = 0;
  while (riser->riserStep == 1 && frame++ < 10) frames(riser);
  ASSERT_EQ(riser->riserStep, 2);
  EXPECT_FALSE(player->bandFlagA);
  frame = 0;
  while (riser->riserStep == 2 && frame++ < 60) frames(riser);
  ASSERT_EQ(riser->riserStep, 3);
  EXPECT_LE(riser->getFrameRect()->get(1), 288 + 40);
  frame = 0;
  while (riser->riserStep == 3 && frame++ < 60) frames(riser);
  ASSERT_EQ(riser->riserStep, 1);
  EXPECT_GE(riser->getFrameRect()->get(1), 412 - 40);
  player->bandFlagB = true;
  frames(riser);
  EXPECT_EQ(riser->riserStep, 4);
  EXPECT_FALSE(player->bandFlagB);
  frame = 0;
  while (!riser->isKilled() && frame++ < 60) frames(riser);
  EXPECT_TRUE(riser->isKilled());
}

TEST_F(SpawnerTest, TheSeizerHoldsTheCharacterUntilItStrugglesFree) {
  cActorMC* player = makePlayer(400, 300);
  player->setState(0);
  cActor* seizer = makeSpawner(7, 420, 300, {0, -1});
  frames(seizer);
  EXPECT_FALSE(seizer->spawnerTriggered);
  seizer->setTriggerBox(-40, -40, 80, 80);
  frames(seizer);
  EXPECT_TRUE(seizer->spawnerTriggered);
  EXPECT_EQ(seizer->spawnerStep, 3);
  EXPECT_EQ(shownAnim(seizer), 158);
  EXPECT_TRUE(player->seizeFlag);
  EXPECT_EQ(seizer->x, 452 * px) << "p2 < 0 moves it 32 px the other way";
  int32_t frame = 0;
  while (seizer->spawnerStep == 3 && frame++ < 10) frames(seizer);
  ASSERT_EQ(seizer->spawnerStep, 4);
  EXPECT_EQ(player->state, 114) << "struggling";
  frames(seizer);
  EXPECT_EQ(shownAnim(seizer), 151);
  EXPECT_EQ(seizer->x, 384 * px) << "beside the footprint's left edge";
  EXPECT_EQ(seizer->y, 292 * px);

  player->struggleGauge = 120;
  frame = 0;
  while (seizer->spawnerStep == 4 && frame++ < 10) frames(seizer);
  ASSERT_EQ(seizer->spawnerStep, 7);
  EXPECT_EQ(shownAnim(seizer), 155);
  EXPECT_EQ(seizer->x, 374 * px);
  EXPECT_EQ(counted(), 1);
  frames(seizer);
  EXPECT_EQ(seizer->spawnerStatus, 104);
  frames(seizer, 3);
  EXPECT_EQ(counted(), 1);
}

TEST_F(SpawnerTest, OnlyTheSeizerActsWhileTheCharacterIsDefeated) {
  cActorMC* player = makePlayer(400, 300);
  cActor* faller = makeSpawner(1, 100, 100);
  cActor* seizer = makeSpawner(7, 420, 300, {0, 1});
  seizer->setTriggerBox(-40, -40, 80, 80);
  seizer->spawnerTriggered = true;
  seizer->spawnerStep = 4;
  player->state = 14;
  frames(faller, 2);
  EXPECT_EQ(faller->y, 100 * px);
  frames(seizer);
  EXPECT_EQ(shownAnim(seizer), 12) << "p2 > 0";
  EXPECT_EQ(seizer->x, (420 + 64) * px);
  EXPECT_EQ(seizer->y, (300 + 64) * px);
  EXPECT_EQ(seizer->spawnerStep, 7);
}

TEST_F(SpawnerTest, TheSlidersMoveOnceTriggeredAndEndAtTheTouch) {
  cActorMC* player = makePlayer(400, 300);
  cActor* slider = makeSpawner(12, 600, 300, {1, -1});
  slider->setTriggerBox(-300, -50, 600, 100);
  frames(slider);
  const int32_t step = 62 * 8192 / 1000;
  EXPECT_TRUE(slider->spawnerMoving);
  EXPECT_EQ(slider->x, 600 * px - step);
  player->setX(100 * px);
  frames(slider);
  EXPECT_EQ(slider->x, 600 * px - 2 * step) << "still moving";
  player->setX(slider->x);
  frames(slider);
  EXPECT_FALSE(slider->spawnerMoving);
  EXPECT_EQ(slider->spawnerStatus, 104);
  EXPECT_TRUE(player->hurt);
}

TEST_F(SpawnerTest, TheSideViewSpawnersActInTheCameraColumnOthersOnScreen) {
  makePlayer(100, 100);
  cActor* slider = makeSpawner(13, 3000, 1000, {1, 1});
  slider->spawnerMoving = true;
  cActor* faller = makeSpawner(1, 3000, 100);
  frames(slider);
  frames(faller);
  EXPECT_NE(slider->x, 3000 * px) << "1000 px down is within 1440 px of the camera";
  EXPECT_EQ(faller->y, 100 * px) << "off screen";
  slider->setY(1500 * px);
  const int32_t x = slider->x;
  frames(slider);
  EXPECT_EQ(slider->x, x);
}

struct ContactCase {
  int32_t sub;
  int32_t dirX;
  int32_t anim;  // shown at the touch
  bool hurt;
  int32_t hpLost;
  bool counted;
};

class SpawnerContactTest : public SpawnerTest, public ::testing::WithParamInterface<ContactCase> {};

TEST_P(SpawnerContactTest, TheTouchEndsTheSpawner) {
  const ContactCase c = GetParam();
  cActorMC* player = makePlayer(400, 300);
  player->dirX = c.dirX;
  cActor* spawner = makeSpawner(c.sub, 400, 290, {0, 1});
  frames(spawner);
  EXPECT_EQ(spawner->spawnerStatus, 104);
  EXPECT_TRUE(spawner->hasFlag(ActorFlags::KIND_STATE));
  EXPECT_EQ(shownAnim(spawner), c.anim);
  EXPECT_EQ(player->hurt, c.hurt);
  EXPECT_EQ(player->hp, 100 - c.hpLost);
  EXPECT_EQ(counted(), c.counted ? 1 : 0);

  // Finished: it stays, and reacts to nothing more.
  const int32_t x = spawner->x, y = spawner->y;
  player->hurt = false;
  frames(spawner, 3);
  EXPECT_EQ(spawner->x, x);
  EXPECT_EQ(spawner->y, y);
  EXPECT_FALSE(player->hurt);
  EXPECT_EQ(player->hp, 100 - c.hpLost);
  EXPECT_EQ(counted(), c.counted ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    SubKinds, SpawnerContactTest,
    ::testing::Values(ContactCase{0, -1, 13, false, 0, true}, ContactCase{0, 1, 12, false, 0, true},
                      ContactCase{0, 0, 70, false, 0, true}, ContactCase{1, -1, 89, true, 0, true},
                      ContactCase{1, 1, 88, true, 0, true}, ContactCase{1, 0, 146, true, 0, true},
                      ContactCase{2, -1, 13, false, 0, true}, ContactCase{5, 1, 69, true, 0, false},
                      ContactCase{12, 1, 73, true, 0, false}, ContactCase{13, 1, 22, true, 60, false},
                      ContactCase{6, 1, SpawnerTest::spawnAnim, false, 0, false},
                      ContactCase{10, 1, SpawnerTest::spawnAnim, false, 0, false}));

TEST_F(SpawnerTest, TheSideViewSpawnersAreNotEndedByTheTouch) {
  makePlayer(400, 300);
  for (int32_t sub : {7, 9, 11}) {
    cActor* spawner = makeSpawner(sub, 400, 300);
    frames(spawner);
    EXPECT_EQ(spawner->spawnerStatus, 0) << "sub-kind " << sub;
    EXPECT_FALSE(spawner->hasFlag(ActorFlags::KIND_STATE)) << "sub-kind " << sub;
  }
}

TEST_F(SpawnerTest, AMarkedSpawnerGoesWhenItsAnimationHasPlayedOut) {
  makePlayer(700, 400);
  cActor* once = makeSpawner(6, 100, 100);
  once->setAnim(spawnAnim, 1);
  cActor* endlessOne = makeSpawner(1, 300, 100);
  once->setFlag(ActorFlags::KIND_STATE, true);
  endlessOne->setFlag(ActorFlags::KIND_STATE, true);
  for (int32_t i = 0; i < 10; ++i) {
    frames(once);
    frames(endlessOne);
  }
  EXPECT_TRUE(once->isKilled());
  EXPECT_FALSE(endlessOne->isKilled()) << "an endless animation never ends";
}

TEST_F(SpawnerTest, ResetArmsItAgainAndKeepsTheDropClock) {
  cActor* spawner = makeSpawner(2, 100, 100);
  spawner->spawnerStatus = 104;
  spawner->childMade = spawner->spawnerTriggered = spawner->spawnerMoving = true;
  spawner->spawnerStep = 4;
  spawner->riserStep = 3;
  spawner->launchState = 1;
  spawner->lastSpawnTime = 1234;
  spawner->spawnReady = true;
  spawner->contactFrames = 5;
  spawner->setParam(0, 9);
  spawner->reset();
  EXPECT_EQ(spawner->kindState, 9);
  EXPECT_EQ(spawner->spawnerStatus, 0);
  EXPECT_FALSE(spawner->childMade || spawner->spawnerTriggered || spawner->spawnerMoving);
  EXPECT_EQ(spawner->spawnerStep + spawner->riserStep + spawner->launchState, 0);
  EXPECT_EQ(spawner->lastSpawnTime, 1234);
  EXPECT_TRUE(spawner->spawnReady);
  EXPECT_EQ(spawner->contactFrames, 5);
}

}  // namespace
