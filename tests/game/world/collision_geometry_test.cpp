// Footprints stamped into the collision map, the restamp by kind, the
// one-sided blockers and the map edges, what a kill clears, and the
// geometry on actor boxes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/toolkit/MathHelpers.h"
#include "game/world/cActorMC.h"
#include "tests/game/world/world_fixture.h"
#include "tools/compiler/MathTablePack.h"

namespace {

constexpr int32_t px = 256;

class CollisionGeometryTest : public WorldFixture {
 protected:
  void SetUp() override {
    WorldFixture::SetUp();
    CVLibPlayer::initLayerTables(800, 480, 32, 32);
  }

  // The collision map from a picture, one string per row of cells:
  // '.' free, '#' solid (1), 'x' object (4), 'c' character (8),
  // 'X' solid and object (5). Map layer 0 gets the same size.
  static void makeMap(const std::vector<std::string>& rows) {
    const int columns = static_cast<int>(rows.front().size());
    const int height = static_cast<int>(rows.size());
    ByteArray* header = newByteArray(4);
    header->set(0, static_cast<int8_t>(columns));
    header->set(2, static_cast<int8_t>(height));
    CVLibPlayer::loadLayer(0, header, newByteArray(columns * height), nullptr, nullptr, false, 16, 0, 0);
    cGame::createCollisionMap(columns, height);
    for (int r = 0; r < height; ++r)
      for (int c = 0; c < columns; ++c) setCell(c, r, valueOf(rows[r][c]));
  }

  static int valueOf(char symbol) {
    switch (symbol) {
      case '#': return 1;
      case 'x': return 4;
      case 'c': return 8;
      case 'X': return 5;
      default: return 0;
    }
  }

  static ByteArray* column(int c) {
    return static_cast<ByteArray*>(toolkitStatics().cGameCollision.collisionMap->get(c));
  }
  static void setCell(int c, int r, int value) { column(c)->set(r, static_cast<int8_t>(value)); }
  static int cell(int c, int r) { return column(c)->get(r) & 0xFF; }

  // The map again, '#' where a cell has a bit of mask.
  static std::vector<std::string> picture(int mask) {
    ObjectArray* map = toolkitStatics().cGameCollision.collisionMap;
    const int columns = map->length();
    const int rows = column(0)->length();
    std::vector<std::string> out(static_cast<size_t>(rows), std::string(static_cast<size_t>(columns), '.'));
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < columns; ++c)
        if ((cell(c, r) & mask) != 0) out[r][c] = '#';
    return out;
  }

  static std::vector<std::string> freeMap(int columns, int rows) {
    return std::vector<std::string>(static_cast<size_t>(rows), std::string(static_cast<size_t>(columns), '.'));
  }

  static IntArray* box(int32_t x, int32_t y, int32_t w, int32_t h) {
    IntArray* b = newIntArray(4);
    b->set(0, x);
    b->set(1, y);
    b->set(2, w);
    b->set(3, h);
    return b;
  }

  static cActor* withFootprint(int32_t kind, int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t w, int32_t h) {
    cActor* actor = makeActor(kind, x, y);
    actor->footprint = box(dx, dy, w, h);
    return actor;
  }

  static cActor* blocker(int32_t x, int32_t y, int32_t w, int32_t h, int32_t sides) {
    cActor* actor = makeActor(ActorKind::ONE_SIDED_BLOCKER, x, y);
    IntArray* params = newIntArray(3);
    params->set(0, w);
    params->set(1, h);
    params->set(2, sides);
    actor->setParams(params, 3);
    return actor;
  }
};

TEST_F(CollisionGeometryTest, CellsOutsideTheMapNeverCollide) {
  EXPECT_FALSE(cGame::testCollision(0, 0, 0xFF)) << "no map yet";
  makeMap({"####", "####", "####"});
  for (int mask : {1, 4, 0xFF}) {
    EXPECT_FALSE(cGame::testCollision(-1, 0, mask));
    EXPECT_FALSE(cGame::testCollision(0, -1, mask));
    EXPECT_FALSE(cGame::testCollision(4, 0, mask));
    EXPECT_FALSE(cGame::testCollision(0, 3, mask));
  }
  EXPECT_TRUE(cGame::testCollision(3, 2, 1));
  EXPECT_FALSE(cGame::testCollision(3, 2, 4));
}

TEST_F(CollisionGeometryTest, AFootprintRowDependsOnAlignment) {
  struct Case {
    int32_t y;
    bool aligned;
    int row;
    int32_t yAfter;
  };
  // Footprint {-1, -1, 2, 1} at x 100: columns 2 and 3.
  const Case cases[] = {
      {100, false, 3, 100},  // 100 / 32 - 1, plus one: not on the grid
      {100, true, 2, 96},    // aligned: the row above, then snapped to it
      {96, false, 2, 96},    // on the grid: no extra row
  };
  for (const Case& c : cases) {
    makeMap(freeMap(8, 6));
    cActor* actor = withFootprint(ActorKind::MOVER, 100, c.y, -1, -1, 2, 1);
    actor->flags = 0;
    cGame::stampFootprint(actor, 0, 4, c.aligned);
    std::vector<std::string> expected = freeMap(8, 6);
    expected[c.row] = "..##....";
    EXPECT_EQ(picture(4), expected) << "y " << c.y << (c.aligned ? " aligned" : "");
    EXPECT_EQ(actor->y, c.yAfter * px);
    EXPECT_EQ(actor->x, (c.aligned ? 96 : 100) * px);
    EXPECT_EQ(actor->hasFlag(ActorFlags::MOVED), c.aligned && c.y != 96);
    cGame::stampFootprint(actor, 1, 4, false);
    EXPECT_EQ(picture(0xFF), freeMap(8, 6)) << "mode 1 clears the same cells";
  }
}

TEST_F(CollisionGeometryTest, StampingKeepsToTheMapAndItsMask) {
  makeMap({"#.....", "......", "......", "X....."});
  // Reaches past the top-left corner: only the cells inside change.
  cGame::stampFootprint(withFootprint(ActorKind::BARRIER, 16, 16, -2, -2, 4, 4), 0, 4, false);
  // Reaches past the bottom-right corner.
  cGame::stampFootprint(withFootprint(ActorKind::BARRIER, 160, 96, 0, 0, 5, 5), 0, 4, false);
  EXPECT_EQ(picture(4), (std::vector<std::string>{"##....", "##....", "##....", "#....#"}));
  EXPECT_EQ(picture(1), (std::vector<std::string>{"#.....", "......", "......", "#....."})) << "other bits kept";

  // A huge footprint walks only the map's cells.
  cActor* huge = withFootprint(ActorKind::BARRIER, 50, 50, -40000, -40000, 80000, 80000);
  cGame::stampFootprint(huge, 0, 128, false);
  EXPECT_EQ(picture(128), (std::vector<std::string>(4, "######")));
  cGame::stampFootprint(huge, 1, 128 | 4, false);
  EXPECT_EQ(picture(0xFF), (std::vector<std::string>{"#.....", "......", "......", "#....."}));

  cActor* actor = withFootprint(ActorKind::BARRIER, 64, 64, 0, 0, 2, 2);
  cGame::stampFootprint(actor, 2, 4, false);
  EXPECT_EQ(picture(4), freeMap(6, 4)) << "any other mode changes nothing";
  actor->footprint = nullptr;
  cGame::stampFootprint(actor, 0, 4, false);
  cGame::stampFootprint(nullptr, 0, 4, false);
  EXPECT_EQ(picture(4), freeMap(6, 4));
}

TEST_F(CollisionGeometryTest, RestampStampsWhatEachKindBlocks) {
  struct Case {
    int32_t kind;
    bool active;
    int32_t p6;
    bool killed;
    int bits;  // at the footprint's cells
  };
  const Case cases[] = {
      {ActorKind::BARRIER, true, 0, false, 4},
      {ActorKind::BARRIER, false, 0, false, 0},
      {ActorKind::BARRIER, true, 0, true, 0},  // out of play
      {ActorKind::SENSOR, false, 0, false, 4},
      {ActorKind::KEY_OBJECT, false, 0, false, 4},
      {ActorKind::BARRIER_SWITCH, false, 2, false, 4},  // closed
      {ActorKind::BARRIER_SWITCH, false, 0, false, 0},  // open
      {ActorKind::MOVER, false, 0, false, 4},
      {ActorKind::SLIDER, false, 0, false, 4},
      {ActorKind::BLOCKING_OBJECT, false, 0, false, 128},
      {ActorKind::COLLECTIBLE, true, 0, false, 0},
      {ActorKind::ONE_SIDED_BLOCKER, false, 0, false, 0},
  };
  for (const Case& c : cases) {
    cActor::releaseLayer(0);
    makeMap(freeMap(10, 10));
    cActor* actor = withFootprint(c.kind, 170, 160, -1, -1, 2, 1);
    IntArray* params = newIntArray(7);
    params->set(6, c.p6);
    actor->setParams(params, 7);
    actor->setFlag(ActorFlags::ACTIVE, c.active);
    actor->setFlag(ActorFlags::KILLED, c.killed);
    cGame::restampAllFootprints();
    std::vector<std::string> expected = freeMap(10, 10);
    if (c.bits != 0) expected[4] = "....##....";
    EXPECT_EQ(picture(0xFF), expected) << "kind " << c.kind;
    if (c.bits != 0) {
      EXPECT_EQ(cell(4, 4), c.bits) << "kind " << c.kind;
    }
    const bool snaps = c.kind == ActorKind::MOVER || c.kind == ActorKind::SLIDER;
    EXPECT_EQ(actor->x, (snaps ? 160 : 170) * px) << "kind " << c.kind << ": movers and sliders sit on the grid";
  }
}

TEST_F(CollisionGeometryTest, RestampMarksThePicturesOfPeopleAndMarkers) {
  // Frame 0: 64 x 64 standing on its point; animation 0 shows it.
  makeSprite(20, {{-32, -64, 64, 64}}, {{0}, {0}});
  makeSprite(22, {{-32, -64, 64, 64}}, {{0}});
  auto shown = [](int32_t kind, int slot, int32_t anim) {
    cActor* actor = makeActor(kind, 112, 112);
    actor->setSprite(static_cast<ASprite*>(shellStatics().cGameLoop.sprites->get(slot)));
    actor->setAnim(anim, -1);
    return actor;
  };
  makeMap(freeMap(8, 6));
  shown(ActorKind::NPC, 20, 0);
  cGame::restampAllFootprints();
  EXPECT_EQ(picture(8), (std::vector<std::string>{"........", "........", "........", "..##....", "........",
                                                  "........"}))
      << "one row under the feet";

  cActor::releaseLayer(0);
  makeMap(freeMap(8, 6));
  shown(ActorKind::NPC, 22, 0);
  cGame::restampAllFootprints();
  EXPECT_EQ(picture(8), (std::vector<std::string>{"........", "..##....", "..##....", "........", "........",
                                                  "........"}))
      << "sprite 22's people block their whole height";

  // A marker of p1 2 showing another animation than p11 clears its cells.
  cActor::releaseLayer(0);
  makeMap({"........", "........", "........", "..cc....", "........", "........"});
  cActor* marker = shown(ActorKind::MARKER, 20, 1);
  IntArray* params = newIntArray(12);
  params->set(1, 2);
  params->set(11, 0);
  marker->setParams(params, 12);
  cGame::restampAllFootprints();
  EXPECT_EQ(picture(8), freeMap(8, 6));
  marker->setAnim(0, -1);
  cGame::restampAllFootprints();
  EXPECT_EQ(cell(2, 3), 8);
  EXPECT_EQ(cell(3, 3), 8);
}

TEST_F(CollisionGeometryTest, AKillClearsOnlyFootprintsCountedInCells) {
  makeMap(std::vector<std::string>(10, "XXXXXXXXXX"));
  // The player's footprint is 64 x 60 pixels: read as cells it would clear
  // the whole room.
  IntArray* position = newIntArray(3);
  position->set(0, 160 * px);
  position->set(1, 160 * px);
  cActorMC* character = cActorMC::create(ActorKind::PLAYER, 0, position);
  character->init();
  character->setFootprint(0, 0, 64, 60);
  character->kill();
  EXPECT_TRUE(character->isKilled());
  EXPECT_EQ(picture(4), (std::vector<std::string>(10, "##########")));

  cActor* contact = withFootprint(ActorKind::FALLING_OBJECT, 160, 160, -50, -50, 100, 100);
  contact->kill();
  EXPECT_EQ(picture(4), (std::vector<std::string>(10, "##########")));

  cActor* barrier = withFootprint(ActorKind::BARRIER, 160, 160, -1, -1, 2, 1);
  barrier->kill();
  std::vector<std::string> expected(10, "##########");
  expected[4] = "####..####";
  EXPECT_EQ(picture(4), expected);
  EXPECT_EQ(cell(4, 4), 1) << "only bit 4 goes";
}

TEST_F(CollisionGeometryTest, OneSidedBlockersHoldTheirSides) {
  struct Case {
    int32_t sides;
    int32_t fromX, fromY, toX, toY;
    int32_t endX, endY;
    bool clipped;
  };
  // The blocker's rectangle: x 100..164, y 100..164.
  const Case cases[] = {
      {1, 80, 130, 120, 130, 100, 130, true},    // from the left into it
      {1, 80, 130, 200, 130, 100, 130, true},    // from the left through it
      {1, 110, 130, 120, 130, 120, 130, false},  // from inside
      {1, 120, 130, 80, 130, 80, 130, false},    // leaving to the left
      {1, 80, 100, 120, 100, 120, 100, false},   // along the top edge: edges are open
      {2, 180, 130, 150, 130, 164, 130, true},
      {2, 150, 130, 180, 130, 180, 130, false},
      {4, 130, 80, 130, 120, 130, 100, true},
      {4, 130, 120, 130, 80, 130, 80, false},
      {8, 130, 180, 130, 150, 130, 164, true},
      {8, 130, 180, 130, 170, 130, 170, false},  // not inside yet
      {15, 80, 80, 120, 120, 100, 120, true},    // left first; then x is on the edge, so the top holds nothing
      {15, 120, 130, 120, 130, 120, 130, false}, // standing still
  };
  for (const Case& c : cases) {
    cActor::releaseLayer(0);
    makeMap(freeMap(20, 20));  // 640 x 640
    blocker(100, 100, 64, 64, c.sides);
    cActor* mover = makeActor(ActorKind::PLAYER, c.fromX, c.fromY);
    play().lastFocusX = c.fromX;
    play().lastFocusY = c.fromY;
    EXPECT_EQ(cGame::moveWithBlockers(mover, c.toX, c.toY, true), c.clipped)
        << "sides " << c.sides << " from " << c.fromX << "," << c.fromY << " to " << c.toX << "," << c.toY;
    const int32_t expectedX = c.clipped ? c.endX : c.fromX;
    const int32_t expectedY = c.clipped ? c.endY : c.fromY;
    EXPECT_EQ(mover->getPixelX(), expectedX) << "sides " << c.sides << ": only a clipped move is written";
    EXPECT_EQ(mover->getPixelY(), expectedY);
    EXPECT_EQ(play().lastFocusX, expectedX);
    EXPECT_EQ(play().lastFocusY, expectedY);
  }
}

TEST_F(CollisionGeometryTest, OnlyWaitingBlockersHoldAndOnlyACommitMoves) {
  makeMap(freeMap(20, 20));
  cActor* active = blocker(100, 100, 64, 64, 1);
  active->setFlag(ActorFlags::ACTIVE, true);
  cActor* killed = blocker(100, 100, 64, 64, 1);
  killed->setFlag(ActorFlags::KILLED, true);
  blocker(100, 100, 64, 64, 0);
  cActor* mover = makeActor(ActorKind::PLAYER, 80, 130);
  play().lastFocusX = 80;
  play().lastFocusY = 130;
  EXPECT_FALSE(cGame::moveWithBlockers(mover, 120, 130, true));

  blocker(100, 100, 64, 64, 1);
  EXPECT_TRUE(cGame::moveWithBlockers(mover, 120, 130, false));
  EXPECT_EQ(mover->getPixelX(), 80) << "without commit the actor stays";
  EXPECT_EQ(play().lastFocusX, 80);
  EXPECT_FALSE(cGame::moveWithBlockers(nullptr, 120, 130, true));
}

TEST_F(CollisionGeometryTest, TheMapEdgesHoldAMover) {
  struct Case {
    int32_t fromX, fromY, toX, toY, endX, endY;
    bool clipped;
  };
  const Case cases[] = {
      {100, 100, 10, 100, 16, 100, true},
      {100, 100, 700, 100, 640, 100, true},
      {100, 100, 100, 5, 100, 16, true},
      {100, 100, 100, 900, 100, 640, true},
      {10, 100, 5, 100, 5, 100, false},  // already past the edge
      {100, 100, 100, 100, 100, 100, false},
  };
  makeMap(freeMap(20, 20));
  for (const Case& c : cases) {
    cActor* mover = makeActor(ActorKind::PLAYER, c.fromX, c.fromY);
    play().lastFocusX = c.fromX;
    play().lastFocusY = c.fromY;
    EXPECT_EQ(cGame::moveWithBlockers(mover, c.toX, c.toY, true), c.clipped) << c.toX << "," << c.toY;
    EXPECT_EQ(mover->getPixelX(), c.clipped ? c.endX : c.fromX);
    EXPECT_EQ(mover->getPixelY(), c.clipped ? c.endY : c.fromY);
  }
}

TEST_F(CollisionGeometryTest, BoxesAndPointsMeetEdgesIncluded) {
  cActor* at = makeActor(ActorKind::MARKER, 100, 100);
  IntArray* a = box(0, 0, 10, 10);
  struct Case {
    int32_t bx, by;
    bool overlap;
  };
  const Case cases[] = {{110, 110, true}, {111, 100, false}, {90, 100, true}, {89, 100, false},
                        {100, 89, false}, {95, 95, true}};
  for (const Case& c : cases)
    EXPECT_EQ(cGame::boxesOverlap(a, at, box(c.bx, c.by, 10, 10), nullptr), c.overlap) << c.bx << "," << c.by;
  EXPECT_TRUE(cGame::boxesOverlap(a, at, box(-5, -5, 10, 10), at));
  EXPECT_FALSE(cGame::boxesOverlap(nullptr, at, a, at));
  EXPECT_FALSE(cGame::boxesOverlap(a, at, newIntArray(2), at));

  EXPECT_TRUE(cGame::pointInActorBox(110, 110, a, at));
  EXPECT_TRUE(cGame::pointInActorBox(100, 100, a, at));
  EXPECT_FALSE(cGame::pointInActorBox(111, 105, a, at));
  EXPECT_TRUE(cGame::pointInActorBox(5, 5, a, nullptr));
  EXPECT_FALSE(cGame::pointInActorBox(5, 5, nullptr, nullptr));
  // At the far end of the range a right edge past 2^31 still reaches.
  EXPECT_TRUE(cGame::boxesOverlap(box(0x7FFFFFF0, 0, 0x20, 10), nullptr, box(0x7FFFFFF8, 0, 0, 10), nullptr));
}

TEST_F(CollisionGeometryTest, NearInTheFacedDirection) {
  cActor* a = makeActor(ActorKind::CREATURE, 100, 100);
  struct Case {
    int32_t bx, by, direction;
    bool near;
  };
  const Case cases[] = {
      {100, 130, DirectionMask::LEFT, false},  // too far up or down
      {101, 101, 0, true},                     // on the spot
      {60, 100, DirectionMask::LEFT, true},
      {40, 100, DirectionMask::LEFT, false},
      {103, 100, DirectionMask::LEFT, true},
      {104, 100, DirectionMask::LEFT, false},
      {140, 100, DirectionMask::RIGHT, true},
      {97, 100, DirectionMask::RIGHT, true},
      {96, 100, DirectionMask::RIGHT, false},
      {140, 100, DirectionMask::UP, true},
      {140, 100, DirectionMask::DOWN, true},
      {140, 100, 0, true},
      {99, 110, 0, false},  // no direction: only at or beyond its x
      {160, 100, 0, false},
  };
  for (const Case& c : cases) {
    cActor* b = makeActor(ActorKind::PLAYER, c.bx, c.by);
    EXPECT_EQ(cGame::isNearInDirection(a, b, c.direction, 50, 20), c.near)
        << c.bx << "," << c.by << " direction " << c.direction;
  }
  EXPECT_FALSE(cGame::isNearInDirection(a, nullptr, 0, 50, 20));
}

TEST_F(CollisionGeometryTest, UnitVectorsAreRoundedAndKeptByValue) {
  const UnitVector first = cGame::unitVector(0, 0, 3, 4, true);
  const UnitVector second = cGame::unitVector(0, 0, -3 * px, -4 * px, false);
  EXPECT_EQ(first.x, 154);  // 153.6
  EXPECT_EQ(first.y, 205);  // 204.8
  EXPECT_EQ(second.x, -153);
  EXPECT_EQ(second.y, -204);
  EXPECT_EQ(first.x, 154) << "a later call leaves an earlier result alone";
  const UnitVector none = cGame::unitVector(7, 7, 7, 7, true);
  EXPECT_EQ(none.x, 0);
  EXPECT_EQ(none.y, 0);
  const UnitVector far = cGame::unitVector(-100000, 0, 100000, 0, true);
  EXPECT_EQ(far.x, 256);
  EXPECT_EQ(far.y, 0);
}

TEST_F(CollisionGeometryTest, AnglesCountWithTheYAxisUp) {
  IntArray* cosines = newIntArray(cosTableLength);
  const std::vector<int32_t> table = tools::quarterWaveCosine();
  std::copy(table.begin(), table.end(), cosines->elements());
  toolkitStatics().cGameMath.cosTable = cosines;
  EXPECT_EQ(cGame::angleBetween(0, 0, 10, 0, true), 0);
  EXPECT_EQ(cGame::angleBetween(0, 0, 0, -10, true), 64) << "up the screen is a quarter turn";
  EXPECT_EQ(cGame::angleBetween(0, 0, -10, 0, true), 128);
  EXPECT_EQ(cGame::angleBetween(0, 0, 0, 10 * px, false), 192);
  EXPECT_EQ(cGame::angleBetween(5, 5, 5, -5, true), cGame::angleBetween(5 * px, 5 * px, 5 * px, -5 * px, false));
}

TEST_F(CollisionGeometryTest, SquaredDistancesOfFarActorsDoNotWrap) {
  cActor* a = makeActor(ActorKind::MARKER, 0, 0);
  cActor* b = makeActor(ActorKind::MARKER, 50000, 30000);
  EXPECT_EQ(cGame::distanceSquared(a, b), int64_t{50000} * 50000 + int64_t{30000} * 30000);
  EXPECT_EQ(cGame::distanceSquared(b, a), cGame::distanceSquared(a, b));
  EXPECT_EQ(cGame::distanceSquared(a, nullptr), 0);
  EXPECT_EQ(cGame::distanceSquared(makeActor(ActorKind::MARKER, 3, 4), a), 25);
}

}  // namespace
