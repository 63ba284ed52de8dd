// The pursuers of the side-view chase (kind 23): the hit mark and its
// points, the freeze while the character is down, machine A's decision and
// rush, the wall that hurts a pursuer carrying the character, the push
// aside, and machine B's single lunge, catch and strike.
#include "platform/java_lang/java_lang_System.h"
#include "tests/game/world/scene_object_fixture.h"

namespace {

using namespace playertest;

constexpr int32_t px = 256;
constexpr int32_t machineA = 3, machineB = 8, noMachine = 4;
// 62 ms at speed 4096: 4096 x 32 x 62 / 1000, toward zero.
constexpr int32_t fullStep = 8126;

class ScenePursuerTest : public SceneObjectFixture {
 protected:
  static constexpr int32_t pursuerSprite = 40;

  void SetUp() override {
    SceneObjectFixture::SetUp();
    installSprite(pursuerSprite, {.animations = 16, .steps = 2});
    shellStatics().cGameShared.results = newIntArray(13);
    shellStatics().cGameProgress.chapterFlag = false;
    camera().cameraX = 0;
    camera().cameraY = 0;
    camera().sideViewSpeed = 0;
    setTimeStep(framePeriod);
  }
  static cGameCameraStatics& camera() { return worldStatics().cGameCamera; }

  cActorMC* makeRunner(int32_t x, int32_t y) {
    cActorMC* runner = makePlayer(x, y);
    shellStatics().cGameProgress.sideViewMode = true;
    return runner;
  }
  // A pursuer whose body is 40 x 40 px standing on its point.
  static cActor* makePursuer(int32_t type, int32_t x, int32_t y, int32_t mode) {
    cActor* pursuer = makeObject(ActorKind::BEHAVIOUR_MACHINE, 50, x, y, {type});
    pursuer->setSprite(sprite(pursuerSprite));
    pursuer->setAnim(0, 1);
    pursuer->setInteractBox(-20, -40, 40, 40);
    pursuer->setTriggerBox(-5, -40, 10, 40);
    pursuer->hp = 20;
    pursuer->reset();
    pursuer->behaviourMode = mode;
    return pursuer;
  }
  // One frame on the current clock (the time stamps stay where they are).
  static void step(cActor* actor) { runKind(actor); }
  static int64_t nowMillis() { return java_lang_System::currentTimeMillis(); }
};

TEST_F(ScenePursuerTest, PursuersFreezeWhileTheCharacterIsDown) {
  struct Case {
    const char* what;
    int32_t hp, state;
  };
  for (const Case& c : {Case{"no hit points", 0, 0}, Case{"felled", 100, 14}}) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActorMC* runner = makeRunner(400, 300);
    runner->hp = c.hp;
    runner->state = c.state;
    camera().sideViewSpeed = -3072;
    cActor* pursuer = makePursuer(machineA, 400, 400, 1);
    pursuer->hitMarked = true;
    pursuer->behaviourTimer = 1000;
    const int32_t aframe = pursuer->player->aframe;
    const int32_t time = pursuer->player->time;
    // The pursuer's own step: the update pass animates every actor anyway.
    for (int32_t i = 0; i < 5; ++i) pursuer->updatePursuer();
    EXPECT_EQ(pursuer->y, 400 * px) << "no move, not even the scroll";
    EXPECT_EQ(pursuer->hp, 20) << "no hit count";
    EXPECT_EQ(pursuer->behaviourTimer, 1000);
    EXPECT_EQ(pursuer->behaviourMode, 1) << "no machine step";
    EXPECT_EQ(pursuer->player->aframe, aframe);
    EXPECT_EQ(pursuer->player->time, time) << "no animation";
    camera().bandWrapOffset = -10 * px;
    pursuer->updatePursuer();
    EXPECT_EQ(pursuer->y, 410 * px) << "a pending wrap offset is still taken";
    EXPECT_EQ(camera().bandWrapOffset, 0);
  }
}

TEST_F(ScenePursuerTest, AHitMarkTakesFivePointsInItsFirstFrameOnlyAndLasts1000Ms) {
  struct Case {
    int32_t timer, hp;
  };
  for (const Case& c : {Case{1000, 15}, Case{999, 20}, Case{938, 20}}) {
    SCOPED_TRACE(c.timer);
    cActor::initLists();
    makeRunner(400, 300);
    cActor* pursuer = makePursuer(noMachine, 200, 300, 0);
    pursuer->hitMarked = true;
    pursuer->behaviourTimer = c.timer;
    step(pursuer);
    EXPECT_EQ(pursuer->hp, c.hp);
    EXPECT_EQ(pursuer->behaviourTimer, c.timer - framePeriod);
  }
  cActor* pursuer = makePursuer(noMachine, 200, 300, 0);
  pursuer->hitMarked = true;
  pursuer->behaviourTimer = 1000;
  int32_t elapsed = 0;
  while (pursuer->hitMarked && elapsed < 5000) {
    step(pursuer);
    elapsed += framePeriod;
  }
  EXPECT_EQ(elapsed, 17 * framePeriod) << "1000 ms in whole frames";
  EXPECT_EQ(pursuer->hp, 15);
  EXPECT_FALSE(pursuer->isMachineHit());
}

TEST_F(ScenePursuerTest, TheLastHitDestroysThePursuerAndEndsTheChase) {
  cActorMC* runner = makeRunner(400, 300);
  runner->setRunDirection(1);
  cActor* pursuer = makePursuer(machineA, 200, 300, 1);
  pursuer->hp = 5;
  pursuer->hitMarked = true;
  pursuer->behaviourTimer = 1000;
  step(pursuer);
  EXPECT_EQ(pursuer->hp, 0);
  EXPECT_EQ(pursuer->behaviourMode, 20);
  EXPECT_EQ(pursuer->player->anim, 2);
  EXPECT_EQ(runner->dirX, 0);
  EXPECT_TRUE(camera().bandWrapRequest);
  EXPECT_EQ(shellStatics().cGameShared.results->get(3), 1);
}

TEST_F(ScenePursuerTest, MachineADecidesEarlyFor299MsAndLateFrom300Ms) {
  struct Case {
    const char* what;
    int32_t elapsed, x;
    int32_t mode;
  };
  // The character at x 400 with a footprint from 384 to 416; contact for a
  // pursuer between 364 and 436.
  const Case cases[] = {
      {"299 ms, no contact: waits", 299, 600, 2},
      {"299 ms, contact from the left: rushes right", 299, 380, 4},
      {"299 ms, contact from the right: rushes left", 299, 420, 3},
      {"300 ms, right of the footprint: rushes left", 300, 600, 3},
      {"300 ms, left of the footprint: rushes right", 300, 300, 4},
      {"300 ms, over the footprint's right half", 300, 410, 3},
      {"300 ms, over the footprint's left half", 300, 390, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActorMC* runner = makeRunner(400, 300);
    cActor* pursuer = makePursuer(machineA, c.x, 300, 2);
    pursuer->touching = true;
    pursuer->decisionTime = nowMillis() - c.elapsed;
    step(pursuer);
    EXPECT_EQ(pursuer->behaviourMode, c.mode);
    EXPECT_EQ(runner->state, 116);
    EXPECT_EQ(pursuer->touching, c.elapsed < 300) << "the late rule forgets the approach's contact";
  }
}

TEST_F(ScenePursuerTest, MachineAWaitsForACharacterOutOfItsPlace) {
  shellStatics().cGameProgress.chapterFlag = true;
  cActorMC* runner = makeRunner(400, 300);  // 300 px: above the 400..432 px stripe of the view
  cActor* pursuer = makePursuer(machineA, 600, 310, 2);
  step(pursuer);
  EXPECT_EQ(runner->state, 115);
  EXPECT_EQ(pursuer->y, runner->y) << "it keeps level with the character";
  EXPECT_EQ(pursuer->behaviourMode, 2);
  camera().cameraY = -110 * px;  // the character now stands 410 px down the view
  step(pursuer);
  EXPECT_EQ(runner->state, 116);
}

TEST_F(ScenePursuerTest, MachineARushesAndCarriesTheCharacterAlong) {
  cActorMC* runner = makeRunner(400, 300);
  cActor* pursuer = makePursuer(machineA, 470, 300, 3);
  step(pursuer);
  EXPECT_EQ(pursuer->rushSpeed, 512) << "the rush grows by 512 a frame";
  EXPECT_EQ(pursuer->behaviourMode, 3);
  for (int32_t i = 0; i < 20 && pursuer->behaviourMode == 3; ++i) step(pursuer);
  ASSERT_EQ(pursuer->behaviourMode, 5);
  EXPECT_EQ(runner->state, 104);
  EXPECT_TRUE(runner->contactFlagB);
  EXPECT_EQ(runner->getPixelX(), 368) << "knocked 32 px along";
  EXPECT_EQ(runner->dirX, -1);
  EXPECT_EQ(pursuer->player->anim, 3);
  step(pursuer);
  EXPECT_EQ(pursuer->x, runner->x + 32 * px - (pursuer->rushSpeed * 32 * framePeriod / 1000)) << "beside it, pushing";
  runner->state = 116;
  step(pursuer);
  EXPECT_EQ(pursuer->behaviourMode, 1) << "the character broke free";
}

TEST_F(ScenePursuerTest, DrivenIntoAWallWithTheCharacterItIsHitOnce) {
  // The room's wall is column 0; the pursuer carries the character left.
  cActorMC* runner = makeRunner(50, 300);
  runner->contactFlagB = true;
  runner->state = 104;
  cActor* pursuer = makePursuer(machineA, 82, 300, 5);
  pursuer->rushSpeed = 4096;
  step(pursuer);
  EXPECT_EQ(runner->state, 105);
  EXPECT_TRUE(pursuer->hitMarked);
  EXPECT_EQ(pursuer->behaviourTimer, 1000);
  EXPECT_EQ(pursuer->hp, 20);
  EXPECT_EQ(pursuer->x, 82 * px) << "held at the wall";
  step(pursuer);
  EXPECT_EQ(pursuer->hp, 15) << "the next frame counts the hit";
  EXPECT_EQ(pursuer->behaviourTimer, 1000 - framePeriod) << "a second blocked move does not restart the mark";
  step(pursuer);
  EXPECT_EQ(pursuer->hp, 15);
}

TEST_F(ScenePursuerTest, ThePushAsideChoosesTheFreeSideOrNoneAtTheSameX) {
  struct Case {
    const char* what;
    int32_t runnerX, pursuerDx;
    int32_t state, side;
  };
  // The pursuer comes up from below and touches the character's feet.
  const Case cases[] = {
      {"from the right, free on the left", 400, 1, 111, -1},
      {"from the left, free on the right", 400, -1, 112, 1},
      {"from the right, the wall on the left", 70, 1, 112, 1},
      {"at the same x", 400, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActorMC* runner = makeRunner(c.runnerX, 300);
    cActor* pursuer = makePursuer(machineA, c.runnerX + c.pursuerDx, 340, 1);
    step(pursuer);
    EXPECT_TRUE(pursuer->touching);
    EXPECT_EQ(pursuer->dodgeSide, c.side);
    EXPECT_EQ(runner->state, c.state);
    EXPECT_EQ(pursuer->y, 340 * px - fullStep) << "it keeps coming up";
  }
}

TEST_F(ScenePursuerTest, MachineBLungesOnceAndLeavesWhenItMisses) {
  makeRunner(400, 300);
  cActor* pursuer = makePursuer(machineB, 600, 300, 2);
  std::vector<int32_t> modes;
  std::vector<int32_t> xs;
  for (int32_t i = 0; i < 5; ++i) {
    step(pursuer);
    modes.push_back(pursuer->behaviourMode);
    xs.push_back(pursuer->x);
  }
  EXPECT_EQ(modes, (std::vector<int32_t>{3, 3, 6, 7, 7}));
  EXPECT_EQ(pursuer->passCount, 1);
  EXPECT_EQ(xs[0], 600 * px) << "deciding does not move";
  EXPECT_EQ(xs[1], 600 * px - fullStep);
  EXPECT_EQ(xs[2], 600 * px - 2 * fullStep) << "it keeps moving in the frame its lunge ends";
  EXPECT_EQ(xs[3], xs[2]);
  EXPECT_TRUE(camera().bandWrapRequest);
  for (int32_t i = 0; i < 20 && !pursuer->isKilled(); ++i) step(pursuer);
  EXPECT_TRUE(pursuer->isKilled()) << "gone once above the view";
  EXPECT_EQ(pursuer->layer, -1);
}

TEST_F(ScenePursuerTest, MachineBCatchesAndStrikes) {
  cActorMC* runner = makeRunner(400, 300);
  runner->state = 0;
  cActor* pursuer = makePursuer(machineB, 430, 300, 3);
  pursuer->setTriggerBox(-30, -40, 60, 40);
  pursuer->anchorX = pursuer->x;
  pursuer->passCount = 1;
  step(pursuer);
  EXPECT_EQ(pursuer->behaviourMode, 8);
  step(pursuer);
  EXPECT_EQ(pursuer->behaviourMode, 9);
  EXPECT_EQ(pursuer->player->anim, 15) << "struck from the right";
  for (int32_t i = 0; i < 40 && pursuer->behaviourMode == 9; ++i) step(pursuer);
  EXPECT_EQ(pursuer->behaviourMode, 6);
  EXPECT_TRUE(runner->hurt);
  EXPECT_EQ(runner->hurtTime, 1000);
  EXPECT_TRUE(pursuer->holding);
}

}  // namespace
