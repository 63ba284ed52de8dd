// The small operations the kinds and the characters share: which side of a
// block the pusher stands on, where a struck slider goes, the creatures'
// formation in front of a sensor, the bounce, the walk-in test of markers
// and the mover's target.
#include "tests/game/world/scene_object_fixture.h"

namespace {

using namespace playertest;

class SceneSharedOpsTest : public SceneObjectFixture {};

TEST_F(SceneSharedOpsTest, SideContactFindsThePusherOnTheSideItPushesFrom) {
  struct Case {
    const char* what;
    int32_t mask, dx, dy;
    bool contact;
    int32_t side;
  };
  // The pusher's offset from the block in pixels; side is params[4] after.
  const Case cases[] = {
      {"left, just right of it", DirectionMask::LEFT, 1, 0, true, 2},
      {"left, at the far edge", DirectionMask::LEFT, 61, -39, true, 2},
      {"left, too far", DirectionMask::LEFT, 62, 0, false, 0},
      {"left, same x", DirectionMask::LEFT, 0, 0, false, 0},
      {"left, too high", DirectionMask::LEFT, 10, -40, false, 0},
      {"left, below", DirectionMask::LEFT, 10, 1, false, 0},
      {"right, just left of it", DirectionMask::RIGHT, -1, 0, true, 1},
      {"right, at the far edge", DirectionMask::RIGHT, -61, -20, true, 1},
      {"right, too far", DirectionMask::RIGHT, -62, 0, false, 0},
      {"up, just below it", DirectionMask::UP, 0, 1, true, 8},
      {"up, at the edges", DirectionMask::UP, -31, 21, true, 8},
      {"up, too far below", DirectionMask::UP, 0, 22, false, 0},
      {"up, too far aside", DirectionMask::UP, 32, 5, false, 0},
      {"down, above it", DirectionMask::DOWN, 31, -51, true, 4},
      {"down, too far above", DirectionMask::DOWN, 0, -52, false, 0},
      {"down, level with it", DirectionMask::DOWN, 0, 0, false, 0},
      {"not a direction", 0x8000, 5, 0, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActor* block = makeObject(ActorKind::MOVER, 70, 300, 200);
    cActorMC* pusher = makePlayer(300 + c.dx, 200 + c.dy);
    EXPECT_EQ(block->sideContact(pusher, c.mask), c.contact);
    EXPECT_EQ(block->param(4), c.side);
  }
  cActor* block = makeObject(ActorKind::MOVER, 70, 300, 200);
  EXPECT_FALSE(block->sideContact(nullptr, DirectionMask::LEFT));
}

TEST_F(SceneSharedOpsTest, FindDetourSendsAStruckObjectAwayFromTheCharacter) {
  struct Case {
    const char* what;
    int32_t moverDirection;  // params[3]
    bool active;
    int32_t mask, dx, dy;  // the object's offset from the character
    int32_t detour;
  };
  const Case cases[] = {
      {"sideways object right of the character", 1, true, DirectionMask::LEFT, 40, 10, DirectionMask::RIGHT},
      {"its region ends at w", 2, true, DirectionMask::LEFT, 96, 83, DirectionMask::RIGHT},
      {"beyond w", 1, true, DirectionMask::LEFT, 97, 10, -1},
      {"level with the character", 1, true, DirectionMask::LEFT, 40, 1, -1},
      {"below h", 1, true, DirectionMask::LEFT, 40, 84, -1},
      {"left of the character", 1, true, DirectionMask::RIGHT, -40, 10, DirectionMask::LEFT},
      {"on the other side than asked", 1, true, DirectionMask::RIGHT, 40, 10, -1},
      {"asked up: sideways objects only go sideways", 1, true, DirectionMask::UP, 0, 10, -1},
      {"switched off", 1, false, DirectionMask::LEFT, 40, 10, -1},
      {"upright object below the character goes down", 4, true, DirectionMask::LEFT, 10, 84, DirectionMask::DOWN},
      {"upright object above the character goes up", 8, true, DirectionMask::RIGHT, -32, -16, DirectionMask::UP},
      {"upright object too far aside", 8, true, DirectionMask::RIGHT, 33, -10, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActorMC* character = makePlayer(300, 200);
    cActor* slider = makeObject(ActorKind::SLIDER, 71, 300 + c.dx, 200 + c.dy, {0, 0, 0, c.moverDirection}, c.active);
    EXPECT_EQ(slider->findDetour(character, c.mask, 96, 84), c.detour);
  }
  cActor* slider = makeObject(ActorKind::SLIDER, 71, 300, 200, {0, 0, 0, 1});
  EXPECT_EQ(slider->findDetour(nullptr, DirectionMask::LEFT, 96, 84), -1);
}

TEST_F(SceneSharedOpsTest, AStruckSliderOnASmallMapSlidesOnlyWhereTheMapIsFree) {
  // A map of 6 x 4 cells; the slider's footprint is 2 cells wide, so a
  // sideways slide tests one cell of the row above its point.
  makeRoom({
      "......",
      "......",
      "....#.",
      "......",
  });
  struct Case {
    const char* what;
    int32_t characterX, sliderColumn;
    bool slides;
  };
  const Case cases[] = {
      {"room to the right", 40, 2, true},
      {"the wall right of it", 72, 3, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActorMC* character = makePlayer(c.characterX, 74);
    cActor* slider = makeObject(ActorKind::SLIDER, 71, c.sliderColumn * 32, 96, {0, 0, 0, 1});
    giveCells(slider, 2, 1);
    const int32_t detour = slider->findDetour(character, DirectionMask::LEFT, 96, 84);
    ASSERT_EQ(detour, DirectionMask::RIGHT);
    slider->slide(detour, false);
    EXPECT_EQ(slider->param(6) != 0, c.slides);
    if (c.slides) {
      EXPECT_EQ(slider->param(9), (c.sliderColumn + 1) * 32);
    }
  }
}

TEST_F(SceneSharedOpsTest, GatheredCreaturesStandInARowAboutTheSensorsCentre) {
  // The sensor's area starts 10 px right of it and is 64 px wide: its
  // centre is at x 342.
  struct Case {
    int32_t count;
    std::vector<int32_t> xs;
  };
  const Case cases[] = {
      {1, {342}},
      {2, {320, 364}},
      {3, {342, 386, 298}},
      {4, {320, 364, 276, 408}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    cActor::initLists();
    std::vector<int32_t> params(16);
    params[4] = 10;
    params[6] = 64;
    params[15] = c.count;
    cActor* sensor = makeObject(ActorKind::SENSOR, 80, 300, 200, params);
    for (int32_t i = 0; i < c.count; ++i) {
      cActorEnemy* creature = makeCreature(100, 100);
      creature->homePoint = nullptr;
      sensor->placeInFormation(creature, i);
      ASSERT_NE(creature->homePoint, nullptr);
      EXPECT_EQ(creature->homePoint->get(0), c.xs[static_cast<size_t>(i)]) << "index " << i;
      EXPECT_EQ(creature->homePoint->get(1), 190) << "10 px above the sensor";
    }
  }
  std::vector<int32_t> params(16);
  params[12] = 1;
  params[15] = 1;
  cActor* sensor = makeObject(ActorKind::SENSOR, 80, 300, 200, params);
  cActorEnemy* creature = makeCreature(100, 100);
  sensor->placeInFormation(creature, 0);
  EXPECT_EQ(creature->homePoint->get(1), 220) << "a sensor whose row lies below it";
  sensor->placeInFormation(nullptr, 0);
  sensor->placeInFormation(creature, -1);
  EXPECT_EQ(creature->homePoint->get(0), 300) << "a refused place leaves the home point";
}

TEST_F(SceneSharedOpsTest, TheBounceRisesFallsAndLandsOnce) {
  setTimeStep(62);
  for (bool rebound : {false, true}) {
    SCOPED_TRACE(rebound);
    cActor* object = makeObject(ActorKind::THROWN_OBJECT, 90, 300, 200, {0, 0, 0, 0, 0, 2048});
    int32_t highest = 0;
    int32_t frames = 0;
    bool landed = false;
    while (!landed && frames < 100) {
      landed = object->bounceStep(rebound, -512);
      highest = std::max(highest, object->param(3));
      EXPECT_GE(object->param(5), -3072) << "the fall's speed is capped";
      ++frames;
    }
    ASSERT_TRUE(landed);
    EXPECT_GT(highest, 0);
    EXPECT_EQ(object->param(3), 0);
    if (rebound) {
      EXPECT_GT(object->param(5), 0) << "it goes back up";
    } else {
      EXPECT_EQ(object->param(5), 0);
    }
  }
  cActor* falling = makeObject(ActorKind::THROWN_OBJECT, 90, 300, 200, {0, 0, 0, 100000, 0, -9000});
  falling->bounceStep(false, -512);
  EXPECT_EQ(falling->param(5), -3072);
}

TEST_F(SceneSharedOpsTest, AMarkerIsWalkedIntoUnlessItsRulesSayOtherwise) {
  struct Case {
    const char* what;
    bool active;
    int32_t p1, p10, p12;
    bool box, near;
    bool touches;
  };
  const Case cases[] = {
      {"switched on, touching", true, 0, 0, 0, true, true, true},
      {"switched on, apart", true, 0, 0, 0, true, false, false},
      {"no interact box", true, 0, 0, 0, false, true, false},
      {"never walked into", true, -1, 0, 0, true, true, false},
      {"off, kind 2 without uses", false, 2, 9, 0, true, true, false},
      {"off, kind 2 on its closing animation", false, 2, 1, 1, true, true, false},
      {"off, kind 2 with uses", false, 2, 9, 1, true, true, true},
      {"off, kind 0 refused", false, 0, 0, -1, true, true, false},
      {"off, kind 0 allowed", false, 0, 0, 0, true, true, true},
      {"on, kind 2 without uses", true, 2, 1, 0, true, true, true},
  };
  installSprite(23, {.animations = 3, .steps = 2});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    std::vector<int32_t> params(13);
    params[1] = c.p1;
    params[10] = c.p10;
    params[12] = c.p12;
    cActor* marker = makeObject(ActorKind::MARKER, 60, 300, 200, params, c.active);
    marker->setSprite(sprite(23));
    marker->setAnim(1, -1);
    if (c.box) marker->setInteractBox(-20, -20, 40, 40);
    cActorMC* character = makePlayer(c.near ? 310 : 400, 200);
    EXPECT_EQ(marker->touchesForWalk(character), c.touches);
  }
  cActor* marker = makeObject(ActorKind::MARKER, 60, 300, 200);
  marker->setInteractBox(-20, -20, 40, 40);
  EXPECT_FALSE(marker->touchesForWalk(nullptr));
}

TEST_F(SceneSharedOpsTest, TheMoverTargetIsMirroredOrCleared) {
  struct Case {
    int32_t a, b, c;
    bool mirrored;
    int32_t p8, p9, p10;
  };
  const Case cases[] = {
      {30, 5, 7, false, 30, 5, 7},
      {30, 5, 7, true, 330, -5, 7},
      {0, -1, -1, true, 0, -1, -1},
      {0, -1, 4, true, 360, 1, 4},
  };
  for (const Case& c : cases) {
    cActor* object = makeObject(ActorKind::BLOCKING_OBJECT, 61, 300, 200);
    object->setMoverTarget(c.a, c.b, c.c, c.mirrored);
    EXPECT_EQ(object->param(8), c.p8);
    EXPECT_EQ(object->param(9), c.p9);
    EXPECT_EQ(object->param(10), c.p10);
  }
}

TEST_F(SceneSharedOpsTest, FlagTriggersRememberTheWatchedFlagsAsTheRoomStarts) {
  cActor* watched = makeObject(ActorKind::BARRIER, 5, 100, 100);
  watched->setFlag(ActorFlags::KIND_STATE, true);
  cActor* trigger = makeObject(ActorKind::FLAG_TRIGGER, 6, 200, 100, {0, 5, 99});
  cActor* unrelated = makeObject(ActorKind::AREA_TRIGGER, 7, 200, 100, {5});
  cActor::storeWatchedFlags();
  EXPECT_EQ(trigger->param(9), watched->flags);
  EXPECT_EQ(unrelated->param(9), 0);
}

}  // namespace
