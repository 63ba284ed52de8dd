// cGame's shared operations: the game's random numbers, the animation step,
// the combination table and the chapter's results.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <vector>

#include "game/shell/cGame.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/DrawEffectsStatics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "platform/java_util/java_util_Random.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/shell/shell_runtime_fixture.h"
#include "tools/writers/SpriteWriter.h"

namespace {

class SharedOperationsTest : public ShellRuntimeFixture {
 protected:
  static java_util_Random* random() { return shellStatics().cGameLoop.random; }
  static std::vector<int32_t> draws(int n) {
    std::vector<int32_t> values;
    for (int i = 0; i < n; ++i) values.push_back(random()->nextInt());
    return values;
  }
};

TEST_F(SharedOperationsTest, SeedingFollowsThePlatformGenerator) {
  ASSERT_EQ(random(), nullptr);
  cGame::seedRandom(42, 0);  // made when missing
  ASSERT_NE(random(), nullptr);
  EXPECT_EQ(draws(3), (std::vector<int32_t>{-1170105035, 234785527, -1360544799}));
  // The high word goes above the low one.
  cGame::seedRandom(0x12345678, 0x9ABC);
  EXPECT_EQ(draws(4), (std::vector<int32_t>{290769, 1059511246, -1681231324, 317881884}));
  cGame::seedRandom(INT32_MIN, -1);
  EXPECT_EQ(draws(2), (std::vector<int32_t>{1631269984, 1562497336}));
}

TEST_F(SharedOperationsTest, RandomInRange) {
  cGame::seedRandom(42, 0);
  const uint32_t low = random()->seedLow, high = random()->seedHigh;
  // An empty range answers its start without a draw.
  EXPECT_EQ(cGame::randomInRange(5, 5), 5);
  EXPECT_EQ(random()->seedLow, low);
  EXPECT_EQ(random()->seedHigh, high);
  // a + |draw| mod (b - a): the draws of seed 42 are -1170105035,
  // 234785527, -1360544799, 205897768, 1325939940, -248792245.
  std::vector<int32_t> values;
  for (int i = 0; i < 6; ++i) values.push_back(cGame::randomInRange(10, 20));
  EXPECT_EQ(values, (std::vector<int32_t>{15, 17, 19, 18, 10, 15}));
  // A reversed range still draws; the remainder keeps the draw's sign.
  cGame::seedRandom(42, 0);
  EXPECT_EQ(cGame::randomInRange(7, 3), 10);
  EXPECT_NE(random()->seedLow, low);
  // The width wraps as an int: INT_MAX - INT_MIN is -1.
  EXPECT_EQ(cGame::randomInRange(INT_MIN, INT_MAX), INT_MIN);
  // A draw of INT_MIN counts as 2^31, not as a negative magnitude.
  for (const auto& [a, b, expected] : {std::tuple{0, 10, 8}, std::tuple{5, 8, 7}}) {
    random()->seedLow = 0x0E462AA9u;
    random()->seedHigh = 0xE15Cu;
    EXPECT_EQ(cGame::randomInRange(a, b), expected) << a << ".." << b;
  }
  for (int i = 0; i < 200; ++i) {
    const int32_t value = cGame::randomInRange(0, 3);
    ASSERT_TRUE(value >= 0 && value < 3) << value;
  }
}

// One image module of one colour shown by animation 0 in two aframes of
// three time units (186 ms) each.
ASprite* oneColourSprite(int32_t size, uint32_t argb) {
  tools::SpriteDescription description;
  description.flags = 0x1000000;
  tools::SpriteModule module;
  module.width = module.height = size;
  module.indices.assign(size_t(size * size), 0);
  description.modules = {module};
  description.palettes = {{argb}};
  description.frames.resize(1);
  description.frames[0].modules = {{0, 0, 0, 0, 0}};
  description.anims = {{{{0, 3}, {0, 3}}}};
  const std::vector<uint8_t> bytes = tools::writeSprite(description);
  ByteArray* data = newByteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
  ASprite* sprite = newObject<ASprite>();
  return sprite->load(data, 0, 0xFFFFFF, 1) ? sprite : nullptr;
}

TEST_F(SharedOperationsTest, TimedAnimationsAdvanceBySixTenthsOfTheStepOrAllOfItInCutscenes) {
  ASprite* sprite = oneColourSprite(2, 0xFFFFFFFF);
  ASSERT_NE(sprite, nullptr);
  CVLibPlayer* player = newObject<CVLibPlayer>();
  player->setSprite(sprite);
  player->setAnim(0, 0);
  shellStatics().cGameLoop.timeStep = 62;
  shared().fullSpeedAnimation = false;  // as in a foreground cutscene
  EXPECT_EQ(cGame::animTimedStep(), 38);
  cGame::updateAnimTimed(player);
  cGame::updateAnimTimed(player);
  EXPECT_EQ(player->time, 76);
  shared().fullSpeedAnimation = true;
  EXPECT_EQ(cGame::animTimedStep(), 62);
  cGame::updateAnimTimed(player);
  EXPECT_EQ(player->time, 138);
  cGame::updateAnimTimed(player);
  EXPECT_EQ(player->aframe, 0);
  cGame::updateAnimTimed(player);  // 200 ms in: the next aframe
  EXPECT_EQ(player->aframe, 1);
  cGame::updateAnimTimed(nullptr);
}

// The game's own class initialisers make the draw effects available: the
// back image is made, and a translucent animation blends with the screen.
TEST_F(SharedOperationsTest, DrawEffectsAreAvailableOnceTheGameIsInitialised) {
  DrawEffectsStatics& effects = toolkitStatics().DrawEffects;
  EXPECT_EQ(effects.available, 1);
  auto* screen = javax_microedition_lcdui_Image::createImage(8, 8);
  cGameDrawStatics& draw = toolkitStatics().cGameDraw;
  draw.graphics = draw.screenGraphics = screen->getGraphics();
  draw.screenWidth = draw.screenHeight = 8;
  cGame::initDrawEffects();
  EXPECT_NE(effects.backImage, nullptr);
  EXPECT_NE(effects.backGraphics, nullptr);

  ASprite* sprite = oneColourSprite(2, 0xFFF08000);
  ASSERT_NE(sprite, nullptr);
  CVLibPlayer* player = newObject<CVLibPlayer>();
  player->setSprite(sprite);
  player->setAnim(0, 0);
  player->x = player->y = 3;
  player->alpha = 128;
  draw.graphics->setColor(0x404040);  // RGB565 0x4208
  draw.graphics->fillRect(0, 0, 8, 8);
  player->paint();
  // Opaque would be 0xF400; half of it over the background is 0x9B03.
  EXPECT_EQ(screen->surface().row(4)[4], 0x9B03);
}

TEST_F(SharedOperationsTest, CombinationRecordsFillTheFirstFreeSlot) {
  IntArray* record = newIntArray(4);
  for (int32_t i = 0; i < 4; ++i) record->set(i, 7 + i);
  cGame::addCombinationRecord(record);  // no table: nothing
  EXPECT_EQ(takePending(), nothingPending);

  ObjectArray* table = shared().combinationTable = newObjectArray(20);
  table->set(0, newIntArray(3));
  cGame::addCombinationRecord(record);
  auto* entry = static_cast<IntArray*>(table->get(1));
  ASSERT_NE(entry, nullptr);
  ASSERT_EQ(entry->length(), 3);
  EXPECT_EQ(entry->get(0), 7);
  EXPECT_EQ(entry->get(2), 9);
  record->set(0, 1);
  EXPECT_EQ(entry->get(0), 7);  // a copy
  for (int32_t slot = 2; slot < 20; ++slot) table->set(slot, newIntArray(3));
  ObjectArray* full = newObjectArray(20);
  for (int32_t slot = 0; slot < 20; ++slot) full->set(slot, table->get(slot));
  cGame::addCombinationRecord(record);  // full: dropped
  for (int32_t slot = 0; slot < 20; ++slot) EXPECT_EQ(table->get(slot), full->get(slot)) << slot;
  EXPECT_EQ(takePending(), nothingPending);
}

class ResultScoresTest : public SharedOperationsTest {
 protected:
  static void count(int32_t defeated, int32_t found, int32_t solved, int32_t penalties) {
    IntArray* results = shared().results;
    ASSERT_NE(results, nullptr);
    ASSERT_EQ(results->length(), 13);
    results->set(1, defeated);
    results->set(3, found);
    results->set(5, solved);
    results->set(7, penalties);
  }
  static int32_t result(int32_t i) { return shared().results->get(i); }
};

TEST_F(ResultScoresTest, ScoresTotalAndGrade) {
  const int32_t counts[] = {1, 2, 3, 4, 5, 6};
  for (int32_t i = 0; i < 6; ++i) saved().partnerItemCounts->set(i, counts[i]);
  const struct {
    int32_t defeated, found, solved, penalties;
    int32_t total, grade;
  } cases[] = {
      {3, 2, 1, 0, 30 + 200 + 150 + 0 + (5 * 50 + 7 * 100 + 9 * 150), 0},
      {0, 0, 0, 2, 2300 - 400, 2},
      {0, 0, 0, 3, 2300 - 600, 3},
      {1, 0, 0, 40, 0, 3},  // heavy penalties: never below 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.penalties);
    saved().resultsCounter = 0;
    count(c.defeated, c.found, c.solved, c.penalties);
    cGame::computeResultScores();
    EXPECT_EQ(result(2), c.defeated * 10);
    EXPECT_EQ(result(4), c.found * 100);
    EXPECT_EQ(result(6), c.solved * 150);
    EXPECT_EQ(result(8), c.penalties * -200);
    EXPECT_EQ(result(9), 2300);
    EXPECT_EQ(result(0), c.total);
    EXPECT_EQ(result(12), c.grade);
    EXPECT_EQ(saved().resultsCounter, c.total);
  }
}

TEST_F(ResultScoresTest, TheCounterSaturatesInsteadOfTurningNegative) {
  saved().resultsCounter = 32000;
  count(100, 0, 0, 0);
  cGame::computeResultScores();
  EXPECT_EQ(saved().resultsCounter, 32767);
  cGame::computeResultScores();
  EXPECT_EQ(saved().resultsCounter, 32767);
  cGame::saveSettings();
  EXPECT_EQ(readData("rms_quendrill.db.rec1.db").substr(9, 2), std::string("\xFF\x7F", 2));
}

TEST_F(ResultScoresTest, OnlyTheLastOpenChapterOpensAnother) {
  const struct {
    int32_t chapter, open, after;
  } cases[] = {{0, 0, 1}, {4, 5, 6}, {2, 5, 5}, {0, 1, 2}, {8, 9, 10}, {9, 10, 10}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.chapter << " of " << c.open);
    cGame::setChapter(c.chapter);
    saved().chaptersOpen = c.open;
    cGame::computeResultScores();
    EXPECT_EQ(saved().chaptersOpen, c.after);
  }
}

}  // namespace
