// What comes down on the player: the falling object that waits, falls,
// bursts and burns, and the creature's projectile, which goes away at once
// in progress nine when the story's target creature is defeated.
#include "tests/game/world/creature_fixture.h"

namespace {

class SceneProjectileTest : public CreatureFixture {
 protected:
  void SetUp() override {
    CreatureFixture::SetUp();
    // The effects' sprite, with the shadow's animation.
    worldkit::TestSpriteDescription effects{.animations = 72, .steps = 2};
    effects.frameBox = [](int) { return worldkit::TestFrameBox{-8, -8, 16, 16}; };
    installSprite(27, effects);
  }
  // A falling object at pixel (x, y), 500 px up, falling 200 px a second,
  // with the burning footprint of 100 x 100 px around it.
  static cActor* makeFallingObject(int32_t x, int32_t y, int32_t boxWidth) {
    IntArray* position = newIntArray(3);
    position->set(0, x << 8);
    position->set(1, y << 8);
    position->set(2, 500 << 8);
    cActor* object = cActor::create(ActorKind::FALLING_OBJECT, 0, position);
    IntArray* params = newIntArray(2);
    params->set(0, 200 << 8);
    object->setParams(params, 2);
    object->setSprite(sprite(creatureSlot));
    object->setAnim(0, -1);
    object->setInteractBox(-40, -40, boxWidth, 80);
    object->setFootprint(0, 50, 100, 100);
    object->flags |= ActorFlags::ACTIVE;
    return object;
  }
  static void runKind(cActor* actor) {
    stepFrame(framePeriod);
    actor->updatedThisFrame = false;
    actor->update();
  }
  static bool inLayer(cActor* actor) {
    for (cActor* a = cActor::layerHead(0); a != nullptr; a = a->nextInLayer) {
      if (a == actor) return true;
    }
    return false;
  }
  static void setProgressNine() {
    shellStatics().cGameProgress.progress = newIntArray(10);
    shellStatics().cGameProgress.progress->set(0, 9);
    cGame::setChapter(0);
  }
};

TEST_F(SceneProjectileTest, AFallingObjectStartsWhenThePlayerIsUnderItOrAtOnceWithoutABox) {
  struct Case {
    const char* what;
    int32_t boxWidth;
    bool hero;
    int32_t heroX;
    bool starts;
  };
  const Case cases[] = {
      {"no box: at once", 0, true, 900, true},
      {"no box, but no one to fall on", 0, false, 0, false},
      {"the player under it", 80, true, 410, true},
      {"the player elsewhere", 80, true, 900, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cGame::setFocusActor(nullptr);
    if (c.hero) makeHero(c.heroX, 300);
    cActor* object = makeFallingObject(400, 300, c.boxWidth);
    runKind(object);
    EXPECT_EQ(object->param(1), c.starts ? 1 : 0);
    EXPECT_EQ(object->z, 500 << 8) << "the fall begins next frame";
  }
}

TEST_F(SceneProjectileTest, AFallingObjectFallsBurstsHitsThePlayerOnceAndBurns) {
  cActorMC* hero = makeHero(430, 310);
  cActor* object = makeFallingObject(400, 300, 0);
  runKind(object);
  ASSERT_EQ(object->param(1), 1);
  ASSERT_NE(worldStatics().cGameEffects.effectPlayers, nullptr) << "its shadow shows";
  EXPECT_EQ(worldStatics().cGameEffects.effectWorldX->get(0), 400);

  int32_t frames = 0;
  while (object->param(1) == 1 && frames < 100) {
    runKind(object);
    ++frames;
  }
  // 500 px at 12.4 px a frame.
  EXPECT_EQ(frames, 41);
  EXPECT_EQ(object->param(1), 2);
  EXPECT_EQ(object->z, 0);
  EXPECT_EQ(object->player->anim, 6);
  EXPECT_EQ(worldStatics().cGameCamera.shakeTimeLeft, 1000);

  frames = 0;
  while (object->param(1) == 2 && frames < 40) {
    runKind(object);
    ++frames;
  }
  EXPECT_EQ(object->param(1), 3);
  EXPECT_EQ(object->player->anim, 3);
  EXPECT_EQ(hero->state, 100) << "hit at the burst's middle frame";
  EXPECT_EQ(hero->hp, 70) << "once";
  EXPECT_EQ(hero->hitDirection, 0x1000);

  runKind(object);
  EXPECT_EQ(hero->damageTimeLeft, 0) << "not while the hit lasts";
  hero->state = 0;
  runKind(object);
  EXPECT_EQ(hero->damageTimeLeft, 1000) << "standing in the fire";
  EXPECT_EQ(hero->damageSource, 1);
  EXPECT_EQ(hero->damageInterval, 100);

  hero->clearDamageTimer();
  hero->setX(460 << 8);
  runKind(object);
  EXPECT_EQ(hero->damageTimeLeft, 0) << "out of the fire";
}

TEST_F(SceneProjectileTest, InProgressNineAProjectileGoesWithItsShadowOnceTheTargetIsDefeated) {
  setProgressNine();
  ASSERT_TRUE(cGame::isProgressAt9());
  for (int32_t state = 0; state <= 3; ++state) {
    for (const bool defeated : {true, false}) {
      SCOPED_TRACE(testing::Message() << "state " << state << (defeated ? ", defeated" : ", standing"));
      cActor::initLists();
      makeHero(100, 100);
      cActorEnemy* target = makeCreature(900, 500);
      worldStatics().cGameRoom.targetActor = target;
      if (defeated) target->hp = 0;
      IntArray* position = newIntArray(3);
      position->set(0, 400 << 8);
      position->set(1, 300 << 8);
      cActor* projectile = cActor::create(ActorKind::THROWN_OBJECT, 0, position);
      projectile->launchProjectile(600, 300, 0, 750);
      auto* shadow = static_cast<cActor*>(projectile->neighbours);
      ASSERT_NE(shadow, nullptr);
      projectile->setParam(0, state);
      projectile->setParam(3, 5000);  // still in the air while flying
      runKind(projectile);
      EXPECT_EQ(inLayer(projectile), !defeated);
      EXPECT_EQ(projectile->isKilled(), defeated);
      EXPECT_EQ(inLayer(shadow), !defeated);
      if (defeated) {
        EXPECT_EQ(projectile->neighbours, nullptr);
      }
    }
  }
}

TEST_F(SceneProjectileTest, AProjectileLandsSkidsBurstsAndBurnsOut) {
  cActorMC* hero = makeHero(100, 100);
  IntArray* position = newIntArray(3);
  position->set(0, 400 << 8);
  position->set(1, 300 << 8);
  cActor* projectile = cActor::create(ActorKind::THROWN_OBJECT, 0, position);
  projectile->launchProjectile(600, 300, 0, 750);
  auto* shadow = static_cast<cActor*>(projectile->neighbours);
  const int32_t x0 = projectile->x;
  runKind(projectile);
  EXPECT_EQ(projectile->x - x0, (projectile->param(1) * projectile->param(4)) >> 8);
  EXPECT_EQ(shadow->x, projectile->x) << "the shadow goes along";
  EXPECT_EQ(projectile->param(0), 0);
  EXPECT_GT(projectile->param(3), 0) << "thrown upward";
  EXPECT_FALSE(shadow->isKilled());

  // On its way down, about 20 px above the floor at the fastest fall (12
  // px a frame): one more frame in the air, then it lands.
  projectile->setParam(3, 5000);
  projectile->setParam(5, -3072);
  runKind(projectile);
  EXPECT_EQ(projectile->param(0), 0);
  EXPECT_GT(projectile->param(3), 0);
  EXPECT_LT(projectile->param(3), 5000);
  EXPECT_EQ(projectile->z, 0) << "falling";
  EXPECT_FALSE(shadow->isKilled());
  runKind(projectile);
  EXPECT_EQ(projectile->param(0), 1);
  EXPECT_EQ(projectile->param(3), 0) << "on the floor";
  EXPECT_EQ(shadow->x, projectile->x);
  EXPECT_TRUE(shadow->isKilled()) << "landed";

  int32_t frames = 0;
  while (projectile->param(0) == 1 && frames < 60) {
    runKind(projectile);
    ++frames;
  }
  EXPECT_EQ(frames, 2000 / 62 + 1) << "it skids for 2 s";
  EXPECT_EQ(projectile->player->anim, 6);
  while (projectile->param(0) == 2 && frames < 100) {
    runKind(projectile);
    ++frames;
  }
  EXPECT_EQ(projectile->param(0), 3);
  EXPECT_EQ(hero->hp, 100) << "the player was far from the burst";

  frames = 0;
  while (inLayer(projectile) && frames < 60) {
    runKind(projectile);
    ++frames;
  }
  EXPECT_FALSE(inLayer(projectile));
  EXPECT_EQ(frames, 750 / 62 + 2) << "burns 750 ms, then goes";
  EXPECT_FALSE(inLayer(shadow));
}

}  // namespace
