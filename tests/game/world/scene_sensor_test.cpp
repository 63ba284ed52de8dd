// The gathering sensor: which creatures it draws to its row, how many, and
// how it lets the group go once the player has lingered by it.
#include "tests/game/world/creature_fixture.h"

namespace {

constexpr int32_t gatherOption = 4;

class SceneSensorTest : public CreatureFixture {
 protected:
  // A sensor at (400, 200) px gathering within x 300..500, y 150..250,
  // wanting `wanted` creatures; the player must linger 500 ms; its two
  // cells block until the group goes.
  static cActor* makeSensor(int32_t wanted) {
    IntArray* position = newIntArray(3);
    position->set(0, 400 << 8);
    position->set(1, 200 << 8);
    cActor* sensor = cActor::create(ActorKind::SENSOR, 0, position);
    IntArray* params = newIntArray(16);
    const int32_t values[] = {0, 0, 1, 1, -100, -50, 200, 100, 0, 7, 500, 0, 0, wanted};
    for (int32_t i = 0; i < 14; ++i) params->set(i, values[i]);
    sensor->setParams(params, 16);
    sensor->setSprite(sprite(creatureSlot));
    sensor->reset();
    sensor->setInteractBox(-64, -64, 128, 128);
    sensor->footprint = newIntArray(4);
    sensor->footprint->set(2, 2);
    sensor->footprint->set(3, 1);
    cGame::stampFootprint(sensor, 0, 4, false);
    sensor->flags |= ActorFlags::ACTIVE;
    return sensor;
  }
  static void runSensor(cActor* sensor) {
    stepFrame(framePeriod);
    sensor->updatedThisFrame = false;
    sensor->update();
  }
  static int32_t gathered(cActor* sensor) { return sensor->param(15); }
};

TEST_F(SceneSensorTest, ItGathersTheWillingCreaturesInItsAreaUpToTheNumberItWants) {
  cActor* sensor = makeSensor(3);
  cActorEnemy* first = makeCreature(350, 200, cActorEnemy::ORDINARY, gatherOption);
  cActorEnemy* unwilling = makeCreature(420, 200, cActorEnemy::ORDINARY, 0);
  cActorEnemy* onTheEdge = makeCreature(501, 220, cActorEnemy::ORDINARY, gatherOption);
  cActorEnemy* outside = makeCreature(600, 200, cActorEnemy::ORDINARY, gatherOption);
  cActorEnemy* defeated = makeCreature(380, 230, cActorEnemy::ORDINARY, gatherOption);
  defeated->hp = 0;
  cActorEnemy* late = makeCreature(360, 260, cActorEnemy::ORDINARY, gatherOption);

  runSensor(sensor);
  runSensor(sensor);
  EXPECT_EQ(gathered(sensor), 2) << "the same creature is never counted twice";
  EXPECT_EQ(sensor->param(1), 0) << "still gathering";
  for (cActorEnemy* creature : {first, onTheEdge}) {
    EXPECT_EQ(creature->state, 22);
    EXPECT_EQ(creature->linkedActor, sensor);
  }
  for (cActorEnemy* creature : {unwilling, outside, defeated, late}) {
    EXPECT_NE(creature->state, 22);
    EXPECT_EQ(creature->linkedActor, nullptr);
  }
  // Two in the row: 22 px either side of the area's centre (x 400), 10 px
  // above the sensor, in the order they were gathered.
  auto* row = static_cast<ObjectArray*>(sensor->neighbours);
  ASSERT_NE(row, nullptr);
  const int32_t pairPlaces[][2] = {{378, 190}, {422, 190}};
  std::vector<cActorEnemy*> placed;
  for (int32_t i = 0; i < 2; ++i) {
    cActorEnemy* creature = cActorEnemy::asCreature(static_cast<cActor*>(row->get(i)));
    ASSERT_NE(creature, nullptr);
    ASSERT_NE(creature->homePoint, nullptr);
    EXPECT_EQ(creature->homePoint->get(0), pairPlaces[i][0]) << "place " << i;
    EXPECT_EQ(creature->homePoint->get(1), pairPlaces[i][1]) << "place " << i;
    placed.push_back(creature);
  }

  late->setY(240 << 8);
  runSensor(sensor);
  EXPECT_EQ(gathered(sensor), 3);
  EXPECT_EQ(late->state, 22);
  EXPECT_EQ(sensor->param(1), 1) << "enough: it waits for the player";
  // An odd row would put the first two at 400 and 444: those already at
  // work keep the places they were given, and the third goes 44 px left.
  for (int32_t i = 0; i < 2; ++i) {
    EXPECT_EQ(placed[i]->homePoint->get(0), pairPlaces[i][0]) << "each placed once";
  }
  ASSERT_NE(late->homePoint, nullptr);
  EXPECT_EQ(late->homePoint->get(0), 356);
  EXPECT_EQ(late->homePoint->get(1), 190);

  cActorEnemy* extra = makeCreature(400, 210, cActorEnemy::ORDINARY, gatherOption);
  runSensor(sensor);
  EXPECT_EQ(gathered(sensor), 3) << "no more than it wants";
  EXPECT_EQ(extra->linkedActor, nullptr);
}

TEST_F(SceneSensorTest, ThePlayerLingeringByItLetsTheGroupGo) {
  cActor* sensor = makeSensor(2);
  cActorEnemy* a = makeCreature(350, 200, cActorEnemy::ORDINARY, gatherOption);
  cActorEnemy* b = makeCreature(450, 200, cActorEnemy::ORDINARY, gatherOption);
  runSensor(sensor);
  ASSERT_EQ(sensor->param(1), 1);

  for (int32_t i = 0; i < 5; ++i) runSensor(sensor);
  EXPECT_EQ(sensor->param(14), 0) << "no one by it";

  makeHero(400, 220);
  int32_t frames = 0;
  while (sensor->param(1) == 1 && frames < 30) {
    runSensor(sensor);
    ++frames;
  }
  // 1 ms on the first frame, then 62 ms a frame past 500.
  EXPECT_EQ(frames, 9);
  EXPECT_EQ(sensor->param(1), 2);
  EXPECT_EQ(sensor->player->anim, 7);
  EXPECT_EQ(a->linkedActor, sensor) << "still together while it plays";

  frames = 0;
  while (sensor->neighbours != nullptr && frames < 30) {
    runSensor(sensor);
    ++frames;
  }
  EXPECT_EQ(sensor->neighbours, nullptr);
  EXPECT_EQ(gathered(sensor), 0);
  EXPECT_EQ(sensor->param(14), 0);
  for (cActorEnemy* creature : {a, b}) {
    EXPECT_EQ(creature->linkedActor, nullptr);
    EXPECT_EQ(creature->state, 0) << "back to its own ways";
  }
  EXPECT_FALSE(cGame::testCollision(12, 6, 4)) << "its cells are free";
}

}  // namespace
