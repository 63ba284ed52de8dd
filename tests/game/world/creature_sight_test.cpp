// What a creature sees and throws: the sight test, the view cone traced
// against the walls and drawn, the caller's volley and its projectiles,
// and the painter's health bar.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "game/toolkit/CVLibPlayer.h"
#include "platform/java_util/java_util_Random.h"
#include "tests/game/world/creature_fixture.h"

namespace {

class CreatureSightTest : public CreatureFixture {
 protected:
  // A creature at (400, 320) looking right with that half angle (degrees)
  // and reach (cells).
  static cActorEnemy* makeWatcher(int32_t halfAngle, int32_t reach, int32_t options = 0) {
    cActorEnemy* creature = makeCreature(400, 320, cActorEnemy::ORDINARY, options);
    creature->faceToward(500, 320, 0);
    creature->setParam(23, halfAngle);
    creature->setParam(24, reach);
    return creature;
  }
  static cActor* makeTarget(int32_t x, int32_t y) {
    cActor* target = makeActor(ActorKind::NPC, x, y);
    target->hp = 10;
    return target;
  }
  static std::vector<cActor*> projectiles() {
    std::vector<cActor*> found;
    for (cActor* actor : layerOrder()) {
      if (actor->kind == ActorKind::THROWN_OBJECT) found.push_back(actor);
    }
    return found;
  }
};

TEST_F(CreatureSightTest, ACreatureSeesWithinItsAngleAndReachWithAClearLine) {
  struct Case {
    const char* name;
    bool walled;
    int32_t x, y, halfAngle, options;
    bool bound, seen;
  };
  const Case cases[] = {
      {"ahead", false, 500, 320, 30, 0, false, true},
      {"above, outside the angle", false, 400, 220, 30, 0, false, false},
      {"beyond the reach", false, 600, 320, 30, 0, false, false},
      {"behind a wall", true, 500, 320, 30, 0, false, false},
      {"bound, seen wider", false, 420, 220, 30, 0, true, true},
      {"bound, seen farther", false, 570, 320, 30, 0, true, true},
      {"low, with a cone", false, 500, 470, 60, cActorEnemy::OPTION_VIEW_CONE, false, true},
      {"low, without a cone", false, 500, 470, 60, 0, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> map(20, std::string(40, '.'));
    if (c.walled) map[10][14] = '#';  // between (400, 320) and (500, 320)
    installMap(map);
    cActorEnemy* creature = makeWatcher(c.halfAngle, 5, c.options);
    cActor* target = makeTarget(c.x, c.y);
    if (c.bound) target->boundActor = creature;
    EXPECT_EQ(creature->sees(target), c.seen);
    target->hp = 0;
    EXPECT_FALSE(creature->sees(target)) << "nothing is seen of a defeated actor";
  }
}

TEST_F(CreatureSightTest, AConeEdgeStopsAtTheFirstWall) {
  std::vector<std::string> map(20, std::string(40, '.'));
  map[10][16] = '#';
  map[10][20] = '#';
  installMap(map);
  cActorEnemy* creature = makeWatcher(0, 10, 32);
  creature->traceCone(nullptr);
  // 22 steps of 320 / 22 px: the ninth reaches x 516, inside column 16.
  EXPECT_EQ(creature->coneWork->get(0), 116);
  EXPECT_EQ(creature->coneWork->get(1), 0);
  EXPECT_EQ(creature->coneWork->get(2), 116);
  EXPECT_EQ(creature->coneWork->get(3), 0);

  installMap(std::vector<std::string>(20, std::string(40, '.')));
  creature->traceCone(nullptr);
  EXPECT_EQ(creature->coneWork->get(0), 320) << "no wall: the full edge";
}

TEST_F(CreatureSightTest, AConeEdgePointingDownGoesOnFiftyPixelsButNeverPastItsLength) {
  struct Case {
    int32_t wallRow, reached;
  };
  for (const Case& c : {Case{13, 152}, Case{19, 320}}) {
    SCOPED_TRACE(c.wallRow);
    std::vector<std::string> map(20, std::string(40, '.'));
    map[c.wallRow][12] = '#';
    installMap(map);
    cActorEnemy* creature = makeWatcher(0, 10, 32);
    creature->faceToward(400, 500, 0);
    creature->traceCone(nullptr);
    EXPECT_EQ(creature->coneWork->get(0), 0);
    EXPECT_EQ(creature->coneWork->get(1), c.reached);
    creature->kill();
  }
}

TEST_F(CreatureSightTest, TheConeIsDrawnFromAboveTheHeadInGreen) {
  cActorEnemy* creature = makeWatcher(30, 5, cActorEnemy::OPTION_VIEW_CONE);
  creature->traceCone(nullptr);
  creature->paint();
  std::vector<worldkit::PaintRecord> lines;
  {
    worldkit::PaintRecorder paints(screenGraphics());
    cActorEnemy::paintCones();
    for (const worldkit::PaintRecord& record : paints.records()) {
      if (record.is(GraphicsCallKind::drawLine)) lines.push_back(record);
    }
  }
  ASSERT_EQ(lines.size(), 2u);
  for (const worldkit::PaintRecord& line : lines) {
    EXPECT_EQ(line.colour & 0xFFFFFF, 0x11EE11);
    EXPECT_EQ(line.values[0], 410);
    EXPECT_EQ(line.values[1], 320 - 107);
  }
  creature->state = 100;
  worldkit::PaintRecorder hit(screenGraphics());
  cActorEnemy::paintCones();
  EXPECT_TRUE(hit.lines().empty()) << "no cone while reeling from a blow";
}

TEST_F(CreatureSightTest, AVolleyThrowsOneToFourProjectilesThirtyDegreesApart) {
  for (int64_t seed : {11, 12, 13, 14, 15, 16}) {
    SCOPED_TRACE(seed);
    for (cActor* actor : layerOrder()) actor->unlink();
    installMap(std::vector<std::string>(20, std::string(40, '.')));
    cActorEnemy* caller = makeCreature(400, 320, cActorEnemy::CALLER);
    // The same draws the volley makes, read ahead.
    seedRandom(seed);
    std::vector<int64_t> draws;
    for (int i = 0; i < 7; ++i) draws.push_back(random()->nextInt());
    seedRandom(seed);
    const int32_t count = static_cast<int32_t>(std::llabs(draws[0]) % 4) + 1;
    const int32_t start = static_cast<int32_t>(std::llabs(draws[2]) % 360);
    caller->throwVolley(600, 320);
    const std::vector<cActor*> thrown = projectiles();
    ASSERT_EQ(static_cast<int32_t>(thrown.size()), count);
    ASSERT_GE(count, 1);
    ASSERT_LE(count, 4);
    std::vector<std::pair<int32_t, int32_t>> expected, actual;
    for (int32_t i = 0; i < count; ++i) {
      const int32_t distance = 20 * static_cast<int32_t>(std::llabs(draws[3 + i]) % count);
      const int32_t a = (start + 30 * i) * 256 / 360;
      const int32_t tx = 600 + cGame::cosLookup(a) * distance / 256;
      const int32_t ty = 320 - cGame::cosLookup(64 - a) * distance / 256;
      const UnitVector heading = cGame::unitVector(400, 260, tx, ty, true);
      expected.emplace_back(heading.x, heading.y);
      actual.emplace_back(thrown[i]->param(1), thrown[i]->param(2));
      EXPECT_EQ(thrown[i]->getPixelY(), 260) << "thrown from 60 px above the feet";
    }
    std::sort(expected.begin(), expected.end());
    std::sort(actual.begin(), actual.end());
    EXPECT_EQ(actual, expected);
  }
}

TEST_F(CreatureSightTest, AVolleySkipsTargetsOnBlockedCells) {
  std::vector<std::string> map(20, std::string(40, '.'));
  for (int r = 5; r < 15; ++r)
    for (int c = 15; c < 23; ++c) map[r][c] = '#';
  installMap(map);
  cActorEnemy* caller = makeCreature(400, 100, cActorEnemy::CALLER);
  for (int i = 0; i < 10; ++i) caller->throwVolley(600, 320);
  EXPECT_TRUE(projectiles().empty()) << "every target within 60 px of (600, 320) is in the wall";
}

TEST_F(CreatureSightTest, AProjectileFliesTowardItsTargetWithAShadowBelow) {
  IntArray* position = newIntArray(3);
  position->set(0, 100 << 8);
  position->set(1, 100 << 8);
  cActor* projectile = cActor::create(ActorKind::THROWN_OBJECT, 0, position);
  projectile->launchProjectile(400, 500, 0, 750);
  // (300, 400) px away: the approximate length is 503 px, the flight 60.
  EXPECT_EQ(projectile->param(1), 154);
  EXPECT_EQ(projectile->param(2), 205);
  EXPECT_EQ(projectile->param(4), (503 << 8) / 60);
  EXPECT_EQ(projectile->param(5), 5 * 60 * 512 / 2);
  EXPECT_EQ(projectile->param(6), 750);
  EXPECT_EQ(projectile->param(7), 2000);
  EXPECT_EQ(projectile->z, 256);
  EXPECT_TRUE(projectile->hasFlag(ActorFlags::RESTORED));
  EXPECT_EQ(projectile->player->anim, 2);
  ASSERT_NE(projectile->footprint, nullptr);
  EXPECT_EQ(projectile->footprint->get(0), -50);
  EXPECT_EQ(projectile->footprint->get(1), -50);
  EXPECT_EQ(projectile->footprint->get(2), 100);
  auto* shadow = static_cast<cActor*>(projectile->neighbours);
  ASSERT_NE(shadow, nullptr);
  EXPECT_EQ(shadow->kind, ActorKind::BARRIER);
  EXPECT_TRUE(shadow->isActive());
  EXPECT_EQ(shadow->player->anim, 10);
  EXPECT_EQ(shadow->x, projectile->x);
}

TEST_F(CreatureSightTest, TheHealthBarShowsOnlyWhileABlowIsFelt) {
  cActorEnemy* creature = makeCreature(400, 300, cActorEnemy::ORDINARY, 0, 40);
  auto fills = [&] {
    worldkit::PaintRecorder paints(screenGraphics());
    creature->paint();
    std::vector<worldkit::PaintRecord> found;
    for (const worldkit::PaintRecord& record : paints.records()) {
      if (record.is(GraphicsCallKind::fillRect) && !record.insideSprite) found.push_back(record);
    }
    return found;
  };
  EXPECT_TRUE(fills().empty());
  creature->state = 100;
  creature->shownHp = 20;
  const std::vector<worldkit::PaintRecord> bar = fills();
  ASSERT_EQ(bar.size(), 1u);
  EXPECT_EQ(bar[0].values[0], 371);
  EXPECT_EQ(bar[0].values[1], 171);
  EXPECT_EQ(bar[0].values[2], 29) << "half of 59";
  EXPECT_EQ(bar[0].colour & 0xFFFFFF, 0xFF0000);

  creature->setParam(22, 0);
  EXPECT_TRUE(fills().empty()) << "a creature without a maximum draws no bar";
}

}  // namespace
