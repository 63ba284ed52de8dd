// A room of creatures loaded from its level source and played frame by
// frame: one chases and strikes the player, one walks its route and one
// that never sees the player stays where it watches.
#include <gtest/gtest.h>


#include "tests/game/world/creature_fixture.h"
#include "tests/game/world/source_room.h"

namespace {

class CreatureRoomTest : public CreatureFixture {
 protected:
  void SetUp() override {
    CreatureFixture::SetUp();
    cGame::createItemTable();
    m_room = worldkit::loadSourceRoom("creature_room.lvl");
  }
  cActorEnemy* creature(const char* name) const {
    return cActorEnemy::asCreature(cActor::findById(m_room.symbols.actors.at(name)));
  }
  static int32_t distance(cActor* a, int32_t x, int32_t y) {
    return cActorEnemy::approximateDistance(a->getPixelX() - x, a->getPixelY() - y);
  }

  tools::AssembledLevel m_room;
};

TEST_F(CreatureRoomTest, TheHunterChasesAndStrikesThePlayer) {
  cActor* hero = cActor::findById(m_room.symbols.actors.at("hero"));
  cActorEnemy* hunter = creature("hunter");
  ASSERT_NE(hunter, nullptr);
  ASSERT_EQ(play().focusActor, hero);
  const int32_t start = distance(hunter, hero->getPixelX(), hero->getPixelY());
  int frames = 0;
  const int32_t startHp = hero->hp;
  while (hero->hp == startHp && frames < 400) {
    updateFrame();
    ++frames;
  }
  ASSERT_LT(frames, 400) << "the hunter never struck";
  EXPECT_LT(distance(hunter, hero->getPixelX(), hero->getPixelY()), 81);
  EXPECT_LT(distance(hunter, hero->getPixelX(), hero->getPixelY()), start);
  EXPECT_EQ(hunter->state, 10);
  EXPECT_EQ(hero->hp, 92);
  EXPECT_EQ(hunter->direction, DirectionMask::LEFT);
}

TEST_F(CreatureRoomTest, TheSentryWalksItsRouteThereAndBack) {
  cActorEnemy* sentry = creature("sentry");
  ASSERT_NE(sentry, nullptr);
  ASSERT_EQ(sentry->state, 1);
  int32_t nearestEast = 1 << 20;
  int32_t nearestWestAfterEast = 1 << 20;
  for (int frame = 0; frame < 400; ++frame) {
    updateFrame();
    EXPECT_NEAR(sentry->getPixelY(), 600, 1);
    EXPECT_TRUE(sentry->state == 1 || sentry->state == 13) << "it never notices the player, state " << sentry->state;
    nearestEast = std::min(nearestEast, distance(sentry, 500, 600));
    if (nearestEast <= 16) nearestWestAfterEast = std::min(nearestWestAfterEast, distance(sentry, 200, 600));
  }
  EXPECT_LE(nearestEast, 16);
  EXPECT_LE(nearestWestAfterEast, 16);
}

TEST_F(CreatureRoomTest, ACreatureThatNeverSeesThePlayerStaysWhereItWatches) {
  cActorEnemy* watcher = creature("watcher");
  ASSERT_NE(watcher, nullptr);
  // The player walks up to it.
  cActor* hero = cActor::findById(m_room.symbols.actors.at("hero"));
  hero->setX(1060 << 8);
  for (int frame = 0; frame < 100; ++frame) updateFrame();
  EXPECT_EQ(watcher->state, 105);
  EXPECT_EQ(watcher->getPixelX(), 1100);
  EXPECT_EQ(watcher->getPixelY(), 300);
}

}  // namespace
