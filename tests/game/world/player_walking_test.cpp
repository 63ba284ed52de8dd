// The player walking through the collision map: key directions, the
// 16-pixel steps, walls, the corner slide, the map's edge band, direction
// sectors and the follow state's step around obstacles.
#include <random>

#include "tests/game/world/player_fixture.h"

namespace {

using namespace playertest;

constexpr int32_t L = DirectionMask::LEFT, R = DirectionMask::RIGHT, U = DirectionMask::UP, D = DirectionMask::DOWN;

class PlayerWalkingTest : public PlayerFixture {};

TEST_F(PlayerWalkingTest, KeyFamiliesGiveDirectionMasks) {
  struct Case {
    int32_t key, all, plain;
  };
  for (const Case& c : {Case{1, U, U}, Case{2, D, D}, Case{3, L, L}, Case{4, R, R}, Case{7, U | L, 0},
                        Case{9, U | R, 0}, Case{13, D | L, 0}, Case{15, D | R, 0}, Case{8, U, U}, Case{14, D, D},
                        Case{10, L, L}, Case{12, R, R}, Case{5, 0, 0}, Case{11, 0, 0}}) {
    SCOPED_TRACE(c.key);
    setKeys({c.key}, {c.key});
    EXPECT_EQ(cActorMC::pressedDirection(), c.all);
    EXPECT_EQ(cActorMC::pressedDirectionPlain(), c.plain);
    EXPECT_EQ(cActorMC::heldDirection(0), c.all);
    EXPECT_EQ(cActorMC::heldDirection(c.all), 0) << "nothing held in a frame with a press";
  }
  setKeys({1, 2, 3, 4}, {});
  EXPECT_EQ(cActorMC::pressedDirection(), U | L) << "up before down, left before right";
  setKeys({}, {});
  EXPECT_EQ(cActorMC::notHeldDirection(0), U | L);
  EXPECT_EQ(cActorMC::maskOfCode(8), 0);
  EXPECT_EQ(cActorMC::codeOfMask(U | R), 1);
  EXPECT_EQ(cActorMC::codeOfMask(D | L), 5);
  EXPECT_EQ(cActorMC::codeOfMask(0), 0);
}

TEST_F(PlayerWalkingTest, AFrameOfWalkingMovesInSixteenPixelSteps) {
  makeRoom(std::vector<std::string>(10, std::string(30, '.')));
  cActorMC* player = makePlayer(400, 304);
  player->setFacing(R);
  EXPECT_TRUE(player->moveWithCollision(R, 90 * 62, 0, 6));
  EXPECT_EQ(player->x, (400 << 8) + 5580) << "about 21.8 px";

  // The first 16 px land in the blocked column: the second step never runs.
  installCollisionMap({std::string(30, '.'), std::string(30, '.'), std::string(13, '.') + "#" + std::string(16, '.')});
  cActorMC* other = makePlayer(400, 80, 0, false, 2);
  other->setFacing(R);
  EXPECT_FALSE(other->moveWithCollision(R, 90 * 62, 0, 6));
  EXPECT_EQ(other->getPixelX(), 400) << "back at the centre of its own cell";
}

TEST_F(PlayerWalkingTest, AWallAheadSnapsSlidesOrSendsBack) {
  struct Case {
    const char* name;
    std::vector<std::string> room;
    int32_t direction, startX, startY, amountX, amountY;
    int32_t x, y;
    bool nudged;
  };
  // The character stands in cell (12, 9); the wall is column 13.
  auto room = [](char above, char ahead, char below) {
    std::vector<std::string> rows(20, std::string(30, '.'));
    rows[8][13] = above;
    rows[9][13] = ahead;
    rows[10][13] = below;
    return rows;
  };
  const Case cases[] = {
      {"row centre free: keeps the new x", room('.', '.', '#'), R | D, 410, 316, 2560, 2560, 420, 304, false},
      {"slides down first", room('.', '#', '.'), R, 405, 310, 5580, 0, 400, 316, true},
      {"slides up when below is blocked", room('.', '#', '#'), R, 405, 300, 5580, 0, 400, 294, true},
      {"no slide: back to the cell centre", room('#', '#', '#'), R, 405, 310, 5580, 0, 400, 310, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    makeRoom(c.room);
    cActorMC* player = makePlayer(c.startX, c.startY, 0, false);
    player->setFacing(c.direction);
    EXPECT_FALSE(player->moveWithCollision(c.direction, c.amountX, c.amountY, 6));
    EXPECT_EQ(player->getPixelX(), c.x);
    EXPECT_EQ(player->getPixelY(), c.y);
    EXPECT_EQ(player->nudged, c.nudged);
    player->kill();
  }
}

// A one-cell gap in a wall (a flight of steps, a doorway) is reached from
// beside it: the corner slide stops on the gap's centre instead of swinging
// past it, and the next steps go through.
TEST_F(PlayerWalkingTest, ASlideSettlesIntoAOneCellGap) {
  struct Case {
    const char* name;
    int32_t direction, startX, startY;
    bool vertical;
  };
  const Case cases[] = {
      {"walking up, right of the gap", U, 410, 310, true},
      {"walking up, left of the gap", U, 391, 310, true},
      {"walking left, below the gap", L, 500, 297, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> rows(20, std::string(30, '.'));
    if (c.vertical) {
      rows[8] = std::string(30, '#');
      rows[8][12] = '.';  // the gap's centre is x 400
    } else {
      for (std::string& row : rows) row[13] = '#';
      rows[8][13] = '.';  // the gap's centre is y 272
    }
    makeRoom(rows);
    cActorMC* player = makePlayer(c.startX, c.startY, 0, false);
    player->setFacing(c.direction);
    for (int frame = 0; frame < 12; ++frame)
      player->moveWithCollision(c.direction, c.vertical ? 0 : 5580, c.vertical ? 5580 : 0, 6);
    if (c.vertical) {
      EXPECT_EQ(player->getPixelX(), 400);
      EXPECT_LT(player->getPixelY(), 8 * 32) << "through the gap";
    } else {
      EXPECT_EQ(player->getPixelY(), 272);
      EXPECT_LT(player->getPixelX(), 13 * 32) << "through the gap";
    }
    player->kill();
  }
}

TEST_F(PlayerWalkingTest, TheEdgeBandIsNeverEntered) {
  makeRoom(std::vector<std::string>(10, std::string(20, '.')));  // 640 x 320
  cActorMC* player = makePlayer(620, 300);
  player->setFacing(R | D);
  player->moveWithCollision(R | D, 5580, 5580, 6);
  EXPECT_LE(player->getPixelX(), 640 - 16);
  EXPECT_LE(player->getPixelY(), 320 - 16);
  player->setFacing(L | U);
  player->setX(20 << 8);
  player->setY(20 << 8);
  player->moveWithCollision(L | U, 5580, 5580, 6);
  EXPECT_GE(player->getPixelX(), 16);
  EXPECT_GE(player->getPixelY(), 16);
}

TEST_F(PlayerWalkingTest, SectorBoundaries) {
  struct Case {
    int32_t code, angle;
    bool inside;
  };
  for (const Case& c : {Case{0, 21, true}, Case{0, 22, false}, Case{1, 22, true}, Case{0, 337, true},
                        Case{7, 337, false}, Case{7, 336, true}, Case{0, 0, true}, Case{4, 157, true},
                        Case{4, 156, false}, Case{3, 156, true}, Case{6, 291, true}, Case{7, 292, true}}) {
    EXPECT_EQ(cActorMC::isInSector(c.code, c.angle), c.inside) << "code " << c.code << " angle " << c.angle;
  }
  makeOpenRoom();
  installMathTables();
  cActorMC* player = makePlayer(400, 300);
  struct Toward {
    int32_t dx, dy, mask;
  };
  for (const Toward& t : {Toward{100, 0, R}, Toward{100, -100, U | R}, Toward{0, -100, U}, Toward{-100, 100, D | L},
                          Toward{0, 100, D}, Toward{100, 20, R}, Toward{100, 60, D | R}}) {
    cActor* other = makeActor(63, 400 + t.dx, 300 + t.dy);
    EXPECT_EQ(player->directionTo(other, false), t.mask) << t.dx << ", " << t.dy;
    other->kill();
  }
  EXPECT_EQ(player->directionTo(nullptr, true), 0);
  cActor* below = makeActor(63, 400, 400);
  EXPECT_EQ(player->angleTo(below), 270);
  player->directionTo(below, true);
  EXPECT_EQ(player->facing, D);
}

TEST_F(PlayerWalkingTest, StepAroundRules) {
  struct Case {
    const char* name;
    std::vector<std::string> room;
    int32_t px, py, vectorX, vectorY, lastSide;
    int32_t x, y, side;
  };
  const std::vector<std::string> open(5, ".....");
  // The probes test the 32-pixel box around a point: from (48, 48) one
  // pixel to the right reaches column 2, one up reaches row 0.
  const std::vector<std::string> rightBlocked = {".....", "..#..", ".....", ".....", "....."};
  const std::vector<std::string> aboveBlocked = {".#...", ".....", ".....", ".....", "....."};
  const Case cases[] = {
      {"1: straight on the vector's side", open, 64, 64, 256, 0, 0, 65, 64, 1},
      {"1 refused: it would undo the last side", open, 64, 64, 256, 0, -1, 64, 64, -1},
      {"2: along the vertical", open, 64, 64, 0, 256, 0, 64, 65, 2},
      {"3: blocked ahead, down is free", rightBlocked, 48, 48, 256, 0, 0, 48, 49, 2},
      {"3 with side 2: two pixels", rightBlocked, 47, 48, 0, 0, 2, 47, 50, 4},
      {"4: own cell free, the cell toward the vector blocked", aboveBlocked, 48, 48, 0, -256, 0, 48, 48, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    makeRoom(c.room);
    cActorMC* player = makePlayer(c.px, c.py, 1, false);
    player->setParam(0, c.vectorX);
    player->setParam(1, c.vectorY);
    player->lastSide = c.lastSide;
    player->stepAround(300);
    EXPECT_EQ(player->getPixelX(), c.x);
    EXPECT_EQ(player->getPixelY(), c.y);
    EXPECT_EQ(player->lastSide, c.side);
    player->kill();
  }
}

TEST_F(PlayerWalkingTest, HeldDirectionsNeverTakeThePlayerIntoABlockedCell) {
  makeRoom({
      "##############################",
      "#............................#",
      "#....##......#.........##....#",
      "#....##......#.........##....#",
      "#............#...............#",
      "#.......##########...........#",
      "#.............#..............#",
      "#....#........#.......###....#",
      "#....#...............##......#",
      "#....#......####.............#",
      "#..........##................#",
      "#..........#.......#.........#",
      "#..................#.........#",
      "#............................#",
      "##############################",
  });
  cActorMC* player = makePlayer(480, 400);
  std::mt19937 pick(43);
  const int32_t keysOf[] = {UP, DOWN, LEFT, RIGHT, 7, 9, 13, 15};
  int32_t key = RIGHT;
  int32_t travelled = 0;
  for (int frameIndex = 0; frameIndex < 200; ++frameIndex) {
    if (frameIndex % 12 == 0) key = keysOf[pick() % 8];
    setKeys({}, {key});
    const int32_t fromX = player->getPixelX(), fromY = player->getPixelY();
    frame(player);
    travelled += std::abs(player->getPixelX() - fromX) + std::abs(player->getPixelY() - fromY);
    ASSERT_FALSE(cGame::isBlockedAt(player->getPixelX(), player->getPixelY(), 173))
        << "frame " << frameIndex << " at " << player->getPixelX() << ", " << player->getPixelY();
  }
  EXPECT_GT(travelled, 1000) << "it did walk";
}

}  // namespace
