// Collectibles of kind 16: which items are taken by walking into them, and
// what taking one gives.
#include "tests/game/world/scene_object_fixture.h"
#include "wince/log.h"

namespace {

using namespace playertest;

class SceneCollectibleTest : public SceneObjectFixture {
 protected:
  void SetUp() override {
    SceneObjectFixture::SetUp();
    installSprite(23, {.animations = 3, .steps = 2, .frameBox = characterBox});
    shellStatics().cGameShared.results = newIntArray(13);
  }
  // Item 5 of that type, healing by 30.
  static void makeItem(int32_t type) {
    IntArray* record = newIntArray(7);
    record->set(0, 23);
    record->set(2, type);
    record->set(6, 30);
    cGame::setItemRecord(record, 5);
  }
};

TEST_F(SceneCollectibleTest, CountedItemsAreTakenEverywhereHealingOnesOnlyInTheSideView) {
  struct Case {
    const char* what;
    int32_t type;
    bool sideView, touching;
    bool taken;
    int32_t counted, hitPoints;
  };
  const Case cases[] = {
      {"counted, touched", 4, false, true, true, 1, 50},
      {"counted, not touched", 4, false, false, false, 0, 50},
      {"healing in the side view", 0, true, true, true, 0, 80},
      {"healing outside the side view", 0, false, true, false, 0, 50},
      {"another type in the side view", 1, true, true, false, 0, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    wince::LogCapture log;
    cActor::initLists();
    shellStatics().cGameShared.results->set(1, 0);
    shellStatics().cGameProgress.sideViewMode = c.sideView;
    makeItem(c.type);
    cActor* hotspot = cActor::dropItem(5, 300, 200, 0);
    ASSERT_NE(hotspot, nullptr);
    cActorMC* hero = makePlayer(c.touching ? 300 : 600, 180);
    hero->hp = 50;
    runKind(hotspot);
    EXPECT_EQ(hotspot->isKilled(), c.taken);
    EXPECT_EQ(hero->param(7), c.counted);
    EXPECT_EQ(shellStatics().cGameShared.results->get(1), c.counted);
    EXPECT_EQ(hero->hp, c.hitPoints);
    // The playthroughs read a counted one's taking from the log.
    EXPECT_EQ(log.contains("cGame: collectible 5 taken"), c.counted == 1) << log.text();
  }
}

TEST_F(SceneCollectibleTest, AVariantCountsInItsOwnCounterAndAPlacedHotspotIsNotTaken) {
  makeItem(4);
  cActorMC* hero = makePlayer(300, 180);
  hero->variantFlag = true;
  cActor* hotspot = cActor::dropItem(5, 300, 200, 0);
  runKind(hotspot);
  EXPECT_EQ(hero->param(6), 1);
  EXPECT_EQ(hero->param(7), 0);
  cActor* placed = cActor::dropItem(5, 300, 200, 0);
  placed->setParam(0, 0);
  runKind(placed);
  EXPECT_FALSE(placed->isKilled()) << "only a hotspot with p0 = -1 is walked into";
}

}  // namespace
