// Liftable objects: the throw's scan for walls, the thrown flight that
// stops in front of a wall, breaking and what is left behind, the lift,
// carry, put-down and throw with the player, the put-down when the carrier
// is hit, and the hits over an area that throws and sliders deal.
#include "tests/game/world/paint_recorder.h"
#include "tests/game/world/scene_object_fixture.h"

namespace {

using namespace playertest;

constexpr int32_t liftableBit = 128;

class SceneLiftableTest : public SceneObjectFixture {
 protected:
  // A room of 32-pixel cells: '#' blocks walking (and throws).
  void SetUp() override {
    SceneObjectFixture::SetUp();
    // Six steps an animation: the put-down reaches its frame without
    // offsets, where the object is let go.
    installSprite(characterSprite, {.animations = 110, .steps = 6, .palettes = 4, .frameBox = characterBox});
    installSprite(objectSprite, {.animations = 8, .steps = 2});
    makeRoom({
        "####################",
        "#..................#",
        "#..................#",
        "#...........#......#",
        "#..................#",
        "#..................#",
        "####################",
    });
  }
  static constexpr int32_t objectSprite = 30;

  // A resting liftable at pixel (x, y) on one cell, breaking with
  // animation 5 and leaving items a and b.
  static cActor* makeLiftable(int32_t px, int32_t py, int32_t a = 0, int32_t b = 0) {
    cActor* object = makeObject(ActorKind::BLOCKING_OBJECT, 40, px, py, {5, a, b, 0, 0, 0, 1});
    object->setSprite(sprite(objectSprite));
    object->setAnim(0, -1);
    giveCells(object, 1, 1);
    cGame::stampFootprint(object, 0, liftableBit, false);
    return object;
  }
  static void makeItem(int32_t itemId) {
    IntArray* record = newIntArray(7);
    record->set(0, objectSprite);
    cGame::setItemRecord(record, itemId);
  }
  // One frame of every actor, then the keys go.
  static void frameAll() {
    stepFrame(framePeriod);
    cActor::updateAll();
    cGameKeyStatics& keys = shellStatics().cGameKeys;
    keys.framePressed = keys.frameReleased = 0;
  }
  static bool liftableAt(int32_t column, int32_t row) { return cGame::testCollision(column, row, liftableBit); }
};

TEST_F(SceneLiftableTest, TheThrowStopsInFrontOfTheFirstWallColumnAndNeverScansOffTheMap) {
  struct Case {
    const char* what;
    int32_t playerX, playerY, facing, carried;
    bool breaks;
    int32_t placedX;
  };
  // Column 12 of row 3 is a wall; columns 0 and 19 are the room's walls.
  const Case cases[] = {
      {"free way to the target", 200, 60, DirectionMask::RIGHT, 80, false, 280},
      {"wall within the reach", 330, 110, DirectionMask::RIGHT, 90, true, 352},
      {"wall in the very next column", 370, 110, DirectionMask::RIGHT, 40, true, 352},
      {"to the left into the room's wall", 70, 60, DirectionMask::LEFT, -80, true, 32},
      {"target behind the object: nothing scanned", 200, 60, DirectionMask::RIGHT, -10, false, 190},
      {"target in its own column", 200, 60, DirectionMask::RIGHT, 10, false, 210},
      {"facing up throws to the right", 200, 60, DirectionMask::UP, 40, false, 240},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActorMC* hero = makePlayer(c.playerX, c.playerY);
    hero->facing = c.facing;
    cActor* object = makeLiftable(c.playerX, c.playerY);
    object->setParam(4, 4);
    object->setParam(9, c.carried);
    object->setParam(10, -40);
    object->setParam(13, 1);
    object->throwLifted(hero);
    EXPECT_EQ(object->param(4), c.breaks ? 1 : 5);
    EXPECT_EQ(object->getPixelX(), c.placedX);
    EXPECT_EQ(object->getPixelY(), c.playerY + 20);
    EXPECT_EQ(object->param(9), 0);
    EXPECT_EQ(object->param(10), -60);
    EXPECT_EQ(object->param(13), 0);
    EXPECT_EQ(object->param(11), c.facing == DirectionMask::LEFT ? 0 : 1);
  }
}

TEST_F(SceneLiftableTest, AThrowAtTheMapEdgeStopsThereInsteadOfScanningOnForEver) {
  // A room without walls: the scan would find nothing to stop it.
  makeRoom({"..........", "..........", ".........."});
  cActorMC* hero = makePlayer(300, 40);
  hero->facing = DirectionMask::RIGHT;
  cActor* object = makeLiftable(300, 40);
  object->setParam(9, 400);  // far past the tenth and last column
  object->throwLifted(hero);
  EXPECT_EQ(object->param(4), 1) << "the edge counts as a wall";
  EXPECT_EQ(object->getPixelX(), 9 * 32) << "in the last column of the map";
}

TEST_F(SceneLiftableTest, AThrownObjectStopsInFrontOfAWallEvenWithDistanceLeft) {
  struct Case {
    const char* what;
    int32_t startX, side;
    int32_t lastPixelX;  // where it stops
    int32_t frames;      // frames it flies before it breaks
  };
  // Row 3 (the thrown object flies 20 px below its row) has the wall in
  // column 12 (pixels 384..415); 200 px a second is 12.4 px a 62 ms frame.
  const Case cases[] = {
      {"to the right into the wall", 350, 1, 383, 3},
      {"to the left into the wall", 440, 0, 416, 2},
      {"nothing in the way: 100 px", 100, 1, 212, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    makePlayer(40, 40);
    cActor* object = makeLiftable(c.startX, 3 * 32 + 10 + 20);
    object->setParam(4, 5);
    object->setParam(11, c.side);
    int32_t frames = 0;
    int32_t furthest = object->getPixelX();
    while (object->param(4) == 5 && frames < 30) {
      frameAll();
      ++frames;
      if (object->getPixelX() / 32 == 12) ADD_FAILURE() << "entered the wall at frame " << frames;
      furthest = object->getPixelX();
    }
    EXPECT_EQ(object->param(4), 1) << "it breaks";
    EXPECT_EQ(frames, c.frames);
    EXPECT_EQ(furthest, c.lastPixelX);
  }
}

TEST_F(SceneLiftableTest, ABrokenObjectLeavesItsItemsAndGoes) {
  makeItem(3);
  makeItem(4);
  cActor* object = makeLiftable(200, 96, 3, 4);
  ASSERT_TRUE(liftableAt(6, 3));
  object->setLiftState(1);
  EXPECT_EQ(object->player->anim, 5);
  EXPECT_FALSE(liftableAt(6, 3)) << "its cell is free as it breaks";
  int32_t frames = 0;
  while (!object->isKilled() && frames < 20) {
    frameAll();
    ++frames;
  }
  EXPECT_TRUE(object->isKilled());
  std::vector<int32_t> items;
  for (cActor* actor : layerOrder()) {
    if (actor->kind == ActorKind::COLLECTIBLE) {
      items.push_back(actor->param(6));
      EXPECT_EQ(actor->getPixelX(), 200);
    }
  }
  EXPECT_EQ(items.size(), 2u);
}

TEST_F(SceneLiftableTest, ThePlayerLiftsCarriesPutsDownAndThrowsTheObject) {
  cActorMC* hero = makePlayer(160, 96);
  hero->facing = DirectionMask::RIGHT;
  cActor* object = makeLiftable(200, 96);
  frameAll();
  tap(FIRE);
  frameAll();
  ASSERT_EQ(hero->state, 107) << "picking up";
  EXPECT_EQ(hero->linkedActor, object);

  int32_t frames = 0;
  while (hero->state == 107 && frames < 20) {
    frameAll();
    ++frames;
  }
  ASSERT_EQ(hero->state, 108) << "carrying";
  EXPECT_EQ(object->param(13), 1);
  EXPECT_FALSE(liftableAt(6, 3)) << "lifted off its cell";
  frameAll();
  EXPECT_EQ(object->param(4), 3) << "carried once the pick-up is over";

  hero->setX(230 << 8);
  frameAll();
  EXPECT_EQ(object->getPixelX(), 230) << "it goes where the carrier goes";

  tap(FIRE);
  frameAll();
  ASSERT_EQ(hero->state, 110);
  EXPECT_EQ(object->param(4), 4) << "being put down";
  frames = 0;
  while (hero->linkedActor != nullptr && frames < 20) {
    frameAll();
    ++frames;
  }
  EXPECT_EQ(object->param(13), 0) << "let go";
  EXPECT_EQ(object->param(4), 5) << "thrown";
  EXPECT_EQ(object->param(11), 1) << "the way the carrier faces";
  EXPECT_EQ(object->getPixelY(), 116);

  const int32_t thrownFrom = object->getPixelX();
  frames = 0;
  while (object->param(4) == 5 && frames < 20) {
    frameAll();
    ++frames;
  }
  EXPECT_EQ(object->param(4), 1) << "it breaks at the end of the throw";
  EXPECT_GE(object->getPixelX() - thrownFrom, 100);
}

TEST_F(SceneLiftableTest, TheCarrierPaintsTheObjectItCarriesAtItsOffsets) {
  play().cameraPixelX = 100;
  play().cameraPixelY = 20;
  cActorMC* hero = makePlayer(300, 200);
  cActor* object = makeLiftable(300, 200);
  object->setParam(4, 3);
  object->setParam(9, -30);
  object->setParam(10, -60);
  object->setParam(13, 1);
  hero->linkedActor = object;
  auto objectPaints = [&] {
    worldkit::PaintRecorder paints;
    object->paint();
    hero->paint();
    std::vector<worldkit::PaintRecord> found;
    for (const worldkit::PaintRecord& record : paints.records()) {
      if (record.isSprite() && record.spriteSlot == objectSprite) found.push_back(record);
    }
    return found;
  };
  std::vector<worldkit::PaintRecord> painted = objectPaints();
  ASSERT_EQ(painted.size(), 1u) << "by the carrier only";
  EXPECT_TRUE(painted[0].at(200 - 30, 180 - 60)) << painted[0].describe();

  object->setParam(13, 0);
  object->setParam(4, 0);
  painted = objectPaints();
  ASSERT_EQ(painted.size(), 1u) << "let go: it paints itself";
  EXPECT_TRUE(painted[0].at(200, 180)) << painted[0].describe();
}

TEST_F(SceneLiftableTest, ACarrierThatIsHitSetsTheObjectDownBesideIt) {
  struct Case {
    const char* what;
    int32_t playerX, facing;
    int32_t placedX;
    bool stamped;
  };
  // Row 3 (where a one-cell footprint at y 96 lies): walls in columns 12
  // (pixels 384..415) and 14.
  const Case cases[] = {
      {"in the cell it faces", 200, DirectionMask::RIGHT, 232, true},
      {"facing a wall: on the other side", 370, DirectionMask::RIGHT, 338, true},
      {"facing left", 200, DirectionMask::LEFT, 168, true},
      {"walls both sides: where it stands, off the map", 430, DirectionMask::RIGHT, 430, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    makeRoom({
        "####################",
        "#..................#",
        "#..................#",
        "#...........#.#....#",
        "#..................#",
    });
    cActorMC* hero = makePlayer(c.playerX, 96);
    hero->facing = c.facing;
    cActor* object = makeLiftable(c.playerX, 96);
    cGame::stampFootprint(object, 1, liftableBit, false);
    object->setParam(4, 3);
    object->setParam(13, 1);
    hero->linkedActor = object;
    ASSERT_TRUE(hero->enterHit(1, DirectionMask::LEFT, 5));
    EXPECT_EQ(hero->linkedActor, nullptr);
    EXPECT_EQ(object->param(13), 0);
    EXPECT_EQ(object->param(4), 0) << "resting: it can be lifted again";
    EXPECT_TRUE(object->isAwakeSensor());
    EXPECT_EQ(object->getPixelX(), c.placedX);
    EXPECT_EQ(object->getPixelY(), 96);
    EXPECT_EQ(liftableAt(c.placedX / 32, 3), c.stamped);
    if (!c.stamped) {
      EXPECT_TRUE(object->isAwakeSensor()) << "still to be lifted";
    }
  }
}

TEST_F(SceneLiftableTest, ThrowsAndSlidersHitWhatLiesInTheirArea) {
  // The throw's area reaches 56 px right of (100, 120) and spans y 61..118.
  cActorMC* hero = makePlayer(100, 100);
  cActorEnemy* creature = makeCreature(140, 100);
  cActorEnemy* dying = makeCreature(150, 100);
  dying->state = 666;
  cActorEnemy* beyond = makeCreature(160, 100);
  cActor* resting = makeLiftable(120, 70);
  cActor* carried = makeLiftable(150, 110);
  carried->setParam(4, 3);

  cGame::hitArea(100, 120, DirectionMask::RIGHT, 56, 60, 30, false, -1);
  EXPECT_EQ(creature->state, 100) << "the creature takes the blow";
  EXPECT_EQ(creature->hp, 20);
  EXPECT_EQ(dying->state, 666);
  EXPECT_NE(beyond->state, 100) << "out of reach";
  EXPECT_EQ(beyond->hp, 50);
  EXPECT_EQ(resting->param(4), 1) << "a resting object breaks";
  EXPECT_EQ(carried->param(4), 3) << "a carried one does not";
  EXPECT_NE(hero->state, 100) << "the player is spared, though in the area";

  // The slider's area reaches 64 px right of (80, 110): the player stands
  // 20 px into it and 10 px above its line.
  cActor* slider = makeObject(ActorKind::SLIDER, 50, 80, 110, {0, 1, 0, 2});
  slider->hitAhead();
  EXPECT_EQ(hero->state, 100) << "a slider hits the player too";
  EXPECT_EQ(hero->hp, 80);
  EXPECT_EQ(hero->hitDirection, DirectionMask::RIGHT);
}

}  // namespace
