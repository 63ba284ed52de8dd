// How a creature moves: facing a point, the walking step and its way out of
// a blocked cell, and the detour round a wall.
#include <gtest/gtest.h>

#include "tests/game/world/creature_fixture.h"

namespace {

class CreatureMovementTest : public CreatureFixture {};

TEST_F(CreatureMovementTest, FacingAPointSetsTheHeadingDirectionAndViewAngle) {
  struct Case {
    const char* name;
    int32_t toX, toY, direction, angle;
  };
  for (const Case& c : {Case{"right", 500, 300, DirectionMask::RIGHT, 0}, Case{"up", 400, 200, DirectionMask::UP, 64},
                        Case{"left", 300, 300, DirectionMask::LEFT, 128},
                        Case{"down", 400, 400, DirectionMask::DOWN, 192},
                        Case{"down and right: right wins", 500, 400, DirectionMask::RIGHT, 224}}) {
    SCOPED_TRACE(c.name);
    cActorEnemy* creature = makeCreature(400, 300);
    creature->faceToward(c.toX, c.toY, 0);
    EXPECT_EQ(creature->direction, c.direction);
    EXPECT_EQ(creature->viewAngle, c.angle);
    creature->kill();
  }
  cActorEnemy* creature = makeCreature(400, 300);
  creature->faceToward(400, 300, 0);
  EXPECT_EQ(creature->direction, DirectionMask::LEFT) << "a point under its feet changes nothing";
  EXPECT_EQ(creature->viewAngle, 128);
}

TEST_F(CreatureMovementTest, AWalkThatIsBlockedReturnsFalseWithoutMoving) {
  installCollisionMap({"....", "..#.", "...."});
  cActorEnemy* creature = makeCreature(48, 48);
  creature->flags &= ~ActorFlags::MOVED;
  EXPECT_FALSE(creature->walk(6144, DirectionMask::RIGHT)) << "24 px right is in the wall";
  EXPECT_EQ(creature->getPixelX(), 48);
  EXPECT_EQ(creature->getPixelY(), 48);
  EXPECT_FALSE(creature->hasFlag(ActorFlags::MOVED));
  EXPECT_TRUE(creature->walk(6144, DirectionMask::LEFT));
  EXPECT_EQ(creature->getPixelX(), 24);
}

TEST_F(CreatureMovementTest, AWalkAlongTheHeadingCountsPixelsPerSecond) {
  cActorEnemy* creature = makeCreature(400, 300);
  creature->faceToward(500, 300, 0);
  setTimeStep(100);
  ASSERT_TRUE(creature->walk(60, -1));
  EXPECT_EQ(creature->x, (400 << 8) + 256 * 100 * 60 / 1000);
  EXPECT_EQ(creature->y, 300 << 8);
}

TEST_F(CreatureMovementTest, AStuckCreatureLeavesItsCellForTheFirstFreeCentreAboveOrLeft) {
  // The creature stands on the centre of cell (2, 2), its 32-px box filling
  // it, and walks right into cell (3, 2).
  struct Case {
    const char* name;
    std::vector<std::string> map;
    bool moved;
    int32_t x, y;
  };
  const Case cases[] = {
      {"above-left first", {".....", ".....", "..##.", "....."}, true, 48, 48},
      {"then left", {".....", ".#...", "..##.", "....."}, true, 48, 80},
      {"then above", {".....", ".#...", ".###.", "....."}, true, 80, 48},
      {"none free", {".....", ".##..", ".###.", "....."}, false, 80, 80},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    installCollisionMap(c.map);
    cActorEnemy* creature = makeCreature(80, 80);
    EXPECT_EQ(creature->walk(6144, DirectionMask::RIGHT), c.moved);
    EXPECT_EQ(creature->getPixelX(), c.x);
    EXPECT_EQ(creature->getPixelY(), c.y);
    creature->kill();
  }
}

TEST_F(CreatureMovementTest, AFallingCreatureIsStoppedOnlyBySolidCells) {
  installCollisionMap({"....", "..4.", "...."});
  cActorEnemy* creature = makeCreature(48, 48);
  EXPECT_FALSE(creature->walk(6144, DirectionMask::RIGHT));
  creature->falling = true;
  EXPECT_TRUE(creature->walk(6144, DirectionMask::RIGHT)) << "bit 4 does not stop a fall";
}

TEST_F(CreatureMovementTest, ADetourSidestepsAWallAcrossItsHeading) {
  installMap({"......", "......", "...#..", "......", "......"});
  cActorEnemy* creature = makeCreature(80, 80);
  creature->faceToward(200, 80, 0);
  creature->detour(60);
  // Blocked ahead and free below: it steps 4 px down the side it keeps.
  EXPECT_EQ(creature->detourSide, 2);
  EXPECT_EQ(creature->getPixelY(), 84);
  EXPECT_EQ(creature->getPixelX(), 80);

  // Near the map's edge a step that would leave the room is taken back.
  installMap({"...", "...", "..#"});
  cActorEnemy* atEdge = makeCreature(48, 78);
  atEdge->faceToward(200, 78, 0);
  atEdge->detour(60);
  EXPECT_EQ(atEdge->getPixelY(), 78) << "82 is past the map height less 16";
}

}  // namespace
